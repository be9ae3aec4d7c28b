#include "qsl/qsl.h"

#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>

namespace zelmor {

TQSL *QSL = nullptr;

TQSL::TQSL(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("QSL"));
    setWindowTitle(QStringLiteral("Распечатка QSL карточек"));
    MainMenu1 = new QMenuBar(this);
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(MainMenu1);
    formatMenu = MainMenu1->addMenu(QStringLiteral("Формат QSL"));
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    auto item = [&](const char *name, const char *caption, bool shown = true) {
        QAction *a = formatMenu->addAction(QString::fromUtf8(caption));
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        a->setVisible(shown);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, a] { chooseFormat(a); });
        return a;
    };
    QSLedit = item("QSLedit", "Печать из QSL редактора");
    tqsli = item("tqsli", "Печать на QSL блоком данных");
    tqsln = item("tqsln", "Печать наклеек  в 2 колонки на листе A4");
    N31 = item("N31", "Печать наклеек  в 3 колонки на листе А4");
    qsl5 = item("qsl5", "Печать на старых бланках ЦРК ");
    QQ1AX1 = item("QQ1AX1", "Формат для QQ1AX", false);
    QQ5EX1 = item("QQ5EX1", "Формат для QQ5EX", false);
    QQ6FX11 = item("QQ6FX11", "Формат QQ6FX №1", false);
    QQ6FX21 = item("QQ6FX21", "Формат QQ6FX № 2", false);
    QQ4DX1 = item("QQ4DX1", "Формат QQ4DX", false);
    QQ3CX1 = item("QQ3CX1", "Формат QQ3CX", false);
    QQ2BXY1 = item("QQ2BXY1", "Формат QQ2BXY", false);
    QQ7GX1 = item("QQ7GX1", "Формат QQ7GX", false);
    tqsl = item("tqsl", "Печать на QSL отдельных данных", false);
    obratstr = item("obratstr", "Печать на обратной стороне QSL", false);
    Lichnay = item("Lichnay", "Личный формат печати QSL", false);
    // The loader may leave several checked (as stored) or none; a choice
    // puts that right.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
}

void TQSL::chooseFormat(QAction *chosen) {
    SettingsBatch batch; // sixteen values, one save
    for (const SettingRow &r : SettingsCatalogue()) {
        if (r.codec != SettingCodec::MenuItem) continue;
        const QString target = QString::fromUtf8(r.target);
        if (!target.startsWith(QLatin1String("QSL/"))) continue;
        if (auto *a = findChild<QAction *>(target.mid(4))) {
            a->setChecked(a == chosen);
            WriteSetting(r.id, a == chosen);
        }
    }
}

} // namespace zelmor
