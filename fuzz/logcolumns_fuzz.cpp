// The log loader on any bytes a log may hold: the columns it builds from the
// raw fields hold what the record decoder reads, and the look-up index finds
// every record by its call and its country.
#include "common/qsorecord.h"
#include "logbook/logfile.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace zelmor;

namespace {
QString FuzzLog() {
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString dir = base + QStringLiteral("/zelmor-fuzz-log-%1").arg(::getpid());
    QDir().mkpath(dir);
    return dir + QStringLiteral("/test.log");
}

bool Has(const RecordIndexes &v, qint64 i) { return std::binary_search(v.begin(), v.end(), i); }
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = FuzzLog();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    LogFileName = path;
    OpenLog();
    const qint64 count = qint64(size) / QsoRecord::Size;
    if (LogColumns.size() != count) std::abort();
    const char *bytes = reinterpret_cast<const char *>(data);
    for (qint64 i = 0; i < count; ++i) {
        const QsoRecord r = DecodeRecord<QsoRecord>(bytes + i * QsoRecord::Size);
        const QString call = r.deleteMark == DeleteMarkText ? QString() : r.call;
        const struct {
            const char *field;
            QString loaded, decoded;
        } fields[] = {{"call", LogCalls[i], call},
                      {"band", LogBands[i], r.band},
                      {"country", LogCountries[i], r.country},
                      {"mode", LogModes[i], r.mode},
                      {"qsl code", LogQslFlags[i], QslCode(r.qslState)}};
        for (const auto &f : fields) {
            if (f.loaded == f.decoded) continue;
            std::fprintf(stderr, "record %lld, %s: loaded \"%s\", decoded \"%s\"\n", static_cast<long long>(i),
                         f.field, qPrintable(f.loaded), qPrintable(f.decoded));
            std::abort();
        }
        if (!call.isEmpty() && !Has(LogColumns.indexesOfCall(call), i)) std::abort();
        if (!Has(LogColumns.indexesOfCountry(r.country), i)) std::abort();
    }
    return 0;
}
