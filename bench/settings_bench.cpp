// The settings file: a first start (detection and the defaults it writes),
// every row loaded from a complete hive, and one value changed and committed
// to the file, as every change of a settings control does.
#include "bench/benchsupport.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/paths.h"

#include <QCoreApplication>
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

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
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
    return 0;
}
