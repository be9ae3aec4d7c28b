#include "logtools/otchet.h"

namespace zelmor {

Totchet *otchet = nullptr;

Totchet::Totchet(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("otchet"));
    setWindowTitle(QStringLiteral("Печать отчета "));
}

} // namespace zelmor
