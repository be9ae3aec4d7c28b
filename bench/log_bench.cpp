// OpenLog of a 1,000,000-record log against a plain read-and-scan of the
// same file, the heap its columns and index hold, and single appends, each
// opening, locking, syncing and closing the file as every log write does.
#include "bench/benchsupport.h"
#include "logbook/logfile.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <vector>

using namespace zelmor;

namespace {
double HeapMb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1 << 20);
}

// What any reader of the file must do at least: read it in large blocks and
// look at every record once.
qint64 ReadAndScan(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) std::abort();
    qint64 sum = 0;
    QByteArray block(4 << 20, Qt::Uninitialized);
    const int perBlock = block.size() / QsoRecord::Size;
    for (;;) {
        const qint64 n = f.read(block.data(), qint64(perBlock) * QsoRecord::Size);
        if (n <= 0) break;
        for (qint64 off = 0; off + QsoRecord::Size <= n; off += QsoRecord::Size) sum += block[off + 7];
    }
    return sum;
}
} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    // The appends go to the disk the logs live on, not to a memory file system.
    QTemporaryDir dir(QDir::homePath() + QStringLiteral("/.zelmor-bench-XXXXXX"));
    ProgramDir = dir.path();
    LogFileName = dir.filePath("bench.log");
    bench::WriteLog(LogFileName, records);
    { // on the disk already, as a log of earlier sessions is: the first save's
      // sync must not write back the whole generated file
        const int fd = ::open(QFile::encodeName(LogFileName).constData(), O_RDONLY);
        if (fd < 0 || ::fsync(fd) != 0) std::abort();
        ::close(fd);
    }
    ReadAndScan(LogFileName); // warm the page cache the way a second start finds it

    const int rounds = 5;
    double scanMs = 1e9, openMs = 1e9;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        volatile qint64 sink = ReadAndScan(LogFileName);
        (void)sink;
        scanMs = std::min(scanMs, t.nsecsElapsed() / 1e6);
        LogColumns.clear();
        malloc_trim(0);
        const double before = HeapMb();
        t.restart();
        OpenLog();
        openMs = std::min(openMs, t.nsecsElapsed() / 1e6);
        if (r == rounds - 1)
            bench::Report(qPrintable(QStringLiteral("Heap of LogColumns and index, %1 records").arg(records)),
                          HeapMb() - before, "MB");
    }
    bench::Report(qPrintable(QStringLiteral("Plain read-and-scan, %1 records (best of %2)").arg(records).arg(rounds)),
                  scanMs, "ms");
    bench::Report(qPrintable(QStringLiteral("OpenLog, %1 records (best of %2)").arg(records).arg(rounds)), openMs, "ms");
    bench::Report("OpenLog / read-and-scan", openMs / scanMs, "x");

    { // A log of many stations: the calls' texts and index grow with them.
        const qint64 distinct = std::min<qint64>(400000, std::max<qint64>(1, records * 2 / 5));
        const QString busy = LogFileName;
        LogFileName = dir.filePath("stations.log");
        bench::WriteLog(LogFileName, records, distinct);
        LogColumns.clear();
        malloc_trim(0);
        const double before = HeapMb();
        OpenLog();
        bench::Report(qPrintable(QStringLiteral("Heap of LogColumns and index, %1 records of %2 calls")
                                     .arg(records)
                                     .arg(LogColumns.LogCalls.textCount() - 1)),
                      HeapMb() - before, "MB");
        LogColumns.clear();
        QFile::remove(LogFileName);
        LogFileName = busy;
        OpenLog();
    }

    QsoEntry e;
    e.call = "UA3ABC";
    e.band = "14  Mhz";
    e.mode = "SSB";
    e.country = "European Russia";
    const int appends = 300;
    std::vector<double> each;
    each.reserve(appends);
    for (int i = 0; i < appends; ++i) {
        QElapsedTimer t;
        t.start();
        WriteQsoRecord(e);
        each.push_back(t.nsecsElapsed() / 1e6);
    }
    double sum = 0;
    for (double v : each) sum += v;
    std::sort(each.begin(), each.end());
    bench::Report("WriteQsoRecord with its sync, mean of 300", sum / appends, "ms");
    bench::Report("WriteQsoRecord with its sync, 99th percentile", each[size_t(appends * 0.99)], "ms");
    bench::Report("WriteQsoRecord with its sync, worst", each.back(), "ms");
    return LogColumns.size() == records + appends ? 0 : 1;
}
