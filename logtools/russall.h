#pragma once
// The Russian regions table.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Trussall : public QWidget {
    Q_OBJECT
public:
    explicit Trussall(QWidget *parent = nullptr);
};

extern Trussall *russall;

} // namespace zelmor
