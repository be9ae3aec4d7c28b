#include "logtools/russall.h"

namespace zelmor {

Trussall *russall = nullptr;

Trussall::Trussall(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("russall"));
    setWindowTitle(QStringLiteral("RUSS-ALL"));
}

} // namespace zelmor
