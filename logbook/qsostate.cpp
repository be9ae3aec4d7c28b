#include "logbook/qsostate.h"

#include "common/refrecords.h"

namespace zelmor {

QString DxPrefix, DxCountry, DxWaz, DxItu, DxContinent, DxLatitude, DxLongitude, DxUtcOffset, DxCommonPrefix,
    DxLocalTime, DxRegionName, DxRegionCode, DxQslState, DxBearing, DxDistance, DxLocator;
QString StatusText;
int AmbiguousCountry = 0, RegionalCall = 0, EditMode = 0, RecalledFromMemory = 0, EntryBarTyping = 0, RepeatFound = 0,
    NameKnown = 0, QthKnown = 0;
CountryCandidateLists CountryCandidates;
int CandidateIndex = 1;
int SelectedCountryRow = 0;

void CountryCandidateLists::clear() {
    for (QStringList *l : {&country, &continent, &itu, &waz, &latitude, &longitude, &commonPrefix, &time}) l->clear();
    record.clear();
}

void CountryCandidateLists::append(const CountryRecord &r, qint64 recordNumber) {
    country << r.country;
    continent << r.continent;
    itu << r.itu;
    waz << r.waz;
    latitude << r.latitude;
    longitude << r.longitude;
    commonPrefix << r.commonPrefix;
    time << r.time;
    record << recordNumber;
}

CountryRecord CountryCandidateLists::at(int i) const {
    CountryRecord r;
    r.country = country.value(i);
    r.continent = continent.value(i);
    r.itu = itu.value(i);
    r.waz = waz.value(i);
    r.latitude = latitude.value(i);
    r.longitude = longitude.value(i);
    r.commonPrefix = commonPrefix.value(i);
    r.time = time.value(i);
    return r;
}

void TakeCountryValues(const CountryRecord &r) {
    DxCountry = r.country;
    DxContinent = r.continent;
    DxItu = r.itu;
    DxWaz = r.waz;
    DxLatitude = r.latitude;
    DxLongitude = r.longitude;
    DxUtcOffset = r.time;
    DxCommonPrefix = r.commonPrefix;
}

void ClearStationValues() {
    for (QString *s : {&DxPrefix, &DxCountry, &DxWaz, &DxItu, &DxContinent, &DxLatitude, &DxLongitude, &DxUtcOffset,
                       &DxCommonPrefix, &DxLocalTime, &DxRegionName, &DxRegionCode, &DxQslState, &DxBearing,
                       &DxDistance, &DxLocator})
        s->clear();
}

void ResetQsoState() {
    ClearStationValues();
    StatusText.clear();
    AmbiguousCountry = RegionalCall = EditMode = RecalledFromMemory = EntryBarTyping = RepeatFound = NameKnown =
        QthKnown = 0;
    CountryCandidates.clear();
    CandidateIndex = 1;
    SelectedCountryRow = 0;
}

} // namespace zelmor
