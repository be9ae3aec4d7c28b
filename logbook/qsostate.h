#pragma once
// The worked station's data and the QSO window's shared flags. The analysis
// of a call leaves its results here; saving writes them into the record and
// empties them; the transceiver, keyer macros and QSL parts read them.
#include <QList>
#include <QString>
#include <QStringList>

namespace zelmor {

struct CountryRecord;

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

// The alternatives of an ambiguous prefix, index-aligned: each country's
// values, its time offset and its record number in the country table.
struct CountryCandidateLists {
    QStringList country, continent, itu, waz, latitude, longitude, commonPrefix, time;
    QList<qint64> record;
    void clear();
    void append(const CountryRecord &r, qint64 recordNumber);
    // Candidate i as a record of the table (the fields the lists keep).
    CountryRecord at(int i) const;
    int size() const { return int(country.size()); }
};
extern CountryCandidateLists CountryCandidates;
// The candidate Shift+F6 shows next; 1 after each activation of the QSO
// window, so the first press shows the second candidate.
extern int CandidateIndex;
// The row of the country list last selected, by mouse, key or search.
extern int SelectedCountryRow;

// The country's values of a table record into the current station values:
// country, continent, zones, coordinates, time offset, common prefix.
void TakeCountryValues(const CountryRecord &r);
// Empties every current station value (not the flags).
void ClearStationValues();
// Everything of this file back to its start state (tests, log switch).
void ResetQsoState();

} // namespace zelmor
