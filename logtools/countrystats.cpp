#include "logtools/countrystats.h"

#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"

namespace zelmor {

const std::array<QString, StatisticsModeCount> StatisticsModeNames = {
    QStringLiteral("SSTV"), QStringLiteral("RTTY"), QStringLiteral("SSB"), QStringLiteral("CW"), QStringLiteral("PSK"),
};

QString StoredCountry(const QString &country) { return CutToCapacity(country, QsoField::Country.capacity); }

namespace {
int ModeOf(const QString &mode) {
    for (int m = 0; m < StatisticsModeCount; ++m)
        if (mode == StatisticsModeNames[size_t(m)]) return m;
    return -1;
}
} // namespace

StatisticsCounters CountCountryStatistics(const LogColumnLists &log, const QString &country) {
    StatisticsCounters counters{};
    for (const qint64 i : log.indexesOfCountry(StoredCountry(country))) {
        if (log.LogCalls[i].isEmpty()) continue; // marked deleted
        const int m = ModeOf(log.LogModes[i]);
        if (m < 0) continue;
        const int k = AwardBandOf(log.LogBands[i]);
        if (k < 0) continue;
        ++counters[size_t(m * 10 + k)];
        if (ConfirmsQslFlag(log.LogQslFlags[i])) ++counters[size_t((m + 5) * 10 + k)];
    }
    return counters;
}

AwardChart StatisticsChart(const StatisticsCounters &counters, StatisticsMode mode) {
    AwardChart chart;
    for (int k = 0; k < AwardBandCount; ++k) {
        const int worked = counters[size_t(WorkedCounter(mode, k))];
        if (worked == 0) continue;
        chart.worked.push_back({AwardBandLabels[size_t(k)], double(worked), AwardWorkedColour});
        chart.confirmed.push_back(
            {AwardBandLabels[size_t(k)], double(counters[size_t(ConfirmedCounter(mode, k))]), AwardConfirmedColour});
    }
    return chart;
}

} // namespace zelmor
