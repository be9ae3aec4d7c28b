#pragma once
// Reference records for test fixtures, in one line each.
#include "common/refrecords.h"

namespace zelmor::test {

inline CountryRecord Country(const char *prefix, const char *country, const char *waz, const char *itu,
                             const char *lat, const char *lon, const char *time, const char *continent,
                             const char *alternatives = "") {
    CountryRecord r;
    r.prefix = QString::fromUtf8(prefix);
    r.country = QString::fromUtf8(country);
    r.waz = waz;
    r.itu = itu;
    r.latitude = lat;
    r.longitude = lon;
    r.time = time;
    r.continent = continent;
    r.commonPrefix = QString::fromUtf8(prefix);
    r.dxcc = "*";
    r.alternatives = alternatives;
    return r;
}

inline RegionRecord Region(const char *key, const char *name, const char *a, const char *b, const char *number = "",
                           const char *waz = "", const char *itu = "") {
    RegionRecord r;
    r.key = QString::fromUtf8(key);
    r.name = QString::fromUtf8(name);
    r.coordinateA = a;
    r.coordinateB = b;
    r.number = number;
    r.waz = waz;
    r.itu = itu;
    return r;
}

} // namespace zelmor::test
