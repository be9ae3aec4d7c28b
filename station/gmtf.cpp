#include "station/gmtf.h"

#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/settingscatalogue.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Tgmtf *gmtf = nullptr;

namespace {
void StopClock() {
    if (glawnf) glawnf->Timer2->stop();
}
void StartClock() {
    if (glawnf && !glawnf->Timer2->isActive()) glawnf->Timer2->start();
}
} // namespace

Tgmtf::Tgmtf(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("gmtf"));
    setWindowTitle(QStringLiteral("GMT"));
    utc = new QLineEdit(this);
    utc->setObjectName(QStringLiteral("utc"));
    utc->setMaxLength(3);
    utc->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[+-]?[0-9]{0,2}")), utc));
    utc->installEventFilter(this);
    SpeedButton1 = new QPushButton(QStringLiteral("OK"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    StBar1 = new QStatusBar(this);
    StBar1->setObjectName(QStringLiteral("StBar1"));
    StBar1->setSizeGripEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Установить разницу во времени "), this));
    layout->addWidget(utc);
    layout->addWidget(new QLabel(QStringLiteral("от -12 ч. до 12 ч."), this));
    layout->addWidget(SpeedButton1);
    layout->addWidget(StBar1);

    // Typed changes only: the loader setting the stored offset is no
    // reason to stop the clock.
    connect(utc, &QLineEdit::textEdited, this, &Tgmtf::utcChange);
    connect(SpeedButton1, &QPushButton::clicked, this, &Tgmtf::SpeedButton1Click);
}

void Tgmtf::SpeedButton1Click() {
    StBar1->clearMessage();
    const QString offset = utc->text();
    if (offset.isEmpty()) {
        StBar1->showMessage(QStringLiteral("Где-же время?"));
        return;
    }
    if (offset == QLatin1String("-")) {
        StBar1->showMessage(QStringLiteral("Добавте еще цифру"));
        return;
    }
    close();
    StartClock();
    WriteSetting(SettingId::Gmt, offset);
}

void Tgmtf::utcChange() {
    StopClock();
    if (form1) form1->ValidateUtcOffset();
}

void Tgmtf::utcClick() { StopClock(); }

void Tgmtf::utcExit() { StartClock(); }

void Tgmtf::FormClose() {
    if (utc->text().isEmpty() || utc->text() == QLatin1String("-")) utc->setText(QStringLiteral("0"));
    // However the dialog is closed, the clock runs again: a change stopped it.
    StartClock();
}

void Tgmtf::closeEvent(QCloseEvent *e) {
    FormClose();
    QWidget::closeEvent(e);
}

void Tgmtf::keyPressEvent(QKeyEvent *e) {
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool Tgmtf::eventFilter(QObject *watched, QEvent *event) {
    if (watched == utc) {
        if (event->type() == QEvent::MouseButtonPress) utcClick();
        else if (event->type() == QEvent::FocusOut) utcExit();
    }
    return false;
}

} // namespace zelmor
