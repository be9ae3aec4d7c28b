#include "logtools/iota.h"

namespace zelmor {

TIOTA *IOTA = nullptr;

TIOTA::TIOTA(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("IOTA"));
    setWindowTitle(QStringLiteral("IOTA"));
}

} // namespace zelmor
