#include "station/gmtf.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmor {

Tgmtf *gmtf = nullptr;

Tgmtf::Tgmtf(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("gmtf"));
    setWindowTitle(QStringLiteral("GMT"));
    utc = new QLineEdit(this);
    utc->setObjectName(QStringLiteral("utc"));
    utc->setMaxLength(3);
    SpeedButton1 = new QPushButton(QStringLiteral("OK"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Установить разницу во времени "), this));
    layout->addWidget(utc);
    layout->addWidget(new QLabel(QStringLiteral("от -12 ч. до 12 ч."), this));
    layout->addWidget(SpeedButton1);
}

} // namespace zelmor
