// The QSL window's tables without the window: which records the filters
// take and in what order, the rows and counts of a fill, the marks and the
// card chains.
#include "logbook/reference.h"
#include "qsl/qslselection.h"
#include "tests/qsl/qslfixture.h"

using namespace zelmor;
using namespace zelmor::test;

namespace {

std::vector<QString> Column(const StringGridModel &g, int col, int from = 1) {
    std::vector<QString> out;
    for (int r = from; r < g.rowCountValue(); ++r) out.push_back(g.cell(col, r));
    return out;
}

class QslSelectionTest : public QslLogTest {
protected:
    std::vector<qint64> fill(const QslFilter &f) {
        const std::vector<qint64> ordered = SelectQslRecords(LogColumns, f, DxccCountryList);
        ClearQslTables(table, countries, regions);
        EXPECT_TRUE(FillQslTable(LogFilePath(), LogColumns, ordered, table, countries, regions).empty());
        return ordered;
    }
    QslTableModel table;
    StringGridModel countries{3, 2}, regions{4, 2};
};

} // namespace

TEST_F(QslSelectionTest, TheFiltersTakeTheirFlagsButNeverTheOwnCountryOrADeletedQso) {
    std::vector<QsoRecord> log = {
        Qso("JA1A", QslToSend), Qso("JA1B", QslSent), Qso("JA1C", QslReceived), Qso("JA1D", QslToSend),
        Qso("JA1E", QslNotToSend),
        Qso("UA3A", QslToSend, "European Russia"), // own country
        Qso("JA1F", QslToSend),                    // deleted
    };
    log[6].deleteMark = DeleteMarkText;
    writeLog(log);
    QslFilter f;
    f.toSend = true;
    EXPECT_EQ(SelectQslRecords(LogColumns, f, {}), (std::vector<qint64>{0, 3, 5}));
    f.exceptOwnCountry = true;
    f.ownCountry = "European Russia";
    EXPECT_EQ(SelectQslRecords(LogColumns, f, {}), (std::vector<qint64>{0, 3}));
    f.sent = true;
    EXPECT_EQ(SelectQslRecords(LogColumns, f, {}), (std::vector<qint64>{0, 1, 3}));
    f.received = true;
    EXPECT_EQ(SelectQslRecords(LogColumns, f, {}), (std::vector<qint64>{0, 1, 2, 3}));
    f = {};
    EXPECT_TRUE(SelectQslRecords(LogColumns, f, {}).empty());
}

// Each call's QSOs stand together on every machine ("+" below every call
// character), and within a call the indexes compare as text.
TEST(QslSelectionOrder, ByCallThenByTheIndexAsText) {
    LogColumn calls;
    const char *byIndex[] = {"UA1A/P", "JA1A", "JA1A", "UA1A1", "JA1A", "UA1A", "JA1A", "ua1a",
                             "JA1A",   "UA3ABC", "UA1A", "UA3ABC"};
    for (const char *c : byIndex) calls.append(c);
    std::vector<qint64> indexes = {5, 3, 10, 9, 11, 7, 0};
    SortQslSelection(indexes, calls);
    EXPECT_EQ(indexes, (std::vector<qint64>{10, 5, 7, 0, 3, 11, 9}));

    // A call with a "+" in it: the keys are compared whole ("UA1A+1+..."
    // meets "UA1A+5" at the index).
    calls.set(0, "UA1A+1");
    indexes = {5, 0, 10};
    SortQslSelection(indexes, calls);
    EXPECT_EQ(indexes, (std::vector<qint64>{0, 10, 5}));
}

TEST(QslDates, TakeTheMonthsNameWhenCharacters4And5AreAMonth) {
    const std::pair<const char *, const char *> cases[] = {
        {"24.12.2001", "24.dec.2001"}, {"24.12.01", "24.dec.01"}, {"01.01.1999", "01.jan.1999"},
        {"1.2.03", "1.2.03"},          {"24.13.2001", "24.13.2001"}, {"1.12.2001", "1.12.2001"},
        {"24.00.2001", "24.00.2001"},  {"", ""},
    };
    for (const auto &[in, out] : cases) EXPECT_EQ(ReformatQslDate(in), out) << in;
}

TEST_F(QslSelectionTest, AFillListsTheRowsAndCountsPerCountryAndRegion) {
    std::vector<QsoRecord> log = {
        Qso("UA3DX", QslToSend, "European Russia"), Qso("RA3AA", QslToSend, "European Russia"),
        Qso("JA1A", QslToSend), Qso("UA1A", QslToSend, "European Russia"), Qso("UA9A", QslSent, "Asiatic Russia"),
    };
    log[0].regionNumber = "16";
    log[1].regionNumber = "17";
    log[3].regionNumber = " 17";
    log[2].frequency = "14.025";
    log[2].name = "Taro";
    log[2].qslVia = "JA1XX";
    log[2].number = "77"; // a wrong number field is shown, the row keeps its record
    writeLog(log);
    QslFilter f;
    f.toSend = true;
    EXPECT_EQ(fill(f), (std::vector<qint64>{2, 1, 3, 0}));

    ASSERT_EQ(table.rowCountValue(), 5);
    EXPECT_EQ(Column(table, QslColCall), (std::vector<QString>{"JA1A", "RA3AA", "UA1A", "UA3DX"}));
    EXPECT_EQ(table.rowTexts(1), (QStringList{"77", "", "JA1A", "24.dec.2001", "12:00", "SSB", "14.025", "599", "Japan",
                                              "", "Taro", "", "", "О", "JA1XX"}));
    EXPECT_EQ(table.recordIndexOfRow(1), 2);
    EXPECT_EQ(table.cell(QslColBand, 2), "14  Mhz");
    EXPECT_EQ(Column(countries, QslCountLabel), (std::vector<QString>{"Japan", "European Russia"}));
    EXPECT_EQ(Column(countries, QslCountValue), (std::vector<QString>{"1", "3"}));
    // The label of a region is the call of its first QSO in table order.
    EXPECT_EQ(Column(regions, QslCountLabel), (std::vector<QString>{"3A", "3D"}));
    EXPECT_EQ(Column(regions, QslCountValue), (std::vector<QString>{"2", "1"}));
    EXPECT_EQ(Column(regions, QslCountKey), (std::vector<QString>{"17", "16"}));
}

TEST_F(QslSelectionTest, ASecondFillShowsOnlyItsOwnRows) {
    std::vector<QsoRecord> log;
    for (int n = 0; n < 50; ++n) {
        const QByteArray country = QStringLiteral("Country %1").arg(n, 2, 10, QChar(u'0')).toUtf8();
        log.push_back(Qso(QStringLiteral("JA%1A").arg(n).toUtf8().constData(), n < 25 ? QslToSend : QslSent,
                          country.constData()));
    }
    writeLog(log);
    QslFilter f;
    f.toSend = true;
    fill(f);
    EXPECT_EQ(countries.rowCountValue(), 26);
    f = {};
    f.sent = true;
    fill(f);
    const auto labels = Column(countries, QslCountLabel);
    ASSERT_EQ(labels.size(), 25u);
    EXPECT_TRUE(std::all_of(labels.begin(), labels.end(), [](const QString &c) { return c >= "Country 25"; }));
    EXPECT_EQ(countries.cell(QslCountLabel, 26), ""); // nothing of the first fill below
    EXPECT_EQ(countries.cell(QslCountLabel, 30), "");
    EXPECT_EQ(table.listedRows(), 25);
}

// The unconfirmed-country filters count every mode of the current log,
// whatever mode the DXCC window shows.
TEST_F(QslSelectionTest, UnconfirmedCountriesCountEveryModeOfTheLog) {
    DxccCountryList = {"Japan", "Fed. Rep. of Germany", "Italy", "Spain"};
    writeLog({
        Qso("JA1A", QslReceived, "Japan", "14  Mhz", "SSB"),
        Qso("JA1B", QslNotToSend, "Japan", "21  Mhz", "CW"),
        Qso("DL1A", QslSent, "Fed. Rep. of Germany", "14  Mhz", "CW"),
        Qso("DL1B", QslNotToSend, "Fed. Rep. of Germany", "7.0 Mhz", "CW"),
        Qso("I1A", QslNotToSend, "Italy", "144Mhz", "SSB"), // no award band: not worked
        Qso("EA1A", QslSentAndReceived, "Spain", "7.0 Mhz", "CW"),
        Qso("EA1B", QslNotToSend, "Spain", "14  Mhz", "SSB"),
    });
    EXPECT_EQ(CollectUnconfirmedCountries(LogColumns, DxccCountryList), QSet<QString>{"Fed. Rep. of Germany"});
    QslFilter f;
    f.unconfirmedCountries = true;
    EXPECT_EQ(SelectQslRecords(LogColumns, f, DxccCountryList), (std::vector<qint64>{2, 3}));

    EXPECT_EQ(CollectUnconfirmedCountriesOnBand(LogColumns, DxccCountryList, "14  Mhz"),
              (QSet<QString>{"Fed. Rep. of Germany", "Italy", "Spain"}));
    EXPECT_EQ(CollectUnconfirmedCountriesOnBand(LogColumns, DxccCountryList, "144Mhz").size(), 4);
    f = {};
    f.unconfirmedOnBand = true;
    f.band = "14  Mhz";
    EXPECT_EQ(SelectQslRecords(LogColumns, f, DxccCountryList), (std::vector<qint64>{2, 6}));
    EXPECT_EQ(UnconfirmedBandCountries.size(), 3); // rebuilt by the fill's selection
}

namespace {

// Rows of one table: (call, via), all marked unless said otherwise.
void Rows(QslTableModel &t, const std::vector<std::pair<const char *, const char *>> &rows, bool marked = true) {
    std::vector<QsoRecord> records;
    for (const auto &[call, via] : rows) {
        QsoRecord r = Qso(call, QslToSend);
        r.qslVia = QString::fromUtf8(via);
        records.push_back(r);
    }
    FillTable(t, records);
    for (int r = 1; r <= t.listedRows() && marked; ++r) t.setCell(QslColMark, r, QslMark);
}

} // namespace

TEST(QslGrouping, ChainsEachCallsQsosIntoCardsEndingAtTheirOwnTail) {
    QslTableModel t;
    Rows(t, {{"UA1A", ""}, {"UA1A", ""}, {"UA1A", ""}, {"UA1A", ""}, {"DL1A", ""}});
    t.setCell(QslColMark, 5, QString());
    GroupQsosPerCard(t, " 2 ");
    EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"2", "0", "4", "0", ""}));
    EXPECT_EQ(Column(t, QslColMark), (std::vector<QString>{"*", "*", "*", "*", ""}));

    // Unmarked rows of the call join the head's card; a single row of a
    // call stays as it is.
    Rows(t, {{"UA1A", ""}, {"JA1A", ""}, {"UA1A", ""}, {"UA1A", ""}}, false);
    t.setCell(QslColMark, 1, QslMark);
    t.setCell(QslColMark, 2, QslMark);
    GroupQsosPerCard(t, "5");
    EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"3", "", "4", "0"}));
    EXPECT_EQ(Column(t, QslColMark), (std::vector<QString>{"*", "*", "*", "*"}));

    for (const char *none : {"", "0", " ", "x"}) {
        Rows(t, {{"UA1A", ""}, {"UA1A", ""}});
        GroupQsosPerCard(t, none);
        EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"", ""})) << none;
    }
}

TEST(QslGrouping, ByManagerACardHoldsOneManagersQsos) {
    QslTableModel t;
    Rows(t, {{"UA1A", ""}, {"UA1A", "UA1ABC"}, {"UA1A", "DL1XX"}});
    GroupQsosPerCardByManager(t, "3");
    EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"2", "0", ""}));

    // The head's manager binds from the start; linked rows are no candidates.
    Rows(t, {{"UA1A", "DL1XX"}, {"UA1A", "UA1ABC"}, {"UA1A", "DL1XX"}, {"UA1A", "DL1XX"}});
    t.setCell(QslColLink, 4, "0");
    GroupQsosPerCardByManager(t, "3");
    EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"3", "", "0", "0"}));
}

TEST(QslMarks, CountersAndUnmarkingEmptyTheLinks) {
    QslTableModel t;
    std::vector<std::pair<const char *, const char *>> many(15, {"UA1A", ""});
    for (const auto &[marked, panel1, panel2] : {std::tuple{15, 15, 2}, {14, 14, 2}, {13, 13, 1}, {0, 0, 0}}) {
        Rows(t, many, false);
        for (int r = 1; r <= marked; ++r) ToggleQsoRow(t, r);
        const QslMarkedCounters c = UpdateMarkedCounters(t);
        EXPECT_EQ(std::make_pair(c.marked, c.sheets), std::make_pair(panel1, panel2)) << marked;
    }

    Rows(t, {{"UA1A", ""}, {"UA1A", ""}, {"UA1A", ""}});
    GroupQsosPerCard(t, "3");
    ToggleQsoRow(t, 1); // unmarked: its chain is no card any more
    EXPECT_EQ(t.cell(QslColMark, 1), "");
    EXPECT_EQ(t.cell(QslColLink, 1), "");
    ClearMarks(t);
    EXPECT_EQ(Column(t, QslColLink), (std::vector<QString>{"", "", ""}));
    EXPECT_EQ(UpdateMarkedCounters(t).marked, 0);
    t.setCell(QslColCall, 2, QString()); // sent already: cannot be marked
    ToggleQsoRow(t, 2);
    EXPECT_EQ(t.cell(QslColMark, 2), "");
}

TEST_F(QslSelectionTest, CountryAndRegionRowsMarkTheirQsos) {
    std::vector<QsoRecord> log = {
        Qso("UA3A", QslToSend, "European Russia"), Qso("UA3B", QslToSend, "European Russia"),
        Qso("UA3C", QslToSend, "European Russia"), Qso("JA1A", QslToSend), Qso("JA1B", QslToSend),
    };
    log[0].regionNumber = log[1].regionNumber = "17";
    log[2].regionNumber = "16";
    writeLog(log);
    QslFilter f;
    f.toSend = true;
    fill(f); // JA1A, JA1B, UA3A, UA3B, UA3C; Japan 2, European Russia 3
    table.setCell(QslColCall, 4, QString()); // UA3B sent already
    ToggleCountryRow(table, countries, 2);
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"", "", "*", "", "*"}));
    EXPECT_EQ(countries.cell(QslCountMark, 2), "*");
    table.setCell(QslColLink, 3, "0");
    ToggleCountryRow(table, countries, 2);
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"", "", "", "", ""}));
    EXPECT_EQ(Column(table, QslColLink), (std::vector<QString>{"", "", "", "", ""}));

    ToggleRegionRow(table, regions, 1); // 17: UA3A (UA3B has no call)
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"", "", "*", "", ""}));
    ToggleRegionRow(table, regions, 1);
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"", "", "", "", ""}));

    EXPECT_TRUE(ToggleCountryRows(table, countries, CountrySelection::ExactlyThree));
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"", "", "*", "", "*"}));
    EXPECT_TRUE(ToggleCountryRows(table, countries, CountrySelection::All));
    EXPECT_EQ(Column(table, QslColMark), (std::vector<QString>{"*", "*", "", "", ""}));
    countries.setCell(QslCountValue, 1, "x");
    EXPECT_FALSE(ToggleCountryRows(table, countries, CountrySelection::AtLeastThree));
    ClearQslTables(table, countries, regions);
    EXPECT_FALSE(ToggleCountryRows(table, countries, CountrySelection::AtLeastThree)); // "Пустая таблица!"
}
