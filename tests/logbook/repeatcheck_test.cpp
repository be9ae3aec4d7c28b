#include "logbook/repeatcheck.h"

#include <gtest/gtest.h>

using namespace zelmor;

TEST(RepeatScan, CountsTheCountryPerBandAndFindsTheCall) {
    LogColumnLists cols;
    auto add = [&](const char *call, const char *band, const char *country, const char *flag) {
        cols.LogCalls << QString::fromUtf8(call);
        cols.LogBands << QString::fromUtf8(band);
        cols.LogCountries << QString::fromUtf8(country);
        cols.LogModes << "SSB";
        cols.LogQslFlags << QString::fromUtf8(flag);
    };
    add("UA3XYZ", "14  Mhz", "European Russia", "N");
    add("UA3ABC", "14  Mhz", "European Russia", "П");
    add("UA3QQQ", "14  Mhz", "European Russia", "Y");
    add("UA3ABC", "7.0 Mhz", "European Russia", "");
    add("UA3ZZZ", "14 Mhz", "European Russia", "N"); // one blank: no band
    add("", "14  Mhz", "European Russia", "П");      // a deleted record still counts for the country
    add("JA1ABC", "14  Mhz", "Japan", "N");
    ClearBandCounters();
    const auto r = ScanLogColumns(cols, "European Russia", "UA3ABC");
    EXPECT_TRUE(r.countryWorked);
    EXPECT_EQ(r.repeats, (std::vector<qint64>{1, 3}));
    EXPECT_EQ(CountryWorkedPerBand[5], 4);
    EXPECT_EQ(CountryConfirmedPerBand[5], 3);
    EXPECT_EQ(CountrySentPerBand[5], 1);
    EXPECT_EQ(CountryWorkedPerBand[3], 1);
    EXPECT_EQ(CountryConfirmedPerBand[3], 0);
    int total = 0;
    for (int v : CountryWorkedPerBand) total += v;
    EXPECT_EQ(total, 5);

    ClearBandCounters();
    const auto none = ScanLogColumns(cols, "Brazil", "PY1AA");
    EXPECT_FALSE(none.countryWorked);
    EXPECT_TRUE(none.repeats.empty());
    EXPECT_EQ(CountryWorkedPerBand[5], 0);
}

TEST(DefaultQslState, RulesInOrderTheLaterDeciding) {
    const QString send = QStringLiteral("Отправить"), keep = QStringLiteral("Не отправлять");
    auto base = [] {
        QslRuleInputs in;
        in.dxCountry = "Japan";
        in.ownCountry = "European Russia";
        in.dxContinent = "AS";
        in.ownContinent = "EU";
        in.current = "Получено";
        return in;
    };
    QslRuleInputs in = base();
    EXPECT_EQ(ChooseDefaultQslState(in), "Получено"); // no rule keeps the field
    in.qslf1 = true;
    in.eqslf1 = " 2 ";
    in.confirmedOnBand = 1;
    EXPECT_EQ(ChooseDefaultQslState(in), send);
    in.confirmedOnBand = 2;
    EXPECT_EQ(ChooseDefaultQslState(in), keep);
    in.eqslf1 = "";
    EXPECT_EQ(ChooseDefaultQslState(in), "Получено");
    in.eqslf1 = "x1"; // not a number: the rule is skipped
    EXPECT_EQ(ChooseDefaultQslState(in), "Получено");
    in = base();
    in.qslf2 = true;
    EXPECT_EQ(ChooseDefaultQslState(in), send);
    in.dxCountry = in.ownCountry;
    EXPECT_EQ(ChooseDefaultQslState(in), keep);
    // qslf1 and qslf3 both on: the continent rule decides.
    in = base();
    in.qslf1 = true;
    in.eqslf1 = "5";
    in.qslf3 = true;
    in.dxContinent = "EU";
    EXPECT_EQ(ChooseDefaultQslState(in), keep);
}

TEST(ClubTag, AppendedOnce) {
    EXPECT_EQ(WithClubTag("", " DIG-№", "123"), " DIG-№123");
    EXPECT_EQ(WithClubTag(" DIG-№123", " DIG-№", "123"), " DIG-№123");
    EXPECT_EQ(WithClubTag("hello DIG-№123 x", " DIG-№", "123"), "hello DIG-№123 x");
    EXPECT_EQ(WithClubTag("text", " Ветеран-№", "7"), "text Ветеран-№7");
}
