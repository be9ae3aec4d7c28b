#include "station/settingsloader.h"

#include "logbook/form1.h"
#include "logbook/form20.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
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

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>

#include <cstdio>

namespace zelmor {

namespace {
void Place(QWidget *w, SettingId topRow, SettingId leftRow, int height, int width, bool keepOnScreen = false) {
    if (!w) return;
    int top = LoadSetting(topRow).number;
    int left = LoadSetting(leftRow).number;
    if (keepOnScreen) {
        if (top > 500 || top < 0) top = 0;
        if (left > 600 || left < 0) left = 0;
    }
    w->move(left, top);
    if (height > 0 && width > 0) w->resize(width, height);
    else if (width > 0) w->resize(width, w->height());
}
} // namespace

// The look box shows "Авангард", and the value is stored so, so the first
// start already shows the rounded look.
void WriteDefaultDialogSettings() {
    WriteSetting(SettingId::Look, LookAvangard);
    if (!Nastroy) return;
    const QSignalBlocker quiet(Nastroy->vid_qso);
    Nastroy->vid_qso->setEditText(LookAvangard);
}

void LoadSettings() {
    using enum SettingId;
    // Reads that create missing values, and the values themselves: one save.
    SettingsBatch batch;
    // The controls that store themselves when changed are set quietly.
    {
        const QSignalBlocker a(Nastroy->updo), b(Nastroy->updo1);
        Nastroy->updo->setValue(LoadSetting(CwNormal).number);
        Nastroy->updo1->setValue(LoadSetting(CwFast).number);
    }
    Nastroy->wKey1->setShortcutCode(LoadSetting(SaveKey).number);
    LoadLogGridColumnLayout(*form1->str11);
    {
        const QSignalBlocker quiet(Nastroy->Notb);
        Nastroy->Notb->setChecked(LoadSetting(Compact).on());
    }
    gmtf->utc->setText(LoadSetting(Gmt).text);
    form1->cb1->setText(LoadSetting(Band).text);
    form1->cb2->setText(LoadSetting(Mode).text);
    {
        const QString look = LoadSetting(Look).text;
        const QSignalBlocker quiet(Nastroy->vid_qso);
        Nastroy->vid_qso->setEditText(look);
        form1->ApplyLook(look);
    }
    Nastroy->eentr->setText(LoadSetting(EnterOrder).text);
    form1->LoadMenuSettings();
    Nastroy->Edit7->setText(LoadSetting(ExePath).text);

    LogFileName = LoadSetting(LogFile).text;
    if (LogFileName.isEmpty() || !QFileInfo(DataPath(LogFileName)).isFile()) {
        // The fallback is kept; the operator learns why his log is not there.
        const QString fallback = QStringLiteral("test.log");
        const bool same = QFileInfo(DataPath(LogFileName)).absoluteFilePath() == QFileInfo(DataPath(fallback)).absoluteFilePath();
        if (!LogFileName.isEmpty() && !same) {
            StatusText = QStringLiteral("Нет файла лога \"%1\": открыт test.log").arg(LogFileName);
            std::fprintf(stderr, "zelmor: log file %s not found; test.log used\n", LogFileName.toLocal8Bit().constData());
        }
        LogFileName = fallback;
    }
    form1->setWindowTitle(QStringLiteral("QSO ") + LogFileName);
    {
        const QSignalBlocker quiet(Nastroy->n21);
        Nastroy->n21->setChecked(LoadSetting(SoundCard).on());
    }

    Place(form1, QsoTop, QsoLeft, 600, 770);
    Place(adbox, AdboxTop, AdboxLeft, 331, 304);
    Place(QSL, QslTop, QslLeft, 578, 780);
    Place(Form25, MapTop, MapLeft, 455, 757);
    Place(Form20, NewsTop, NewsLeft, 605, 757);
    Place(qsl_edit, QslEditTop, QslEditLeft, 0, 757);
    Place(poisk, FindTop, FindLeft, 0, 780, true);
}

} // namespace zelmor
