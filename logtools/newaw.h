#pragma once
// Asks for the name of a new user award.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tnewaw : public QWidget {
    Q_OBJECT
public:
    explicit Tnewaw(QWidget *parent = nullptr);
};

extern Tnewaw *newaw;

} // namespace zelmor
