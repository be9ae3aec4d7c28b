// The callbook index as the start-up builds it, on a generated 1,000,000-
// record callbook (13 text fields, records of 185 bytes): its time, warm
// and cold in the page cache where the system lets us drop it, and the
// memory it keeps; then Ctrl+A's part on it: the block search, one record
// read and its composition.
#include "bench/benchsupport.h"
#include "logbook/callbook.h"
#include "tests/logbook/dbfbytes.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <malloc.h>
#include <random>
#include <unistd.h>

using namespace zelmor;

namespace {

double HeapMb() {
    const struct mallinfo2 m = mallinfo2();
    return double(m.uordblks + m.hblkhd) / (1 << 20);
}

const std::vector<int> Widths = {8, 16, 12, 14, 6, 16, 16, 24, 10, 12, 10, 20, 20};

// Calls of the usual shapes, some stations twice, one record in 200 deleted.
std::vector<QByteArray> WriteCallbook(const QString &path, int count) {
    std::mt19937 rng(1);
    const auto pick = [&](const char *set, int n) { return set[std::uniform_int_distribution<int>(0, n - 1)(rng)]; };
    const char *any = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", *letters = any + 10, *digits = any;
    std::vector<QByteArray> calls;
    calls.reserve(size_t(count));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    f.write(test::DbfHeader(Widths, quint32(count)));
    QByteArray block;
    for (int i = 0; i < count; ++i) {
        QByteArray call;
        if (i > 0 && i % 50 == 0) call = calls[size_t(std::uniform_int_distribution<int>(0, i - 1)(rng))];
        else {
            call += pick(letters, 26);
            call += pick(any, 36);
            call += pick(digits, 10);
            for (int n = std::uniform_int_distribution<int>(1, 3)(rng); n > 0; --n) call += pick(letters, 26);
        }
        calls.push_back(call);
        block += test::DbfRecord(Widths,
                                 {call, "Ivanov", "Ivan", "Ivanovich", "123456", "Moscow reg.", "Moscow",
                                  "Lenina 1-2", "1234567", "", "Russia", call.toLower() + "@mail.ru", "veteran"},
                                 i % 200 == 199 ? '*' : ' ');
        if (block.size() > (4 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block + '\x1A');
    return calls;
}

// Drops the file from the page cache where the system allows it, so the
// build reads it from the disk as the first start of the day does.
bool DropFromCache(const QString &path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0) return false;
    ::fdatasync(fd);
    const bool ok = ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0;
    ::close(fd);
    return ok;
}

} // namespace

int main() {
    constexpr int Count = 1000000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("callbook.dbf"));
    const std::vector<QByteArray> calls = WriteCallbook(path, Count);
    std::printf("callbook: %d records of %d bytes, %.1f MB\n", Count, test::DbfRecordLength(Widths),
                double(QFileInfo(path).size()) / (1 << 20));

    if (DropFromCache(path)) {
        QElapsedTimer t;
        t.start();
        BuildCallbookIndex(path);
        bench::Report("BuildCallbookIndex, file not cached", t.nsecsElapsed() / 1e6, "ms");
    }
    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        ClearCallbookIndex();
        QElapsedTimer t;
        t.start();
        BuildCallbookIndex(path);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    bench::Report("BuildCallbookIndex, cached (best of 3)", best, "ms");
    ClearCallbookIndex();
    malloc_trim(0);
    const double before = HeapMb();
    BuildCallbookIndex(path);
    malloc_trim(0);
    bench::Report("index entries", double(CallbookIndex.size()), "");
    bench::Report("index memory (its buffers)", double(CallbookIndex.memoryBytes()) / (1 << 20), "MB");
    bench::Report("heap kept after the build", HeapMb() - before, "MB");

    // Ctrl+A's look-up: the block search, each record read and composed.
    std::mt19937 rng(2);
    constexpr int Lookups = 10000;
    int hits = 0;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < Lookups; ++i) {
        const QString key = QString::fromLatin1(calls[size_t(std::uniform_int_distribution<int>(0, Count - 1)(rng))]);
        for (qint64 offset : FindCallInAddressIndex(key))
            if (const auto a = ReadAddressDbRecord(offset)) hits += !a->edit18.isEmpty();
    }
    bench::Report("one Ctrl+A look-up (search, read, compose)", t.nsecsElapsed() / 1e3 / Lookups, "us");
    std::printf("(%d records composed)\n", hits);
    return 0;
}
