#include "station/ant.h"

#include "logbook/settingscatalogue.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

namespace zelmor {

TAnt *Ant = nullptr;

TAnt::TAnt(QWidget *parent) : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("Ant"));
    setWindowTitle(QStringLiteral("Антенны"));
    auto *grid = new QGridLayout(this);
    QPushButton **buttons[10] = {&an1, &an2, &an3, &an4, &an5, &an6, &an7, &an8, &an9, &an10};
    QLineEdit **edits[10] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5, &Edit6, &Edit7, &Edit8, &Edit9, &Edit10};
    for (int n = 1; n <= 10; ++n) {
        auto *b = *buttons[n - 1] = new QPushButton(this);
        b->setObjectName(QStringLiteral("an%1").arg(n));
        auto *e = *edits[n - 1] = new QLineEdit(this);
        e->setObjectName(QStringLiteral("Edit%1").arg(n));
        grid->addWidget(b, n - 1, 0);
        grid->addWidget(e, n - 1, 1);
        // The name is stored as typed and becomes the button's caption.
        connect(e, &QLineEdit::textEdited, this, [b, n](const QString &text) {
            if (WriteSetting(SettingId::AntennaName, text, n)) b->setText(text);
        });
    }
}

QPushButton *TAnt::button(int n) const {
    QPushButton *const all[10] = {an1, an2, an3, an4, an5, an6, an7, an8, an9, an10};
    return n >= 1 && n <= 10 ? all[n - 1] : nullptr;
}

QLineEdit *TAnt::nameEdit(int n) const {
    QLineEdit *const all[10] = {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8, Edit9, Edit10};
    return n >= 1 && n <= 10 ? all[n - 1] : nullptr;
}

} // namespace zelmor
