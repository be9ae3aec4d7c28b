#include "logbook/shutdown.h"

#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/glawnf.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logtools/poisk.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "qsl/adbox.h"
#include "qsl/qsl.h"
#include "qsl/qsl_edit.h"
#include "station/form25.h"
#include "station/nastroy.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

namespace zelmor {

namespace {

void StopTimers() {
    try {
        if (glawnf)
            for (QTimer *t : {glawnf->Timer1, glawnf->Timer2, glawnf->Timer3, glawnf->Timer4, glawnf->Timer5, glawnf->Timer6})
                t->stop();
        if (form1) form1->Timer5->stop();
    } catch (const std::exception &) {
        ShowErrorBox(QStringLiteral("Таймер не успевает"));
    }
}

void StorePosition(QWidget *w, const QString &subkey) {
    if (!w) return;
    RegWriteValue(1, subkey, QStringLiteral("form-top"), w->y(), QString());
    RegWriteValue(1, subkey, QStringLiteral("form-left"), w->x(), QString());
}

void StoreColumnWidths(const TStringGrid *grid, const QString &subkey) {
    if (!grid) return;
    // Column 0 and hidden columns keep what is stored for them.
    for (int n = 1; n <= 19 && n < grid->colCount(); ++n) {
        const int width = grid->colWidth(n);
        if (width != 0) RegWriteValue(1, subkey, QStringLiteral("размер колонки") + QString::number(n), width, QString());
    }
}

void StoreLayout() {
    StorePosition(glawnf, QStringLiteral("zelmor\\главное"));
    StorePosition(adbox, QStringLiteral("zelmor\\adbox"));
    StorePosition(QSL, QStringLiteral("zelmor\\qsl"));
    StorePosition(Form25, QStringLiteral("zelmor\\map"));
    StorePosition(Form20, QStringLiteral("zelmor\\news"));
    StorePosition(qsl_edit, QStringLiteral("zelmor\\qsl_edit"));
    StorePosition(poisk, QStringLiteral("zelmor\\find"));
    if (form1) {
        const QString qso = QStringLiteral("zelmor\\qso");
        RegWriteValue(1, qso, QStringLiteral("form-height"), form1->height(), QString());
        RegWriteValue(1, qso, QStringLiteral("form-top"), form1->y(), QString());
        RegWriteValue(1, qso, QStringLiteral("form-width"), form1->width(), QString());
        RegWriteValue(1, qso, QStringLiteral("form-left"), form1->x(), QString());
        StoreColumnWidths(form1->str11, qso);
    }
    if (poisk) StoreColumnWidths(poisk->Str, QStringLiteral("zelmor\\поиск"));
}

} // namespace

void ShutDown() {
    // Unchecking is a change of the box like any other: its own handler
    // stores it, so the next start begins with the time field off.
    if (Nastroy && Nastroy->tim1->isChecked()) {
        Nastroy->tim1->setChecked(false);
        if (form1) form1->tim->clear();
    }
    StopTimers();
    // After a start-up that ended before the settings were loaded, the
    // windows hold design values: storing them would lose the operator's
    // layout.
    if (SettingsLoadedThisRun) StoreLayout();
    if (form1) form1->call->clear();
    ReleaseSettingsRegistry();
    platform::sound().playAndWait(DataPath(ClosingSoundFile), ClosingSoundTimeoutMs);
}

} // namespace zelmor
