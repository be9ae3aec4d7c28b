// The ADIF reader and the import mapping on any file. Whatever the bytes, no
// sanitizer report; every record read, written out again and read back keeps
// its fields, and the import gives the same row for it.
#include "logtools/adif.h"
#include "logtools/importrows.h"
#include "logtools/rowlookup.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zelmor;

namespace {

const RowCountryTables &Tables() {
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

void Check(bool ok) {
    if (!ok) std::abort();
}

struct Record {
    std::vector<QByteArray> names, values;
    std::vector<QByteArray> cells;
};

// Reads every record it can; a malformed file stops at its first fault.
std::vector<Record> ReadAll(QByteArrayView bytes, bool asCp1251) {
    std::vector<Record> out;
    AdifReader reader(bytes);
    const AdifEncoding enc = asCp1251 ? AdifEncoding::Cp1251 : reader.encoding();
    std::vector<AdifField> fields;
    try {
        while (reader.next(fields)) {
            Record r;
            for (const AdifField &f : fields) {
                r.names.push_back(f.name.toByteArray());
                r.values.push_back(asCp1251 ? f.value.toByteArray() : AdifValueCp1251(f, enc));
            }
            MapAdifRecord(fields, enc, r.cells);
            const RowCountry c = LookupCountryForRow(Tables(), r.cells[ImportColumn::Call]);
            if (c.found) r.cells[ImportColumn::Country] = c.country;
            out.push_back(std::move(r));
        }
    } catch (const AdifError &e) {
        Check(e.record() >= 1 && e.text().startsWith(QStringLiteral("ADIF: запись")));
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char *>(data), qsizetype(size));
    (void)DetectAdifEncoding(input);
    const std::vector<Record> first = ReadAll(input, false);

    // The rows keep their cells.
    ImportRowStore rows;
    for (const Record &r : first) {
        std::vector<QByteArrayView> views(r.cells.begin(), r.cells.end());
        rows.append(views.data(), int(views.size()));
    }
    for (size_t i = 0; i < first.size(); ++i)
        for (int c = 0; c < ImportRowStore::Columns; ++c) Check(rows.cellBytes(qsizetype(i), c) == first[i].cells[c]);

    // Written again in cp1251, each value followed by a blank, and read back.
    QByteArray out;
    for (const Record &r : first) {
        for (size_t i = 0; i < r.names.size(); ++i) {
            AppendAdifField(out, r.names[i].constData(), r.values[i]);
            out.append(' ');
        }
        out.append("<eor>\r\n");
    }
    const std::vector<Record> again = ReadAll(out, true);
    Check(again.size() == first.size());
    for (size_t i = 0; i < first.size(); ++i) {
        Check(again[i].names == first[i].names);
        Check(again[i].values == first[i].values);
        Check(again[i].cells == first[i].cells);
    }
    return 0;
}
