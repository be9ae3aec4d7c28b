#include "qsl/posta.h"

namespace zelmor {

TPosta *Posta = nullptr;

TPosta::TPosta(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Posta"));
    setWindowTitle(QStringLiteral("Печать коверта"));
}

} // namespace zelmor
