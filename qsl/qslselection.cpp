#include "qsl/qslselection.h"

#include "common/codepage.h"
#include "common/qsorecord.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logtools/awardtables.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdio>

namespace zelmor {

// --- the QSO table

namespace {

// The record fields a row keeps, each as stored: its length byte and text.
enum RowField { RfNumber, RfCall, RfName, RfDate, RfTime, RfBand, RfMode, RfRst, RfCountry, RfVia, RfFrequency, RfRegion, RfCount };
constexpr std::array<TextField, RfCount> RowFields = {{
    QsoField::Number, QsoField::Call, {22, 25}, {74, 10}, {85, 10}, QsoField::Band, QsoField::Mode, {126, 7},
    QsoField::Country, {386, 12}, {410, 12}, QsoField::RegionNumber,
}};
constexpr std::array<int, RfCount + 1> RowOffsets = [] {
    std::array<int, RfCount + 1> at{};
    for (int f = 0; f < RfCount; ++f) at[f + 1] = at[f] + RowFields[f].capacity + 1;
    return at;
}();
constexpr int RowBytes = RowOffsets[RfCount];

const QStringList MonthNames = {
    QStringLiteral("jan"), QStringLiteral("feb"), QStringLiteral("mar"), QStringLiteral("apr"),
    QStringLiteral("may"), QStringLiteral("jun"), QStringLiteral("jul"), QStringLiteral("aug"),
    QStringLiteral("sep"), QStringLiteral("oct"), QStringLiteral("nov"), QStringLiteral("dec"),
};

// A link as written by the grouping: "0" or a row number, no sign, no
// leading zeros.
std::optional<qint32> LinkNumber(const QString &text) {
    if (text.isEmpty() || text.size() > 9) return std::nullopt;
    if (text.size() > 1 && text[0] == u'0') return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return std::nullopt;
    return text.toInt();
}

// The one-letter QSL flags a row keeps, by number.
const std::array<QString, 7> FlagTexts = {QString(), QStringLiteral("Н"), QStringLiteral("О"), QStringLiteral("Y"),
                                          QStringLiteral("П"), QStringLiteral("N"), QStringLiteral("@")};
quint8 FlagNumber(const QString &flag) {
    for (size_t k = 0; k < FlagTexts.size(); ++k)
        if (flag == FlagTexts[k]) return quint8(k);
    return quint8(FlagTexts.size() - 1);
}

} // namespace

struct QslTableModel::Row {
    qint64 record = -1;
    qint32 link = -1;   // -1: empty
    quint8 flag = 0;    // FlagTexts
    bool marked = false;
    bool callCleared = false;
    std::array<char, RowBytes> raw{};
    QString field(RowField f) const {
        return ReadTextField(raw.data() + RowOffsets[f], {0, RowFields[f].capacity});
    }
};

QslTableModel::QslTableModel(QObject *parent) : StringGridModel(QslColumnCount, 2, parent) {}
QslTableModel::~QslTableModel() = default;

int QslTableModel::listedRows() const { return int(rows_.size()); }

void QslTableModel::clearTable() {
    beginResetModel();
    // The rows' memory stays for the next fill: first touching 40 MB of new
    // pages costs more than the fill itself (finishFill gives back what a
    // much smaller fill leaves unused).
    rows_.clear();
    edits_.clear();
    path_.clear();
    endResetModel();
    StringGridModel::clearRows(1);
    setRowCount(2);
}

void QslTableModel::setRecord(int row, const QString &logPath, qint64 index, const char *record, const QString &flag) {
    if (row < 1) return;
    path_ = logPath;
    if (row > listedRows()) rows_.resize(size_t(row));
    Row &r = rows_[size_t(row - 1)];
    r = Row();
    r.record = index;
    r.flag = FlagNumber(flag);
    for (int f = 0; f < RfCount; ++f) {
        char *to = r.raw.data() + RowOffsets[f];
        const TextField from = RowFields[f];
        std::memcpy(to, record + from.offset, size_t(from.capacity + 1));
        if (quint8(to[0]) > from.capacity) to[0] = char(from.capacity);
    }
}

void QslTableModel::reserveRows(int rows) { rows_.reserve(size_t(qMax(0, rows))); }

void QslTableModel::finishFill() {
    beginResetModel();
    rows_.erase(std::remove_if(rows_.begin(), rows_.end(), [](const Row &r) { return r.record < 0; }), rows_.end());
    if (rows_.capacity() > 4 * rows_.size() + 4096) rows_.shrink_to_fit();
    endResetModel();
    setRowCount(qMax(2, listedRows() + 1));
}

const QslTableModel::Row *QslTableModel::rowAt(int row) const {
    return row >= 1 && row <= listedRows() ? &rows_[size_t(row - 1)] : nullptr;
}

qint64 QslTableModel::recordIndexOfRow(int row) const {
    const Row *r = rowAt(row);
    return r ? r->record : -1;
}

QString QslTableModel::recordCallOfRow(int row) const {
    const Row *r = rowAt(row);
    return r ? r->field(RfCall) : QString();
}

QString QslTableModel::stored(int col, const Row &r) const {
    switch (col) {
    case QslColNumber: return r.field(RfNumber);
    case QslColMark: return r.marked ? QslMark : QString();
    case QslColCall: return r.callCleared ? QString() : r.field(RfCall);
    case QslColDate: return ReformatQslDate(r.field(RfDate));
    case QslColUtc: return r.field(RfTime);
    case QslColMode: return r.field(RfMode);
    case QslColBand: {
        QString frequency = r.field(RfFrequency);
        return frequency.isEmpty() ? r.field(RfBand) : frequency;
    }
    case QslColRst: return r.field(RfRst);
    case QslColCountry: return r.field(RfCountry);
    case QslColRegion: return r.field(RfRegion);
    case QslColName: return r.field(RfName);
    case QslColLink: return r.link < 0 ? QString() : QString::number(r.link);
    case QslColFlag: return FlagTexts[r.flag];
    case QslColVia: return r.field(RfVia);
    default: return QString();
    }
}

QString QslTableModel::cell(int col, int row) const {
    const Row *r = rowAt(row);
    if (!r) return StringGridModel::cell(col, row);
    const auto edit = edits_.find({row, col});
    if (edit != edits_.end()) return edit->second;
    return stored(col, *r);
}

void QslTableModel::setCell(int col, int row, const QString &text) {
    if (!rowAt(row)) {
        StringGridModel::setCell(col, row, text);
        return;
    }
    if (cell(col, row) == text) return;
    Row &r = rows_[size_t(row - 1)];
    edits_.erase({row, col});
    bool held = true;
    if (col == QslColMark && (text.isEmpty() || text == QslMark)) r.marked = !text.isEmpty();
    else if (col == QslColLink && text.isEmpty()) r.link = -1;
    else if (col == QslColLink && LinkNumber(text)) r.link = *LinkNumber(text);
    else if (col == QslColCall && text.isEmpty()) r.callCleared = true;
    else if (col == QslColCall && text == r.field(RfCall)) r.callCleared = false;
    else held = stored(col, r) == text;
    if (!held) edits_[{row, col}] = text;
    if (row < rowCountValue() && col < colCount()) emit dataChanged(index(row, col), index(row, col));
}

void QslTableModel::clearRows(int firstRow) {
    if (firstRow <= 1) {
        clearTable();
        return;
    }
    if (firstRow - 1 < listedRows()) {
        beginResetModel();
        rows_.resize(size_t(firstRow - 1));
        for (auto it = edits_.begin(); it != edits_.end();)
            it = it->first.first >= firstRow ? edits_.erase(it) : std::next(it);
        endResetModel();
    }
    StringGridModel::clearRows(firstRow);
}

// --- selection

const QStringList QslAwardBandTexts = {
    QStringLiteral("1.8 Mhz"), QStringLiteral("3.6 Mhz"), QStringLiteral("7.0 Mhz"),
    QStringLiteral("10  Mhz"), QStringLiteral("14  Mhz"), QStringLiteral("18  Mhz"),
    QStringLiteral("21  Mhz"), QStringLiteral("24  Mhz"), QStringLiteral("28  Mhz"),
};

QSet<QString> UnconfirmedBandCountries;

namespace {

// The DXCC countries counted over every mode of the log, each once.
std::vector<DxccEntity> CountDxccAllModes(const LogColumnLists &log, const QStringList &dxccCountries) {
    std::vector<DxccEntity> entities;
    QSet<QString> seen;
    for (const QString &c : dxccCountries) {
        const QString stored = CutToCapacity(c, QsoField::Country.capacity);
        if (seen.contains(stored)) continue;
        seen.insert(stored);
        entities.push_back({stored, {}, {}, {}});
    }
    CountDxccByMode(entities, log, QStringLiteral("1"));
    return entities;
}

} // namespace

QSet<QString> CollectUnconfirmedCountriesOnBand(const LogColumnLists &log, const QStringList &dxccCountries,
                                                const QString &band) {
    const int k = int(QslAwardBandTexts.indexOf(band));
    QSet<QString> out;
    for (const DxccEntity &e : CountDxccAllModes(log, dxccCountries))
        if (k < 0 || !e.bands[size_t(k)].confirmed) out.insert(e.country);
    return out;
}

QSet<QString> CollectUnconfirmedCountries(const LogColumnLists &log, const QStringList &dxccCountries) {
    QSet<QString> out;
    for (const DxccEntity &e : CountDxccAllModes(log, dxccCountries)) {
        bool worked = false, confirmed = false;
        for (const AwardCell &c : e.bands) {
            worked |= c.count > 0;
            confirmed |= c.count > 0 && c.confirmed;
        }
        if (worked && !confirmed) out.insert(e.country);
    }
    return out;
}

namespace {

const char16_t PlusWeight = char16_t(Cp1251CollationWeight('+'));

std::u16string CallWeights(const QString &call) {
    const QByteArray bytes = ToCp1251(call);
    std::u16string w;
    w.reserve(size_t(bytes.size()) + 12);
    for (char b : bytes) w.push_back(char16_t(Cp1251CollationWeight(static_cast<unsigned char>(b))));
    return w;
}

void AppendDigits(std::u16string &w, qint64 index) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(index));
    for (int i = 0; i < n; ++i) w.push_back(char16_t(Cp1251CollationWeight(static_cast<unsigned char>(digits[i]))));
}

// The decimal text of an index below 10^10 as a number that sorts as the
// text does: each digit + 1 in base 11, left-aligned, 0 past the end ("1"
// before "10" before "9").
quint64 TextOrderCode(qint64 index) {
    char digits[24];
    const int n = std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(index));
    quint64 code = 0;
    for (int i = 0; i < 10; ++i) code = code * 11 + (i < n ? quint64(digits[i] - '0' + 1) : 0);
    return code;
}
constexpr int TextOrderBits = 35; // 11^10 < 2^35
constexpr qint64 TextOrderLimit = 10000000000LL;

} // namespace

void SortQslSelection(std::vector<qint64> &indexes, const LogColumn &calls) {
    std::vector<std::u16string> weights(size_t(calls.textCount()));
    std::vector<quint32> ids; // the calls met, each once
    std::vector<bool> met(weights.size(), false);
    bool whole = false;       // keys that must be compared whole
    for (qint64 i : indexes) {
        const quint32 id = calls.idAt(i);
        if (!met[id]) {
            met[id] = true;
            ids.push_back(id);
            weights[id] = CallWeights(calls.text(id));
            // A "+" inside a call would let the index of one key meet the
            // call of another.
            if (weights[id].find(PlusWeight) != std::u16string::npos) whole = true;
        }
        if (i < 0 || i >= TextOrderLimit) whole = true;
    }
    if (whole) {
        std::vector<std::pair<std::u16string, qint64>> keys;
        keys.reserve(indexes.size());
        for (qint64 i : indexes) {
            std::u16string k = weights[calls.idAt(i)];
            k.push_back(PlusWeight);
            AppendDigits(k, i);
            keys.emplace_back(std::move(k), i);
        }
        std::stable_sort(keys.begin(), keys.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
        for (size_t k = 0; k < keys.size(); ++k) indexes[k] = keys[k].second;
        return;
    }
    // No call holds a "+": keys of two calls compare as the calls followed
    // by "+" do, whatever the indexes. Rank the calls once, then sort
    // numbers.
    std::sort(ids.begin(), ids.end(), [&](quint32 a, quint32 b) {
        const std::u16string &x = weights[a], &y = weights[b];
        const size_t n = std::min(x.size(), y.size());
        for (size_t k = 0; k < n; ++k)
            if (x[k] != y[k]) return x[k] < y[k];
        if (x.size() == y.size()) return false;
        // One is the other's beginning: the shorter one's "+" meets the longer one's next character.
        return x.size() < y.size() ? PlusWeight < y[n] : x[n] < PlusWeight;
    });
    // Calls that differ only in case share a rank: their keys meet at the indexes.
    std::vector<quint32> rank(weights.size(), 0);
    for (size_t r = 0; r < ids.size(); ++r)
        rank[ids[r]] = r == 0 ? 0 : rank[ids[r - 1]] + (weights[ids[r]] != weights[ids[r - 1]] ? 1 : 0);
    std::vector<std::pair<quint64, qint64>> keyed;
    keyed.reserve(indexes.size());
    for (qint64 i : indexes) keyed.emplace_back((quint64(rank[calls.idAt(i)]) << TextOrderBits) | TextOrderCode(i), i);
    std::sort(keyed.begin(), keyed.end());
    for (size_t k = 0; k < keyed.size(); ++k) indexes[k] = keyed[k].second;
}

std::vector<qint64> SelectQslRecords(const LogColumnLists &log, const QslFilter &filter, const QStringList &dxccCountries) {
    const qsizetype n = log.size();
    // Texts compare by their number in each column: one look-up per filter,
    // not per record.
    auto idOf = [](const LogColumn &col, const QString &text) -> qint64 {
        const auto id = col.findId(text);
        return id ? qint64(*id) : -1;
    };
    const qint64 deleted = idOf(log.LogCalls, QString());
    const qint64 own = filter.exceptOwnCountry ? idOf(log.LogCountries, filter.ownCountry) : -1;
    std::vector<qint64> wantedFlags;
    if (filter.sent) wantedFlags.push_back(idOf(log.LogQslFlags, QStringLiteral("Y")));
    if (filter.received) wantedFlags.push_back(idOf(log.LogQslFlags, QStringLiteral("П")));
    if (filter.toSend) wantedFlags.push_back(idOf(log.LogQslFlags, QStringLiteral("О")));
    const qint64 band = filter.unconfirmedOnBand ? idOf(log.LogBands, filter.band) : -1;
    // Countries by their number: those of the band filter, those of No_qso.
    std::vector<quint8> countryTest(size_t(log.LogCountries.textCount()), 0);
    if (filter.unconfirmedOnBand) {
        UnconfirmedBandCountries = CollectUnconfirmedCountriesOnBand(log, dxccCountries, filter.band);
        for (const QString &c : std::as_const(UnconfirmedBandCountries))
            if (const auto id = log.LogCountries.findId(c)) countryTest[*id] |= 1;
    }
    if (filter.unconfirmedCountries)
        for (const QString &c : CollectUnconfirmedCountries(log, dxccCountries))
            if (const auto id = log.LogCountries.findId(c)) countryTest[*id] |= 2;

    std::vector<qint64> out;
    for (qsizetype i = 0; i < n; ++i) {
        const quint32 call = log.LogCalls.idAt(i);
        if (qint64(call) == deleted) continue;
        const quint32 country = log.LogCountries.idAt(i);
        if (qint64(country) == own) continue;
        const qint64 flag = log.LogQslFlags.idAt(i);
        bool take = std::find(wantedFlags.begin(), wantedFlags.end(), flag) != wantedFlags.end();
        if (!take && band >= 0 && qint64(log.LogBands.idAt(i)) == band && (countryTest[country] & 1)) take = true;
        if (!take && (countryTest[country] & 2)) take = true;
        if (take) out.push_back(i);
    }
    SortQslSelection(out, log.LogCalls);
    return out;
}

QString ReformatQslDate(const QString &date) {
    if (date.size() <= 7) return date;
    const QStringView month = QStringView(date).mid(3, 2);
    if (month.size() != 2 || !month[0].isDigit() || !month[1].isDigit()) return date;
    const int m = month.toInt();
    if (m < 1 || m > 12) return date;
    return date.left(3) + MonthNames[m - 1] + date.mid(5);
}

void ClearQslTables(QslTableModel &qsos, StringGridModel &countries, StringGridModel &regions) {
    qsos.clearTable();
    for (StringGridModel *g : {&countries, &regions}) {
        g->clearRows(1);
        g->setRowCount(2);
    }
}

namespace {

bool IsRussian(const QString &country) {
    return country == u"European Russia" || country == u"Asiatic Russia" || country == u"Kaliningradsk";
}

// Counts per key in order of first appearance.
struct KeyCounts {
    QHash<QString, int> rowOf;
    std::vector<std::pair<QString, int>> rows; // label, count
    std::vector<QString> keys;
    int &count(const QString &key, const QString &label) {
        auto it = rowOf.constFind(key);
        if (it == rowOf.cend()) {
            it = rowOf.insert(key, int(rows.size()));
            rows.emplace_back(label, 0);
            keys.push_back(key);
        }
        return rows[size_t(it.value())].second;
    }
};

} // namespace

std::vector<qint64> FillQslTable(const QString &logPath, const LogColumnLists &log, const std::vector<qint64> &ordered,
                                 QslTableModel &qsos, StringGridModel &countries, StringGridModel &regions,
                                 const std::function<void(qint64, qint64)> &progress) {
    std::vector<qint64> failed;
    const qint64 count = qMax<qint64>(0, RecordIO::Count(logPath, QsoRecord::Size));
    // Records past the end of the file (it shrank since it was read) are
    // reported. The others are read in file order with one open, each put
    // in its row of the table's order.
    std::vector<std::pair<qint64, int>> wanted; // record index, table row
    wanted.reserve(ordered.size());
    for (qint64 i : ordered) {
        if (i < count) wanted.emplace_back(i, int(wanted.size()) + 1);
        else failed.push_back(i);
    }
    std::sort(wanted.begin(), wanted.end());
    qsos.reserveRows(int(wanted.size()));
    const qint64 total = qint64(wanted.size()), step = qMax<qint64>(1, total / 100);
    size_t done = 0;
    auto take = [&](qint64 i, const char *rec) {
        const int row = wanted[done].second;
        qsos.setRecord(row, logPath, i, rec, log.LogQslFlags.value(i));
        ++done;
        if (progress && qint64(done) % step == 0) progress(qint64(done), total);
    };
    try {
        if (total * 16 >= count) {
            // Many: one pass over the file in large blocks beats a read per record.
            RecordIO::ForEachBlock(logPath, QsoRecord::Size, [&](qint64 first, const char *block, qint64 n) {
                while (done < wanted.size() && wanted[done].first < first + n)
                    take(wanted[done].first, block + (wanted[done].first - first) * QsoRecord::Size);
            });
        } else {
            std::vector<qint64> indexes;
            indexes.reserve(wanted.size());
            for (const auto &w : wanted) indexes.push_back(w.first);
            RecordIO::ReadEach(logPath, QsoRecord::Size, indexes, [&](size_t k, const char *rec) { take(indexes[k], rec); });
        }
    } catch (const IoError &) {
    }
    for (size_t k = done; k < wanted.size(); ++k) failed.push_back(wanted[k].first);
    qsos.finishFill();

    // Counts in table order: a country's or region's row is where its first
    // QSO stands.
    KeyCounts byCountry, byRegion;
    for (int r = 1; r <= qsos.listedRows(); ++r) {
        const QString country = qsos.cell(QslColCountry, r);
        ++byCountry.count(Trim(country), country);
        if (IsRussian(country)) ++byRegion.count(Trim(qsos.cell(QslColRegion, r)), qsos.cell(QslColCall, r).mid(2, 2));
    }
    for (size_t r = 0; r < byCountry.rows.size(); ++r) {
        countries.setCell(QslCountLabel, int(r) + 1, byCountry.rows[r].first);
        countries.setCell(QslCountValue, int(r) + 1, QString::number(byCountry.rows[r].second));
    }
    countries.setRowCount(qMax(2, int(byCountry.rows.size()) + 1));
    for (size_t r = 0; r < byRegion.rows.size(); ++r) {
        regions.setCell(QslCountLabel, int(r) + 1, byRegion.rows[r].first);
        regions.setCell(QslCountValue, int(r) + 1, QString::number(byRegion.rows[r].second));
        regions.setCell(QslCountKey, int(r) + 1, byRegion.keys[r]);
    }
    regions.setRowCount(qMax(2, int(byRegion.rows.size()) + 1));
    std::sort(failed.begin(), failed.end());
    return failed;
}

// --- marks and cards

namespace {

void SetMark(QslTableModel &qsos, int row, bool marked) {
    qsos.setCell(QslColMark, row, marked ? QslMark : QString());
    if (!marked) {
        // An unmarked row is in no card: a link left behind would have it
        // taken as printed.
        qsos.setCell(QslColLink, row, QString());
        qsos.setCell(QslColSpare, row, QString());
    }
}

bool Marked(const StringGridModel &g, int row, int col) { return g.cell(col, row) == QslMark; }

// Listed rows by a trimmed column, ascending.
QHash<QString, std::vector<int>> RowsBy(const QslTableModel &qsos, int col) {
    QHash<QString, std::vector<int>> out;
    for (int r = 1; r <= qsos.listedRows(); ++r) out[Trim(qsos.cell(col, r))].push_back(r);
    return out;
}

// Marks the rows with a call, or unmarks all of them.
void SetMarks(QslTableModel &qsos, const std::vector<int> &rows, bool marked) {
    for (int r : rows)
        if (!marked || !qsos.cell(QslColCall, r).isEmpty()) SetMark(qsos, r, marked);
}

bool HasCount(const StringGridModel &g, int row) { return !g.cell(QslCountValue, row).isEmpty(); }

void ToggleCountry(QslTableModel &qsos, StringGridModel &countries, int row, const QHash<QString, std::vector<int>> &byCountry) {
    if (!HasCount(countries, row)) return;
    const bool mark = !Marked(countries, row, QslCountMark);
    SetMarks(qsos, byCountry.value(Trim(countries.cell(QslCountLabel, row))), mark);
    countries.setCell(QslCountMark, row, mark ? QslMark : QString());
}

} // namespace

void ToggleQsoRow(QslTableModel &qsos, int row) {
    if (qsos.recordIndexOfRow(row) < 0) return;
    if (Marked(qsos, row, QslColMark)) SetMark(qsos, row, false);
    else if (!qsos.cell(QslColCall, row).isEmpty()) SetMark(qsos, row, true);
}

void ToggleCountryRow(QslTableModel &qsos, StringGridModel &countries, int row) {
    ToggleCountry(qsos, countries, row, RowsBy(qsos, QslColCountry));
}

bool ToggleCountryRows(QslTableModel &qsos, StringGridModel &countries, CountrySelection which) {
    const auto byCountry = RowsBy(qsos, QslColCountry);
    for (int row = 1; row < countries.rowCountValue(); ++row) {
        if (which != CountrySelection::All) {
            const std::optional<int> n = ParseInteger(countries.cell(QslCountValue, row));
            if (!n) return false;
            if (which == CountrySelection::AtLeastThree ? *n < 3 : *n != 3) continue;
        }
        ToggleCountry(qsos, countries, row, byCountry);
    }
    return true;
}

void ToggleRegionRow(QslTableModel &qsos, StringGridModel &regions, int row) {
    if (!HasCount(regions, row)) return;
    const QString key = Trim(regions.cell(QslCountKey, row));
    const bool mark = !Marked(regions, row, QslCountMark);
    if (!key.isEmpty()) {
        std::vector<int> rows;
        for (int r = 1; r <= qsos.listedRows(); ++r)
            if (Trim(qsos.cell(QslColRegion, r)) == key) rows.push_back(r);
        SetMarks(qsos, rows, mark);
    }
    regions.setCell(QslCountMark, row, mark ? QslMark : QString());
}

namespace {

std::optional<int> PerCard(const QString &text) {
    const QString t = Trim(text);
    if (t.isEmpty()) return std::nullopt;
    const std::optional<int> n = ParseInteger(t);
    if (!n || *n <= 0) return std::nullopt;
    return n;
}

// One pass of the grouping. The rows of each call are indexed once, so a
// head looks only at the later rows of its own call: the scan to the end of
// the table for every head was quadratic.
void Group(QslTableModel &qsos, int perCard, bool byManager) {
    QHash<QString, std::vector<int>> byCall;
    for (int r = 1; r <= qsos.listedRows(); ++r) {
        const QString call = qsos.cell(QslColCall, r);
        if (!call.isEmpty()) byCall[call].push_back(r);
    }
    auto link = [&](int row, int to) {
        qsos.setCell(QslColLink, row, QString::number(to));
        qsos.setCell(QslColMark, row, QslMark);
    };
    for (int a = 1; a <= qsos.listedRows(); ++a) {
        if (!Marked(qsos, a, QslColMark) || !qsos.cell(QslColLink, a).isEmpty()) continue;
        const QString call = qsos.cell(QslColCall, a);
        if (call.isEmpty()) continue;
        const std::vector<int> &rows = byCall[call];
        auto at = std::upper_bound(rows.begin(), rows.end(), a);
        int budget = perCard - 1;
        int tail = a;
        bool linked = false, closed = false;
        QString via = qsos.cell(QslColVia, a);
        bool viaBound = !via.isEmpty();
        for (; at != rows.end(); ++at) {
            const int b = *at;
            if (byManager) {
                if (!qsos.cell(QslColLink, b).isEmpty()) continue;
                if (viaBound && qsos.cell(QslColVia, b) != via) continue;
            }
            if (budget == 0) {
                link(tail, 0);
                closed = true;
                break;
            }
            --budget;
            link(tail, b);
            tail = b;
            linked = true;
            if (byManager && !viaBound) {
                via = qsos.cell(QslColVia, b);
                viaBound = true;
            }
        }
        // The chain ends at its own tail, never at an unrelated last row.
        if (linked && !closed) link(tail, 0);
    }
}

} // namespace

void GroupQsosPerCard(QslTableModel &qsos, const QString &perCard) {
    if (const auto n = PerCard(perCard)) Group(qsos, *n, false);
}

void GroupQsosPerCardByManager(QslTableModel &qsos, const QString &perCard) {
    if (const auto n = PerCard(perCard)) Group(qsos, *n, true);
}

void ClearMarks(QslTableModel &qsos) {
    for (int r = 1; r <= qsos.listedRows(); ++r) SetMark(qsos, r, false);
}

QslMarkedCounters UpdateMarkedCounters(const QslTableModel &qsos) {
    QslMarkedCounters c;
    for (int r = 1; r <= qsos.listedRows(); ++r)
        if (Marked(qsos, r, QslColMark)) ++c.marked;
    c.sheets = c.marked ? c.marked / 14 + 1 : 0;
    return c;
}

} // namespace zelmor
