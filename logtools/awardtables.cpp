#include "logtools/awardtables.h"

#include "common/codepage.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "logbook/logfile.h"

#include <QHash>
#include <QSet>
#include <charconv>

namespace zelmor {

const std::array<QString, AwardBandCount> AwardBandKeys = {
    QStringLiteral("1.8"), QStringLiteral("3.6"), QStringLiteral("7.0"), QStringLiteral("10 "), QStringLiteral("14 "),
    QStringLiteral("18 "), QStringLiteral("21 "), QStringLiteral("24 "), QStringLiteral("28 "),
};
const std::array<QString, AwardBandCount> AwardBandLabels = {
    QStringLiteral("1.8"), QStringLiteral("3.6"), QStringLiteral("7.0"), QStringLiteral("10"), QStringLiteral("14"),
    QStringLiteral("18"),  QStringLiteral("21"),  QStringLiteral("24"),  QStringLiteral("28"),
};

int AwardBandOf(QStringView bandText) {
    const QStringView key = bandText.left(3);
    if (key.size() != 3) return -1;
    for (int k = 0; k < AwardBandCount; ++k)
        if (key == AwardBandKeys[size_t(k)]) return k;
    return -1;
}

bool ConfirmsQslFlag(QStringView flag) { return flag == u"П" || flag == u"N"; }

bool ConfirmsQslState(QStringView state) {
    const QString t = Trim(state);
    return t == QslReceived || t == QslSentAndReceived;
}

AwardChart BandTotalsChart(const std::vector<const AwardBands *> &rows, const std::array<QString, AwardBandCount> &labels,
                           const QString &allLabel, const QString &confirmedLabel, const QString &allConfirmedLabel) {
    AwardChart chart;
    std::array<int, AwardBandCount> worked{}, confirmed{};
    int allWorked = 0, allConfirmed = 0;
    for (const AwardBands *row : rows) {
        bool any = false, anyConfirmed = false;
        for (int k = 0; k < AwardBandCount; ++k) {
            const AwardCell &c = (*row)[size_t(k)];
            if (c.count > 0) ++worked[size_t(k)], any = true;
            if (c.confirmed) ++confirmed[size_t(k)];
            if (c.count > 0 && c.confirmed) anyConfirmed = true;
        }
        allWorked += any;
        allConfirmed += anyConfirmed;
    }
    for (int k = 0; k < AwardBandCount; ++k) {
        chart.worked.push_back({labels[size_t(k)], double(worked[size_t(k)]), AwardWorkedColour});
        chart.confirmed.push_back({confirmedLabel, double(confirmed[size_t(k)]), AwardConfirmedColour});
    }
    chart.worked.push_back({allLabel, double(allWorked), AwardWorkedColour});
    chart.confirmed.push_back({allConfirmedLabel, double(allConfirmed), AwardConfirmedColour});
    return chart;
}

namespace {

// A field's stored bytes, without copying them.
QByteArrayView FieldBytes(const char *rec, TextField f) {
    int len = static_cast<unsigned char>(rec[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return QByteArrayView(rec + f.offset + 1, len);
}

QByteArrayView Head(QByteArrayView b, qsizetype n) { return b.first(std::min(n, b.size())); }

// Trim as the program's texts are trimmed: bytes up to 32 go.
QByteArrayView TrimBytes(QByteArrayView b) {
    qsizetype from = 0, to = b.size();
    while (from < to && static_cast<unsigned char>(b[from]) <= 32) ++from;
    while (to > from && static_cast<unsigned char>(b[to - 1]) <= 32) --to;
    return b.sliced(from, to - from);
}

// A whole number of decimal digits (with an optional sign); nothing for
// anything else, so a damaged field counts nowhere instead of stopping the count.
std::optional<int> NumberOf(QByteArrayView b) {
    if (b.isEmpty()) return std::nullopt;
    const char *first = b.data(), *last = b.data() + b.size();
    if (*first == '+') ++first;
    int v = 0;
    const auto [end, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || end != last) return std::nullopt;
    return v;
}

// The words the file-based counts compare, in their stored bytes.
struct StoredWords {
    QByteArray deleted = ToCp1251(DeleteMarkText);
    QByteArray received = ToCp1251(QslReceived);
    QByteArray sentAndReceived = ToCp1251(QslSentAndReceived);
    std::array<QByteArray, AwardBandCount> labels;
    StoredWords() {
        for (int k = 0; k < AwardBandCount; ++k) labels[size_t(k)] = AwardBandLabels[size_t(k)].toLatin1();
    }
    bool isDeleted(const char *rec) const { return FieldBytes(rec, QsoField::DeleteMark) == QByteArrayView(deleted); }
    bool confirms(QByteArrayView state) const { return state == QByteArrayView(received) || state == QByteArrayView(sentAndReceived); }
    // The band whose trimmed heading equals the trimmed first three characters.
    int bandOf(const char *rec) const {
        const QByteArrayView key = TrimBytes(Head(FieldBytes(rec, QsoField::Band), 3));
        for (int k = 0; k < AwardBandCount; ++k)
            if (key == QByteArrayView(labels[size_t(k)])) return k;
        return -1;
    }
};

const StoredWords &Words() {
    static const StoredWords w;
    return w;
}

// Reports progress about 200 times over a pass, and at its end.
class ProgressTicker {
public:
    ProgressTicker(const AwardProgress &p, qint64 total) : p_(p), total_(total), step_(qMax<qint64>(1, total / 200)) {
        if (p_) p_(0, total_);
    }
    void tick(qint64 done) {
        if (p_ && done % step_ == 0) p_(done, total_);
    }
    qint64 step() const { return step_; }
    void report(qint64 done) {
        if (p_) p_(done, total_);
    }
    void finish(qint64 value) {
        if (p_) p_(value, total_);
    }

private:
    const AwardProgress &p_;
    qint64 total_, step_;
};

// Every record of the log in file order; a missing log has none. A pass
// over a million records: the visit is inlined, and the progress, reported
// where the records done (or, counting down, left) reach a multiple of the
// ticker's step, is found by a countdown instead of a division per record.
template <class Visit>
void ForEachLogRecord(const QString &logPath, const AwardProgress &progress, bool countDown, Visit &&visit) {
    if (!RecordIO::Exists(logPath)) return;
    const qint64 total = RecordIO::Count(logPath, QsoRecord::Size);
    ProgressTicker ticker(progress, total);
    const qint64 step = ticker.step();
    // Records until the next report: the first record's value is 1 counting
    // up, total - 1 counting down.
    qint64 until = countDown ? (total - 1) % step : (step - 1 % step) % step;
    RecordIO::ForEachBlock(logPath, QsoRecord::Size, [&](qint64 first, const char *block, qint64 n) {
        for (qint64 k = 0; k < n; ++k) {
            visit(block + k * QsoRecord::Size);
            if (until > 0) {
                --until;
                continue;
            }
            until = step - 1;
            const qint64 i = first + k;
            ticker.report(countDown ? total - i - 1 : i + 1);
        }
    });
    ticker.finish(countDown ? 0 : total);
}

} // namespace

// --- DXCC

std::optional<std::vector<DxccEntity>> ReadDxccEntities(const QString &worldPath) {
    if (!RecordIO::Exists(worldPath)) return std::nullopt;
    std::vector<DxccEntity> out;
    RecordIO::ForEach(worldPath, CountryRecord::Size, [&](qint64, const char *rec) {
        const CountryRecord r = DecodeRecord<CountryRecord>(rec);
        if (r.dxcc == QLatin1String("*")) out.push_back({r.country, r.commonPrefix, r.waz, {}});
    });
    return out;
}

void CountDxccByMode(std::vector<DxccEntity> &entities, const LogColumnLists &log, const QString &mode,
                     const AwardProgress &progress) {
    const bool anyMode = mode == QLatin1String("1");
    const int countryCapacity = QsoField::Country.capacity;
    // Each distinct band, mode and QSL code is judged once, and one pass in
    // file order counts every country's records: a record costs a few table
    // reads instead of text compares.
    const quint32 noCall = log.LogCalls.findId(QString()).value_or(0xFFFFFFFFu); // marked deleted
    std::vector<qint8> bandOf(size_t(log.LogBands.textCount()));
    for (quint32 id = 0; id < bandOf.size(); ++id) bandOf[id] = qint8(AwardBandOf(log.LogBands.text(id)));
    std::vector<char> modeCounts(size_t(log.LogModes.textCount()));
    for (quint32 id = 0; id < modeCounts.size(); ++id) modeCounts[id] = anyMode || log.LogModes.text(id) == mode;
    std::vector<char> confirms(size_t(log.LogQslFlags.textCount()));
    for (quint32 id = 0; id < confirms.size(); ++id) confirms[id] = ConfirmsQslFlag(log.LogQslFlags.text(id));
    std::vector<AwardBands> byCountry(size_t(log.LogCountries.textCount()));
    const qsizetype n = std::min({log.LogCalls.size(), log.LogBands.size(), log.LogCountries.size(),
                                  log.LogModes.size(), log.LogQslFlags.size()});
    for (qsizetype i = 0; i < n; ++i) {
        const int k = bandOf[log.LogBands.idAt(i)];
        if (k < 0 || !modeCounts[log.LogModes.idAt(i)] || log.LogCalls.idAt(i) == noCall) continue;
        AwardCell &c = byCountry[log.LogCountries.idAt(i)][size_t(k)];
        ++c.count;
        if (confirms[log.LogQslFlags.idAt(i)]) c.confirmed = true;
    }
    QSet<QString> counted;
    ProgressTicker ticker(progress, qint64(entities.size()));
    qint64 done = 0;
    for (DxccEntity &e : entities) {
        e.bands = {};
        const QString stored = CutToCapacity(e.country, countryCapacity);
        ticker.tick(++done);
        if (counted.contains(stored)) continue;
        counted.insert(stored);
        if (const auto id = log.LogCountries.findId(stored)) e.bands = byCountry[*id];
    }
    ticker.finish(qint64(entities.size()));
}

AwardChart ShowDxccTotals(const std::vector<DxccEntity> &entities) {
    std::vector<const AwardBands *> rows;
    rows.reserve(entities.size());
    for (const DxccEntity &e : entities) rows.push_back(&e.bands);
    return BandTotalsChart(rows, AwardBandKeys, QStringLiteral("All Band"), QStringLiteral("QSL"), QStringLiteral("Y"));
}

// --- CQ zones

WazTable CountWazZones(const QString &logPath, const AwardProgress &progress) {
    WazTable zones{};
    const StoredWords &w = Words();
    ForEachLogRecord(logPath, progress, false, [&](const char *rec) {
        const QByteArrayView waz = FieldBytes(rec, QsoField::Waz);
        if (waz.isEmpty() || w.isDeleted(rec)) return;
        const std::optional<int> zone = NumberOf(TrimBytes(Head(waz, 2)));
        if (!zone || *zone < 1 || *zone > WazZoneCount) return;
        const int k = w.bandOf(rec);
        if (k < 0) return;
        AwardCell &c = zones[size_t(*zone)][size_t(k)];
        ++c.count;
        if (w.confirms(TrimBytes(FieldBytes(rec, QsoField::QslState)))) c.confirmed = true;
    });
    return zones;
}

AwardChart WazChart(const WazTable &zones) {
    std::vector<const AwardBands *> rows;
    for (int z = 1; z <= WazZoneCount; ++z) rows.push_back(&zones[size_t(z)]);
    return BandTotalsChart(rows, AwardBandLabels, QStringLiteral("All"), QString(), QString());
}

// --- Russian regions

namespace {
std::optional<int> RegionIndexOf(QStringView number) {
    const std::optional<int> n = ParseInteger(number);
    if (!n || *n < 0 || *n >= RegionCount) return std::nullopt;
    return n;
}
} // namespace

std::optional<RegionNames> ReadRegionNames(const QString &russiaPath) {
    if (!RecordIO::Exists(russiaPath)) return std::nullopt;
    RegionNames names;
    bool ended = false;
    QString previous;
    bool first = true;
    RecordIO::ForEach(russiaPath, RegionRecord::Size, [&](qint64, const char *rec) {
        if (ended) return;
        const RegionRecord r = DecodeRecord<RegionRecord>(rec);
        const QString number = Trim(r.number);
        if (number.isEmpty()) {
            ended = true;
            return;
        }
        const bool changed = first || number != previous;
        first = false;
        previous = number;
        if (!changed) return;
        if (const auto n = RegionIndexOf(number)) names[size_t(*n)] = r.name;
    });
    return names;
}

RegionTable CountRussianRegions(const QString &logPath, const AwardProgress &progress) {
    RegionTable regions{};
    const StoredWords &w = Words();
    ForEachLogRecord(logPath, progress, false, [&](const char *rec) {
        const QByteArrayView number = TrimBytes(FieldBytes(rec, QsoField::RegionNumber));
        if (number.isEmpty() || w.isDeleted(rec)) return;
        const std::optional<int> n = NumberOf(number);
        if (!n || *n < 0 || *n >= RegionCount) return;
        const int k = w.bandOf(rec);
        if (k < 0) return;
        AwardCell &c = regions[size_t(*n)][size_t(k)];
        ++c.count;
        if (w.confirms(FieldBytes(rec, QsoField::QslState))) c.confirmed = true;
    });
    return regions;
}

AwardChart RegionChart(const RegionNames &names, const RegionTable &regions) {
    std::vector<const AwardBands *> rows;
    for (int n = 0; n < RegionCount; ++n)
        if (!names[size_t(n)].isEmpty()) rows.push_back(&regions[size_t(n)]);
    return BandTotalsChart(rows, AwardBandLabels, QStringLiteral("All"), QString(), QString());
}

// --- IOTA

std::optional<std::vector<IotaSlot>> ReadIotaSlots(const QString &iotaPath) {
    if (!RecordIO::Exists(iotaPath)) return std::nullopt;
    std::vector<IotaSlot> islands;
    RecordIO::ForEach(iotaPath, IslandRecord::Size, [&](qint64, const char *rec) {
        const IslandRecord r = DecodeRecord<IslandRecord>(rec);
        if (!r.reference.isEmpty()) islands.push_back({r.reference, r.prefix, r.name});
    });
    return islands;
}

void CountIotaIslands(std::vector<IotaSlot> &islands, const QString &logPath, const AwardProgress &progress) {
    // The islands of each reference, found by the reference's stored bytes.
    QHash<QByteArray, std::vector<size_t>> byReference;
    for (size_t i = 0; i < islands.size(); ++i) {
        islands[i].worked = islands[i].confirmed = false;
        byReference[ToCp1251(Trim(islands[i].reference))].push_back(i);
    }
    const StoredWords &w = Words();
    ForEachLogRecord(logPath, progress, true, [&](const char *rec) {
        const QByteArrayView iota = TrimBytes(FieldBytes(rec, QsoField::Iota));
        if (iota.isEmpty() || w.isDeleted(rec)) return;
        const auto it = byReference.constFind(QByteArray::fromRawData(iota.data(), iota.size()));
        if (it == byReference.cend()) return;
        const bool confirms = w.confirms(TrimBytes(FieldBytes(rec, QsoField::QslState)));
        for (const size_t i : it.value()) {
            islands[i].worked = true;
            if (confirms) islands[i].confirmed = true;
        }
    });
}

AwardChart IotaChart(const std::vector<IotaSlot> &islands) {
    int worked = 0, confirmed = 0;
    for (const IotaSlot &s : islands) {
        worked += s.worked;
        confirmed += s.confirmed;
    }
    AwardChart chart;
    chart.worked.push_back({QStringLiteral("Iota"), double(worked), AwardWorkedColour});
    chart.confirmed.push_back({QStringLiteral("QSL"), double(confirmed), AwardConfirmedColour});
    return chart;
}

} // namespace zelmor
