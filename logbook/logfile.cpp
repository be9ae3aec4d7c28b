#include "logbook/logfile.h"

#include "common/codepage.h"
#include "common/text.h"
#include "logbook/logfiledialogs.h"
#include "logbook/qsostate.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <algorithm>
#include <bit>
#include <cstring>

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

std::optional<quint32> LogColumn::findId(const QString &text) const {
    auto it = find_.constFind(text);
    if (it == find_.cend()) return std::nullopt;
    return it.value();
}

qsizetype LogColumn::indexOf(const QString &text, qsizetype from) const {
    const auto id = findId(text);
    if (!id) return -1;
    for (qsizetype i = qMax<qsizetype>(0, from); i < size(); ++i)
        if (ids_[size_t(i)] == *id) return i;
    return -1;
}

QStringList LogColumn::toStringList() const {
    QStringList out;
    out.reserve(size());
    for (quint32 id : ids_) out.append(texts_[id]);
    return out;
}

void LogColumn::clear() {
    // Assigning {} would keep the capacity of a million entries.
    ids_ = decltype(ids_)();
    texts_ = QStringList();
    find_ = QHash<QString, quint32>();
}

quint32 LogColumn::idOf(const QString &text) {
    if (const auto id = findId(text)) return *id;
    const auto id = quint32(texts_.size());
    texts_.append(text);
    find_.insert(text, id);
    return id;
}

bool operator==(const LogColumn &a, const LogColumn &b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

bool operator==(const LogColumn &a, const QStringList &b) {
    if (a.size() != b.size()) return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

void LogColumnLists::clear() {
    for (LogColumn *c : {&LogCalls, &LogBands, &LogCountries, &LogModes, &LogQslFlags}) c->clear();
    byCall_.clear();
    byCountry_.clear();
    sortedCalls_ = std::vector<quint32>();
    sortedBuilt_ = false;
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
    LogCalls.set(i, call);
    LogBands.set(i, band);
    LogCountries.set(i, country);
    LogModes.set(i, mode);
    LogQslFlags.set(i, qslFlag);
    if (inStep) indexAdd(i);
}

void RecordIndexLists::clear() {
    flat_ = decltype(flat_)();
    start_ = std::vector<size_t>();
    moved_ = decltype(moved_)();
}

bool RecordIndexLists::build(const LogColumn &column, const std::vector<qsizetype> &counts,
                             std::optional<quint32> skip) {
    clear();
    // Lists first, then the records placed in file order: each list comes
    // out ascending.
    start_.resize(counts.size() + 1);
    size_t total = 0;
    for (size_t id = 0; id < counts.size(); ++id) {
        start_[id] = total;
        if (!skip || id != *skip) total += size_t(counts[id]);
    }
    start_[counts.size()] = total;
    flat_.resize(total);
    std::vector<size_t> next(start_.begin(), start_.end() - 1);
    const qsizetype n = column.size();
    for (qsizetype i = 0; i < n; ++i) {
        const quint32 id = column.idAt(i);
        if (skip && id == *skip) continue;
        // Counts that do not match the column would place records in
        // another text's list or past the end.
        if (id >= next.size() || next[id] == start_[id + 1]) {
            clear();
            return false;
        }
        flat_[next[id]++] = i;
    }
    for (size_t id = 0; id < next.size(); ++id)
        if (next[id] != start_[id + 1]) {
            clear();
            return false;
        }
    return true;
}

RecordIndexes RecordIndexLists::of(quint32 id) const {
    if (!moved_.empty()) {
        const auto it = moved_.find(id);
        if (it != moved_.end()) return {it->second.data(), it->second.size()};
    }
    if (size_t(id) + 1 >= start_.size()) return {};
    return {flat_.data() + start_[id], start_[id + 1] - start_[id]};
}

std::vector<qint64> &RecordIndexLists::own(quint32 id) {
    const auto it = moved_.find(id);
    if (it != moved_.end()) return it->second;
    const RecordIndexes built = of(id);
    return moved_.emplace(id, built.toVector()).first->second;
}

void RecordIndexLists::add(quint32 id, qint64 i) {
    std::vector<qint64> &v = own(id);
    if (v.empty() || v.back() < i) v.push_back(i);
    else v.insert(std::lower_bound(v.begin(), v.end(), i), i);
}

void RecordIndexLists::remove(quint32 id, qint64 i) {
    const RecordIndexes now = of(id);
    if (!std::binary_search(now.begin(), now.end(), i)) return;
    std::vector<qint64> &v = own(id);
    v.erase(std::remove(v.begin(), v.end(), i), v.end());
}

namespace {
bool CallTextBefore(const LogColumn &calls, quint32 a, quint32 b) { return calls.text(a) < calls.text(b); }
} // namespace

void LogColumnLists::indexAdd(qint64 i) const {
    const quint32 call = LogCalls.idAt(i), country = LogCountries.idAt(i);
    if (!LogCalls.text(call).isEmpty()) {
        if (sortedBuilt_ && byCall_.of(call).empty()) {
            auto at = std::lower_bound(sortedCalls_.begin(), sortedCalls_.end(), call,
                                       [this](quint32 a, quint32 b) { return CallTextBefore(LogCalls, a, b); });
            if (at == sortedCalls_.end() || *at != call) sortedCalls_.insert(at, call);
        }
        byCall_.add(call, i);
    }
    byCountry_.add(country, i);
}

void LogColumnLists::indexRemove(qint64 i) const {
    // A call no record has any more stays in the sorted list with no records.
    byCall_.remove(LogCalls.idAt(i), i);
    byCountry_.remove(LogCountries.idAt(i), i);
}

void LogColumnLists::rebuildIndex() const {
    auto countsOf = [](const LogColumn &col) {
        std::vector<qsizetype> counts(size_t(col.textCount()), 0);
        const qsizetype n = col.size();
        for (qsizetype i = 0; i < n; ++i) ++counts[col.idAt(i)];
        return counts;
    };
    rebuildIndex(countsOf(LogCalls), countsOf(LogCountries));
}

void LogColumnLists::rebuildIndex(const std::vector<qsizetype> &callCounts,
                                  const std::vector<qsizetype> &countryCounts) const {
    // Records marked deleted (and any with no call) are nobody's.
    if (!byCall_.build(LogCalls, callCounts, LogCalls.findId(QString())) ||
        !byCountry_.build(LogCountries, countryCounts, std::nullopt)) {
        Q_ASSERT(!"counts that do not match the columns");
        rebuildIndex();
        return;
    }
    sortedCalls_.clear();
    sortedBuilt_ = false; // sorted on the first look-up by beginning
    indexed_ = LogCalls.size();
}

void LogColumnLists::ensureIndex() const {
    // Lists filled by hand (tests, tools) get their index on first use.
    if (indexed_ != LogCalls.size()) rebuildIndex();
}

void LogColumnLists::ensureSortedCalls() const {
    if (sortedBuilt_) return;
    sortedCalls_.clear();
    for (quint32 id = 0; id < quint32(LogCalls.textCount()); ++id)
        if (!byCall_.of(id).empty()) sortedCalls_.push_back(id);
    std::sort(sortedCalls_.begin(), sortedCalls_.end(),
              [this](quint32 a, quint32 b) { return CallTextBefore(LogCalls, a, b); });
    sortedBuilt_ = true;
}

RecordIndexes LogColumnLists::indexesOfCall(const QString &call) const {
    ensureIndex();
    if (call.isEmpty()) return {};
    const auto id = LogCalls.findId(call);
    return id ? byCall_.of(*id) : RecordIndexes();
}

RecordIndexes LogColumnLists::indexesOfCountry(const QString &country) const {
    ensureIndex();
    const auto id = LogCountries.findId(country);
    return id ? byCountry_.of(*id) : RecordIndexes();
}

std::vector<qint64> LogColumnLists::indexesOfCallsBeginningWith(QStringView prefix) const {
    ensureIndex();
    ensureSortedCalls();
    std::vector<qint64> out;
    auto it = std::lower_bound(sortedCalls_.cbegin(), sortedCalls_.cend(), prefix,
                               [this](quint32 a, QStringView b) { return QStringView(LogCalls.text(a)) < b; });
    for (; it != sortedCalls_.cend() && LogCalls.text(*it).startsWith(prefix); ++it) {
        const RecordIndexes v = byCall_.of(*it);
        out.insert(out.end(), v.begin(), v.end());
    }
    std::sort(out.begin(), out.end());
    return out;
}

QString LogFilePath() { return DataPath(LogFileName); }

namespace {

// Maps the raw cp1251 bytes of a field to the text numbers of a column being
// loaded: a text is decoded once, when it is first met, and each record costs
// one short hash and compare. A key is the length byte and the text, padded
// with zeros to W words: two for fields of up to 15 bytes, four for the
// country's 30, so a compare is a few word compares.
template <int W>
class RawInterner {
public:
    struct Key {
        quint64 w[W];
        bool operator==(const Key &o) const {
            quint64 diff = 0;
            for (int j = 0; j < W; ++j) diff |= w[j] ^ o.w[j];
            return diff == 0;
        }
    };
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "keys put the length in the low byte of the first word");

    // `runs`: the field often repeats the previous record's (bands, modes),
    // worth one compare before the hash.
    RawInterner(LogColumn &column, bool runs) : column_(column), runs_(runs), slots_(1024, Empty) {}

    // The field `f` of record `rec` as a key. The words are loaded whole and
    // masked (a copy of the field's own length would stall the loads); the
    // caller checks that they lie inside the record.
    static Key KeyOf(const char *rec, TextField f) {
        int len = static_cast<unsigned char>(rec[f.offset]);
        if (len > f.capacity) len = f.capacity;
        Key k;
        std::memcpy(k.w, rec + f.offset, sizeof k.w);
        const int used = len + 1;
        for (int j = 0; j < W; ++j) {
            const int valid = used - 8 * j;
            k.w[j] &= valid >= 8 ? ~0ull : valid <= 0 ? 0ull : (1ull << (8 * valid)) - 1;
        }
        k.w[0] = (k.w[0] & ~0xFFull) | quint64(len); // little-endian: byte 0
        return k;
    }

    quint32 get(const char *rec, TextField f) { return get(KeyOf(rec, f)); }

    quint32 get(const Key &key) {
        if (runs_ && last_ != Empty && keys_[last_] == key) return use(last_);
        const quint32 h = Hash(key);
        const size_t mask = slots_.size() - 1;
        for (size_t at = h & mask;; at = (at + 1) & mask) {
            const quint32 k = slots_[at];
            if (k == Empty) break;
            if (keys_[k] == key) return use(last_ = k);
        }
        const auto k = quint32(ids_.size());
        const char *bytes = reinterpret_cast<const char *>(key.w);
        // Two byte strings may decode alike: the column keeps one number per text.
        ids_.push_back(column_.idOf(FromCp1251(QByteArrayView(bytes + 1, static_cast<unsigned char>(bytes[0])))));
        keys_.push_back(key);
        hashes_.push_back(h);
        uses_.push_back(0);
        if ((ids_.size() + 1) * 2 > slots_.size()) grow();
        else place(k);
        return use(last_ = k);
    }

    // How many entries got each text number of the column, counted as they
    // were read (for the look-up index).
    std::vector<qsizetype> countsByText() const {
        std::vector<qsizetype> counts(size_t(column_.textCount()), 0);
        for (size_t k = 0; k < ids_.size(); ++k) counts[ids_[k]] += uses_[k];
        return counts;
    }

private:
    static constexpr quint32 Empty = 0xFFFFFFFFu;
    quint32 use(quint32 k) {
        ++uses_[k];
        return ids_[k];
    }
    static quint32 Hash(const Key &k) {
        quint64 x = k.w[0];
        for (int j = 1; j < W; ++j) x ^= std::rotl(k.w[j], 17 * j);
        const quint64 h = x * 0x9E3779B97F4A7C15ull;
        return quint32(h >> 32) ^ quint32(h);
    }
    void place(quint32 k) {
        const size_t mask = slots_.size() - 1;
        size_t at = hashes_[k] & mask;
        while (slots_[at] != Empty) at = (at + 1) & mask;
        slots_[at] = k;
    }
    void grow() {
        slots_.assign(slots_.size() * 2, Empty);
        for (quint32 k = 0; k < quint32(ids_.size()); ++k) place(k);
    }
    LogColumn &column_;
    const bool runs_;
    std::vector<quint32> slots_;        // key numbers, by hash
    std::vector<Key> keys_;             // by key number
    std::vector<quint32> ids_, hashes_; // by key number
    std::vector<qsizetype> uses_;       // by key number
    quint32 last_ = Empty; // runs of one band or mode cost one compare
};

// Every field read as a key fits it and lies far enough inside the record.
template <int W>
constexpr bool KeyFits(TextField f) {
    return f.capacity + 1 <= 8 * W && f.offset + 8 * W <= QsoRecord::Size;
}
static_assert(KeyFits<2>(QsoField::Call) && KeyFits<2>(QsoField::Band) && KeyFits<2>(QsoField::Mode) &&
              KeyFits<2>(QsoField::QslState) && KeyFits<4>(QsoField::Country));

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
    // A log that is not a plain file (a folder) counts none; the read says why.
    const qint64 count = qMax<qint64>(0, RecordIO::Count(path, QsoRecord::Size));
    if (LogLoadProgress) LogLoadProgress(0, count);

    LogColumnLists cols;
    for (LogColumn *c : {&cols.LogCalls, &cols.LogBands, &cols.LogCountries, &cols.LogModes, &cols.LogQslFlags})
        c->reserve(count);
    RawInterner<2> calls(cols.LogCalls, false), bands(cols.LogBands, true), modes(cols.LogModes, true);
    RawInterner<4> countries(cols.LogCountries, true);
    // QSL states map to their codes: the state's number gives the code's.
    LogColumn qslStates;
    RawInterner<2> states(qslStates, true);
    std::vector<quint32> codeOfState;
    const quint32 deletedCall = cols.LogCalls.idOf(QString());
    const bool showProgress = StartupDone != 1 && LogLoadProgress;
    const qint64 progressStep = qMax<qint64>(1, count / 200);

    RecordIO::ForEachBlock(path, QsoRecord::Size, [&](qint64 first, const char *block, qint64 n) {
        for (qint64 k = 0; k < n; ++k) {
            const char *rec = block + k * QsoRecord::Size;
            cols.LogCalls.appendId(IsMarkedDeleted(rec) ? deletedCall : calls.get(rec, QsoField::Call));
            cols.LogBands.appendId(bands.get(rec, QsoField::Band));
            cols.LogCountries.appendId(countries.get(rec, QsoField::Country));
            const quint32 s = states.get(rec, QsoField::QslState);
            if (s >= codeOfState.size())
                codeOfState.push_back(cols.LogQslFlags.idOf(QslCodeOfRaw(RawField(rec, QsoField::QslState))));
            cols.LogQslFlags.appendId(codeOfState[s]);
            cols.LogModes.appendId(modes.get(rec, QsoField::Mode));
        }
        if (showProgress) {
            const qint64 done = first + n;
            if (done / progressStep != first / progressStep) LogLoadProgress(done, count);
        }
    });
    // Deleted records' calls count nowhere: the index leaves that text out.
    cols.rebuildIndex(calls.countsByText(), countries.countsByText());
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

QslStateWrite SetLogRecordQslState(const QString &path, qint64 index,
                                   const std::function<QString(const QsoRecord &)> &wordFor) {
    QByteArray bytes = RecordIO::Read(path, QsoRecord::Size, index);
    QslStateWrite result{DecodeRecord<QsoRecord>(bytes.constData()), QString()};
    const QString word = wordFor(result.stored);
    if (word.isEmpty()) return result;
    WriteTextField(bytes.data(), QsoField::QslState, word);
    RecordIO::Write(path, QsoRecord::Size, index, bytes);
    result.word = word;
    if (path == LogFilePath() && index < LogColumns.size()) {
        QsoRecord now = result.stored;
        now.qslState = word;
        LogColumns.setEntry(index, now.deleteMark == DeleteMarkText ? QString() : now.call, now.band, now.country,
                            now.mode, QslCode(now.qslState));
    }
    return result;
}

qint64 CountLogRecords(const QString &path) {
    const QString resolved = DataPath(path);
    if (QFileInfo(resolved).isFile()) return RecordIO::Count(resolved, QsoRecord::Size);
    ChooseLogFile(OpenLogTitle);
    if (SetQsoWindowCaption) SetQsoWindowCaption(QStringLiteral("QSO ") + path);
    return 0;
}

} // namespace zelmor
