#pragma once
// The antenna switch and rotator on the parallel port.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TAnt : public QWidget {
    Q_OBJECT
public:
    explicit TAnt(QWidget *parent = nullptr);
};

extern TAnt *Ant;

} // namespace zelmor
