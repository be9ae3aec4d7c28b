#include "logbook/shutdown.h"

#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/glawnf.h"
#include "logbook/settingscatalogue.h"
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

std::function<void()> ShutDownCwKeyer;
std::function<void()> ShutDownSound;

namespace {

void StopTimers() {
    try {
        // The keyer's timers first; then the key goes up and PTT drops.
        if (ShutDownCwKeyer) ShutDownCwKeyer();
        if (glawnf) {
            glawnf->Timer1->setEnabled(false);
            glawnf->Timer3->setEnabled(false);
            for (QTimer *t : {glawnf->Timer2, glawnf->Timer4, glawnf->Timer5, glawnf->Timer6}) t->stop();
        }
        if (form1) form1->Timer5->stop();
        if (ShutDownSound) ShutDownSound();
    } catch (const std::exception &) {
        ShowErrorBox(QStringLiteral("Таймер не успевает"));
    }
}

void StorePosition(QWidget *w, SettingId top, SettingId left) {
    if (!w) return;
    WriteSetting(top, qint32(w->y()));
    WriteSetting(left, qint32(w->x()));
}

void StoreColumnWidths(const TStringGrid *grid, SettingId widths) {
    if (!grid) return;
    // Column 0 and hidden columns keep what is stored for them.
    for (int n = 1; n <= 19 && n < grid->colCount(); ++n) {
        const int width = grid->colWidth(n);
        if (width != 0) WriteSetting(widths, qint32(width), n);
    }
}

void StoreLayout() {
    using enum SettingId;
    SettingsBatch batch; // some 50 values, one save
    StorePosition(glawnf, LauncherTop, LauncherLeft);
    StorePosition(adbox, AdboxTop, AdboxLeft);
    StorePosition(QSL, QslTop, QslLeft);
    StorePosition(Form25, MapTop, MapLeft);
    StorePosition(Form20, NewsTop, NewsLeft);
    StorePosition(qsl_edit, QslEditTop, QslEditLeft);
    StorePosition(poisk, FindTop, FindLeft);
    if (form1) {
        WriteSetting(QsoHeight, qint32(form1->height()));
        WriteSetting(QsoTop, qint32(form1->y()));
        WriteSetting(QsoWidth, qint32(form1->width()));
        WriteSetting(QsoLeft, qint32(form1->x()));
        StoreColumnWidths(form1->str11, LogGridWidth);
    }
    if (poisk) StoreColumnWidths(poisk->Str, SearchGridWidth);
}

} // namespace

void ShutDown() {
    // An edit still open gives the field switches back before anything
    // stores them.
    if (form1) form1->EndRecordEdit();
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
