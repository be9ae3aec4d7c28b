// The log grid's record work without a window: where a page starts, the
// texts of a row, and the in-place changes of one record on a real file.
#include "logbook/loggrid.h"

#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "tests/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

using namespace zelmor;

namespace {

QsoRecord Qso(int number, const QString &call) {
    QsoRecord r;
    r.number = QString::number(number);
    r.call = call;
    r.name = "Ivan";
    r.qth = "Moscow";
    r.date = "01.02.2024";
    r.time = "12:34";
    r.band = "14  Mhz";
    r.mode = "SSB";
    r.rstReceived = "57";
    r.rstSent = "59";
    r.points = "3";
    r.info = "info " + call;
    r.waz = "16";
    r.itu = "29";
    r.country = "European Russia";
    r.qslState = "Отправить";
    r.locator = "KO85";
    r.qslVia = "VIA" + QString::number(number);
    r.iota = "EU-001";
    r.frequency = "14200";
    r.longitude = "37,62";
    r.latitude = "55,75";
    r.regionNumber = "0";
    return r;
}

qint64 Inode(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? qint64(st.st_ino) : -1;
}

QByteArray Bytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The byte positions where two equally long files differ.
std::vector<int> Differences(const QByteArray &a, const QByteArray &b) {
    std::vector<int> out;
    for (int i = 0; i < int(std::min(a.size(), b.size())); ++i)
        if (a[i] != b[i]) out.push_back(i);
    return out;
}

class LogGridRecordTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        log_ = path("test.log");
        std::vector<QsoRecord> rs;
        for (int i = 1; i <= 5; ++i) rs.push_back(Qso(i, "UA3A" + QString(QChar('A' + i))));
        WriteAllRecords(log_, rs);
        LogFileName = log_;
        OpenLog();
    }
    QString log_;
};

} // namespace

TEST(LogGridPageStart, TheStepsSliderAndLastPage) {
    struct Case {
        const char *what;
        int mode, step;
        std::optional<qint64> bottom;
        qint64 count;
        int pageStep, sliderTop;
        std::optional<qint64> start;
    };
    const std::optional<qint64> none;
    const Case cases[] = {
        {"last page of a short log starts at its first record", PageLast, 0, none, 5, 110, 355, 0},
        {"last page of 100 records", PageLast, 0, 0, 100, 110, 355, 91},
        {"an empty log shows an empty page", PageLast, 0, 991, 0, 110, 355, 0},
        {"one record older", PageByStep, -1, 991, 1000, 20, 355, 990},
        {"one record newer", PageByStep, 1, 990, 1000, 20, 355, 991},
        {"no step past the newest page", PageByStep, 1, 991, 1000, 20, 355, none},
        {"no step before the oldest record", PageByStep, -1, 0, 1000, 20, 355, none},
        {"a jump back by the paging step", PageByStep, -100, 990, 1000, 30, 355, 960},
        {"a jump back past the first record", PageByStep, -100, 110, 1000, 140, 355, none},
        {"a jump forward by the paging step", PageByStep, 100, 0, 1000, 30, 355, 30},
        {"an empty bottom row counts as number 1", PageByStep, 1, none, 1000, 20, 355, 1},
        {"slider near its lower end", PageBySlider, 0, 991, 1000, 20, 451, 8},
        {"slider at its lower end: below the first record", PageBySlider, 0, 991, 1000, 20, 452, none},
        {"slider at its upper end: the newest page", PageBySlider, 0, 0, 1000, 20, 355, 991},
        {"slider on a million records", PageBySlider, 0, 0, 1000000, 20, 400, 574120},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LogGridPageStart(c.mode, c.step, c.bottom, 0, c.count, c.pageStep, c.sliderTop), c.start) << c.what;
}

TEST(LogGridPageStart, HeldPagingJumpsByAGrowingStepAndStopsAtTheFirstRecord) {
    // The press pages by one, then every tick jumps by the step, which grows
    // by 10 each time.
    int pageStep = 10 + 10;
    auto start = LogGridPageStart(PageByStep, -1, 991, 0, 1000, pageStep, 355);
    std::vector<qint64> bottoms{*start + 1};
    for (int tick = 0; tick < 15; ++tick) {
        pageStep += 10;
        const auto next = LogGridPageStart(PageByStep, -100, start, 0, 1000, pageStep, 355);
        if (next) start = next;
        bottoms.push_back(*start + 1);
    }
    const std::vector<qint64> expected{991, 961, 921, 871, 811, 741, 661, 571, 471, 361, 241, 111, 111, 111, 111, 111};
    EXPECT_EQ(bottoms, expected);
}

TEST(LogGridCells, FollowTheColumnMapAndShowOnlyTheNumberOfADeletedRecord) {
    const QsoRecord r = Qso(7, "UA9XYZ");
    const auto cells = LogGridCells(r);
    const std::array<QString, 20> expected = {
        "7",  "UA9XYZ", "Ivan", "Moscow", "01.02.2024", "12:34",     "14  Mhz", "SSB",  "59",     "57",
        "3",  "KO85",   "info UA9XYZ", "16", "29",      "European Russia", "Отправить", "VIA7", "EU-001", "14200"};
    EXPECT_EQ(cells, expected);

    QsoRecord deleted = r;
    deleted.deleteMark = DeleteMarkText;
    const auto d = LogGridCells(deleted);
    EXPECT_EQ(d[0], "7");
    for (int c = 1; c < 20; ++c) EXPECT_EQ(d[c], "") << c;

    // A length byte beyond the field's room shows the field's whole room.
    QByteArray bytes = EncodeRecord(r);
    bytes[22] = char(200);
    const auto clamped = LogGridCells(DecodeRecord<QsoRecord>(bytes.constData()));
    EXPECT_EQ(clamped[2].size(), 25);
    EXPECT_TRUE(clamped[2].startsWith("Ivan"));
}

TEST_F(LogGridRecordTest, ARewriteChangesOnlyTheNamedFieldsOfOneRecordInPlace) {
    const QByteArray before = Bytes(log_);
    const qint64 inode = Inode(log_);
    QsoRecord texts;
    texts.name = "Petr";
    texts.call = "SHOULD NOT BE WRITTEN";
    QsoFieldMask mask;
    mask.set(FieldName);
    const QsoRecord stored = RewriteLogRecordFields(log_, 3, texts, mask);
    EXPECT_EQ(stored.name, "Petr");
    EXPECT_EQ(stored.call, "UA3AE");

    const QByteArray after = Bytes(log_);
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(Inode(log_), inode);
    for (int at : Differences(before, after)) {
        EXPECT_GE(at, 3 * 457 + 22);
        EXPECT_LE(at, 3 * 457 + 47);
    }
    EXPECT_FALSE(Differences(before, after).empty());
}

TEST_F(LogGridRecordTest, DeleteWritesOnlyTheMarkAndRestoreBringsTheExactBytesBack) {
    const QByteArray before = Bytes(log_);
    const QsoRecord deleted = MarkLogRecordDeleted(log_, 1, true);
    EXPECT_EQ(deleted.deleteMark, "Delet");
    for (int at : Differences(before, Bytes(log_))) {
        EXPECT_GE(at, 457 + 445);
        EXPECT_LE(at, 457 + 450);
    }
    SetLogColumnsEntry(1, deleted);
    EXPECT_EQ(LogCalls[1], "");
    EXPECT_TRUE(LogColumns.indexesOfCall("UA3AC").empty());
    EXPECT_EQ(LogBands[1], "14  Mhz");

    const QsoRecord restored = MarkLogRecordDeleted(log_, 1, false);
    EXPECT_EQ(Bytes(log_), before);
    SetLogColumnsEntry(1, restored);
    EXPECT_EQ(LogColumns.indexesOfCall("UA3AC"), std::vector<qint64>{1});
}

TEST_F(LogGridRecordTest, CallAndBandCorrectionsKeepEveryOtherField) {
    const QsoRecord original = ReadRecord<QsoRecord>(log_, 2);
    const QsoRecord c = CorrectLogRecordCall(log_, 2, "JA 1ABC", "25", "45", "Japan", "PM95", "");
    QsoRecord expected = original;
    expected.call = "JA1ABC";
    expected.waz = "25";
    expected.itu = "45";
    expected.country = "Japan";
    expected.locator = "PM95";
    expected.regionNumber = "";
    EXPECT_EQ(EncodeRecord(c), EncodeRecord(expected));

    const QsoRecord b = SetLogRecordBand(log_, 2, "7.0 Mhz");
    expected.band = "7.0 Mhz";
    EXPECT_EQ(EncodeRecord(b), EncodeRecord(expected));
    EXPECT_EQ(EncodeRecord(ReadRecord<QsoRecord>(log_, 2)), EncodeRecord(expected));
}

TEST_F(LogGridRecordTest, ARecordPastTheEndOrAMissingLogStopsWithNothingWritten) {
    const QByteArray before = Bytes(log_);
    QsoFieldMask mask;
    mask.set(FieldName);
    QsoRecord texts;
    texts.name = "Petr";
    // Past the end: the log was shrunk meanwhile.
    EXPECT_THROW(RewriteLogRecordFields(log_, 5, texts, mask), IoError);
    EXPECT_THROW(MarkLogRecordDeleted(path("missing.log"), 0, true), IoError);
    EXPECT_FALSE(QFileInfo::exists(path("missing.log")));
    EXPECT_EQ(Bytes(log_), before);
}

TEST_F(LogGridRecordTest, AReadOnlyLogStopsTheRewriteWithNothingWritten) {
    const QByteArray before = Bytes(log_);
    QsoFieldMask mask;
    mask.set(FieldName);
    QsoRecord texts;
    texts.name = "Petr";
    QFile::setPermissions(log_, QFileDevice::ReadOwner);
    if (QFile(log_).open(QIODevice::ReadWrite)) GTEST_SKIP() << "running with rights that ignore file modes";
    EXPECT_THROW(RewriteLogRecordFields(log_, 0, texts, mask), IoError);
    QFile::setPermissions(log_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(Bytes(log_), before);
}
