// Award counts over small logs built with the codecs: CQ zones, Russian
// regions, IOTA islands and the country statistics.
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/logfile.h"
#include "logtools/awardtables.h"
#include "logtools/countrystats.h"
#include "tests/testsupport.h"

#include <QDir>

using namespace zelmor;
using namespace zelmor::test;

namespace {

QsoRecord Qso(const QString &band, const QString &qsl = QslNotToSend) {
    QsoRecord r;
    r.call = "UA3ABC";
    r.band = band;
    r.mode = "SSB";
    r.qslState = qsl;
    return r;
}
QsoRecord Waz(const char *zone, const QString &band, const QString &qsl = QslNotToSend) {
    QsoRecord r = Qso(band, qsl);
    r.waz = zone;
    return r;
}
QsoRecord InRegion(const char *number, const QString &band, const QString &qsl = QslNotToSend) {
    QsoRecord r = Qso(band, qsl);
    r.regionNumber = number;
    return r;
}
QsoRecord OnIsland(const char *iota, const QString &qsl = QslNotToSend) {
    QsoRecord r = Qso("14  Mhz", qsl);
    r.iota = iota;
    return r;
}
QsoRecord Deleted(QsoRecord r) {
    r.deleteMark = DeleteMarkText;
    return r;
}
RegionRecord Region(const char *number, const char *name) {
    RegionRecord r;
    r.key = "1A";
    r.number = number;
    r.name = QString::fromUtf8(name);
    return r;
}
IslandRecord Island(const char *ref, const char *prefix = "", const char *name = "") {
    IslandRecord r;
    r.reference = ref;
    r.prefix = prefix;
    r.name = QString::fromUtf8(name);
    return r;
}

std::vector<double> Values(const std::vector<Bar> &bars) {
    std::vector<double> v;
    for (const Bar &b : bars) v.push_back(b.value);
    return v;
}

class AwardTablesTest : public ProgramFolderTest {
protected:
    QString log() const { return path("test.log"); }
};

} // namespace

TEST_F(AwardTablesTest, WazZonesCountInFileOrderPastBadZones) {
    WriteAllRecords(log(), std::vector<QsoRecord>{
                               Waz("05", "14  Mhz", QslReceived),
                               Waz("5", "14  Mhz", QslSent),
                               Waz("41", "14  Mhz", QslReceived),
                               Waz("x5", "14  Mhz", QslReceived),
                               Waz("16", "7.0 Mhz", QslSentAndReceived),
                               Waz("05", "144Mhz", QslReceived),
                               Deleted(Waz("3", "21  Mhz", QslReceived)),
                           });
    std::vector<std::pair<qint64, qint64>> progress;
    const WazTable zones = CountWazZones(log(), [&](qint64 v, qint64 m) { progress.push_back({v, m}); });
    // Zone 5 on 14 MHz: "05" and "5" are one zone; the first confirms.
    EXPECT_EQ(zones[5][4].count, 2);
    EXPECT_TRUE(zones[5][4].confirmed);
    EXPECT_EQ(zones[16][2].count, 1);
    EXPECT_TRUE(zones[16][2].confirmed);
    int filled = 0;
    for (int z = 1; z <= 40; ++z)
        for (const AwardCell &c : zones[size_t(z)]) filled += c.count > 0 || c.confirmed;
    EXPECT_EQ(filled, 2); // nothing for 41, x5, 144Mhz or the deleted QSO
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), (std::pair<qint64, qint64>{7, 7}));

    const AwardChart chart = WazChart(zones);
    EXPECT_EQ(Values(chart.worked), (std::vector<double>{0, 0, 1, 0, 1, 0, 0, 0, 0, 2}));
    EXPECT_EQ(Values(chart.confirmed), (std::vector<double>{0, 0, 1, 0, 1, 0, 0, 0, 0, 2}));
    EXPECT_EQ(chart.worked[3].label, "10");
    EXPECT_EQ(chart.worked.back(), (Bar{"All", 2, QColor(255, 0, 0)}));
    EXPECT_EQ(chart.confirmed.back(), (Bar{"", 2, QColor(0, 0, 255)}));
}

TEST_F(AwardTablesTest, AnEmptyOrMissingLogCountsNothing) {
    RecordIO::Touch(log());
    for (const QString &file : {log(), path("missing.log")}) {
        const WazTable zones = CountWazZones(file);
        EXPECT_EQ(Values(WazChart(zones).worked), std::vector<double>(10, 0));
        const RegionTable regions = CountRussianRegions(file);
        for (const AwardBands &b : regions) EXPECT_EQ(b[4].count, 0);
    }
}

TEST_F(AwardTablesTest, RegionNamesTakeTheFirstOfANumberAndEndAtAnEmptyNumber) {
    WriteAllRecords<RegionRecord>(path("russia22.dat"), {Region("0", "А"), Region("0", "А2"), Region("1", "Б"),
                                                         Region("", "конец"), Region("2", "В")});
    const auto names = ReadRegionNames(path("russia22.dat"));
    ASSERT_TRUE(names);
    EXPECT_EQ((*names)[0], "А");
    EXPECT_EQ((*names)[1], "Б");
    EXPECT_EQ((*names)[2], "");
    EXPECT_FALSE(ReadRegionNames(path("nothere.dat")));
}

TEST_F(AwardTablesTest, RegionTotalsCountNamedRowsPastAGap) {
    WriteAllRecords<RegionRecord>(path("russia22.dat"), {Region("0", "А"), Region("2", "В"), Region("95", "вне"),
                                                         Region("x", "не число")});
    WriteAllRecords(log(), std::vector<QsoRecord>{
                               InRegion("2", "14  Mhz", QslSentAndReceived),
                               InRegion(" 2 ", "14  Mhz", QslSent),
                               InRegion("90", "14  Mhz"),   // no row of its own
                               InRegion("abc", "14  Mhz"),  // not a number
                               InRegion("1", "21  Mhz"),    // unnamed row: counted, not totalled
                               Deleted(InRegion("0", "14  Mhz", QslReceived)),
                           });
    const auto names = ReadRegionNames(path("russia22.dat"));
    ASSERT_TRUE(names);
    const RegionTable regions = CountRussianRegions(log());
    EXPECT_EQ(regions[2][4].count, 2);
    EXPECT_TRUE(regions[2][4].confirmed);
    EXPECT_EQ(regions[1][6].count, 1);
    EXPECT_EQ(regions[0][4].count, 0);
    const AwardChart chart = RegionChart(*names, regions);
    EXPECT_EQ(Values(chart.worked), (std::vector<double>{0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
    EXPECT_EQ(Values(chart.confirmed), (std::vector<double>{0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
}

TEST_F(AwardTablesTest, IotaSlotsAndMarks) {
    QDir(dir_->path()).mkpath("dx");
    WriteAllRecords<IslandRecord>(path("dx/iota.dat"), {Island("EU005", "G", "Great Britain"), Island("EU001", "SV5"),
                                                        Island(""), Island("AS007", "JA")});
    auto islands = ReadIotaSlots(path("dx/iota.dat"));
    ASSERT_TRUE(islands);
    ASSERT_EQ(islands->size(), 3u);
    EXPECT_EQ((*islands)[0].reference, "EU005");
    EXPECT_EQ((*islands)[0].name, "Great Britain");
    EXPECT_EQ((*islands)[2].reference, "AS007");

    WriteAllRecords(log(), std::vector<QsoRecord>{
                               OnIsland(" EU001", QslReceived),
                               OnIsland("AS007", QslSent),
                               OnIsland("eu005"),
                               Deleted(OnIsland("EU005", QslReceived)),
                           });
    std::vector<qint64> values;
    CountIotaIslands(*islands, log(), [&](qint64 v, qint64) { values.push_back(v); });
    EXPECT_FALSE((*islands)[0].worked);
    EXPECT_TRUE((*islands)[1].worked && (*islands)[1].confirmed);
    EXPECT_TRUE((*islands)[2].worked);
    EXPECT_FALSE((*islands)[2].confirmed);
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.front(), 0); // the start, then down from the record count
    EXPECT_EQ(values.back(), 0);
    const AwardChart chart = IotaChart(*islands);
    EXPECT_EQ(chart.worked, (std::vector<Bar>{{"Iota", 2, QColor(255, 0, 0)}}));
    EXPECT_EQ(chart.confirmed, (std::vector<Bar>{{"QSL", 1, QColor(0, 0, 255)}}));

    // Another log without IOTA: no mark of the last one stays.
    WriteAllRecords(log(), std::vector<QsoRecord>{Qso("14  Mhz", QslReceived)});
    CountIotaIslands(*islands, log());
    for (const IotaSlot &s : *islands) EXPECT_FALSE(s.worked || s.confirmed);
}

TEST_F(AwardTablesTest, CountryStatisticsByModeAndBand) {
    LogColumnLists cols;
    cols.append("JA1A", "14  Mhz", "Japan", "SSB", "N");
    cols.append("JA1B", "14  Mhz", "Japan", "SSB", "Y");
    cols.append("JA1C", "14  Mhz", "Japan", "SSB", "Н"); // Cyrillic: not sent
    cols.append("JA1D", "7.0 Mhz", "Japan", "CW", "П");
    cols.append("JA1E", "14  Mhz", "Japan", "AM", "N");
    cols.append("JA1F", "144Mhz", "Japan", "SSB", "N");
    cols.append("", "21  Mhz", "Japan", "SSB", "N"); // deleted
    cols.append("JA1G", "14  Mhz", "Japan", "PSK31", "N");
    cols.append("DL1A", "14  Mhz", "Germany", "SSB", "N");
    cols.append("ZD9A", "14  Mhz", "Tristan da Cunha & Gough Islan", "CW", "N");

    const StatisticsCounters c = CountCountryStatistics(cols, "Japan");
    const AwardChart ssb = StatisticsChart(c, StatisticsMode::Ssb);
    EXPECT_EQ(ssb.worked, (std::vector<Bar>{{"14", 3, QColor(255, 0, 0)}}));
    EXPECT_EQ(ssb.confirmed, (std::vector<Bar>{{"14", 1, QColor(0, 0, 255)}}));
    const AwardChart cw = StatisticsChart(c, StatisticsMode::Cw);
    EXPECT_EQ(cw.worked, (std::vector<Bar>{{"7.0", 1, QColor(255, 0, 0)}}));
    EXPECT_EQ(cw.confirmed, (std::vector<Bar>{{"7.0", 1, QColor(0, 0, 255)}}));
    for (StatisticsMode m : {StatisticsMode::Psk, StatisticsMode::Rtty, StatisticsMode::Sstv})
        EXPECT_TRUE(StatisticsChart(c, m).worked.empty());
    int total = 0;
    for (int v : c) total += v;
    EXPECT_EQ(total, 3 + 1 + 1 + 1);

    // A partly typed name finds nothing; a world.dat name longer than the
    // record's field finds the QSOs stored under its first 30 characters.
    for (const int v : CountCountryStatistics(cols, "Japa")) EXPECT_EQ(v, 0);
    const StatisticsCounters zd9 = CountCountryStatistics(cols, "Tristan da Cunha & Gough Islands");
    EXPECT_EQ(zd9[size_t(WorkedCounter(StatisticsMode::Cw, 4))], 1);
}

// The passes over the log report where the records done (counting up) or
// left (counting down) reach a multiple of a two-hundredth of the log, and
// at the start and the end: a countdown finds those records, not a division.
TEST_F(AwardTablesTest, PassesReportProgressAtEveryStepOfTheLog) {
    for (const qint64 total : {1, 3, 401, 650}) {
        WriteAllRecords(log(), std::vector<QsoRecord>(size_t(total), Waz("5", "14  Mhz")));
        const qint64 step = std::max<qint64>(1, total / 200);
        std::vector<qint64> up{0}, down{0};
        for (qint64 i = 0; i < total; ++i) {
            if ((i + 1) % step == 0) up.push_back(i + 1);
            if ((total - i - 1) % step == 0) down.push_back(total - i - 1);
        }
        up.push_back(total);
        down.push_back(0);
        std::vector<qint64> counted, island;
        CountWazZones(log(), [&](qint64 v, qint64) { counted.push_back(v); });
        std::vector<IotaSlot> none;
        CountIotaIslands(none, log(), [&](qint64 v, qint64) { island.push_back(v); });
        EXPECT_EQ(counted, up) << total;
        EXPECT_EQ(island, down) << total;
    }
}
