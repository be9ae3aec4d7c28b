#include "qsl/adbox.h"

namespace zelmor {

Tadbox *adbox = nullptr;

Tadbox::Tadbox(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("adbox"));
}

} // namespace zelmor
