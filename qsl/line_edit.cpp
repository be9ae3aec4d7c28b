#include "qsl/line_edit.h"

namespace zelmor {

Tline_edit *line_edit = nullptr;

Tline_edit::Tline_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("line_edit"));
    setWindowTitle(QStringLiteral("Редактор линий "));
}

} // namespace zelmor
