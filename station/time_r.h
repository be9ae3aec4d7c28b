#pragma once
// The reminder window: dated reminders that the launcher checks every two
// seconds.
#include "platform/stringgrid.h"

#include <QWidget>

namespace zelmor {

class Ttime_r : public QWidget {
    Q_OBJECT
public:
    explicit Ttime_r(QWidget *parent = nullptr);

    TStringGrid *strtimer; // row 0 "Date", "Time", "Info"; reminders from row 1
};

extern Ttime_r *time_r;

} // namespace zelmor
