#pragma once
// Shown while the records marked deleted are purged from the log.
#include <QWidget>

class QProgressBar;

namespace zelmor {

class Tdel_file : public QWidget {
    Q_OBJECT
public:
    explicit Tdel_file(QWidget *parent = nullptr);

    QProgressBar *Gauge1;
};

extern Tdel_file *del_file;

} // namespace zelmor
