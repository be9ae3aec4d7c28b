#pragma once
// Region look-ups for Russian, Ukrainian, Kazakh, Brazilian and Belarusian
// calls. A character the call does not have (the fourth of a three-character
// call) never matches, nor does a key character that is missing.
#include <QString>
#include <QStringView>

namespace zelmor {

enum class LookupStatus { NoFile, NoMatch, Match };

struct RegionHit {
    QString name, waz, itu, number, latitude, longitude;
};

// Whether a call is looked up in "russia22.dat": it begins with "R", "UA" or
// "UE" and its country is one of Russia's. Other countries with such
// prefixes (Franz Josef Land, the Antarctic bases) keep their own zones.
bool TakesRussianRegion(QStringView call, QStringView country);
// "russia22.dat": the third and fourth characters of the call against the
// first two of the trimmed key; coordinate A is the longitude. Last match wins.
LookupStatus FindRussianRegion(const QString &path, QStringView call, RegionHit &hit);
// "ucraina.dat", "Kaz_tan.dat": the key's first character against the fourth
// character of the call; coordinate A is the latitude. Last match wins; no zones.
LookupStatus FindRegionInFile(const QString &path, QStringView call, RegionHit &hit);
// "brasil.dat": the first three key bytes, whatever the length byte says,
// against the first three characters of the call. Last match wins; name only.
LookupStatus FindBrazilRegion(const QString &path, QStringView call, QString &name);
// Belarus by the third character of the call; a fixed table.
bool FindBelarusRegion(QStringView call, RegionHit &hit);

} // namespace zelmor
