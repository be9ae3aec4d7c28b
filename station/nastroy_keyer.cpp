// The settings dialog's CW keyer controls, kept in a hidden group until the
// dialog's own pages take them over.
#include "station/nastroy.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace zelmor {

void TNastroy::addKeyerControls() {
    auto *group = new QGroupBox(this);
    group->setObjectName(QStringLiteral("keyerControls"));
    group->hide();
    auto *v = new QVBoxLayout(group);
    auto spin = [&](const char *name, int low, int high, int step) {
        auto *s = new QSpinBox(group);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(low, high);
        s->setSingleStep(step);
        v->addWidget(s);
        return s;
    };
    auto label = [&](const char *name) {
        auto *l = new QLabel(group);
        l->setObjectName(QString::fromLatin1(name));
        v->addWidget(l);
        return l;
    };
    auto box = [&](const char *name) {
        auto *b = new QCheckBox(group);
        b->setObjectName(QString::fromLatin1(name));
        v->addWidget(b);
        return b;
    };
    auto edit = [&](const char *name) {
        auto *e = new QLineEdit(group);
        e->setObjectName(QString::fromLatin1(name));
        v->addWidget(e);
        return e;
    };
    edit6 = label("edit6");     // updo's panel
    Panel26 = label("Panel26"); // updo1's
    UpDo10 = spin("UpDo10", 1, 3000, 20);
    Panel4 = label("Panel4");
    cwcom10 = box("cwcom10");
    cwcom11 = box("cwcom11");
    cwcom12 = box("cwcom12");
    cwcom13 = box("cwcom13");
    Edit22 = edit("Edit22");
    Edit29 = edit("Edit29");
    Edit30 = edit("Edit30");
    Edit31 = edit("Edit31");
    Edit32 = edit("Edit32");
    Edit33 = edit("Edit33");
    RadioButton1 = new QRadioButton(QStringLiteral("LPT1"), group);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton3 = new QRadioButton(QStringLiteral("LPT2"), group);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    v->addWidget(RadioButton1);
    v->addWidget(RadioButton3);
}

QLineEdit *TNastroy::voiceKeyFile(int n) const {
    QLineEdit *const edits[6] = {Edit22, Edit29, Edit30, Edit31, Edit32, Edit33};
    return n >= 0 && n < 6 ? edits[n] : nullptr;
}

} // namespace zelmor
