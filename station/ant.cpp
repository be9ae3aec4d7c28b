#include "station/ant.h"

#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "station/antenna.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace zelmor {

TAnt *Ant = nullptr;

TAnt::TAnt(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Ant"));
    setWindowTitle(QStringLiteral("Антенны"));

    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto item = [](QAction *a, const char *name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu *settings = MainMenu1->addMenu(QStringLiteral("Настройка"));
    N1 = item(settings->menuAction(), "N1");
    N2 = item(settings->addAction(QStringLiteral("Название антенн")), "N2");
    N2->setCheckable(true);
    connect(N2, &QAction::toggled, this, [this](bool on) { nazant->setVisible(on); });
    QMenu *about = MainMenu1->addMenu(QStringLiteral("?"));
    N3 = item(about->menuAction(), "N3");
    LPT2279H1 = item(about->addAction(QStringLiteral("порт LPT2     0278 -027A")), "LPT2279H1");

    GroupBox1 = new QGroupBox(QStringLiteral("Антенный комутатор"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *antennas = new QGridLayout(GroupBox1);
    nazant = new QGroupBox(QStringLiteral("Название антенн"), this);
    nazant->setObjectName(QStringLiteral("nazant"));
    auto *names = new QGridLayout(nazant);
    QPushButton **buttons[10] = {&an1, &an2, &an3, &an4, &an5, &an6, &an7, &an8, &an9, &an10};
    QLineEdit **edits[10] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10};
    for (int n = 1; n <= 10; ++n) {
        auto *b = *buttons[n - 1] = new QPushButton(GroupBox1);
        b->setObjectName(QStringLiteral("an%1").arg(n));
        b->setCheckable(true);
        b->setMinimumWidth(110);
        antennas->addWidget(b, (n - 1) % 5, (n - 1) / 5);
        connect(b, &QPushButton::clicked, this, [this, n] { anClick(n); });
        auto *e = *edits[n - 1] = new QLineEdit(nazant);
        e->setObjectName(QStringLiteral("Edit%1").arg(n));
        names->addWidget(new QLabel(QString::number(n), nazant), (n - 1) % 5, 2 * ((n - 1) / 5));
        names->addWidget(e, (n - 1) % 5, 2 * ((n - 1) / 5) + 1);
        connect(e, &QLineEdit::textEdited, this, [this, n](const QString &text) { EditChange(n, text); });
    }
    nazant->hide();

    GroupBox2 = new QGroupBox(QStringLiteral("Вращение антены"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto *rotator = new QHBoxLayout(GroupBox2);
    const char *captions[4] = {"По часовой", "Против часовой", "Стоп", "Автоматич. пов."};
    QPushButton **rotation[4] = {&SpeedButton10, &SpeedButton11, &SpeedButton12, &SpeedButton13};
    for (int i = 0; i < 4; ++i) {
        auto *b = *rotation[i] = new QPushButton(QString::fromUtf8(captions[i]), GroupBox2);
        b->setObjectName(QStringLiteral("SpeedButton%1").arg(10 + i));
        b->setCheckable(true);
        rotator->addWidget(b);
    }
    connect(SpeedButton10, &QPushButton::clicked, this, [this] { SpeedButton10Click(); });
    connect(SpeedButton11, &QPushButton::clicked, this, [this] { SpeedButton11Click(); });
    connect(SpeedButton12, &QPushButton::clicked, this, [this] { SpeedButton12Click(); });
    // The automatic turn has no action: it only goes down.
    connect(SpeedButton13, &QPushButton::clicked, this,
            [this] { KeepOneDown(SpeedButton13, {SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton13}); });

    LabelPort = new QLabel(this);
    LabelPort->setObjectName(QStringLiteral("LabelPort"));
    LabelPort->setWordWrap(true);
    LabelPort->setStyleSheet(QStringLiteral("color: #b00000"));

    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(nazant);
    layout->addWidget(LabelPort);
    layout->addStretch(1);
}

QPushButton *TAnt::button(int n) const {
    QPushButton *const all[10] = {an1, an2, an3, an4, an5, an6, an7, an8, an9, an10};
    return n >= 1 && n <= 10 ? all[n - 1] : nullptr;
}

QLineEdit *TAnt::nameEdit(int n) const {
    QLineEdit *const all[10] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10};
    return n >= 1 && n <= 10 ? all[n - 1] : nullptr;
}

QPushButton *TAnt::rotationButton(int n) const {
    QPushButton *const all[4] = {SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton13};
    return n >= 10 && n <= 13 ? all[n - 10] : nullptr;
}

// A button pressed while down goes up (the click already flipped it); one
// that went down sends the others up. Qt's exclusive groups would keep one
// down always.
void TAnt::KeepOneDown(QPushButton *pressed, std::initializer_list<QPushButton *> group) {
    if (!pressed->isChecked()) return;
    for (QPushButton *b : group)
        if (b != pressed) b->setChecked(false);
}

void TAnt::send(quint8 code) {
    const AntennaPressResult r = PressAntennaCode(code);
    LabelPort->setText(r.problem);
    if (r.fresh || !r.written) StatusText = r.problem;
}

void TAnt::anClick(int n) {
    QPushButton *b = button(n);
    if (!b) return;
    KeepOneDown(b, {an1, an2, an3, an4, an5, an6, an7, an8, an9, an10});
    send(*AntennaCode(n));
}

void TAnt::SpeedButton10Click() {
    KeepOneDown(SpeedButton10, {SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton13});
    send(*RotationCode(Rotation::Clockwise));
}

void TAnt::SpeedButton11Click() {
    KeepOneDown(SpeedButton11, {SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton13});
    send(*RotationCode(Rotation::CounterClockwise));
}

void TAnt::SpeedButton12Click() {
    // "Стоп" releases itself, and with it every rotation button is up.
    for (QPushButton *b : {SpeedButton10, SpeedButton11, SpeedButton12, SpeedButton13}) b->setChecked(false);
    send(*RotationCode(Rotation::Stop));
}

void TAnt::N2Click() { N2->toggle(); }

void TAnt::EditChange(int n, const QString &text) {
    // The caption takes the name at the next start.
    WriteSetting(SettingId::AntennaName, text, n);
}

} // namespace zelmor
