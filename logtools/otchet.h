#pragma once
// The report printing window: its font menu; the listings are printed from the search and award windows.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Totchet : public QWidget {
    Q_OBJECT
public:
    explicit Totchet(QWidget *parent = nullptr);
};

extern Totchet *otchet;

} // namespace zelmor
