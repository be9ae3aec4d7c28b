#include "common/codepage.h"
#include "logtools/logsearch.h"
#include "tests/logtools/searchfixture.h"

#include <QDir>
#include <QFile>

using namespace zelmor;
using namespace zelmor::test;

namespace {
using Numbers_ = std::vector<int>;
} // namespace

TEST_F(SearchLogTest, CriteriaOnTenRecords) {
    struct Case {
        const char *what;
        std::function<void(SearchCriteria &)> set;
        Numbers_ listed;
    };
    const Case cases[] = {
        {"none", [](SearchCriteria &) {}, {}},
        {"from 0", [](SearchCriteria &c) { c.numberFrom = "0"; }, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"3..5", [](SearchCriteria &c) { c.numberFrom = "3", c.numberTo = "5"; }, {3, 4, 5}},
        {"5 with to 3", [](SearchCriteria &c) { c.numberFrom = "5", c.numberTo = "3"; }, {5, 6, 7, 8, 9, 10}},
        {"to 999", [](SearchCriteria &c) { c.numberTo = "999"; }, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"only to 4", [](SearchCriteria &c) { c.numberTo = "4"; }, {1, 2, 3, 4}},
        {"from past the end", [](SearchCriteria &c) { c.numberFrom = "11"; }, {}},
        {"band exactly", [](SearchCriteria &c) { c.band = "14  Mhz"; }, {1, 3, 6, 7, 9, 10}},
        {"country part is case-sensitive", [](SearchCriteria &c) { c.countryPart = "Jap"; }, {1, 4, 8}},
        {"chosen countries win over the typed part",
         [](SearchCriteria &c) {
             c.countries = QStringList{"Japan", "Germany", "Japan"};
             c.countryPart = "Germany";
         },
         {1, 2, 4, 5, 7, 8}},
        {"band and mode and range",
         [](SearchCriteria &c) {
             c.band = "7.0 Mhz", c.mode = "CW", c.numberTo = "9";
         },
         {4}},
        {"info part", [](SearchCriteria &c) { c.info = "AS-0"; }, {4}},
        {"name part", [](SearchCriteria &c) { c.name = "bor"; }, {2}},
        {"patterns", [](SearchCriteria &c) { c.callPatterns = QStringList{"UA3***", "W1**"}; }, {1, 2, 9, 10}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        SearchCriteria criteria;
        c.set(criteria);
        const SearchOutcome found = SearchLog(log_, criteria);
        EXPECT_TRUE(found.error.isEmpty());
        EXPECT_EQ(Numbers(found.indexes), c.listed);
    }
}

TEST(CallPatterns, FollowTheLineRules) {
    struct Case {
        QStringList lines;
        const char *call;
        bool matches;
    } cases[] = {
        {{"UA3***"}, "UA3ABC", true},
        {{"UA3***"}, "UA3AB", true},
        {{"UA3***"}, "UA3ABCD", false},     // the line is shorter than the call
        {{"UA3*"}, "UA3ABC", false},
        {{"UA3*"}, "UA3AB", false},
        {{"UA****"}, "UA9XYZ", true},
        {{"UA****"}, "UA3AB", true},
        {{"UA*", "UA3***"}, "UA3ABC", false}, // a short line ends the list
        {{"******"}, "UA3ABC", false},
        {{"******", "UA3***"}, "UA3ABC", false},
        {{"ua3***"}, "UA3ABC", true},
        {{"", "UA3***"}, "UA3ABC", false},    // an empty line ends the list
        {{"K1******", "UA3***"}, "UA3ABC", true},
        {{"UA3ABCX"}, "UA3ABC", false},       // a letter past the call's end never matches
        {{"ЮА3***"}, "ЮА3АБВ", true},
        {{"юа3***"}, "ЮА3АБВ", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.lines.join('|').toStdString() + " / " + c.call);
        EXPECT_EQ(MatchesCallPatterns(QString::fromUtf8(c.call), c.lines), c.matches);
    }
}

TEST_F(SearchLogTest, DateCriteria) {
    SearchCriteria c;
    c.dateFrom = "01.01.2000";
    c.dateTo = "01.01.2000";
    EXPECT_EQ(Numbers(SearchLog(log_, c).indexes), (Numbers_{1, 3}));
    c.dateTo = "  .  .    ";
    c.dateFrom = "  .  .    ";
    c.numberTo = "3";
    EXPECT_EQ(Numbers(SearchLog(log_, c).indexes), (Numbers_{1, 2, 3})); // a blank mask is no criterion
}

TEST_F(SearchLogTest, UnreadableRecordDateFailsTheCriterionAndTheScanGoesOn) {
    auto qsos = TenQsos();
    qsos[4].date = "  .  .    ";
    qsos[5].date = "31.02.2003";
    WriteAllRecords(log_, qsos);
    SearchCriteria c;
    c.dateFrom = "01.01.2003";
    const SearchOutcome found = SearchLog(log_, c);
    EXPECT_EQ(Numbers(found.indexes), (Numbers_{4, 7, 8, 9, 10}));
    EXPECT_EQ(found.unreadableDates, 2);
    EXPECT_EQ(found.firstUnreadableNumber, "5");
}

TEST_F(SearchLogTest, HalfTypedOrImpossibleCriterionDateListsNothing) {
    for (const char *bad : {"31.02.2024", "12.05.20  ", "1 .05.2024"}) {
        SCOPED_TRACE(bad);
        SearchCriteria c;
        c.numberFrom = "0";
        c.dateTo = bad;
        const SearchOutcome found = SearchLog(log_, c);
        EXPECT_TRUE(found.indexes.empty());
        EXPECT_TRUE(found.error.contains(bad));
    }
}

TEST_F(SearchLogTest, ATrailingPartialRecordAndAnOverlongLengthByteAreHarmless) {
    QByteArray b = bytes();
    b[2 * 457 + 318] = char(200); // record 3's country length byte
    b += QByteArray(100, 'x');
    QFile f(log_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
    f.close();
    SearchCriteria c;
    c.numberFrom = "0";
    EXPECT_EQ(SearchLog(log_, c).indexes.size(), 10u);
    c.countryPart = "japan";
    EXPECT_EQ(Numbers(SearchLog(log_, c).indexes), (Numbers_{3})); // the 30 bytes from "japan" on
}

TEST_F(SearchLogTest, SortIsStableAndByDateThenTime) {
    // By date: 31.12.99 first, then 01.01.2000 by time, then 15.04.2003 in file order.
    EXPECT_EQ(Numbers(SortLogByColumn(log_, 4)), (Numbers_{2, 3, 1, 4, 5, 6, 7, 8, 9, 10}));
    // Equal calls keep file order: 9 before 10.
    const auto byCall = Numbers(SortLogByColumn(log_, 1));
    EXPECT_EQ(byCall, (Numbers_{7, 6, 8, 5, 2, 1, 3, 4, 9, 10}));
    // Case-insensitive names: "boris" before "Ivan".
    EXPECT_EQ(Numbers(SortLogByColumn(log_, 2)).front(), 2);
    // Column 0 and the columns after FREQ sort too, instead of leaving one row.
    EXPECT_EQ(Numbers(SortLogByColumn(log_, 0)), (Numbers_{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Numbers(SortLogByColumn(log_, 22)), (Numbers_{1, 2, 3, 4, 5, 6, 8, 9, 10, 7}));
    EXPECT_EQ(SortLogByColumn(log_, 23).size(), 10u);
}

TEST_F(SearchLogTest, SortKeepsATextWithDollarSigns) {
    auto qsos = TenQsos();
    qsos[0].name = "A$B";
    qsos[1].name = "A$A";
    WriteAllRecords(log_, qsos);
    const auto order = Numbers(SortLogByColumn(log_, 2));
    EXPECT_EQ(order[0], 2);
    EXPECT_EQ(order[1], 1);
}

TEST_F(SearchLogTest, EditRulesPerColumn) {
    struct Case {
        int column;
        QString cell;
        CellEditResult result;
        QString QsoRecord::*field;
        QString stored;
    } cases[] = {
        {1, "", CellEditResult::Unchanged, &QsoRecord::call, "UA3AB"},
        {1, "UA3 XYZ", CellEditResult::Written, &QsoRecord::call, "UA3XYZ"},
        {2, "", CellEditResult::Written, &QsoRecord::name, ""},
        {4, "  .  .    ", CellEditResult::Unchanged, &QsoRecord::date, "31.12.99"},
        {4, "31.02.2024", CellEditResult::InvalidDate, &QsoRecord::date, "31.12.99"},
        {4, "29.02.2024", CellEditResult::Written, &QsoRecord::date, "29.02.2024"},
        {5, "  :  ", CellEditResult::Unchanged, &QsoRecord::time, "23:59"},
        {5, "25:00", CellEditResult::InvalidTime, &QsoRecord::time, "23:59"},
        {8, "", CellEditResult::Unchanged, &QsoRecord::rstReceived, "59"},
        {10, "", CellEditResult::Written, &QsoRecord::points, ""},
        {11, QString(200, 'i'), CellEditResult::Written, &QsoRecord::info, QString(160, 'i')},
        {14, "", CellEditResult::Unchanged, &QsoRecord::country, "Germany"},
        {17, "", CellEditResult::Written, &QsoRecord::qslVia, ""},
        {20, "99", CellEditResult::Unchanged, &QsoRecord::longitude, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.column);
        WriteAllRecords(log_, TenQsos());
        const QByteArray before = bytes();
        QsoRecord stored;
        EXPECT_EQ(EditLoggedField(log_, 1, c.column, c.cell, &stored), c.result);
        EXPECT_EQ(record(1).*(c.field), c.stored);
        EXPECT_EQ(stored.*(c.field), c.stored);
        if (c.result != CellEditResult::Written) {
            EXPECT_EQ(bytes(), before);
        }
    }
    EXPECT_EQ(EditLoggedField(log_, 10, 2, "X"), CellEditResult::NoRecord);
}

TEST_F(SearchLogTest, AnEditPatchesOnlyItsField) {
    QByteArray b = bytes();
    char *rec = b.data() + 457;
    rec[7 + 1 + 5] = 'Q';          // after the call's text: bytes with no meaning
    rec[365] = char(200);          // the locator's length byte beyond its capacity
    QFile f(log_);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
    f.close();
    ASSERT_EQ(EditLoggedField(log_, 1, 3, QStringLiteral("Москва")), CellEditResult::Written);
    const QByteArray after = bytes();
    EXPECT_EQ(after.mid(457 + 48, 7), QByteArray::fromHex("06CCEEF1EAE2E0"));
    for (int i = 0; i < after.size(); ++i)
        if (i < 457 + 48 || i >= 457 + 74) {
            ASSERT_EQ(after[i], b[i]) << "byte " << i;
        }
}

TEST_F(SearchLogTest, LogColumnsFollowAnEdit) {
    OpenLog();
    ASSERT_EQ(LogColumns.indexesOfCountry("Germany"), (std::vector<qint64>{1, 4, 6}));
    QsoRecord stored;
    ASSERT_EQ(EditLoggedField(log_, 1, 14, "France", &stored), CellEditResult::Written);
    UpdateLogColumnsEntry(1, stored);
    EXPECT_EQ(LogColumns.indexesOfCountry("Germany"), (std::vector<qint64>{4, 6}));
    EXPECT_EQ(LogColumns.indexesOfCountry("France"), (std::vector<qint64>{1, 5}));
    // The deleted record keeps its empty call.
    ASSERT_EQ(EditLoggedField(log_, 6, 14, "Spain", &stored), CellEditResult::Written);
    UpdateLogColumnsEntry(6, stored);
    EXPECT_EQ(LogCalls[6], "");
    EXPECT_EQ(LogCountries[6], "Spain");
}

TEST_F(SearchLogTest, SaveAsNames) {
    RecordIO::Touch(path("plain"));
    struct Case {
        QString chosen, target;
    } cases[] = {
        {path("abc"), path("abclog.dat")},
        {path("abc.log"), path("abc.log")},
        {path("ABCLOG.DAT"), path("ABCLOG.DAT")},
        {path("plain"), path("plain")},
    };
    for (const Case &c : cases) EXPECT_EQ(SaveAsLogPath(c.chosen), c.target);
    EXPECT_TRUE(SameFilePath(log_, QDir(path("")).filePath("./test.log")));
}
