// QSL states written back into the log, checked on the record bytes.
#include "qsl/qslmarking.h"
#include "tests/qsl/qslfixture.h"

using namespace zelmor;
using namespace zelmor::test;

namespace {

// The bytes of a record but its QSL field (349 to 364).
QByteArray OutsideQslField(const QByteArray &record) { return record.left(349) + record.mid(365); }

class QslMarkingTest : public QslLogTest {
protected:
    // Rows 1.. of the table are the log's records in order, all marked.
    void fillAll() {
        std::vector<QsoRecord> records;
        for (qint64 i = 0; i < LogColumns.size(); ++i) records.push_back(record(i));
        FillTable(table, records, LogFilePath());
        for (int r = 1; r <= table.listedRows(); ++r) table.setCell(QslColMark, r, QslMark);
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.text);
        return out;
    }
    QslTableModel table;
};

} // namespace

TEST_F(QslMarkingTest, PrintedQsosBecomeSentAndOnlyTheirQslFieldChanges) {
    std::vector<QsoRecord> log = {Qso("JA1A", QslSentAndReceived), Qso("JA1B", QslReceived), Qso("JA1C", QslSent),
                                  Qso("JA1D", QslToSend), Qso("JA1E", QslNotToSend), Qso("JA1F", QslToSend)};
    log[3].number = "1"; // a wrong number field: the row still writes its own record
    writeLog(log);
    fillAll();
    EXPECT_EQ(table.cell(QslColNumber, 4), "1");
    table.setCell(QslColLink, 2, "0"); // the tail of a card
    const QByteArray before = logBytes();

    const QslSentMarking done = MarkPrintedQslsSent(table, {1, 2, 3, 4, 5});
    EXPECT_EQ(done.written, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(done.error.isEmpty());
    EXPECT_TRUE(test::Dialogs().messages().empty());
    const std::pair<QString, QString> expected[] = {
        {QslSentAndReceived, "N"}, {QslSentAndReceived, "N"}, {QslSent, "Y"}, {QslSent, "Y"}, {QslSent, "Y"},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(record(i).qslState, expected[i].first) << i;
        EXPECT_EQ(LogQslFlags[i], expected[i].second) << i;
        EXPECT_EQ(OutsideQslField(recordBytes(i)), OutsideQslField(before.mid(i * QsoRecord::Size, QsoRecord::Size))) << i;
        for (int col : {1, 2, 11, 12}) EXPECT_EQ(table.cell(col, i + 1), "") << i << " col " << col;
    }
    // A row the run did not report: untouched, still marked.
    EXPECT_EQ(recordBytes(5), before.mid(5 * QsoRecord::Size, QsoRecord::Size));
    EXPECT_EQ(table.cell(QslColMark, 6), "*");
    EXPECT_EQ(table.cell(QslColCall, 6), "JA1F");
    ToggleQsoRow(table, 3); // its call is gone: no more marking
    EXPECT_EQ(table.cell(QslColMark, 3), "");
}

TEST_F(QslMarkingTest, ARecordDeletedOrChangedSinceTheFillIsLeftAndAnErrorEndsThePass) {
    writeLog({Qso("JA1A", QslToSend), Qso("JA1B", QslToSend), Qso("JA1C", QslToSend), Qso("JA1D", QslToSend)});
    fillAll();
    QsoRecord deleted = record(0);
    deleted.deleteMark = DeleteMarkText;
    WriteRecord(path("test.log"), 0, deleted);
    QsoRecord changed = record(1);
    changed.call = "JA9Z";
    WriteRecord(path("test.log"), 1, changed);
    const QByteArray before = logBytes();

    QslSentMarking done = MarkPrintedQslsSent(table, {1, 2, 3});
    EXPECT_EQ(done.written, (std::vector<int>{3}));
    EXPECT_EQ(done.left, (std::vector<int>{1, 2}));
    EXPECT_EQ(logBytes().left(2 * QsoRecord::Size), before.left(2 * QsoRecord::Size));
    EXPECT_EQ(table.cell(QslColMark, 1), "*");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].contains("1, 2")) << messages()[0].toStdString();
    test::Dialogs().calls.clear();

    // The log shrank: record 3 cannot be read. The pass stops there; what
    // comes after is neither written nor emptied.
    WriteAllBytes(path("test.log"), logBytes().left(3 * QsoRecord::Size));
    table.setCell(QslColMark, 3, QslMark);
    done = MarkPrintedQslsSent(table, {4, 3});
    EXPECT_TRUE(done.written.empty());
    EXPECT_FALSE(done.error.isEmpty());
    EXPECT_EQ(table.cell(QslColMark, 3), "*");
    EXPECT_EQ(table.cell(QslColMark, 4), "*");
    EXPECT_EQ(messages(), std::vector<QString>{done.error});
    test::Dialogs().calls.clear();

    // Another log is current now: nothing is written.
    LogFileName = "other.log";
    const QByteArray still = logBytes();
    done = MarkPrintedQslsSent(table, {3});
    EXPECT_TRUE(done.written.empty());
    EXPECT_EQ(logBytes(), still);
    EXPECT_EQ(messages().size(), 1u);
}

TEST_F(QslMarkingTest, AReceivedCardIsDecidedFromTheRecordAsRead) {
    writeLog({Qso("UA1A", QslSent), Qso("JA1A", QslToSend), Qso("UA1A", QslToSend), Qso("UA1A", QslSentAndReceived),
              Qso("UA1A", QslNotToSend)});
    StringGridModel grid(6, SearchGridRows);
    grid.setFixedRows(0);
    QsoSearch s = FindQsosByCall(" UA1A ", grid);
    EXPECT_EQ(s.indexes, (std::vector<qint64>{0, 2, 3, 4}));
    EXPECT_EQ(s.country, "Japan");
    EXPECT_EQ(grid.rowTexts(1), (QStringList{"3", "UA1A", "24.12.2001", "14  Mhz", QslToSend, "12:00"}));

    // Sent since the search: the grid still says "Отправить".
    QsoRecord sentSince = record(2);
    sentSince.qslState = QslSent;
    WriteRecord(path("test.log"), 2, sentSince);
    const QByteArray before = logBytes();
    const std::pair<int, QString> cases[] = {
        {0, QslSentAndReceived}, {1, QslSentAndReceived}, {2, QslSentAndReceived}, {3, QslReceived}};
    for (const auto &[row, word] : cases) {
        const QslReceivedMarking m = MarkQslReceived(s, grid, row);
        EXPECT_TRUE(m.written) << row;
        EXPECT_EQ(m.word, word) << row;
        EXPECT_EQ(grid.cell(4, row), word) << row;
        const qint64 i = s.indexes[size_t(row)];
        EXPECT_EQ(record(i).qslState, word) << row;
        EXPECT_EQ(LogQslFlags[i], QslCode(word)) << row;
    }
    EXPECT_EQ(recordBytes(3), before.mid(3 * QsoRecord::Size, QsoRecord::Size)); // already "Отпр. и получ."
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(OutsideQslField(recordBytes(i)), OutsideQslField(before.mid(i * QsoRecord::Size, QsoRecord::Size))) << i;

    // Deleted since the search: left as it is.
    QsoRecord gone = record(4);
    gone.deleteMark = DeleteMarkText;
    gone.qslState = QslToSend;
    WriteRecord(path("test.log"), 4, gone);
    const QslReceivedMarking m = MarkQslReceived(s, grid, 3);
    EXPECT_FALSE(m.written);
    EXPECT_FALSE(m.problem.isEmpty());
    EXPECT_EQ(record(4).qslState, QslToSend);
}

TEST_F(QslMarkingTest, TheSearchGridGrowsToEveryQsoAndAShorterSearchLeavesNothingBehind) {
    std::vector<QsoRecord> log(25, Qso("UA1A", QslToSend));
    log.push_back(Qso("JA1A", QslToSend));
    writeLog(log);
    StringGridModel grid(6, SearchGridRows);
    QsoSearch s = FindQsosByCall("UA1A", grid);
    EXPECT_EQ(s.indexes.size(), 25u);
    EXPECT_GE(grid.rowCountValue(), 25);
    EXPECT_EQ(grid.cell(0, 24), "25");
    s = FindQsosByCall("JA1A", grid);
    EXPECT_EQ(grid.cell(0, 0), "26");
    for (int r = 1; r < 25; ++r) EXPECT_EQ(grid.rowTexts(r).join(""), "") << r;
    s = FindQsosByCall("", grid);
    EXPECT_TRUE(s.indexes.empty());
    EXPECT_EQ(s.country, "");
    EXPECT_EQ(grid.cell(0, 0), "");
}

TEST_F(QslMarkingTest, ACardConfirmsACountryOnABandOnce) {
    writeLog({Qso("JA1A", QslToSend, "Japan", "14  Mhz"), Qso("JA1B", QslToSend, "Japan", "14  Mhz"),
              Qso("JA1C", QslReceived, "Japan", "144Mhz"), Qso("JA1D", QslReceived, "Japan", "21  Mhz"),
              Qso("JA1E", QslReceived, "Japan", " 7.0 Mhz")});
    QsoRecord deleted = record(3);
    deleted.deleteMark = DeleteMarkText;
    WriteRecord(path("test.log"), 3, deleted);
    OpenLog();
    EXPECT_EQ(ConfirmationMessage(IsNewBandConfirmation(LogColumns, "Japan", "14  Mhz"), "14  Mhz"),
              "Новая подтвержденная страна на 14  Mhz");
    EXPECT_FALSE(IsNewBandConfirmation(LogColumns, "Japan", "144Mhz"));
    EXPECT_TRUE(IsNewBandConfirmation(LogColumns, "Japan", "21  Mhz")); // only a deleted QSO confirms it
    EXPECT_FALSE(IsNewBandConfirmation(LogColumns, "Japan", "7.0 Mhz"));
    EXPECT_TRUE(IsNewBandConfirmation(LogColumns, "Italy", "14  Mhz"));

    StringGridModel grid(6, SearchGridRows);
    QsoSearch s = FindQsosByCall("JA1A", grid);
    MarkQslReceived(s, grid, 0);
    EXPECT_EQ(ConfirmationMessage(IsNewBandConfirmation(LogColumns, "Japan", "14  Mhz"), "14  Mhz"),
              "Повторное подтверждение на 14  Mhz");
}

TEST_F(QslMarkingTest, ThePieCountsTheLiveQsosOfEachState) {
    EXPECT_TRUE(CountQslStatuses(LogColumns).slices.empty()); // an empty log: an empty pie
    std::vector<QsoRecord> log = {Qso("A1", QslSent), Qso("A2", QslReceived), Qso("A3", QslSentAndReceived),
                                  Qso("A4", QslToSend), Qso("A5", QslNotToSend), Qso("A6", QslSent)};
    log[5].deleteMark = DeleteMarkText;
    writeLog(log);
    const QslStatusPie pie = CountQslStatuses(LogColumns);
    const std::vector<Bar> expected = {
        {QslSent, 1, QColor(255, 0, 0)},
        {QslSentAndReceived, 1, QColor(0, 255, 255)},
        {QslToSend, 1, QColor(0, 0, 255)},
        {QslReceived, 1, QColor(0, 255, 0)},
    };
    EXPECT_EQ(pie.slices, expected);
    EXPECT_EQ(pie.title, "Количество проведенных QSO 5");
}
