#pragma once
// The user awards: award definitions by call-sign conditions and their progress.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Taward : public QWidget {
    Q_OBJECT
public:
    explicit Taward(QWidget *parent = nullptr);
};

extern Taward *award;

} // namespace zelmor
