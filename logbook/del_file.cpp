#include "logbook/del_file.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace zelmor {

Tdel_file *del_file = nullptr;

Tdel_file::Tdel_file(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("del_file"));
    setWindowTitle(QStringLiteral("Удаление пустых строк"));
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setStyleSheet(QStringLiteral("QProgressBar { background: blue; border: 1px solid black; }"
                                         "QProgressBar::chunk { background: red; }"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Удаление строк займет несколько сеунд"), this));
    layout->addWidget(Gauge1);
}

} // namespace zelmor
