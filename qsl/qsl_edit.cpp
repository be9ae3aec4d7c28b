#include "qsl/qsl_edit.h"

#include <QComboBox>
#include <QVBoxLayout>

namespace zelmor {

Tqsl_edit *qsl_edit = nullptr;

Tqsl_edit::Tqsl_edit(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("qsl_edit"));
    setWindowTitle(QStringLiteral("QSL редактор"));
    qsl_box = new QComboBox(this);
    qsl_box->setObjectName(QStringLiteral("qsl_box"));
    qsl_box->setEditable(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(qsl_box);
    layout->addStretch(1);
}

} // namespace zelmor
