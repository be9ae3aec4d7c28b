#include "logtools/award.h"

namespace zelmor {

Taward *award = nullptr;

Taward::Taward(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("award"));
    setWindowTitle(QStringLiteral("Дипломы"));
}

} // namespace zelmor
