// The QSO window's country list and the cycle through the countries of an
// ambiguous prefix: on the shipped country table, and on small tables that
// show the cycle and a blank record.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/countrylist.h"
#include "platform/paths.h"

#include <QFile>
#include <QFrame>

using namespace zelmor;
using test::QsoWindowTest;

namespace {

class CountryListTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        test::Clock().time = QDateTime(QDate(2024, 5, 1), QTime(12, 0));
    }
    void useShippedTable() {
        QFile::remove(path("dx/world.dat"));
        ASSERT_TRUE(QFile::copy(test::SourceDir() + "/data/dx/world.dat", path("dx/world.dat")));
        ASSERT_TRUE(LoadCountryTable(&form1->strw->model()));
    }
    void useTable(const std::vector<CountryRecord> &records) {
        WriteAllRecords<CountryRecord>(path("dx/world.dat"), records);
        ASSERT_TRUE(LoadCountryTable(&form1->strw->model()));
    }
    static const StringGridModel &grid() { return form1->strw->model(); }
    static QStringList selectedRow() { return grid().rowTexts(SelectedCountryRow); }
    static int rowOfPrefix(const QString &prefix) {
        for (int r = 0; r < grid().rowCountValue(); ++r)
            if (grid().cell(0, r) == prefix) return r;
        return -1;
    }
    struct Values {
        QString country, waz, itu, continent, lat, lon, offset, common, local, region, regionCode;
        bool operator==(const Values &) const = default;
    };
    static Values values() {
        return {DxCountry, DxWaz, DxItu, DxContinent, DxLatitude, DxLongitude, DxUtcOffset,
                DxCommonPrefix, DxLocalTime, DxRegionName, DxRegionCode};
    }
};

TEST_F(CountryListTest, SearchesOnTheShippedTable) {
    useShippedTable();
    struct Case {
        const char *mpf, *row, *country;
    };
    // The longest leading part that is a prefix of the list.
    for (const Case &c : {Case{"UA9", "UA9", "Asiatic Russia"}, Case{"UA3", "U", "European Russia"}}) {
        form1->mpf->setText(QString::fromLatin1(c.mpf));
        EXPECT_EQ(selectedRow(), QStringList({c.row, c.country})) << c.mpf;
        EXPECT_EQ(form1->strw->currentIndex().row(), SelectedCountryRow) << c.mpf;
    }
    // The first country whose name begins with the text, exactly as typed.
    form1->mdxcc->setText("Bel");
    EXPECT_EQ(selectedRow(), QStringList({"EU", "Belarus"}));
    form1->FindCountryRowByText("bel", CountryListCountryColumn);
    EXPECT_EQ(selectedRow(), QStringList({"EU", "Belarus"}));
    EXPECT_EQ(FindCountryRowByText(grid(), u"bel", CountryListCountryColumn), -1);
    // The country field keeps a capital first letter.
    form1->mdxcc->clear();
    type(form1->mdxcc, "bel");
    EXPECT_EQ(form1->mdxcc->text(), "Bel");
}

TEST_F(CountryListTest, TheChosenRowTakesItsOwnRecord) {
    useShippedTable();
    showWindow();
    // Enter on row "K": the record of "K" itself, not the last US record.
    form1->strw->setRow(rowOfPrefix("K"));
    form1->strw->setFocus();
    key(form1->strw, Qt::Key_Return);
    EXPECT_EQ(DxCountry, "United States");
    EXPECT_EQ(DxWaz, "05");
    EXPECT_EQ(DxItu, "08");
    EXPECT_EQ(DxCommonPrefix, "K");
    EXPECT_EQ(focused(), form1->call);

    // Shift+F9: the part after "/" names the country.
    form1->call->setText("UA3ABC/UN7");
    key(form1->call, Qt::Key_F9, Qt::ShiftModifier);
    EXPECT_EQ(DxCountry, "Kazakhstan");
    EXPECT_EQ(DxItu, "30");
    EXPECT_EQ(DxUtcOffset, "-5,0");
    EXPECT_EQ(DxLocalTime, "17:00");
    // A part that is no prefix, or no "/" at all: nothing changes.
    for (const char *call : {"UA3ABC/P", "UA3ABC"}) {
        analyse(QString::fromLatin1(call));
        const Values before = values();
        const int row = SelectedCountryRow;
        key(form1->call, Qt::Key_F9, Qt::ShiftModifier);
        EXPECT_TRUE(values() == before) << call;
        EXPECT_EQ(SelectedCountryRow, row) << call;
    }
}

TEST_F(CountryListTest, ShiftF6OpensTheListAtTheCallsPrefixAndClosesIt) {
    useShippedTable();
    showWindow();
    analyse("UA9ABC");
    ASSERT_EQ(CountryCandidates.size(), 0);
    key(form1->call, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_FALSE(form1->Panel5->isHidden());
    EXPECT_EQ(focused(), form1->strw);
    EXPECT_EQ(selectedRow(), QStringList({"UA9", "Asiatic Russia"}));
    key(form1->strw, Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(form1->Panel5->isHidden());
    EXPECT_EQ(focused(), form1->call);
    // The picture takes the selected country and hides the list.
    form1->Panel5->show();
    form1->mpf->setText("DL");
    form1->Image19->press(false);
    form1->Image19->release();
    EXPECT_EQ(DxCountry, "Fed. Rep. of Germany");
    EXPECT_TRUE(form1->Panel5->isHidden());
}

TEST_F(CountryListTest, TheRegionStaysOnlyWithItsOwnCountry) {
    useShippedTable();
    WriteAllRecords<RegionRecord>(path("russia22.dat"), {test::Region("3A", "г.Москва", "37,62", "55,75", "12", "16", "29")});
    struct Case {
        const char *prefix, *country, *region;
    };
    for (const Case &c : {Case{"DL", "Fed. Rep. of Germany", ""}, Case{"R", "European Russia", "12"}}) {
        SCOPED_TRACE(c.prefix);
        analyse("UA3ABC");
        ASSERT_EQ(DxRegionCode, "12");
        form1->mpf->setText(QString::fromLatin1(c.prefix));
        form1->ApplyCountryFromGrid();
        ASSERT_TRUE(form1->SaveQso());
        const QsoRecord r = logRecords().back();
        EXPECT_EQ(r.country, QString::fromLatin1(c.country));
        EXPECT_EQ(r.regionNumber, QString::fromLatin1(c.region));
    }
}

TEST_F(CountryListTest, ShiftF6CyclesTheCandidatesWithTheirOwnValues) {
    CountryRecord bouvet = test::Country("3Y/B", "Bouvet", "38", "67", "-54,42", "3,36", "-1,0", "AF");
    CountryRecord peter = test::Country("3Y/P", "Peter 1 Island", "12", "72", "-68,77", "-90,58", "4,0", "SA");
    useTable({test::Country("3Y", "Antarctica", "13", "73", "-90,0", "0,0", "0,0", "SA", "1,2,"), bouvet, peter});
    showWindow();
    DxPrefix = "3Y";
    form1->LookupCountryByPrefix();
    EXPECT_EQ(StatusText, "Определите страну нажатием Shift+F6");
    EXPECT_EQ(CountryCandidates.record, (QList<qint64>{1, 2}));
    EXPECT_EQ(CountryCandidates.time, (QStringList{"-1,0", "4,0"}));
    // A call still waiting for its analysis: the analysis runs first, so the
    // candidates are the call's own.
    analyse("UA9ABC");
    form1->call->setText("3Y0Y");
    ASSERT_TRUE(form1->Timer4->isActive());
    key(form1->call, Qt::Key_F6, Qt::ShiftModifier);
    struct Step {
        const char *country, *waz, *itu, *common, *local;
    };
    const Step steps[] = {{"Peter 1 Island", "12", "72", "3Y/P", "8:00"},
                          {"Bouvet", "38", "67", "3Y/B", "13:00"},
                          {"Peter 1 Island", "12", "72", "3Y/P", "8:00"}};
    bool first = true;
    for (const Step &s : steps) {
        if (!first) key(form1->call, Qt::Key_F6, Qt::ShiftModifier);
        first = false;
        EXPECT_EQ(DxCountry, QString::fromLatin1(s.country));
        EXPECT_EQ(DxWaz, QString::fromLatin1(s.waz));
        EXPECT_EQ(DxItu, QString::fromLatin1(s.itu));
        EXPECT_EQ(DxCommonPrefix, QString::fromLatin1(s.common));
        EXPECT_EQ(DxLocalTime, QString::fromLatin1(s.local));
    }
    EXPECT_TRUE(form1->Panel5->isHidden());
    ASSERT_TRUE(form1->SaveQso());
    EXPECT_EQ(logRecords().back().country, "Peter 1 Island");
    EXPECT_EQ(logRecords().back().waz, "12");
}

TEST_F(CountryListTest, ABlankRecordGivesNoRowAndHidesNothing) {
    useTable({CountryRecord{}, test::Country("UA", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
              test::Country("DL", "Fed. Rep. of Germany", "14", "28", "51,0", "10,0", "-1", "EU")});
    EXPECT_EQ(PrefixList.size(), 3);
    ASSERT_EQ(grid().rowCountValue(), 2);
    EXPECT_FALSE(grid().cell(0, 0).isEmpty());
    form1->mdxcc->setText("Fed");
    EXPECT_EQ(selectedRow(), QStringList({"DL", "Fed. Rep. of Germany"}));
    analyse("DL1ABC");
    EXPECT_EQ(DxCountry, "Fed. Rep. of Germany");
}

TEST_F(CountryListTest, TakingACountryWithoutItsTableChangesNothing) {
    useShippedTable();
    analyse("UA9ABC");
    form1->mpf->setText("DL");
    const Values before = values();
    QFile::remove(path("dx/world.dat"));
    form1->ApplyCountryFromGrid();
    EXPECT_TRUE(values() == before);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Нет файла \" World.dat\"");
}

TEST(CountryListSearch, IncrementalSearchTakesTheLastRowOfTheLongestPart) {
    StringGridModel g(2, 5);
    const char *rows[5][2] = {{"U", "European Russia"}, {"UA", "European Russia"}, {"UA9", "Asiatic Russia"},
                              {"UA9", "Asiatic Russia (2)"}, {"UB", "European Russia"}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c) g.setCell(c, r, QString::fromUtf8(rows[r][c]));
    EXPECT_EQ(FindCountryRowIncremental(g, u"UA9XYZ", 0), 3);
    EXPECT_EQ(FindCountryRowIncremental(g, u"UA3", 0), 1);
    EXPECT_EQ(FindCountryRowIncremental(g, u"UC", 0), 0);
    EXPECT_EQ(FindCountryRowIncremental(g, u"W", 0), -1);
    EXPECT_EQ(FindCountryRowIncremental(g, u"", 0), -1);
    // A shorter cell never matches a longer text.
    EXPECT_EQ(FindCountryRowByText(g, u"European Russias", 1), -1);
    EXPECT_EQ(FindCountryRowByText(g, u"Asiatic", 1), 2);
}

} // namespace
