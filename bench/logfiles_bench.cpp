// Whole-log work on large logs, with a warm cache and the sync to the disk
// included: a merge of a 1,000,000-record log into another of 1,000,000, and
// the purge of 1,000,000 records of which 100,000 are deleted, each followed
// by the OpenLog that the program runs after it, timed on its own.
#include "bench/benchsupport.h"
#include "logbook/logfile.h"
#include "logbook/logfiles.h"
#include "platform/paths.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>

using namespace zelmor;

namespace {

// On the disk, and in the page cache, as a log of earlier sessions is.
void SyncAndWarm(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) std::abort();
    QByteArray block(4 << 20, Qt::Uninitialized);
    while (::read(fd, block.data(), size_t(block.size())) > 0) {}
    ::close(fd);
}

// Every tenth record marked deleted.
void MarkEveryTenthDeleted(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) std::abort();
    QByteArray all = f.readAll();
    for (qint64 i = 0; i * QsoRecord::Size < all.size(); i += 10)
        WriteTextField(all.data() + i * QsoRecord::Size, QsoField::DeleteMark, DeleteMarkText);
    f.seek(0);
    f.write(all);
}

double Ms(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    const int rounds = 3;
    // The disk the logs live on, not a memory file system.
    QTemporaryDir dir(QDir::homePath() + QStringLiteral("/.zelmor-bench-XXXXXX"));
    ProgramDir = dir.path();
    const QString target = dir.filePath("target.log"), source = dir.filePath("source.log");
    const QString purged = dir.filePath("purge.log");
    bench::WriteLog(source, records);
    bench::WriteLog(target, records);
    SyncAndWarm(source);

    double mergeMs = 1e12, mergeOpenMs = 1e12;
    for (int r = 0; r < rounds; ++r) {
        if (!QFile::resize(target, records * QsoRecord::Size)) std::abort();
        SyncAndWarm(target);
        QElapsedTimer t;
        t.start();
        AppendLogFile(source, target);
        mergeMs = std::min(mergeMs, Ms(t));
        LogFileName = target;
        t.restart();
        OpenLog();
        mergeOpenMs = std::min(mergeOpenMs, Ms(t));
        if (LogColumns.size() != 2 * records) std::abort();
    }

    double purgeMs = 1e12, purgeOpenMs = 1e12;
    for (int r = 0; r < rounds; ++r) {
        QFile::remove(purged);
        QFile::remove(BackupNameFor(purged));
        bench::WriteLog(purged, records);
        MarkEveryTenthDeleted(purged);
        SyncAndWarm(purged);
        QElapsedTimer t;
        t.start();
        const PurgeResult result = PurgeDeletedRecords(purged);
        purgeMs = std::min(purgeMs, Ms(t));
        if (result.removed != (records + 9) / 10) std::abort();
        LogFileName = purged;
        t.restart();
        OpenLog();
        purgeOpenMs = std::min(purgeOpenMs, Ms(t));
    }

    const QString n = QString::number(records);
    bench::Report(qPrintable(QStringLiteral("Merge %1 records into %1, synced (best of %2)").arg(n).arg(rounds)),
                  mergeMs, "ms");
    bench::Report(qPrintable(QStringLiteral("  then OpenLog of %1 records").arg(2 * records)), mergeOpenMs, "ms");
    bench::Report(qPrintable(QStringLiteral("Purge %1 records, a tenth deleted, synced (best of %2)").arg(n).arg(rounds)),
                  purgeMs, "ms");
    bench::Report(qPrintable(QStringLiteral("  then OpenLog of %1 records").arg(records - (records + 9) / 10)),
                  purgeOpenMs, "ms");
    return 0;
}
