#include "logtools/logsearch.h"

#include "common/codepage.h"
#include "common/logdate.h"
#include "common/text.h"
#include "logbook/logfile.h"

#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <string>

namespace zelmor {

namespace {
// A stored field's bytes, the length byte clamped to the capacity.
inline QByteArrayView Raw(const char *record, int offset, int capacity) {
    int len = static_cast<unsigned char>(record[offset]);
    if (len > capacity) len = capacity;
    return QByteArrayView(record + offset + 1, len);
}
inline QByteArrayView Raw(const char *record, const FieldOf<QsoRecord> &f) { return Raw(record, f.offset, f.capacity); }

const auto &F = QsoRecord::Fields;

// Upper case of one cp1251 byte: a-z and а-я less 32, ё to Ё.
inline char UpperByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'a' && u <= 'z') || u >= 0xE0) return char(u - 32);
    if (u == 0xB8) return char(0xA8);
    return c;
}

constexpr qint64 ProgressStep = 1 << 14;
} // namespace

bool IsBlankMaskText(QStringView text) {
    for (QChar c : text)
        if (c != u' ' && c != u'.' && c != u':') return false;
    return true;
}

const FieldOf<QsoRecord> &SearchColumnField(int column) { return F[std::clamp(column, 0, SearchColumnCount - 1)]; }

// --- call patterns

std::vector<QByteArray> PreparePatternLines(const QStringList &lines) {
    std::vector<QByteArray> out;
    out.reserve(lines.size());
    for (const QString &l : lines) {
        QByteArray b = ToCp1251(l);
        for (char &c : b) c = UpperByte(c);
        out.push_back(b);
    }
    return out;
}

bool MatchesCallPatterns(QByteArrayView call, const std::vector<QByteArray> &lines) {
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line.size() < call.size()) return false;
        bool compared = false, ok = true;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line[i] == '*') continue;
            compared = true;
            if (i >= call.size() || line[i] != call[i]) {
                ok = false;
                break;
            }
        }
        if (!compared) return false;
        if (ok) return true;
    }
    return false;
}

bool MatchesCallPatterns(const QString &call, const QStringList &lines) {
    return MatchesCallPatterns(QByteArrayView(ToCp1251(call)), PreparePatternLines(lines));
}

// --- search

SearchOutcome SearchLog(const QString &logPath, const SearchCriteria &c, const ScanProgress &progress) {
    SearchOutcome out;
    bool used = false;

    auto dateBound = [&](const QString &text, int &bound) {
        if (text.isEmpty() || IsBlankMaskText(text)) return true;
        const auto d = ParseLogDate(text);
        if (!d) {
            out.error = QStringLiteral("Неверная дата в условии поиска: \"%1\"").arg(text);
            return false;
        }
        bound = LogDateNumber(*d);
        used = true;
        return true;
    };
    int dateFrom = 0, dateTo = 0;
    if (!dateBound(c.dateFrom, dateFrom) || !dateBound(c.dateTo, dateTo)) return out;
    const bool byDate = dateFrom != 0 || dateTo != 0;

    const qint64 count = std::max<qint64>(0, RecordIO::Count(logPath, QsoRecord::Size));
    const auto from = ParseInteger(c.numberFrom), to = ParseInteger(c.numberTo);
    qint64 start = 0, end = count;
    if (from) {
        used = true;
        if (*from != 0) start = qint64(*from) - 1;
    }
    if (to) {
        used = true;
        const qint64 first = from ? *from : 0;
        if (*to > first) end = std::min<qint64>(end, *to);
    }
    start = std::clamp<qint64>(start, 0, count);

    auto bytes = [&](const QString &t) {
        if (t.isEmpty()) return QByteArray();
        used = true;
        return ToCp1251(t);
    };
    const QByteArray band = bytes(c.band), mode = bytes(c.mode), qsl = bytes(c.qsl), itu = bytes(c.itu),
                     waz = bytes(c.waz), info = bytes(c.info), name = bytes(c.name), qth = bytes(c.qth);
    std::vector<QByteArray> countries;
    for (const QString &country : c.countries) countries.push_back(ToCp1251(country));
    if (!countries.empty()) used = true;
    // While countries are chosen the typed part is only the last pick: the
    // list decides, or a second country would find only the last one.
    const QByteArray countryPart = countries.empty() ? bytes(c.countryPart) : QByteArray();
    const bool byPattern = !c.callPatterns.join(QString()).isEmpty();
    const std::vector<QByteArray> patterns = byPattern ? PreparePatternLines(c.callPatterns) : std::vector<QByteArray>{};
    if (byPattern) used = true;
    if (!used || start >= end) return out;

    RecordIO::ForEach(logPath, QsoRecord::Size, [&](qint64 i, const char *r) {
        if (progress && i % ProgressStep == 0) progress(i, count);
        if (i < start || i >= end) return;
        if (byDate) {
            const int d = LogDateNumber(Raw(r, F[4]));
            if (d == 0) {
                if (out.unreadableDates++ == 0) out.firstUnreadableNumber = FromCp1251(Raw(r, F[0]));
                return;
            }
            if ((dateFrom && d < dateFrom) || (dateTo && d > dateTo)) return;
        }
        if (!band.isEmpty() && Raw(r, F[6]) != band) return;
        if (!mode.isEmpty() && Raw(r, F[7]) != mode) return;
        if (!countries.empty()) {
            const QByteArrayView country = Raw(r, F[14]);
            if (std::none_of(countries.begin(), countries.end(), [&](const QByteArray &x) { return country == x; }))
                return;
        }
        if (!countryPart.isEmpty() && !Raw(r, F[14]).contains(countryPart)) return;
        if (!qsl.isEmpty() && Raw(r, F[15]) != qsl) return;
        if (!itu.isEmpty() && Raw(r, F[13]) != itu) return;
        if (!waz.isEmpty() && Raw(r, F[12]) != waz) return;
        if (byPattern && !MatchesCallPatterns(Raw(r, F[1]), patterns)) return;
        if (!info.isEmpty() && !Raw(r, F[11]).contains(info)) return;
        if (!name.isEmpty() && !Raw(r, F[2]).contains(name)) return;
        if (!qth.isEmpty() && !Raw(r, F[3]).contains(qth)) return;
        out.indexes.push_back(i);
    });
    if (progress) progress(count, count);
    return out;
}

// --- sort

namespace {
// The field's text as a string of collation weights, so the sort compares
// plain bytes.
void AppendWeights(std::string &key, QByteArrayView text) {
    for (char ch : text) {
        const quint16 w = Cp1251CollationWeight(static_cast<unsigned char>(ch));
        key.push_back(char(w >> 8));
        key.push_back(char(w & 0xFF));
    }
}

qint64 NumberValue(QByteArrayView b) {
    qint64 v = 0;
    bool any = false;
    for (char ch : b) {
        if (ch == ' ' && !any) continue;
        if (ch < '0' || ch > '9') return any ? v : LLONG_MAX;
        v = v * 10 + (ch - '0');
        any = true;
        if (v > (LLONG_MAX / 20)) return LLONG_MAX;
    }
    return any ? v : LLONG_MAX;
}
} // namespace

std::vector<qint64> SortLogByColumn(const QString &logPath, int column, const ScanProgress &progress) {
    const qint64 count = std::max<qint64>(0, RecordIO::Count(logPath, QsoRecord::Size));
    std::vector<qint64> order(static_cast<size_t>(count));
    for (qint64 i = 0; i < count; ++i) order[size_t(i)] = i;
    if (count == 0) return order;
    column = std::clamp(column, 0, SearchColumnCount - 1);

    if (column == 0) {
        std::vector<qint64> numbers(static_cast<size_t>(count), LLONG_MAX);
        RecordIO::ForEach(logPath, QsoRecord::Size, [&](qint64 i, const char *r) {
            if (i < count) numbers[size_t(i)] = NumberValue(Raw(r, F[0]));
        });
        std::stable_sort(order.begin(), order.end(),
                         [&](qint64 a, qint64 b) { return numbers[size_t(a)] < numbers[size_t(b)]; });
        return order;
    }

    std::vector<std::string> keys(static_cast<size_t>(count));
    RecordIO::ForEach(logPath, QsoRecord::Size, [&](qint64 i, const char *r) {
        if (i >= count) return;
        if (progress && i % ProgressStep == 0) progress(i, count);
        std::string &key = keys[size_t(i)];
        if (column == 4) {
            // The date as yyyymmdd (unreadable dates first), then the time.
            const int d = LogDateNumber(Raw(r, F[4]));
            char digits[9];
            std::snprintf(digits, sizeof digits, "%08d", d);
            key.assign(digits, 8);
            AppendWeights(key, Raw(r, F[5]));
        } else {
            AppendWeights(key, Raw(r, F[size_t(column)]));
        }
    });
    std::stable_sort(order.begin(), order.end(), [&](qint64 a, qint64 b) { return keys[size_t(a)] < keys[size_t(b)]; });
    if (progress) progress(count, count);
    return order;
}

// --- edits

CellEditResult PatchRecordField(QByteArray &record, int column, const QString &cellText) {
    if (record.size() != QsoRecord::Size || column <= 0 || column >= 20) return CellEditResult::Unchanged;
    QString text = cellText;
    const bool keepWhenEmpty = column == 1 || (column >= 4 && column <= 9) || (column >= 12 && column <= 15);
    const bool empty = (column == 4 || column == 5) ? IsBlankMaskText(text) : text.isEmpty();
    if (empty) {
        if (keepWhenEmpty) return CellEditResult::Unchanged;
        text.clear();
    } else if (column == 4) {
        if (!ParseLogDate(text)) return CellEditResult::InvalidDate;
        text = Trim(text);
    } else if (column == 5) {
        if (!IsLogTime(Trim(text))) return CellEditResult::InvalidTime;
        text = Trim(text);
    } else if (column == 1) {
        text = StripBlanks(text);
    }
    const auto &f = F[size_t(column)];
    WriteTextField(record.data(), {f.offset, f.capacity}, text);
    return CellEditResult::Written;
}

CellEditResult EditLoggedField(const QString &logPath, qint64 index, int column, const QString &cellText,
                               QsoRecord *stored) {
    const qint64 count = RecordIO::Count(logPath, QsoRecord::Size);
    if (index < 0 || index >= count) return CellEditResult::NoRecord;
    QByteArray record = RecordIO::Read(logPath, QsoRecord::Size, index);
    const CellEditResult result = PatchRecordField(record, column, cellText);
    if (result == CellEditResult::Written) RecordIO::Write(logPath, QsoRecord::Size, index, record);
    if (stored) *stored = DecodeRecord<QsoRecord>(record.constData());
    return result;
}

void UpdateLogColumnsEntry(qint64 index, const QsoRecord &r) {
    if (index < 0 || index >= LogColumns.size()) return;
    LogColumns.setEntry(index, r.deleteMark == DeleteMarkText ? QString() : r.call, r.band, r.country, r.mode,
                        QslCode(r.qslState));
}

// --- save as log

QString SaveAsLogPath(const QString &chosen) {
    if (QFileInfo(chosen).isFile()) return chosen;
    if (chosen.endsWith(QLatin1String(".log"), Qt::CaseInsensitive) ||
        chosen.endsWith(QLatin1String("log.dat"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QStringLiteral("log.dat");
}

bool SameFilePath(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists()) return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

void WriteListingAsLog(const QString &path, QByteArray records) {
    const qsizetype n = records.size() / QsoRecord::Size;
    records.truncate(n * QsoRecord::Size);
    for (qsizetype k = 0; k < n; ++k)
        WriteTextField(records.data() + k * QsoRecord::Size, QsoField::Number, QString::number(k + 1));
    WriteAllBytes(path, records);
}

} // namespace zelmor
