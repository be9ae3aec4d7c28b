#include "logbook/proverk.h"

#include "logbook/glawnf.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmor {

TProverk *Proverk = nullptr;

TProverk::TProverk(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Proverk"));
    setWindowTitle(QStringLiteral("Проверка"));
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Button1 = new QPushButton(QStringLiteral("Закрыть"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    connect(Button1, &QPushButton::clicked, this, &TProverk::Button1Click);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("В папке с программой ZELMOR "), this));
    layout->addWidget(new QLabel(QStringLiteral("отсутствуют файлы"), this));
    layout->addWidget(Memo1, 1);
    layout->addWidget(Button1, 0, Qt::AlignHCenter);
}

void TProverk::Button1Click() {
    if (glawnf) glawnf->close();
}

} // namespace zelmor
