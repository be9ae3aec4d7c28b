#include "logbook/startup.h"

#include "common/recordfile.h"
#include "logbook/del_file.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/settingsstore.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/parallelport.h"
#include "platform/paths.h"
#include "station/nastroy.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTimer>

namespace zelmor {

StartupHooks StartupHook;
bool StartupAttempted = false;
bool SettingsLoadedThisRun = false;

namespace {

std::function<void()> Hook(std::function<void()> StartupHooks::*hook) {
    return [hook] {
        if (StartupHook.*hook) (StartupHook.*hook)();
    };
}

// Tool tips show after 70 ms.
class HintTimingStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *data) const override {
        if (hint == SH_ToolTip_WakeUpDelay) return 70;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

void SetHintTiming() {
    if (dynamic_cast<HintTimingStyle *>(QApplication::style())) return;
    QApplication::setStyle(new HintTimingStyle(QStyleFactory::create(QApplication::style()->name())));
}

void OpenSettingsRegistry() {
    CreateSettingsRegistry();
    DetectFirstStart();
}

// Without a loader the windows keep their design values: nothing was loaded.
void LoadAllSettings() {
    if (!StartupHook.LoadSettings) return;
    StartupHook.LoadSettings();
    SettingsLoadedThisRun = true;
}

void OfferPurge() {
    if (!Nastroy || !Nastroy->del_f->isChecked()) return;
    if (platform::dialogs().messageBox(PurgeQuestionCaption, PurgeQuestionText, MsgIcon::Question, MbYes | MbNo) != MbYes)
        return;
    if (del_file) del_file->show();
    struct CloseProgress {
        ~CloseProgress() {
            if (del_file) del_file->close();
        }
    } closeProgress;
    if (StartupHook.PurgeDeletedRecords) StartupHook.PurgeDeletedRecords();
}

void StartClock() {
    if (glawnf && !glawnf->Timer2->isActive()) glawnf->Timer2->start();
}

void PlotOwnStation() {
    if (StartupHook.PlotStationOnMap)
        StartupHook.PlotStationOnMap(StationProfile.longitude, StationProfile.latitude, 0xFFFFFF);
}

void OpenLinkIfAsked() {
    if (Nastroy && Nastroy->n22->isChecked()) SwitchTransceiverLinkOn();
}

void ShowQsoWindowIfAsked() {
    if (Nastroy && Nastroy->qso2->isChecked() && form1) form1->show();
}

void StartAutoHide() {
    if (glawnf && !glawnf->Timer4->isActive()) glawnf->Timer4->start();
}

QString ErrorText(const std::exception &e) { return QString::fromUtf8(e.what()); }

} // namespace

const std::vector<StartupStep> &StartupSequence() {
    static const std::vector<StartupStep> steps = {
        {3, "ProgramDir", [] { ProgramDir = QDir::currentPath(); }},
        {4, "CreateSettingsRegistry", OpenSettingsRegistry},
        // The idle byte, key up and PTT off: nothing keys a transmitter
        // before a text or a typed character does.
        {5, "ParallelPortReset", [] { platform::controlRegister().idle(); }},
        {6, "PrepareDataFolders", Hook(&StartupHooks::PrepareDataFolders)},
        {7, "CheckDataFiles", Hook(&StartupHooks::CheckDataFiles)},
        {8, "GiveBandChartMarkers", Hook(&StartupHooks::GiveBandChartMarkers)},
        {9, "CreateSharedLists", Hook(&StartupHooks::CreateSharedLists)},
        // Step 10, hints on: Qt's tool tips always are.
        {11, "LoadSettings", LoadAllSettings},
        {12, "PurgeDeletedRecords", OfferPurge},
        {13, "Timer2", StartClock},
        {14, "HintTiming", SetHintTiming},
        {15, "LoadCountryTable", Hook(&StartupHooks::LoadCountryTable)},
        {15, "LoadStationProfile", LoadStationProfile},
        {16, "OpenLog", OpenLog},
        {16, "BuildCallbookIndex", Hook(&StartupHooks::BuildCallbookIndex)},
        {16, "LoadNamesFile", Hook(&StartupHooks::LoadNamesFile)},
        {16, "FillIotaTable", Hook(&StartupHooks::FillIotaTable)},
        {16, "ParallelPortRelease", [] { platform::controlRegister().idle(); }},
        {16, "activdxcc", Hook(&StartupHooks::activdxcc)},
        {16, "RefreshDxccTables", Hook(&StartupHooks::RefreshDxccTables)},
        {16, "DrawGreylineMap", Hook(&StartupHooks::DrawGreylineMap)},
        {16, "PlotStationOnMap", PlotOwnStation},
        {17, "StartupDone", [] { StartupDone = 1; }},
        {18, "OpenTransceiverLink", OpenLinkIfAsked},
        {18, "ShowQsoWindow", ShowQsoWindowIfAsked},
        {18, "ResetCwFastSpeed", Hook(&StartupHooks::ResetCwFastSpeed)},
        {18, "OpenRecordingMedia", Hook(&StartupHooks::OpenRecordingMedia)},
        {19, "Timer4", StartAutoHide},
    };
    return steps;
}

bool RunStartupSequence() {
    StartupAttempted = true;
    QString error;
    for (const StartupStep &step : StartupSequence()) {
        try {
            step.run();
            continue;
        } catch (const IoError &e) {
            error = e.text();
        } catch (const std::exception &e) {
            error = ErrorText(e);
        }
        ShowErrorBox(error);
        return false;
    }
    return true;
}

void ResetStartupState() {
    StartupAttempted = false;
    SettingsLoadedThisRun = false;
}

} // namespace zelmor
