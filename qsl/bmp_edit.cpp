#include "qsl/bmp_edit.h"

namespace zelmor {

TBmp_edit *Bmp_edit = nullptr;

TBmp_edit::TBmp_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("Bmp_edit"));
}

} // namespace zelmor
