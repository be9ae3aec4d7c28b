#include "logbook/logfiledialogs.h"

#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "logbook/logfiles.h"
#include "logbook/settingscatalogue.h"
#include "logbook/startup.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace zelmor {

LogFileHooks LogFileHook;

namespace {

const QString CreateTitle = QStringLiteral("Создать новый аппаратный журнал");
const QString CreateFilter = QStringLiteral("Аппаратный журнал |*.log");
const QString ExistsTitle = QStringLiteral("Файл существует");
const QString MergeFilter = QStringLiteral("Обьеденяемый файл(.dat)|*log.dat|Обьеденяемый файл(.log)|*.log");
const QString SameFileFilter = QStringLiteral("Какой файл????" "(.dat)|*log.dat|Какой файл????" "(.log)|*.log");
const QString ContestTargetFilter = QStringLiteral("Апаратный журнал(.dat)|*log.dat|Апаратный журнал(.log)|*.log");
const QString ContestFilter = QStringLiteral("Контестовый Файл(.dat)|*.tst|Контестовый Файл(.tst)|*.tst");

// One operation at a time: the progress lets events through, and a label
// released meanwhile must not start a second one on the same log.
bool g_busy = false;
struct BusyGuard {
    const bool entered = !g_busy;
    BusyGuard() { g_busy = true; }
    ~BusyGuard() {
        if (entered) g_busy = false;
    }
};

void Call(const std::function<void()> &hook) {
    if (hook) hook();
}

void BackToProgramDir() {
    if (!ProgramDir.isEmpty()) QDir::setCurrent(ProgramDir);
}

// Progress on a bar, the windows kept painted and alive meanwhile; what the
// operator types or clicks waits until the work is done.
LogProgress ShownOn(std::function<void(qint64, qint64)> bar) {
    return [bar = std::move(bar)](qint64 done, qint64 total) {
        if (bar) bar(done, total);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}

void LauncherGaugeToZero() {
    if (LogLoadProgress) LogLoadProgress(0, LogColumns.size());
}

// What ends every operation that changed the log or which log is current.
void ReopenCurrentLog(bool storeName) {
    OpenLog();
    Call(StartupHook.activdxcc);
    Call(StartupHook.RefreshDxccTables);
    Call(StartupHook.FillIotaTable);
    LauncherGaugeToZero();
    if (storeName) WriteSetting(SettingId::LogFile, LogFileName);
    if (SetQsoWindowCaption) SetQsoWindowCaption(QStringLiteral("QSO ") + LogFileName);
    Call(LogFileHook.RefreshLogGrid);
    BackToProgramDir();
}

// The same, showing why when it fails; a log that cannot be read does not
// stay current, the one before comes back.
void FinishWith(bool storeName, const QString &previous) {
    QString error;
    try {
        ReopenCurrentLog(storeName);
        return;
    } catch (const IoError &e) {
        error = e.text();
    } catch (const std::exception &e) {
        error = QString::fromUtf8(e.what());
    }
    if (LogFileName != previous) {
        LogFileName = previous;
        try {
            ReopenCurrentLog(false);
        } catch (const std::exception &) { // the first error is the one to show
        }
    }
    BackToProgramDir();
    ShowErrorBox(error);
}

// Appends into the current log on the launcher's bar; false after showing
// why it failed (the log is then as it was).
bool AppendShown(const std::function<qint64(const QString &, const QString &, const LogProgress &)> &append,
                 const QString &source) {
    try {
        append(source, LogFilePath(), ShownOn(LogLoadProgress));
        return true;
    } catch (const IoError &e) {
        LauncherGaugeToZero();
        BackToProgramDir();
        ShowErrorBox(e.text());
        return false;
    }
}

} // namespace

bool ChooseLogFile(const QString &title) {
    const QString chosen = platform::dialogs().openFileName(title, ChooseLogFilter, ProgramDir);
    if (chosen.isEmpty()) return false;
    BackToProgramDir();
    if (const QString problem = LogFileProblem(chosen); !problem.isEmpty()) {
        ShowErrorBox(problem);
        return false;
    }
    LogFileName = chosen;
    return true;
}

void CreateNewLog() {
    BusyGuard busy;
    if (!busy.entered) return;
    QString title = CreateTitle, path;
    for (;;) {
        Call(LogFileHook.ClearCall);
        const QString chosen = platform::dialogs().saveFileName(title, CreateFilter, ProgramDir);
        BackToProgramDir();
        if (chosen.isEmpty()) return;
        path = chosen + QStringLiteral(".log");
        try {
            if (CreateEmptyLog(path)) break;
        } catch (const IoError &e) {
            ShowErrorBox(e.text());
            return;
        }
        title = ExistsTitle;
    }
    Call(LogFileHook.EndRecordEdit);
    const QString previous = LogFileName;
    LogFileName = path;
    FinishWith(true, previous);
}

void OpenOtherLog() {
    BusyGuard busy;
    if (!busy.entered) return;
    const QString previous = LogFileName;
    const bool chosen = ChooseLogFile(OpenLogTitle);
    Call(LogFileHook.EndRecordEdit);
    FinishWith(chosen, previous);
}

void MergeLog() {
    BusyGuard busy;
    if (!busy.entered) return;
    QString filter = MergeFilter, source;
    for (;;) {
        source = platform::dialogs().openFileName(QString(), filter, ProgramDir);
        BackToProgramDir();
        if (source.isEmpty()) return;
        if (!IsSameFile(source, LogFilePath())) break;
        filter = SameFileFilter;
    }
    Call(LogFileHook.EndRecordEdit);
    if (AppendShown(AppendLogFile, source)) FinishWith(false, LogFileName);
}

void ConvertContestLog() {
    BusyGuard busy;
    if (!busy.entered) return;
    const QString previous = LogFileName;
    // The first choice is the log the contest goes into; cancelled, the
    // current one.
    bool changed = false;
    const QString target = platform::dialogs().openFileName(QString(), ContestTargetFilter, ProgramDir);
    BackToProgramDir();
    if (!target.isEmpty()) {
        if (const QString problem = LogFileProblem(target); !problem.isEmpty()) {
            ShowErrorBox(problem);
            return;
        }
        Call(LogFileHook.EndRecordEdit);
        LogFileName = target;
        changed = true;
    }
    const QString contest = platform::dialogs().openFileName(QString(), ContestFilter, ProgramDir);
    BackToProgramDir();
    bool appended = false;
    if (!contest.isEmpty()) {
        Call(LogFileHook.EndRecordEdit);
        appended = AppendShown(AppendContestFileToLog, contest);
    }
    if (!appended) {
        if (changed) FinishWith(true, previous);
        return;
    }
    if (ChooseLogFile(QString())) changed = true;
    FinishWith(changed, previous);
}

void PurgeCurrentLog() {
    BusyGuard busy;
    if (!busy.entered || LogFileName.isEmpty()) return;
    const QString log = LogFilePath();
    if (!QFileInfo::exists(log)) return; // a first start: nothing to purge yet
    Call(LogFileHook.EndRecordEdit);
    const qint64 count = qMax<qint64>(0, RecordIO::Count(log, QsoRecord::Size));
    const auto &bar = LogFileHook.PurgeProgress;
    if (bar) bar(0, count);
    try {
        PurgeDeletedRecords(log, ShownOn(bar));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
    }
    if (bar) bar(0, count);
    BackToProgramDir();
}

} // namespace zelmor
