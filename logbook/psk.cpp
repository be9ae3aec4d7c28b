#include "logbook/psk.h"

namespace zelmor {

Tpsk *psk = nullptr;

Tpsk::Tpsk(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("psk"));
    setWindowTitle(QStringLiteral("Окно ввода данных"));
}

} // namespace zelmor
