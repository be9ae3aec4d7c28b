#include "logbook/countrylist.h"

#include "platform/stringgrid.h"

namespace zelmor {

int FindCountryRowByText(const StringGridModel &strw, QStringView text, int column) {
    if (text.isEmpty()) return -1;
    for (int row = 0; row < strw.rowCountValue(); ++row)
        if (strw.cell(column, row).startsWith(text)) return row;
    return -1;
}

int FindCountryRowIncremental(const StringGridModel &strw, QStringView text, int column) {
    // The longest leading part first; of its equal cells the last row.
    for (qsizetype k = text.size(); k >= 1; --k) {
        const QStringView part = text.left(k);
        for (int row = strw.rowCountValue() - 1; row >= 0; --row)
            if (strw.cell(column, row) == part) return row;
    }
    return -1;
}

std::optional<CountryRecord> CountryRecordOfRow(const QString &worldPath, const QString &prefix,
                                                const QString &country) {
    std::optional<CountryRecord> same, lastOfCountry;
    RecordIO::ForEach(worldPath, CountryRecord::Size, [&](qint64, const char *bytes) {
        if (same) return;
        CountryRecord r = DecodeRecord<CountryRecord>(bytes);
        if (r.country != country) return;
        if (r.prefix == prefix) same = r;
        else lastOfCountry = std::move(r);
    });
    return same ? same : lastOfCountry;
}

} // namespace zelmor
