#include "qsl/rec_edit.h"

namespace zelmor {

Trec_edit *rec_edit = nullptr;

Trec_edit::Trec_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("rec_edit"));
    setWindowTitle(QStringLiteral("Редактор фигур "));
}

} // namespace zelmor
