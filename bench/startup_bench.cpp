// The whole start-up as the program runs it, each in a process of its own:
// every window created (offscreen), the launcher shown, its start-up
// sequence on the shipped program folder, until the event loop is idle. A
// first start, a start with an empty log, a start with a 1,000,000-record
// log; each with its steps' shares.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QProcess>
#include <ctime>
#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTimer>
#include <malloc.h>
#include <utility>
#include <vector>

using namespace zelmor;

namespace {
double HeapMb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1 << 20);
}

struct Run {
    double totalMs = 0, windowsMs = 0, idleMs = 0;
    struct Step {
        const char *name;
        double ms, heapMb;
    };
    std::vector<Step> steps;
};

Run StartOnce() {
    Run run;
    ResetStartupState();
    StartupDone = 0;
    QElapsedTimer t;
    t.start();
    CreateAllWindows();
    glawnf->show();
    // The launcher waits 100 ms after it is shown before its start-up: that
    // wait is design, not work, and is left out here.
    glawnf->Timer6->stop();
    run.windowsMs = t.nsecsElapsed() / 1e6;
    StartupAttempted = true; // the steps below are Timer6's sequence, timed one by one
    for (const StartupStep &step : StartupSequence()) {
        const double heap = HeapMb();
        QElapsedTimer s;
        s.start();
        step.run();
        run.steps.push_back({step.name, s.nsecsElapsed() / 1e6, HeapMb() - heap});
    }
    QElapsedTimer idle;
    idle.start();
    QEventLoop loop;
    QTimer::singleShot(0, &loop, &QEventLoop::quit);
    loop.exec();
    run.idleMs = idle.nsecsElapsed() / 1e6;
    run.totalMs = t.nsecsElapsed() / 1e6;
    return run;
}

void Stop() {
    glawnf->Timer4->stop();
    DestroyAllWindows();
    ReleaseSettingsRegistry();
    LogColumns.clear();
}

qint64 NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

// One start of the program in this process, as a user's start finds it:
// Qt's own first-use costs included. Prints the figures and the moment the
// launcher went idle.
int Child(int argc, char **argv, qint64 mainNs) {
    QApplication app(argc, argv);
    FakeDialogs dialogs;
    platform::install(&dialogs);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir::setCurrent(folder);
    qputenv("ZELMOR_REGISTRY", (folder + QStringLiteral("/registry.reg")).toLocal8Bit());
    const double appMs = (NowNs() - mainNs) / 1e6;
    const double heapBefore = HeapMb();
    const Run run = StartOnce();
    const qint64 idleNs = NowNs();
    std::printf("idle-at %lld\n", static_cast<long long>(idleNs));
    bench::Report("  from main() to the application object", appMs, "ms");
    bench::Report("  creating and showing the windows", run.windowsMs, "ms");
    for (const auto &step : run.steps) {
        if (step.ms >= 1.0)
            bench::Report(qPrintable(QStringLiteral("  step %1").arg(QString::fromLatin1(step.name))), step.ms, "ms");
        if (step.heapMb >= 1.0)
            bench::Report(qPrintable(QStringLiteral("  heap kept by step %1").arg(QString::fromLatin1(step.name))),
                          step.heapMb, "MB");
    }
    bench::Report("  events until idle", run.idleMs, "ms");
    bench::Report("  from main() until idle", (idleNs - mainNs) / 1e6, "ms");
    bench::Report("  heap held by the start-up", HeapMb() - heapBefore, "MB");
    std::fflush(stdout);
    Stop();
    return 0;
}

// Runs one start in a child process; returns the time from its launch until
// its launcher was idle.
double StartChild(const QString &folder, const char *what) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const qint64 launched = NowNs();
    p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--child"), folder});
    p.waitForFinished(120000);
    const QString out = QString::fromLocal8Bit(p.readAllStandardOutput());
    double total = -1;
    std::printf("%s\n", what);
    for (const QString &line : out.split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(QStringLiteral("idle-at ")))
            total = (line.mid(8).toLongLong() - launched) / 1e6;
        else
            std::printf("%s\n", qPrintable(line));
    }
    bench::Report("  from launch until idle", total, "ms");
    return total;
}
} // namespace

int main(int argc, char **argv) {
    const qint64 mainNs = NowNs();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 2 && QByteArray(argv[1]) == "--child") return Child(argc, argv, mainNs);

    QCoreApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir(QDir::homePath() + QStringLiteral("/.zelmor-bench-XXXXXX"));
    if (!CopyMissingFiles(ShippedDataDir(), dir.path()).isEmpty()) return 1;

    StartChild(dir.path(), "First start (no settings yet), empty log");
    StartChild(dir.path(), "Start, empty log");
    bench::WriteLog(dir.filePath("test.log"), records);
    { // a second start finds the log in the page cache
        QFile f(dir.filePath("test.log"));
        f.open(QIODevice::ReadOnly);
        while (!f.read(1 << 22).isEmpty()) {}
    }
    StartChild(dir.path(), qPrintable(QStringLiteral("Start, log of %1 records").arg(records)));
    return 0;
}
