#include "logtools/waz9b.h"

namespace zelmor {

Twaz9b *waz9b = nullptr;

Twaz9b::Twaz9b(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("waz9b"));
    setWindowTitle(QStringLiteral("WAZ - 9 band"));
}

} // namespace zelmor
