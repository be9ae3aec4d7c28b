#include "app/wiring.h"

#include "common/bands.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
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
#include "station/catsettings.h"
#include "station/cwkeys.h"
#include "station/form25.h"
#include "station/greyline.h"
#include "station/nastroy.h"
#include "station/rxtx.h"
#include "station/settingsloader.h"
#include "station/time_r.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>

namespace zelmor {

void ConnectWindows() {
    StartupHook.LoadSettings = [] {
        LoadSettings();
        LoadCatSettings();
        LoadKeyerSettings();
        time_r->LoadReminders();
        award->LoadAwardSelector();
    };
    WriteDefaultSettingsDialogHook = WriteDefaultDialogSettings;
    StartupHook.GiveBandChartMarkers = [] { rxtx->GiveBandChartMarkers(); };
    StartTransceiverPoll = [] { rxtx->StartTransceiverPoll(); };
    ConnectCatSettingsWriters();
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
    // Award tables: the start-up fills them; opening or merging a log calls
    // the same hooks.
    StartupHook.FillIotaTable = [] { IOTA->FillIotaTable(); };
    StartupHook.activdxcc = [] { DXcc9b->activdxcc(); };
    StartupHook.RefreshDxccTables = [] { DXcc9b->RefreshDxccTables(); };
    LauncherHook.ShowRussianRegions = [] { russall->ShowRegionList(); };
    RefreshCountryStatistics = [](const QString &country) { Statist->QueueCountryStatistics(country); };
    CreateCwKeyer();
    LauncherHook.CheckReminders = [] { time_r->CheckReminders(); };
    ConnectForeignConverters();
    CurrentAwardName = [] { return award->awardBox->currentText(); };
}

void DisconnectWindows() {
    DestroyCwKeyer();
    StartupHook = {};
    WriteDefaultSettingsDialogHook = nullptr;
    OpenLogReloadLists = nullptr;
    RefreshLogGrid = nullptr;
    OpenLogFillBandBoxes = nullptr;
    MarkStationOnMap = nullptr;
    LauncherHook.UpdateUtcDateTime = nullptr;
    StartTransceiverPoll = nullptr;
    LauncherHook.ShowRussianRegions = nullptr;
    RefreshCountryStatistics = nullptr;
    DrawMapPoint = nullptr;
    LauncherHook.CheckReminders = nullptr;
    MapPointListStartsWithOwnStation = false;
    CurrentAwardName = nullptr;
}

} // namespace zelmor
