#include "app/wiring.h"

#include "common/bands.h"
#include "logbook/cwhooks.h"
#include "logbook/datacheck.h"
#include "logbook/del_file.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfiledialogs.h"
#include "logbook/logfile.h"
#include "logbook/loggrid.h"
#include "logbook/reference.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logtools/award.h"
#include "logtools/dxcc9b.h"
#include "logtools/iota.h"
#include "logtools/importforeign.h"
#include "logtools/poisk.h"
#include "logtools/russall.h"
#include "logtools/statist.h"
#include "station/cwkeys.h"
#include "station/form25.h"
#include "station/greyline.h"
#include "qsl/adbox.h"
#include "platform/paths.h"
#include "qsl/datafolders.h"
#include "qsl/posta.h"
#include "qsl/qsl_edit.h"
#include "qsl/qsl.h"
#include "qsl/qslprintwindow.h"
#include "qsl/qslselection.h"
#include "station/fcw.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/settingsbinder.h"
#include "station/soundpanel.h"
#include "station/time_r.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>

namespace zelmor {

void ConnectWindows() {
    StartupHook.LoadSettings = LoadSettings;
    WriteDefaultSettingsDialogHook = WriteDefaultDialogSettings;
    StartupHook.GiveBandChartMarkers = [] { rxtx->GiveBandChartMarkers(); };
    StartTransceiverPoll = [] { rxtx->StartTransceiverPoll(); };
    rxtx->ConnectQsoWindow();
    // What is still to go to the rig goes out before the program ends.
    QObject::connect(glawnf, &Tglawnf::ShutDownDone, rxtx, &Trxtx::ShutDown);
    StartupHook.LoadCountryTable = [] { LoadCountryTable(&form1->strw->model()); };
    StartupHook.LoadNamesFile = LoadNamesFile;
    StartupHook.PlotStationOnMap = [](const QString &lon, const QString &lat, unsigned colour) {
        const bool first = MapPointList.isEmpty();
        form1->PlotStationOnMap(lon, lat, colour);
        // The own station is home for the map's redraw only when it is there.
        if (first && !MapPointList.isEmpty()) MapPointListStartsWithOwnStation = true;
    };
    // A log opened anew ends an edit of a record of the log before.
    OpenLogReloadLists = [] {
        if (form1) form1->EndRecordEdit();
        ReloadLogLists();
    };
    RefreshLogGrid = [] { form1->PageLogGrid(PageLast, 0); };
    StartupHook.DrawGreylineMap = [] { Form25->DrawGreylineMap(); };
    DrawMapPoint = [](int x, int y, unsigned colour, const QString &call, const QString &country,
                      const QString &distance) { Form25->DrawMapPoint(x, y, colour, call, country, distance); };
    OpenLogFillBandBoxes = [] {
        QStringList bands;
        for (const QString &b : LogBandNames) bands << b;
        form1->List_band->clear();
        form1->List_band->addItems(bands);
        form1->List_band->setFixedHeight(14 * 15 - 15);
        poisk->FillBandBoxes(bands);
    };
    MarkStationOnMap = [](const QString &lon, const QString &lat, unsigned colour) {
        form1->PlotStationOnMap(lon, lat, colour);
    };
    LauncherHook.UpdateUtcDateTime = [] { form1->UpdateUtcDateTime(); };
    // Log files: the launcher's labels and the start-up's purge.
    LauncherHook.CreateNewLog = CreateNewLog;
    LauncherHook.OpenOtherLog = OpenOtherLog;
    LauncherHook.MergeLog = MergeLog;
    LauncherHook.ConvertContestLog = ConvertContestLog;
    StartupHook.PurgeDeletedRecords = PurgeCurrentLog;
    LogFileHook.EndRecordEdit = [] { form1->EndRecordEdit(); };
    LogFileHook.ClearCall = [] { form1->call->clear(); };
    LogFileHook.RefreshLogGrid = [] {
        if (RefreshLogGrid) RefreshLogGrid();
    };
    LogFileHook.PurgeProgress = [](qint64 value, qint64 maximum) {
        ShowProgress(del_file->Gauge1, value, maximum);
        del_file->Gauge1->repaint();
    };
    // Award tables: the start-up fills them; opening or merging a log calls
    // the same hooks.
    StartupHook.FillIotaTable = [] { IOTA->FillIotaTable(); };
    StartupHook.activdxcc = [] { DXcc9b->activdxcc(); };
    StartupHook.RefreshDxccTables = [] { DXcc9b->RefreshDxccTables(); };
    LauncherHook.ShowRussianRegions = [] { russall->ShowRegionList(); };
    RefreshCountryStatistics = [](const QString &country) { Statist->QueueCountryStatistics(country); };
    CreateCwKeyer();
    CreateSoundPanel();
    LauncherHook.CheckReminders = [] { time_r->CheckReminders(); };
    ConnectForeignConverters();
    LoadSearchGridColumnWidthsHook = LoadSearchGridColumnWidths;
    CurrentAwardName = [] { return award->awardBox->currentText(); };
    StartupHook.CheckDataFiles = CheckDataFiles;
    StartupHook.PrepareDataFolders = [] {
        const PreparedDataFolders prepared = PrepareDataFolders(ProgramDir);
        qsl_edit->qsl_box->clear();
        qsl_edit->qsl_box->addItems(prepared.layouts);
        const QSignalBlocker block(Posta->ComboBox1);
        const QString text = Posta->ComboBox1->currentText();
        Posta->ComboBox1->clear();
        Posta->ComboBox1->addItems(prepared.senders);
        Posta->ComboBox1->setEditText(text);
    };
    // The country list of the QSO window.
    QsoHook.n33 = [] { form1->N33Click(); };
    QsoHook.n4 = [] { form1->N4Click(); };
    QsoHook.Image19 = [] { form1->ApplyCountryFromGrid(); };
    QsoHook.ShowStatistics = [] { Statist->show(); };
    QsoHook.ShowAddressBook = [] { adbox->show(); };
    QsoHook.ShowWorldMap = [] { Form25->show(); };
    QsoHook.ShowCwPanel = [](bool shown) { fcw->setVisible(shown); };
    // The transceiver submenu and the call/frequency memory.
    const std::pair<std::function<void()> QsoWindowHooks::*, void (Trxtx::*)()> rig[] = {
        {&QsoWindowHooks::n50, &Trxtx::N50Click},         {&QsoWindowHooks::Lock1, &Trxtx::Lock1Click},
        {&QsoWindowHooks::ab1, &Trxtx::AB1Click},         {&QsoWindowHooks::ab2, &Trxtx::AB2Click},
        {&QsoWindowHooks::usb1, &Trxtx::USB1Click},       {&QsoWindowHooks::LSB1, &Trxtx::LSB1Click},
        {&QsoWindowHooks::cw20, &Trxtx::CW20Click},       {&QsoWindowHooks::CW21, &Trxtx::CW21Click},
        {&QsoWindowHooks::AB3, &Trxtx::AB3Click},         {&QsoWindowHooks::pTT1, &Trxtx::PTT1Click},
        {&QsoWindowHooks::f100hz1, &Trxtx::F100Hz1Click}, {&QsoWindowHooks::F100hz2, &Trxtx::F100Hz2Click},
        {&QsoWindowHooks::n13, &Trxtx::N13Click},         {&QsoWindowHooks::n54, &Trxtx::N54Click},
        {&QsoWindowHooks::n56, &Trxtx::N56Click},         {&QsoWindowHooks::N6, &Trxtx::N6Click},
        {&QsoWindowHooks::n67, &Trxtx::n67Click},         {&QsoWindowHooks::n64, &Trxtx::n64Click},
    };
    for (const auto &[hook, click] : rig) QsoHook.*hook = [click] { (rxtx->*click)(); };
    // CW work from the pictures, N_zvuk and the mode; the memory cells by
    // the number of their text.
    QsoHook.StartCwWork = [] { StartCwWork(); };
    QsoHook.StopCwWork = [] { StopCwWork(); };
    QsoHook.CwMemoryCell = [](int cell) {
        if (CwMenu.MemoryCell) CwMenu.MemoryCell(CwMemoryCells()[size_t(cell - 1)].text);
    };
    // Callbook look-ups, and the callbook index at start-up and after the
    // settings choose another callbook.
    QsoHook.n62 = [] { form1->N62Click(); };
    QsoHook.CDcallbook1 = [] { form1->CDcallbook1Click(); };
    StartupHook.BuildCallbookIndex = [] { IndexCallbookAtStartup(Nastroy->Edit3->text()); };
    SettingsDialogHook.CallbookIndex = [] { CallbookPathChanged(Nastroy->Edit3); };
    WatchCallbookPath(Nastroy->Edit3);
    // The QSL filter's countries not confirmed on the chosen band.
    const auto collectBandCountries = [] {
        UnconfirmedBandCountries =
            CollectUnconfirmedCountriesOnBand(LogColumns, DxccCountryList, Nastroy->bandbox1->currentText());
    };
    SettingsDialogHook.BandBoxChanged = collectBandCountries;
    QObject::connect(Nastroy->qsobanda1, &QCheckBox::clicked, Nastroy, collectBandCountries);
    InstallQslPrinting();
}

void DisconnectWindows() {
    DisconnectSettingWriters();
    DestroyCwKeyer();
    DestroySoundPanel();
    StartupHook = {};
    WriteDefaultSettingsDialogHook = nullptr;
    OpenLogReloadLists = nullptr;
    RefreshLogGrid = nullptr;
    OpenLogFillBandBoxes = nullptr;
    MarkStationOnMap = nullptr;
    LauncherHook.UpdateUtcDateTime = nullptr;
    LauncherHook.CreateNewLog = nullptr;
    LauncherHook.OpenOtherLog = nullptr;
    LauncherHook.MergeLog = nullptr;
    LauncherHook.ConvertContestLog = nullptr;
    LogFileHook = {};
    StartTransceiverPoll = nullptr;
    LauncherHook.ShowRussianRegions = nullptr;
    RefreshCountryStatistics = nullptr;
    DrawMapPoint = nullptr;
    LauncherHook.CheckReminders = nullptr;
    MapPointListStartsWithOwnStation = false;
    LoadSearchGridColumnWidthsHook = nullptr;
    CurrentAwardName = nullptr;
    QsoHook = {};
    SettingsDialogHook.CallbookIndex = nullptr;
    SettingsDialogHook.BandBoxChanged = nullptr;
    UninstallQslPrinting();
}

} // namespace zelmor
