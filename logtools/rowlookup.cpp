#include "logtools/rowlookup.h"

#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logtools/cp1251bytes.h"

namespace zelmor {

namespace {
constexpr TextField CountryPrefix{0, 14}, CountryName{15, 40}, CountryWaz{56, 5}, CountryItu{62, 5};
constexpr TextField RegionKey{0, 5}, RegionNumber{49, 5};
} // namespace

void RowCountryTables::addCountry(const QByteArray &prefix, const QByteArray &country, const QByteArray &waz,
                                  const QByteArray &itu) {
    const QByteArray key = TrimBytes(prefix).toByteArray();
    countries_.insert(key, Country{country, waz, itu}); // a later equal prefix replaces an earlier one
    longest_ = qMax(longest_, key.size());
}

void RowCountryTables::addRegion(const QByteArray &key, const QByteArray &number) {
    const QByteArray k = TrimBytes(key).toByteArray();
    if (!regions_.contains(k)) regions_.insert(k, number);
}

bool RowCountryTables::load(const QString &worldPath, const QString &regionsPath, QString *missing) {
    countries_.clear();
    regions_.clear();
    longest_ = 0;
    try {
        RecordIO::ForEach(worldPath, CountryRecord::Size, [&](qint64, const char *r) {
            addCountry(FieldBytes(r, CountryPrefix).toByteArray(), FieldBytes(r, CountryName).toByteArray(),
                       FieldBytes(r, CountryWaz).toByteArray(), FieldBytes(r, CountryItu).toByteArray());
        });
    } catch (const IoError &) {
        if (missing) *missing = QStringLiteral(" World.dat");
        return false;
    }
    try {
        RecordIO::ForEach(regionsPath, RegionRecord::Size, [&](qint64, const char *r) {
            addRegion(FieldBytes(r, RegionKey).toByteArray(), FieldBytes(r, RegionNumber).toByteArray());
        });
    } catch (const IoError &) {
        if (missing) *missing = QStringLiteral(" Russia22.dat");
        return false;
    }
    return true;
}

const RowCountryTables::Country *RowCountryTables::country(QByteArrayView prefix) const {
    auto it = countries_.constFind(QByteArray::fromRawData(prefix.data(), prefix.size()));
    return it == countries_.cend() ? nullptr : &it.value();
}

const QByteArray *RowCountryTables::regionNumber(QByteArrayView key) const {
    auto it = regions_.constFind(QByteArray::fromRawData(key.data(), key.size()));
    return it == regions_.cend() ? nullptr : &it.value();
}

RowCountry LookupCountryForRow(const RowCountryTables &tables, QByteArrayView call) {
    RowCountry out;
    const qsizetype n = qMin(call.size(), tables.longestPrefix());
    const RowCountryTables::Country *hit = nullptr;
    for (qsizetype i = n; i >= 1 && !hit; --i) hit = tables.country(call.first(i));
    if (!hit) return out;
    out.found = true;
    out.country = hit->country;
    out.waz = hit->waz;
    out.itu = hit->itu;
    if (call.size() >= 4 && (call.startsWith("UA") || call.startsWith("UE") || call.startsWith('R'))) {
        const QByteArrayView country = TrimBytes(out.country);
        if (country == "European Russia" || country == "Asiatic Russia" || country == "Kaliningrad")
            if (const QByteArray *number = tables.regionNumber(call.sliced(2, 2))) out.region = *number;
    }
    return out;
}

} // namespace zelmor
