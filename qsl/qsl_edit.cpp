#include "qsl/qsl_edit.h"

namespace zelmor {

Tqsl_edit *qsl_edit = nullptr;

Tqsl_edit::Tqsl_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("qsl_edit"));
    setWindowTitle(QStringLiteral("QSL редактор"));
}

} // namespace zelmor
