#pragma once
// One reader of another logger's format on any bytes. Whatever they are: no
// sanitizer report, no cell byte below 32, rows numbered 1, 2, 3 ... with a
// call each, and a fault reported within the file.
#include "logtools/foreignlogs.h"

#include <cstdint>
#include <cstdlib>

namespace zelmor::fuzz {

inline const RowCountryTables &Tables() {
    static const RowCountryTables t = [] {
        RowCountryTables t;
        t.addCountry("UA", "European Russia", "16", "29");
        t.addCountry("R", "European Russia", "16", "29");
        t.addCountry("K", "United States", "05", "08");
        t.addRegion("3A", "170");
        return t;
    }();
    return t;
}

inline void Check(bool ok) {
    if (!ok) std::abort();
}

// `units`: the most lines or records a fault may name (the file's own count
// plus one for a record cut short).
template <class Reader>
int RunForeignReader(Reader read, const uint8_t *data, size_t size, qint64 units) {
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    ImportRowStore rows;
    const ForeignImportResult r = read(bytes, Tables(), rows, {});
    Check(r.rows == rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        Check(rows.cellBytes(i, ImportColumn::Number) == QByteArray::number(i + 1));
        Check(!rows.cellBytes(i, ImportColumn::Call).isEmpty());
        for (int c = 0; c < ImportRowStore::Columns; ++c)
            for (char b : rows.cellBytes(i, c)) Check(static_cast<unsigned char>(b) >= 32);
    }
    Check(r.errorAt >= 0 && r.errorAt <= units);
    Check(r.badDates <= r.rows && (r.badDates == 0) == (r.firstBadDateRow == 0));
    return 0;
}

// Lines of a text file, as the readers count them.
inline qint64 LineCount(const uint8_t *data, size_t size) {
    qint64 n = 1;
    for (size_t i = 0; i < size; ++i) n += data[i] == '\n';
    return n;
}

} // namespace zelmor::fuzz
