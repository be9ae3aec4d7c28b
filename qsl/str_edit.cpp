#include "qsl/str_edit.h"

namespace zelmor {

Tstr_edit *str_edit = nullptr;

Tstr_edit::Tstr_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("str_edit"));
    setWindowTitle(QStringLiteral("Редактор строк "));
}

} // namespace zelmor
