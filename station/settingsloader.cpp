#include "station/settingsloader.h"

#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/logfile.h"
#include "logbook/settingsstore.h"
#include "logtools/poisk.h"
#include "platform/hotkeyedit.h"
#include "platform/paths.h"
#include "qsl/adbox.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "station/form25.h"
#include "station/gmtf.h"
#include "station/nastroy.h"

#include <QFileInfo>
#include <QLineEdit>

namespace zelmor {

namespace {
const QString kQso = QStringLiteral("zelmor\\qso");

void Place(QWidget *w, const QString &subkey, int height, int width, bool keepOnScreen = false) {
    if (!w) return;
    int top = RegReadInteger(subkey, QStringLiteral("form-top"));
    int left = RegReadInteger(subkey, QStringLiteral("form-left"));
    if (keepOnScreen) {
        if (top > 500 || top < 0) top = 0;
        if (left > 600 || left < 0) left = 0;
    }
    w->move(left, top);
    if (height > 0 && width > 0) w->resize(width, height);
    else if (width > 0) w->resize(width, w->height());
}
} // namespace

void LoadLogGridColumnLayout() {
    TStringGrid *g = form1->str11;
    for (int n = 1; n < g->colCount(); ++n) {
        const qint32 stored = RegReadInteger(kQso, QStringLiteral("размер колонки") + QString::number(n));
        int width = stored != 0 ? stored : 80;
        if (RegReadInteger(kQso, QStringLiteral("колонка-") + QString::number(n)) == 0) width = 0;
        g->setColWidth(n, width);
    }
}

void LoadSettings() {
    Nastroy->wKey1->setShortcutCode(RegReadInteger(kQso, QStringLiteral("запись в файл")));
    LoadLogGridColumnLayout();
    gmtf->utc->setText(RegReadString(kQso, QStringLiteral("GMT")));
    form1->cb1->setText(RegReadString(kQso, QStringLiteral("band")));
    form1->cb2->setText(RegReadString(kQso, QStringLiteral("mode")));
    Nastroy->eentr->setText(RegReadString(kQso, QStringLiteral("обход ENTER")));

    LogFileName = RegReadString(kQso, QStringLiteral("filelog"));
    if (LogFileName.isEmpty() || !QFileInfo(DataPath(LogFileName)).isFile()) LogFileName = QStringLiteral("test.log");
    form1->setWindowTitle(QStringLiteral("QSO ") + LogFileName);

    Place(form1, kQso, 600, 770);
    Place(adbox, QStringLiteral("zelmor\\adbox"), 331, 304);
    Place(QSL, QStringLiteral("zelmor\\qsl"), 578, 780);
    Place(Form25, QStringLiteral("zelmor\\map"), 455, 757);
    Place(Form20, QStringLiteral("zelmor\\news"), 605, 757);
    Place(qsl_edit, QStringLiteral("zelmor\\qsl_edit"), 0, 757);
    Place(poisk, QStringLiteral("zelmor\\find"), 0, 780, true);
}

} // namespace zelmor
