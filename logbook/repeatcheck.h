#pragma once
// The look-up behind the repeat and new-country check: the country's QSOs
// counted per band and the records of the same call, from the log columns'
// index.
#include "common/bands.h"
#include "logbook/logfile.h"

#include <QString>
#include <array>
#include <vector>

namespace zelmor {

using BandCounterTable = std::array<int, BandCounterSlots>;
// QSOs with the country being entered per band, of those confirmed ("N", "П")
// and of those sent ("Y"). Index = band index.
extern BandCounterTable CountryWorkedPerBand;
extern BandCounterTable CountryConfirmedPerBand;
extern BandCounterTable CountrySentPerBand;
void ClearBandCounters();

struct LogScanResult {
    bool countryWorked = false;
    std::vector<qint64> repeats; // indexes of the records of the call, in log order
};

// `country` as the log stores it (cut to the record's field), `call` without
// blanks. Fills the three counters.
LogScanResult ScanLogColumns(const LogColumnLists &cols, const QString &country, const QString &call);

// The QSL state proposed for a new QSO; a later rule overrides an earlier one,
// no rule keeps the current text.
struct QslRuleInputs {
    bool qslf1 = false;
    QString eqslf1;        // threshold text
    int confirmedOnBand = 0;
    bool qslf2 = false;
    QString dxCountry, ownCountry;
    bool qslf3 = false;
    QString dxContinent, ownContinent;
    QString current;       // the text of the QSL field now
};
QString ChooseDefaultQslState(const QslRuleInputs &in);

// `info` with the club tag and member number appended, unless the tag without
// its leading blank followed by the number is already in it.
QString WithClubTag(const QString &info, const QString &tag, const QString &number);

} // namespace zelmor
