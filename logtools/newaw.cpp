#include "logtools/newaw.h"

namespace zelmor {

Tnewaw *newaw = nullptr;

Tnewaw::Tnewaw(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("newaw"));
    setWindowTitle(QStringLiteral("Название диплома"));
}

} // namespace zelmor
