#include "station/rxtx.h"

#include <QTimer>

namespace zelmor {

Trxtx *rxtx = nullptr;

Trxtx::Trxtx(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("rxtx"));
    setWindowTitle(QStringLiteral("Управление трансивером  FT-840"));
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(1000);
}

// No serial port driver yet: the link cannot be opened.
bool Trxtx::OpenComPort() { return false; }

void Trxtx::CloseComPort() {}

} // namespace zelmor
