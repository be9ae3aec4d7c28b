#include "logbook/qsostate.h"

namespace zelmor {

QString DxPrefix, DxCountry, DxWaz, DxItu, DxContinent, DxLatitude, DxLongitude, DxUtcOffset, DxCommonPrefix,
    DxLocalTime, DxRegionName, DxRegionCode, DxQslState, DxBearing, DxDistance, DxLocator;
QString StatusText;
int AmbiguousCountry = 0, RegionalCall = 0, EditMode = 0, RecalledFromMemory = 0, EntryBarTyping = 0, RepeatFound = 0,
    NameKnown = 0, QthKnown = 0;
CountryCandidateLists CountryCandidates;

void CountryCandidateLists::clear() {
    for (QStringList *l : {&country, &continent, &itu, &waz, &latitude, &longitude, &commonPrefix}) l->clear();
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
}

} // namespace zelmor
