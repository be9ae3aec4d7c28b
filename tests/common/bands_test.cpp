#include "common/bands.h"

#include <gtest/gtest.h>

using namespace zelmor;

TEST(Bands, TheFourTablesExactly) {
    const char *expected[BandCount][4] = {
        {"136Khz", "136", "2200m", "2200M"}, {"1.8 Mhz", "1.8", "160m", "160M"}, {"3.6 Mhz", "3.6", "80m", "80M"},
        {"7.0 Mhz", "7.0", "40m", "40M"},    {"10  Mhz", "10", "30m", "30M"},    {"14  Mhz", "14", "20m", "20M"},
        {"18  Mhz", "18", "17m", "17M"},     {"21  Mhz", "21", "15m", "15M"},    {"24  Mhz", "24", "12m", "12M"},
        {"28  Mhz", "28", "10m", "10M"},     {"50  Mhz", "50", "6m", "6M"},      {"144Mhz", "144", "2m", "2M"},
        {"430Mhz", "430", "0.7m", "0.7M"},   {"1.2 Ghz", "1200", "0.2m", "0.2M"},
    };
    for (int i = 0; i < BandCount; ++i) {
        EXPECT_EQ(LogBandNames[i], QString::fromLatin1(expected[i][0])) << i;
        EXPECT_EQ(NominalBandFrequencies[i], QString::fromLatin1(expected[i][1])) << i;
        EXPECT_EQ(AdifBandNames[i], QString::fromLatin1(expected[i][2])) << i;
        EXPECT_EQ(AdifBandNamesUpper[i], QString::fromLatin1(expected[i][3])) << i;
    }
}

TEST(Bands, IndexOfAStoredBandText) {
    EXPECT_EQ(LogBandIndex(u"14  Mhz"), 5);
    EXPECT_EQ(LogBandIndex(u" 14  Mhz "), 5);
    EXPECT_EQ(LogBandIndex(u"14 Mhz"), -1); // one blank: no band
    EXPECT_EQ(LogBandIndex(u"1.2 Ghz"), 13);
    EXPECT_EQ(LogBandIndex(u""), -1);
}

TEST(Bands, DefaultReportPerMode) {
    const std::pair<const char16_t *, const char *> cases[] = {
        {u"SSB", "59"},  {u"CW", "599"},  {u"RTTY", "599"}, {u"PSK", "599"}, {u"SSTV", "595"},
        {u"AM", "595"},  {u"FM", "595"},  {u"MT63", ""},    {u"", ""},       {u"ssb", ""},
    };
    for (const auto &[mode, rst] : cases) EXPECT_EQ(DefaultRstForMode(mode), QString::fromLatin1(rst));
    EXPECT_EQ(ModeList.join(','), QStringLiteral("SSB,CW,PSK,AM,FM,RTTY,SSTV,MT63"));
}
