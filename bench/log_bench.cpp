// OpenLog of a 1,000,000-record log and single appends, each opening and
// closing the file as every log operation does.
#include "bench/benchsupport.h"
#include "logbook/logfile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QTemporaryDir>

using namespace zelmor;

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    ProgramDir = dir.path();
    LogFileName = dir.filePath("bench.log");
    bench::WriteLog(LogFileName, records);
    { // warm the page cache the way a second start finds it
        QFile f(LogFileName);
        f.open(QIODevice::ReadOnly);
        while (!f.read(1 << 22).isEmpty()) {}
    }

    QElapsedTimer t;
    t.start();
    OpenLog();
    const double openMs = t.nsecsElapsed() / 1e6;
    bench::Report(qPrintable(QStringLiteral("OpenLog, %1 records").arg(records)), openMs, "ms");

    QsoEntry e;
    e.call = "UA3ABC";
    e.band = "14  Mhz";
    e.mode = "SSB";
    e.country = "European Russia";
    const int appends = 10000;
    t.restart();
    for (int i = 0; i < appends; ++i) WriteQsoRecord(e);
    bench::Report("WriteQsoRecord, mean of 10,000 appends", t.nsecsElapsed() / 1e6 / appends, "ms");
    return LogColumns.size() == records + appends ? 0 : 1;
}
