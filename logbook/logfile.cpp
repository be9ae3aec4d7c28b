#include "logbook/logfile.h"

#include "common/codepage.h"
#include "common/text.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zelmor {

QString LogFileName = QStringLiteral("test.log");
QsoRecord LogRecord;
qint64 LogRecordIndex = 0;
int StartupDone = 0;
LogColumnLists LogColumns;
DefaultRstPairValue DefaultRstPair;

std::function<void()> OpenLogReloadLists;
std::function<void()> OpenLogFillBandBoxes;
std::function<void(qint64, qint64)> LogLoadProgress;
std::function<void(const QString &, const QString &, unsigned)> MarkStationOnMap;
std::function<void(const QString &)> SetQsoWindowCaption;

void LogColumnLists::clear() {
    for (QStringList *l : {&LogCalls, &LogBands, &LogCountries, &LogModes, &LogQslFlags}) *l = QStringList();
    byCall_.clear();
    byCountry_.clear();
    sortedCalls_.clear();
    indexed_ = -1;
}

void LogColumnLists::append(const QString &call, const QString &band, const QString &country, const QString &mode,
                            const QString &qslFlag) {
    const bool inStep = indexed_ == LogCalls.size();
    LogCalls.append(call);
    LogBands.append(band);
    LogCountries.append(country);
    LogModes.append(mode);
    LogQslFlags.append(qslFlag);
    if (inStep) {
        indexAdd(LogCalls.size() - 1);
        indexed_ = LogCalls.size();
    }
}

void LogColumnLists::setEntry(qint64 i, const QString &call, const QString &band, const QString &country,
                              const QString &mode, const QString &qslFlag) {
    if (i < 0 || i >= LogCalls.size()) return;
    const bool inStep = indexed_ == LogCalls.size();
    if (inStep) indexRemove(i);
    LogCalls[i] = call;
    LogBands[i] = band;
    LogCountries[i] = country;
    LogModes[i] = mode;
    LogQslFlags[i] = qslFlag;
    if (inStep) indexAdd(i);
}

namespace {
void InsertSorted(std::vector<qint64> &v, qint64 i) {
    if (v.empty() || v.back() < i) v.push_back(i);
    else v.insert(std::lower_bound(v.begin(), v.end(), i), i);
}
const std::vector<qint64> &NoIndexes() {
    static const std::vector<qint64> none;
    return none;
}
} // namespace

void LogColumnLists::indexAdd(qint64 i) const {
    const QString &call = LogCalls[i];
    if (!call.isEmpty()) {
        auto &v = byCall_[call];
        if (v.empty()) sortedCalls_.insert(std::lower_bound(sortedCalls_.begin(), sortedCalls_.end(), call), call);
        InsertSorted(v, i);
    }
    InsertSorted(byCountry_[LogCountries[i]], i);
}

void LogColumnLists::indexRemove(qint64 i) const {
    auto drop = [i](QHash<QString, std::vector<qint64>> &h, const QString &key) {
        auto it = h.find(key);
        if (it == h.end()) return false;
        auto &v = it.value();
        v.erase(std::remove(v.begin(), v.end(), i), v.end());
        if (!v.empty()) return false;
        h.erase(it);
        return true;
    };
    const QString &call = LogCalls[i];
    if (!call.isEmpty() && drop(byCall_, call)) {
        auto at = std::lower_bound(sortedCalls_.begin(), sortedCalls_.end(), call);
        if (at != sortedCalls_.end() && *at == call) sortedCalls_.erase(at);
    }
    drop(byCountry_, LogCountries[i]);
}

void LogColumnLists::rebuildIndex() const {
    byCall_.clear();
    byCountry_.clear();
    const qsizetype n = LogCalls.size();
    byCall_.reserve(n / 4);
    for (qsizetype i = 0; i < n; ++i) {
        if (!LogCalls[i].isEmpty()) byCall_[LogCalls[i]].push_back(i);
        byCountry_[LogCountries[i]].push_back(i);
    }
    sortedCalls_ = byCall_.keys();
    sortedCalls_.sort();
    indexed_ = n;
}

void LogColumnLists::ensureIndex() const {
    // Lists filled by hand (tests, tools) get their index on first use.
    if (indexed_ != LogCalls.size()) rebuildIndex();
}

const std::vector<qint64> &LogColumnLists::indexesOfCall(const QString &call) const {
    ensureIndex();
    auto it = byCall_.constFind(call);
    return it == byCall_.cend() ? NoIndexes() : it.value();
}

const std::vector<qint64> &LogColumnLists::indexesOfCountry(const QString &country) const {
    ensureIndex();
    auto it = byCountry_.constFind(country);
    return it == byCountry_.cend() ? NoIndexes() : it.value();
}

std::vector<qint64> LogColumnLists::indexesOfCallsBeginningWith(QStringView prefix) const {
    ensureIndex();
    std::vector<qint64> out;
    auto it = std::lower_bound(sortedCalls_.cbegin(), sortedCalls_.cend(), prefix,
                               [](const QString &a, QStringView b) { return QStringView(a) < b; });
    for (; it != sortedCalls_.cend() && it->startsWith(prefix); ++it) {
        const auto &v = byCall_.value(*it);
        out.insert(out.end(), v.begin(), v.end());
    }
    std::sort(out.begin(), out.end());
    return out;
}

QString LogFilePath() { return DataPath(LogFileName); }

namespace {

// Bands, modes and countries repeat endlessly in a log: share one QString per
// distinct stored text instead of allocating a million copies.
class Interner {
public:
    const QString &get(QByteArrayView raw) {
        const std::string_view key(raw.data(), size_t(raw.size()));
        auto it = map_.find(key);
        if (it != map_.end()) return it->second;
        return map_.emplace(std::string(key), FromCp1251(raw)).first->second;
    }

private:
    struct Hash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> map_;
};

QByteArrayView RawField(const char *rec, TextField f) {
    int len = static_cast<unsigned char>(rec[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return QByteArrayView(rec + f.offset + 1, len);
}

void AppendColumns(LogColumnLists &cols, const QsoRecord &r) {
    cols.append(r.deleteMark == DeleteMarkText ? QString() : r.call, r.band, r.country, r.mode, QslCode(r.qslState));
}

} // namespace

void OpenLog() {
    if (OpenLogReloadLists) OpenLogReloadLists();
    LogColumns.clear();
    if (OpenLogFillBandBoxes) OpenLogFillBandBoxes();

    const QString path = LogFilePath();
    RecordIO::Touch(path); // a first start has no log yet
    const qint64 count = RecordIO::Count(path, QsoRecord::Size);
    if (LogLoadProgress) LogLoadProgress(0, count);

    LogColumnLists cols;
    for (QStringList *l : {&cols.LogCalls, &cols.LogBands, &cols.LogCountries, &cols.LogModes, &cols.LogQslFlags})
        l->reserve(count);
    Interner bands, modes, countries;
    const QByteArray deleted = ToCp1251(DeleteMarkText);
    const bool showProgress = StartupDone != 1 && LogLoadProgress;
    const qint64 progressStep = qMax<qint64>(1, count / 200);

    RecordIO::ForEach(path, QsoRecord::Size, [&](qint64 i, const char *rec) {
        const bool isDeleted = RawField(rec, QsoField::DeleteMark) == QByteArrayView(deleted);
        cols.LogCalls.append(isDeleted ? QString() : FromCp1251(RawField(rec, QsoField::Call)));
        cols.LogBands.append(bands.get(RawField(rec, QsoField::Band)));
        cols.LogCountries.append(countries.get(RawField(rec, QsoField::Country)));
        cols.LogQslFlags.append(QslCodeOfRaw(RawField(rec, QsoField::QslState)));
        cols.LogModes.append(modes.get(RawField(rec, QsoField::Mode)));
        if (showProgress && ((i + 1) % progressStep == 0)) LogLoadProgress(i + 1, count);
    });
    cols.rebuildIndex();
    LogColumns = std::move(cols);
    if (LogLoadProgress) LogLoadProgress(count, count);
}

QsoRecord BuildQsoRecord(const QsoEntry &e, qint64 index) {
    QsoRecord r;
    r.number = QString::number(index + 1);
    r.call = StripBlanks(e.call);
    r.name = e.name;
    r.qth = e.qth;
    r.date = e.date;
    r.time = e.time;
    r.band = e.band;
    r.mode = e.mode;
    r.rstSent = e.rstSent == RstSentPlaceholder ? DefaultRstPair.sent : e.rstSent;
    r.rstReceived = e.rstReceived == RstReceivedPlaceholder ? DefaultRstPair.received : e.rstReceived;
    r.points = e.points == PointsPlaceholder ? QString() : e.points;
    r.info = e.info;
    r.waz = e.waz;
    r.itu = e.itu;
    r.country = e.country;
    r.longitude = e.longitude;
    r.latitude = e.latitude;
    r.qslState = e.qslState.isEmpty() ? QslNotToSend : e.qslState;
    r.locator = e.locator;
    r.qslVia = e.via;
    r.frequency = e.frequency;
    r.iota = e.iota;
    r.regionNumber = e.regionCode;
    r.deleteMark.clear();
    for (const auto &f : QsoRecord::Fields) r.*(f.member) = CutToCapacity(r.*(f.member), f.capacity);
    return r;
}

void WriteQsoRecord(const QsoEntry &entry) {
    if (EditMode) return;
    RecalledFromMemory = 0;
    const QString path = LogFilePath();
    const qint64 index = qMax<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    LogRecord = BuildQsoRecord(entry, index);
    const qint64 written = RecordIO::Append(path, QsoRecord::Size, EncodeRecord(LogRecord));
    if (written != index) { // the file grew meanwhile: number the record by where it went
        LogRecord.number = QString::number(written + 1);
        RecordIO::Write(path, QsoRecord::Size, written, EncodeRecord(LogRecord));
    }
    LogRecordIndex = written;
    // The columns get what was stored, so they always equal what a fresh
    // OpenLog would build.
    AppendColumns(LogColumns, LogRecord);
    if (MarkStationOnMap) MarkStationOnMap(entry.longitude, entry.latitude, 0xFFFF00);
}

qint64 CountLogRecords(const QString &path) {
    const QString resolved = DataPath(path);
    if (QFileInfo(resolved).isFile()) return RecordIO::Count(resolved, QsoRecord::Size);
    const QString chosen = platform::dialogs().openFileName(
        QStringLiteral("Открыть аппаратный журнал"),
        QStringLiteral("Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log"), ProgramDir);
    if (!chosen.isEmpty() && QFileInfo(chosen).isFile()) LogFileName = chosen;
    if (SetQsoWindowCaption) SetQsoWindowCaption(QStringLiteral("QSO ") + path);
    return 0;
}

} // namespace zelmor
