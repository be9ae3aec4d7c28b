#include "qsl/qsl.h"

namespace zelmor {

TQSL *QSL = nullptr;

TQSL::TQSL(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("QSL"));
    setWindowTitle(QStringLiteral("Распечатка QSL карточек"));
}

} // namespace zelmor
