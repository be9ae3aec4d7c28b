#include "logtools/newaw.h"

#include "common/text.h"
#include "logtools/award.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmor {

Tnewaw *newaw = nullptr;

Tnewaw::Tnewaw(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("newaw"));
    setWindowTitle(QStringLiteral("Название диплома"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setMaxLength(60);
    SpeedButton1 = new QPushButton(QStringLiteral("OK"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton2 = new QPushButton(QStringLiteral("Отмена"), this);
    SpeedButton2->setObjectName(QStringLiteral("SpeedButton2"));
    connect(SpeedButton1, &QPushButton::clicked, this, &Tnewaw::SpeedButton1Click);
    connect(SpeedButton2, &QPushButton::clicked, this, &Tnewaw::SpeedButton2Click);
    connect(Edit1, &QLineEdit::returnPressed, this, &Tnewaw::SpeedButton1Click);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    resize(300, 90);
}

void Tnewaw::SpeedButton1Click() {
    const QString name = Trim(Edit1->text());
    // A name already taken keeps the dialog open for another.
    if (!name.isEmpty() && award && !award->AddNewAward(name)) return;
    close();
}

} // namespace zelmor
