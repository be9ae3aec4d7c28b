#pragma once
// The start-up sequence: run once by the launcher after it is first shown.
// It is a table of steps; the steps whose routines belong to other windows
// call hooks that those windows fill, and do nothing while a hook is empty.
#include <QString>
#include <functional>
#include <vector>

namespace zelmor {

struct StartupHooks {
    std::function<void()> PrepareDataFolders;   // data subfolders, QSL layout list, sender names
    std::function<void()> CheckDataFiles;       // lists missing data files in the check window
    std::function<void()> GiveBandChartMarkers; // the QSO window's band chart markers
    std::function<void()> CreateSharedLists;    // the shared lists and the map bitmap, empty
    std::function<void()> LoadSettings;         // every setting into the windows
    std::function<void()> PurgeDeletedRecords;  // when the operator asks for it
    std::function<void()> LoadCountryTable;
    std::function<void()> BuildCallbookIndex;
    std::function<void()> LoadNamesFile;
    std::function<void()> FillIotaTable;
    std::function<void()> activdxcc;            // the DXCC table's headings
    std::function<void()> RefreshDxccTables;
    std::function<void()> DrawGreylineMap;
    // Longitude, latitude, colour 0x00BBGGRR.
    std::function<void(const QString &, const QString &, unsigned)> PlotStationOnMap;
    std::function<void()> ResetCwFastSpeed;     // the keyer starts at the normal speed
    std::function<void()> OpenRecordingMedia;   // "Текущий.wav" into the QSO window's player
};
extern StartupHooks StartupHook;

struct StartupStep {
    int number;        // several routines may share one step
    const char *name;
    std::function<void()> run;
};
// The steps in the order they run.
const std::vector<StartupStep> &StartupSequence();

// Set when the sequence has been started in this run, whether it finished
// or not: it is never run twice.
extern bool StartupAttempted;
// Set once the settings loader has run in this run; until then the windows
// hold design values that must not be stored.
extern bool SettingsLoadedThisRun;

// Runs the sequence. A step that throws ends it: the error's own text is
// shown once and the remaining steps do not run. Returns whether all ran.
bool RunStartupSequence();

// Both flags back to a new run's state.
void ResetStartupState();

inline const QString PurgeQuestionText = QStringLiteral("Если вы хотите удалить пустые строки нажмите ДА");
inline const QString PurgeQuestionCaption = QStringLiteral("Удаление пустых строк");

} // namespace zelmor
