#pragma once
// What the launcher's log-file labels and the start-up's purge do: the
// dialogs (through the dialogs seam only), the file work of logfiles, and
// the re-reading of the log that ends every change of the current log.
#include <QString>
#include <functional>

namespace zelmor {

// The QSO window's and the purge window's part; an empty hook does nothing.
struct LogFileHooks {
    std::function<void()> EndRecordEdit;  // as "Отменить режим редактирования"
    std::function<void()> ClearCall;      // the QSO window's call field
    std::function<void()> RefreshLogGrid; // the QSO window's log grid
    // The purge window's progress bar: value, maximum.
    std::function<void(qint64, qint64)> PurgeProgress;
};
extern LogFileHooks LogFileHook;

inline const QString OpenLogTitle = QStringLiteral("Открыть аппаратный журнал");
inline const QString ChooseLogFilter =
    QStringLiteral("Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log");

// The open dialog over logs with this title. A chosen file that is a log of
// this layout becomes LogFileName (it is not opened); anything else is
// refused with a message. ProgramDir is current again after a choice.
// Returns whether LogFileName was set.
bool ChooseLogFile(const QString &title);

// The launcher's "Create File", "Open File", "Add File" and "Add Wintest".
void CreateNewLog();
void OpenOtherLog();
void MergeLog();
void ConvertContestLog();
// The start-up's purge of the records marked deleted, on the purge window's
// progress bar.
void PurgeCurrentLog();

} // namespace zelmor
