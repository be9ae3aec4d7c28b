// The settings file: a first start (detection and the defaults it writes),
// every row loaded from a complete hive, and one value changed and committed
// to the file, as every change of a settings control does.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logtools/poisk.h"
#include "platform/paths.h"
#include "station/nastroy.h"
#include "station/settingsbinder.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>

using namespace zelmor;

namespace {
struct Figures {
    double total = 0, worst = 0;
    int runs = 0;
    void add(double ms) {
        total += ms;
        worst = std::max(worst, ms);
        ++runs;
    }
    void report(const QString &what) const {
        bench::Report(qPrintable(what + QStringLiteral(", mean")), total / runs, "ms");
        bench::Report(qPrintable(what + QStringLiteral(", worst")), worst, "ms");
    }
};

void LoadEveryRow() {
    SettingsBatch batch;
    for (const SettingRow &r : SettingsCatalogue()) {
        const int last = !IsFamily(r) ? -1 : r.count != SettingId::Count ? r.first + 9 : r.last;
        for (int i = IsFamily(r) ? r.first : -1; i <= last; ++i) LoadSetting(r.id, i);
    }
}
} // namespace

// The loader over the real windows: a first start, a complete hive, and one
// bound box toggled as the operator would.
void BenchLoader(const QTemporaryDir &dir) {
    CreateAllWindows();
    StartupAttempted = true;
    Figures first;
    for (int run = 0; run < 30; ++run) {
        CreateSettingsRegistry(dir.filePath(QStringLiteral("loader-first%1.reg").arg(run)));
        QElapsedTimer t;
        t.start();
        DetectFirstStart();
        LoadSettings();
        first.add(t.nsecsElapsed() / 1e6);
        ReleaseSettingsRegistry();
    }
    first.report(QStringLiteral("first start: DetectFirstStart + LoadSettings, all windows (30 runs)"));

    const QString file = dir.filePath(QStringLiteral("loader-complete.reg"));
    CreateSettingsRegistry(file);
    DetectFirstStart();
    {
        SettingsBatch batch;
        WriteSetting(SettingId::ReminderCount, qint32(10));
        WriteSetting(SettingId::AwardCount, qint32(10));
        for (int n = 0; n < 10; ++n) {
            WriteSetting(SettingId::ReminderDate, QStringLiteral("%1.12.2026").arg(n + 10), n);
            WriteSetting(SettingId::ReminderTime, QStringLiteral("12:00"), n);
            WriteSetting(SettingId::ReminderInfo, QStringLiteral("sked %1").arg(n), n);
            WriteSetting(SettingId::AwardName, QStringLiteral("award %1").arg(n), n);
        }
        for (int n = 0; n <= 23; ++n) {
            WriteSetting(SettingId::SearchGridWidth, qint32(60 + n), n);
            WriteSetting(SettingId::SearchGridShown, qint32(1), n);
        }
    }
    poisk->Str->setColCount(24);
    LoadEveryRow(); // every row of the table stored, not only what the loader reads
    LoadSettings();
    bench::Report("complete hive with every row, bytes", QFileInfo(file).size(), "");
    Figures load;
    for (int run = 0; run < 100; ++run) {
        QElapsedTimer t;
        t.start();
        LoadSettings();
        load.add(t.nsecsElapsed() / 1e6);
    }
    load.report(QStringLiteral("LoadSettings, complete hive, 24 search columns, 10 reminders, 10 awards (100 runs)"));

    Figures toggle;
    for (int run = 0; run < 1000; ++run) {
        QElapsedTimer t;
        t.start();
        Nastroy->tfreq->toggle();
        toggle.add(t.nsecsElapsed() / 1e6);
    }
    toggle.report(QStringLiteral("one bound box toggled and committed to the file (1,000)"));
    ReleaseSettingsRegistry();
    DestroyAllWindows();
}

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    ProgramDir = dir.path();

    Figures firstStart, unbatched;
    for (int run = 0; run < 30; ++run) {
        const QString file = dir.filePath(QStringLiteral("first%1.reg").arg(run));
        CreateSettingsRegistry(file);
        QElapsedTimer t;
        t.start();
        DetectFirstStart();
        firstStart.add(t.nsecsElapsed() / 1e6);
        ReleaseSettingsRegistry();

        // The same table with one save per value, as before the batch.
        CreateSettingsRegistry(dir.filePath(QStringLiteral("plain%1.reg").arg(run)));
        t.restart();
        for (SettingId id : FirstStartRows()) {
            if (Setting(id).kind == SettingKind::S) WriteSetting(id, SettingDefaultText(id));
            else WriteSetting(id, SettingDefaultNumber(id));
        }
        for (int n = 0; n < LogGridColumnCount; ++n) {
            ReadSettingInteger(SettingId::LogGridWidth, n);
            WriteSetting(SettingId::LogGridShown, qint32(1), n);
        }
        for (int n = 0; n <= 20; ++n) WriteSetting(SettingId::QslData, qint32(20), n);
        unbatched.add(t.nsecsElapsed() / 1e6);
        ReleaseSettingsRegistry();
    }
    firstStart.report(QStringLiteral("first start, defaults in one save (30 runs)"));
    unbatched.report(QStringLiteral("first start, one save per value (30 runs)"));

    const QString file = dir.filePath(QStringLiteral("complete.reg"));
    CreateSettingsRegistry(file);
    DetectFirstStart();
    LoadEveryRow();
    bench::Report("complete hive, bytes", QFileInfo(file).size(), "");
    Figures load;
    for (int run = 0; run < 100; ++run) {
        QElapsedTimer t;
        t.start();
        LoadEveryRow();
        load.add(t.nsecsElapsed() / 1e6);
    }
    load.report(QStringLiteral("every row loaded from a complete hive (100 runs)"));

    Figures commit;
    for (int run = 0; run < 1000; ++run) {
        QElapsedTimer t;
        t.start();
        WriteSetting(SettingId::FieldFreq, run % 2 == 0);
        commit.add(t.nsecsElapsed() / 1e6);
    }
    commit.report(QStringLiteral("one value changed and committed (1,000)"));
    ReleaseSettingsRegistry();

    BenchLoader(dir);
    return 0;
}
