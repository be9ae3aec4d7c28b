#pragma once
// Helpers of the foreign-log tests: the crafted files beside the tests, the
// LOGPLUS table written by shapelib, and rows as UTF-8 lines.
#include "common/codepage.h"
#include "logtools/foreignlogs.h"
#include "tests/logtools/adiffixture.h"
#include "tests/shapelibdbf.h"

#include <QDir>
#include <QStringList>

namespace zelmor::test {

inline QString ForeignDir(const QString &format) {
    return SourceDir() + QStringLiteral("/tests/logtools/foreign/") + format;
}

// The 18 text fields of a LOGPLUS table: H 609, R 132.
inline const std::vector<DbfField> &LogplusFields() {
    static const std::vector<DbfField> f = {
        {"DATE", 8},  {"TIME", 5}, {"FREQ", 10}, {"CALL", 13},   {"BAND", 2}, {"POWER", 4},
        {"MODE", 3},  {"RSTS", 3}, {"RSTR", 3},  {"NAME", 9},    {"REMARK", 19}, {"QTH", 15},
        {"STATE", 11}, {"QTH2", 5}, {"ZONE", 4}, {"QSL", 1},     {"QSLDATE", 8}, {"VIA", 8},
    };
    return f;
}
// Field numbers of the table above.
namespace Lp {
inline constexpr int Date = 0, Time = 1, Call = 3, Band = 4, Mode = 6, Rsts = 7, Rstr = 8, Name = 9, Remark = 10,
                     Qth = 11, Qth2 = 13, Qsl = 15, Via = 17;
}
inline std::vector<std::string> LogplusRecord(std::initializer_list<std::pair<int, std::string>> values) {
    std::vector<std::string> r(LogplusFields().size());
    for (const auto &[f, v] : values) r[size_t(f)] = v;
    return r;
}

// The four records of the LOGPLUS example; the third is deleted.
inline bool WriteLogplusExample(const QString &path) {
    return WriteDbf(path, LogplusFields(),
                    {LogplusRecord({{Lp::Date, "20030415"}, {Lp::Time, "12:34"}, {Lp::Call, "UA3ABC"},
                                    {Lp::Band, "14"}, {Lp::Mode, "SSB"}, {Lp::Rsts, "59"}, {Lp::Rstr, "57"},
                                    {Lp::Name, "IVAN"}, {Lp::Remark, "tnx qso"}, {Lp::Qsl, "C"},
                                    {Lp::Via, "LOGBOOK"}}),
                     LogplusRecord({{Lp::Time, ":"}, {Lp::Call, "K1ABC"}, {Lp::Via, "UA1ABC"}}),
                     LogplusRecord({{Lp::Date, "20030415"}, {Lp::Call, "RA1AA"}, {Lp::Band, "7"}}),
                     LogplusRecord({{Lp::Date, "20030416"}, {Lp::Time, "10:00"}, {Lp::Call, "RA3AAA"},
                                    {Lp::Band, "50"}, {Lp::Mode, "CW"}, {Lp::Qth, "New York"}, {Lp::Qth2, "NY"},
                                    {Lp::Qsl, "X"}})},
                    {2});
}

// A row as the .rows files write it: 21 cells joined by TAB, UTF-8.
inline QString RowLine(const ImportRowStore &rows, qsizetype r) {
    QStringList cells;
    for (int c = 0; c < ImportRowStore::Columns; ++c) cells << rows.cell(r, c);
    return cells.join(u'\t');
}

inline QStringList ReadRowsFile(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

// Empty when the rows are those of the file; else names the first
// difference by row and column.
inline QString CompareRows(const ImportRowStore &rows, const QStringList &expected) {
    const qsizetype n = qMax(rows.size(), qsizetype(expected.size()));
    for (qsizetype r = 0; r < n; ++r) {
        if (r >= rows.size()) return QStringLiteral("row %1 missing: %2").arg(r + 1).arg(expected[r]);
        if (r >= expected.size()) return QStringLiteral("row %1 not expected: %2").arg(r + 1).arg(RowLine(rows, r));
        const QStringList want = expected[r].split(u'\t');
        for (int c = 0; c < ImportRowStore::Columns; ++c) {
            const QString got = rows.cell(r, c), w = want.value(c);
            if (got != w)
                return QStringLiteral("row %1, column %2 (%3): got \"%4\", expected \"%5\"")
                    .arg(r + 1)
                    .arg(c)
                    .arg(QStringList{"№", "Call", "Name", "QTH", "Страна", "Date", "Time", "Band", "Mode", "№RUS",
                                     "RSTR", "RSTS", "ITU", "INFO", "WAZ", "Очки", "QSL", "QTHL", "IOTA", "VIA",
                                     "FREQ"}[c])
                    .arg(got, w);
        }
    }
    return {};
}

} // namespace zelmor::test
