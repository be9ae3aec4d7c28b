#pragma once
// dBASE III files for the tests, written by shapelib, a writer independent
// of our reader. Built only where shapelib is installed (libshp-dev); the
// tests that need it skip with a note otherwise.
#include <QByteArray>
#include <QString>
#include <set>
#include <string>
#include <vector>

#if ZELMOR_HAVE_SHAPELIB
#include <shapefil.h>
#endif

namespace zelmor::test {

struct DbfField {
    std::string name;
    int width;
};

// Writes `path` (ending ".dbf") with text fields of these widths and the
// records' values (raw bytes, cut to their width by shapelib); the records
// in `deleted` (from 0) are marked deleted. False when shapelib is absent.
inline bool WriteDbf(const QString &path, const std::vector<DbfField> &fields,
                     const std::vector<std::vector<std::string>> &records, const std::set<int> &deleted = {}) {
#if ZELMOR_HAVE_SHAPELIB
    DBFHandle h = DBFCreate(path.toLocal8Bit().constData());
    if (!h) return false;
    for (const DbfField &f : fields)
        if (DBFAddField(h, f.name.c_str(), FTString, f.width, 0) < 0) return false;
    for (size_t r = 0; r < records.size(); ++r) {
        for (size_t f = 0; f < fields.size(); ++f) {
            const std::string v = f < records[r].size() ? records[r][f] : std::string();
            if (v.empty()) DBFWriteNULLAttribute(h, int(r), int(f));
            else DBFWriteStringAttribute(h, int(r), int(f), v.c_str());
        }
        if (deleted.count(int(r))) DBFMarkRecordDeleted(h, int(r), 1);
    }
    DBFClose(h);
    return true;
#else
    (void)path, (void)fields, (void)records, (void)deleted;
    return false;
#endif
}

inline constexpr bool HaveShapelib = ZELMOR_HAVE_SHAPELIB;

} // namespace zelmor::test
