#pragma once
// The statistics of one country: QSOs worked and confirmed on the nine award
// bands, for five modes, from the in-memory log columns. It runs inside every
// call analysis, so it reads only the records of that country.
#include "logbook/barchart.h"
#include "logtools/awardtables.h"

#include <QString>
#include <array>
#include <vector>

namespace zelmor {

struct LogColumnLists;

// Ten blocks of ten: worked SSTV, RTTY, SSB, CW, PSK, then confirmed in the
// same order; entry k of a block is award band k, entry 9 unused.
using StatisticsCounters = std::array<int, 100>;

enum class StatisticsMode { Sstv = 0, Rtty = 1, Ssb = 2, Cw = 3, Psk = 4 };
inline constexpr int StatisticsModeCount = 5;
// The log's mode text of each block, by StatisticsMode.
extern const std::array<QString, StatisticsModeCount> StatisticsModeNames;

inline int WorkedCounter(StatisticsMode m, int band) { return int(m) * 10 + band; }
inline int ConfirmedCounter(StatisticsMode m, int band) { return (int(m) + 5) * 10 + band; }

// The country as the log stores it: cut to the record's 30 characters.
QString StoredCountry(const QString &country);

// Counts the records of the (stored) country; records marked deleted, other
// modes and other bands count nowhere.
StatisticsCounters CountCountryStatistics(const LogColumnLists &log, const QString &country);

// One mode's chart: a bar pair only for the bands with a QSO of that mode.
AwardChart StatisticsChart(const StatisticsCounters &counters, StatisticsMode mode);

} // namespace zelmor
