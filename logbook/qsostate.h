#pragma once
// The worked station's data and the QSO window's shared flags. The analysis
// of a call leaves its results here; saving writes them into the record and
// empties them; the transceiver, keyer macros and QSL parts read them.
#include <QString>
#include <QStringList>

namespace zelmor {

// Current station values (texts, empty when not set).
extern QString DxPrefix;
extern QString DxCountry;
extern QString DxWaz;
extern QString DxItu;
extern QString DxContinent;
extern QString DxLatitude;   // decimal degrees, decimal comma
extern QString DxLongitude;
extern QString DxUtcOffset;
extern QString DxCommonPrefix;
extern QString DxLocalTime;
extern QString DxRegionName;
extern QString DxRegionCode;
extern QString DxQslState;
extern QString DxBearing;    // whole degrees
extern QString DxDistance;   // "<km> km (<mi> mi)"
extern QString DxLocator;

// The QSO window's one-line status message.
extern QString StatusText;

// Flags.
extern int AmbiguousCountry;
extern int RegionalCall;
extern int EditMode;            // a logged QSO is being edited in the entry fields
extern int RecalledFromMemory;
extern int EntryBarTyping;
extern int RepeatFound;
extern int NameKnown;
extern int QthKnown;

// The alternatives of an ambiguous prefix, index-aligned.
struct CountryCandidateLists {
    QStringList country, continent, itu, waz, latitude, longitude, commonPrefix;
    void clear();
    int size() const { return int(country.size()); }
};
extern CountryCandidateLists CountryCandidates;

// Empties every current station value (not the flags).
void ClearStationValues();
// Everything of this file back to its start state (tests, log switch).
void ResetQsoState();

} // namespace zelmor
