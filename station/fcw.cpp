#include "station/fcw.h"

namespace zelmor {

Tfcw *fcw = nullptr;

Tfcw::Tfcw(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("fcw"));
    setWindowTitle(QStringLiteral("Командные строки CW"));
}

} // namespace zelmor
