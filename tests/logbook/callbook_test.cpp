// The callbook index over shapelib's tables, its block search against an
// equal-range search on 100,000 random calls, the record composition, the
// headers it refuses, the postal files, and the callbook CD's buffers and
// result walk through a fake library.
#include "logbook/callbook.h"

#include "common/blocksearch.h"
#include "logbook/form1.h"
#include "logbook/qsostate.h"
#include "platform/callbookcd.h"
#include "platform/paths.h"
#include "tests/logbook/callbookfixture.h"
#include "tests/testsupport.h"

#include <QFile>
#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <random>

using namespace zelmor;

namespace {

#define NEED_SHAPELIB() \
    if (!test::HaveShapelib) GTEST_SKIP() << "shapelib (libshp-dev) is not installed: no callbook fixtures"

class CallbookTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ClearCallbookIndex();
        StatusText.clear();
    }
    void TearDown() override {
        ClearCallbookIndex();
        ProgramFolderTest::TearDown();
    }
    QString fixture() {
        const QString p = path("cb.dbf");
        EXPECT_TRUE(test::WriteFixtureCallbook(p));
        return p;
    }
};

TEST_F(CallbookTest, IndexHoldsLiveRecordsWithoutBlanksSortedByCallThenRecord) {
    NEED_SHAPELIB();
    const CallbookBuild b = BuildCallbookIndex(fixture());
    ASSERT_EQ(b.outcome, CallbookBuild::Outcome::Built) << b.reason.toStdString();
    EXPECT_FALSE(b.countDisagrees());
    EXPECT_EQ(CallbookIndex.headerLength(), 449);
    EXPECT_EQ(CallbookIndex.recordLength(), 185);
    // The deleted UA3ZZZ is left out; of two UA3ABC the later record comes
    // last (a text sort put "+1005" before "+820").
    EXPECT_EQ(CallbookIndex.entries(), (QStringList{"RA9XYZ+635", "UA1AAA+450", "UA3ABC+820", "UA3ABC+1005"}));
    EXPECT_EQ(CallbookFieldWidths, (std::vector<int>{8, 16, 12, 14, 6, 16, 16, 24, 10, 12, 10, 20, 20}));

    struct Key {
        const char16_t *key;
        std::vector<qint64> offsets;
    };
    const Key keys[] = {
        {u"RA9XYZ", {635}},       {u"UA3ABC", {820, 1005}}, {u"UA1AAA", {450}},
        {u"UA3 ABC", {}},         {u"UA3ZZZ", {}},          {u"UA3AB", {}},
        {u"UA3ABCD", {}},         {u"", {}},                {u"/UA3ABC", {}},
    };
    for (const Key &k : keys)
        EXPECT_EQ(FindCallInAddressIndex(QString::fromUtf16(k.key)), k.offsets) << QString::fromUtf16(k.key).toStdString();
}

TEST_F(CallbookTest, RecordsAreCutByTheirWidthsAndComposedFromCp866) {
    NEED_SHAPELIB();
    ASSERT_EQ(BuildCallbookIndex(fixture()).outcome, CallbookBuild::Outcome::Built);
    const auto full = ReadAddressDbRecord(1005);
    ASSERT_TRUE(full);
    EXPECT_EQ(full->fields[1], "Иванов");
    EXPECT_EQ(full->fields[2], "Иван"); // cp866 88 A2 A0 AD
    EXPECT_EQ(full->edit18, "Иванов Иван Иванович ");
    EXPECT_EQ(full->edit19, "123456, Московская, Москва, ул. Ленина 1-2, Россия, ");
    EXPECT_EQ(full->edit17, " Тел: 1234567");
    EXPECT_EQ(full->name, "Иван");
    EXPECT_EQ(full->qth, "Москва");
    EXPECT_EQ(full->info, (QStringList{"ua3abc@mail.ru", "Ветеран"}));
    const auto petr = ReadAddressDbRecord(820);
    ASSERT_TRUE(petr);
    EXPECT_EQ(petr->name, "Пётр"); // cp866 F1
    EXPECT_TRUE(petr->qth.isEmpty());
    EXPECT_TRUE(petr->info.isEmpty());
}

TEST_F(CallbookTest, CompositionOfTheOptionalParts) {
    const auto fields = [](std::initializer_list<std::pair<int, const char *>> set) {
        std::array<QString, 13> f;
        for (const auto &[i, t] : set) f[size_t(i)] = QString::fromUtf8(t);
        return f;
    };
    const CallbookAddress withRelay = ComposeCallbookAddress(fields({{8, "1234567"}, {9, "UA3ZZZ"}}));
    EXPECT_EQ(withRelay.edit17, "при:UA3ZZZ Тел: 1234567");
    const CallbookAddress noName = ComposeCallbookAddress(fields({{1, "Петров"}, {3, "Петрович"}}));
    EXPECT_EQ(noName.edit18, "Петров Петрович ");
    EXPECT_TRUE(noName.name.isEmpty());

    // Each addition once, after one blank.
    EXPECT_EQ(AppendCallbookInfo("", {"ua3abc@mail.ru", "Ветеран"}), "ua3abc@mail.ru Ветеран");
    EXPECT_EQ(AppendCallbookInfo("ua3abc@mail.ru Ветеран", {"ua3abc@mail.ru", "Ветеран"}), "ua3abc@mail.ru Ветеран");
    EXPECT_EQ(AppendCallbookInfo("DIG-123", {"Ветеран"}), "DIG-123 Ветеран");

    // Fields past the data or beyond the descriptors are empty; a record
    // cut short keeps what it has.
    const auto cut = CallbookRecordFields(QByteArray("UA3ABC  Ivan\x01"), {8, 16});
    EXPECT_EQ(cut[0], "UA3ABC");
    EXPECT_EQ(cut[1], "Ivan");
    for (size_t k = 2; k < cut.size(); ++k) EXPECT_TRUE(cut[k].isEmpty()) << k;
}

// Damaged headers and flags, as the start-up meets them: no hang, no box,
// an empty index or the records before the fault.
TEST_F(CallbookTest, UnsoundTablesGiveAnEmptyIndexOrTheRecordsBeforeTheFault) {
    NEED_SHAPELIB();
    const QByteArray good = test::ReadBytes(fixture());
    ASSERT_EQ(good.size(), 449 + 5 * 185 + 1);
    const auto word = [](QByteArray &b, int at, int v) {
        b[at] = char(v & 0xFF);
        b[at + 1] = char(v >> 8);
    };
    struct Case {
        const char *what;
        std::function<void(QByteArray &)> damage;
        QStringList entries;
        QString status;
    };
    const QString unread = CallbookUnreadText;
    const Case cases[] = {
        {"record length 0", [&](QByteArray &b) { word(b, 10, 0); }, {}, unread + "неверная длина записи"},
        {"header length 20", [&](QByteArray &b) { word(b, 8, 20); }, {}, unread + "неверная длина заголовка"},
        {"header past the end", [&](QByteArray &b) { word(b, 8, int(b.size()) + 10); }, {},
         unread + "неверная длина заголовка"},
        {"first width 0", [](QByteArray &b) { b[32 + 16] = 0; }, {}, unread + "неверная ширина первого поля"},
        {"first width = R", [](QByteArray &b) { b[32 + 16] = char(185); }, {}, unread + "поля шире записи"},
        {"count 10, 5 records", [](QByteArray &b) { b[4] = 10; },
         {"RA9XYZ+635", "UA1AAA+450", "UA3ABC+820", "UA3ABC+1005"}, "Колбук: в заголовке 10 записей, в файле 5"},
        {"flag X at record 3", [](QByteArray &b) { b[449 + 3 * 185] = 'X'; },
         {"RA9XYZ+635", "UA1AAA+450", "UA3ABC+820"}, ""},
        // A longer header holds no descriptors after its terminator.
        {"32 bytes after 0x0D", [&](QByteArray &b) {
             b.insert(449, QByteArray(32, 'C'));
             word(b, 8, 449 + 32);
         },
         {"RA9XYZ+667", "UA1AAA+482", "UA3ABC+852", "UA3ABC+1037"}, ""},
    };
    for (const Case &c : cases) {
        QByteArray bytes = good;
        c.damage(bytes);
        test::WriteBytes(path("bad.dbf"), bytes);
        StatusText.clear();
        IndexCallbookAtStartup(path("bad.dbf"));
        EXPECT_EQ(CallbookIndex.entries(), c.entries) << c.what;
        EXPECT_EQ(CallbookFieldWidths.size(), c.entries.isEmpty() ? 0u : 13u) << c.what;
        EXPECT_EQ(StatusText, c.status) << c.what;
        EXPECT_TRUE(test::Dialogs().calls.empty()) << c.what;
    }
}

TEST_F(CallbookTest, TheSettingsReportAnUnsoundCallbookInABoxAndAMissingOneIsEmpty) {
    test::WriteBytes(path("notes.dbf"), "just some text, not a table at all................");
    const CallbookBuild b = BuildCallbookIndex(path("notes.dbf"));
    ReportCallbookBuild(b, true);
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_EQ(test::Dialogs().messages()[0].caption, "ERROR");
    EXPECT_EQ(test::Dialogs().messages()[0].text, "Файл не является таблицей dBASE: " + path("notes.dbf"));
    EXPECT_TRUE(StatusText.isEmpty());

    EXPECT_EQ(BuildCallbookIndex(path("none.dbf")).outcome, CallbookBuild::Outcome::Missing);
    EXPECT_EQ(BuildCallbookIndex("").outcome, CallbookBuild::Outcome::NoPath);
    EXPECT_TRUE(CallbookIndex.isEmpty());
}

TEST_F(CallbookTest, ACallbookReplacedSinceItWasIndexedIsIndexedAgain) {
    NEED_SHAPELIB();
    const QString p = fixture();
    ASSERT_EQ(BuildCallbookIndex(p).outcome, CallbookBuild::Outcome::Built);
    ASSERT_TRUE(test::WriteDbf(p, test::CallbookFields(), {test::CallbookRow({"UA3ABC", "Сидоров"})}));
    EXPECT_EQ(RefreshCallbookIndex(p).outcome, CallbookBuild::Outcome::Built);
    EXPECT_EQ(CallbookIndex.entries(), QStringList{"UA3ABC+450"});
    const auto last = ReadAddressDbRecord(450); // the file ends with it
    ASSERT_TRUE(last);
    EXPECT_EQ(last->fields[1], "Сидоров");
    ASSERT_TRUE(QFile::remove(p));
    EXPECT_EQ(RefreshCallbookIndex(p).outcome, CallbookBuild::Outcome::Missing);
    EXPECT_TRUE(CallbookIndex.isEmpty());
    EXPECT_FALSE(ReadAddressDbRecord(450));
}

// 100,000 random calls, many repeated, some with characters that have no
// rank: every key finds exactly the records an equal-range search finds.
TEST_F(CallbookTest, BlockSearchFindsWhatAnEqualRangeSearchFinds) {
    NEED_SHAPELIB();
    std::mt19937 rng(24);
    const auto pick = [&](const char *set) { return set[std::uniform_int_distribution<size_t>(0, strlen(set) - 1)(rng)]; };
    const char *letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ", *digits = "0123456789", *any = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::vector<std::vector<std::string>> rows;
    std::set<int> deleted;
    constexpr int Count = 100000;
    rows.reserve(Count);
    for (int i = 0; i < Count; ++i) {
        std::string call;
        const int shape = std::uniform_int_distribution<int>(0, 99)(rng);
        if (shape < 3 && i > 0) call = rows[size_t(std::uniform_int_distribution<int>(0, i - 1)(rng))][0]; // repeats
        else if (shape < 4) call = std::string(1, pick(any)) + "/" + pick(letters);        // second char unranked
        else if (shape < 5) call = std::string("#") + pick(letters) + pick(digits);         // first char unranked
        else {
            call = std::string(1, pick(any)) + pick(any) + pick(digits);
            for (int n = std::uniform_int_distribution<int>(1, 3)(rng); n > 0; --n) call += pick(letters);
        }
        rows.push_back({call});
        if (shape == 99) deleted.insert(i);
    }
    const QString p = path("big.dbf");
    ASSERT_TRUE(test::WriteDbf(p, {{"CALL", 8}, {"NAME", 4}}, rows, deleted));
    ASSERT_EQ(BuildCallbookIndex(p).outcome, CallbookBuild::Outcome::Built);
    ASSERT_EQ(CallbookIndex.size(), Count - qsizetype(deleted.size()));

    // The equal-range search over the sorted index.
    std::vector<std::pair<QByteArray, qint64>> sorted;
    for (qsizetype i = 0; i < CallbookIndex.size(); ++i) sorted.emplace_back(CallbookIndex.call(i).toByteArray(), CallbookIndex.offset(i));
    ASSERT_TRUE(std::is_sorted(sorted.begin(), sorted.end()));
    // And the calls as written: the index left nothing out.
    std::map<QByteArray, std::vector<qint64>> written;
    for (int i = 0; i < Count; ++i)
        if (!deleted.count(i)) written[QByteArray::fromStdString(rows[size_t(i)][0])].push_back(CallbookIndex.headerLength() + 1 + qint64(i) * CallbookIndex.recordLength());

    std::vector<QByteArray> keys = {"0", "00", "ZZZZZZZZ", "UA3ABCDE", "A", "#"};
    for (qsizetype i = 0; i < CallbookIndex.size(); i += 50)
        for (qsizetype j : {i - 1, i, i + 1})
            if (j >= 0 && j < CallbookIndex.size()) keys.push_back(CallbookIndex.call(j).toByteArray());
    keys.push_back(CallbookIndex.call(CallbookIndex.size() - 1).toByteArray());
    for (int n = 0; n < 300; ++n) keys.push_back(QByteArray(1, pick(any)) + pick(any) + pick(digits) + pick(letters));

    int found = 0;
    for (const QByteArray &key : keys) {
        const auto [lo, hi] = std::equal_range(sorted.begin(), sorted.end(), std::pair<QByteArray, qint64>(key, 0),
                                               [](const auto &a, const auto &b) { return a.first < b.first; });
        std::vector<qint64> expected;
        for (auto it = lo; it != hi; ++it) expected.push_back(it->second);
        const auto w = written.find(key);
        EXPECT_EQ(expected, w == written.end() ? std::vector<qint64>() : w->second) << key.toStdString();
        // Keys whose first two characters have no rank are not searched.
        const bool searchable = !key.isEmpty() && CallRank(QChar(key[0])) >= 0;
        const std::vector<qint64> got = FindCallInAddressIndex(QString::fromLatin1(key));
        if (searchable) EXPECT_EQ(got, expected) << key.toStdString();
        else EXPECT_TRUE(got.empty()) << key.toStdString();
        found += !got.empty();
    }
    EXPECT_GT(found, 5000);
}

class PostalTest : public CallbookTest {};

TEST_F(PostalTest, EqualIndexRecordsGiveTheirAddressesAndNumbersOutsideAreSkipped) {
    test::WritePostalFiles(ProgramDir);
    const auto ua3abc = LookupPostalAddress(u"UA3ABC");
    ASSERT_EQ(ua3abc.size(), 1u);
    EXPECT_EQ(ua3abc[0].part1, "123456");
    EXPECT_EQ(ua3abc[0].part2, "Москва");
    EXPECT_EQ(ua3abc[0].part3, "ул. Ленина 1");
    EXPECT_EQ(LookupPostalAddress(u"UA9A").size(), 1u);
    // -5 and 99 in a 3-record file are passed over, 1 is read.
    const auto ua3zzz = LookupPostalAddress(u"UA3ZZZ");
    ASSERT_EQ(ua3zzz.size(), 1u);
    EXPECT_EQ(ua3zzz[0].part1, "630000");
    EXPECT_TRUE(LookupPostalAddress(u"UA3 ABC").empty());
    EXPECT_TRUE(LookupPostalAddress(u"").empty());
    ASSERT_TRUE(QFile::remove(path("adres.adr")));
    EXPECT_TRUE(LookupPostalAddress(u"UA3ABC").empty());
    ASSERT_TRUE(QFile::remove(path("adres.inx")));
    EXPECT_TRUE(LookupPostalAddress(u"UA3ABC").empty());
    EXPECT_TRUE(test::Dialogs().calls.empty());
}

// The CD library's buffers and answer, through the fake.
TEST(CallbookCd, BuffersGoInAsTheLibraryTakesThemInItsOrder) {
    FakeCallbookCd cd;
    cd.result = QByteArray("a\x01" "b\x01" "Ivan Petrov\x01", 16);
    for (int f = 4; f <= 13; ++f) cd.result += "f" + QByteArray::number(f) + '\x01';
    cd.result += QByteArray("Moscow\x01\x00", 8);
    const CdLookup r = LookupCdCallbook(u"UA3ABC/QRP", u"/media/cd/", cd);
    ASSERT_EQ(r.outcome, CdLookup::Outcome::Done);
    EXPECT_TRUE(r.result.field3Ended);
    EXPECT_EQ(r.result.field3, "Ivan Petrov");
    EXPECT_EQ(r.result.firstName, "Ivan");
    EXPECT_EQ(r.result.field14, "Moscow");
    ASSERT_EQ(cd.calls.size(), 3u);
    EXPECT_EQ(cd.calls[0].name, "GetVersionNr");
    EXPECT_EQ(cd.calls[1].name, "CheckDatabaseFormat");
    EXPECT_EQ(cd.calls[2].name, "GetCallInfo");
    EXPECT_EQ(cd.calls[2].database, cd.database) << "the database value CheckDatabaseFormat gave";
    const QByteArray pathBuffer = QByteArray("/media/cd/") + QByteArray(171, '\0');
    EXPECT_EQ(cd.calls[1].path, pathBuffer);
    EXPECT_EQ(cd.calls[2].path, pathBuffer);
    EXPECT_EQ(cd.calls[2].call, QByteArray("UA3ABC/Q"));

    struct Buffers {
        const char16_t *call;
        QByteArray callBuffer;
        QString path;
        QByteArray pathBuffer;
    };
    const QString longPath = "/" + QString(199, u'x');
    const Buffers cases[] = {
        {u"K1ABC", QByteArray("K1ABC\0\0\0", 8), "/cd", QByteArray("/cd") + QByteArray(178, '\0')},
        {u"", QByteArray(8, '\0'), longPath, longPath.left(180).toLatin1() + QByteArray(1, '\0')},
    };
    for (const Buffers &c : cases) {
        cd.calls.clear();
        LookupCdCallbook(QString::fromUtf16(c.call), c.path, cd);
        ASSERT_EQ(cd.calls.size(), 3u);
        EXPECT_EQ(cd.calls[2].call, c.callBuffer);
        EXPECT_EQ(cd.calls[2].path, c.pathBuffer);
        EXPECT_EQ(cd.calls[2].path.size(), 181);
    }
}

TEST(CallbookCd, NothingIsCalledWithoutAFolderOrALibraryAndAFailureIsPassedOn) {
    FakeCallbookCd cd;
    EXPECT_EQ(LookupCdCallbook(u"UA3ABC", u"", cd).outcome, CdLookup::Outcome::NoPath);
    cd.isAvailable = false;
    EXPECT_EQ(LookupCdCallbook(u"UA3ABC", u"/cd/", cd).outcome, CdLookup::Outcome::Unavailable);
    EXPECT_TRUE(cd.calls.empty());
    NoCallbookCd own;
    for (const char16_t *folder : {u"/cd/", u""})
        EXPECT_EQ(LookupCdCallbook(u"UA3ABC", QString::fromUtf16(folder), own).outcome, CdLookup::Outcome::Unavailable);

    cd.isAvailable = true;
    cd.failAt = "CheckDatabaseFormat";
    const CdLookup failed = LookupCdCallbook(u"UA3ABC", u"/cd/", cd);
    EXPECT_EQ(failed.outcome, CdLookup::Outcome::Failed);
    EXPECT_EQ(failed.failure, cd.failureText);
    EXPECT_EQ(cd.calls.size(), 2u) << "nothing after the failing call";
}

TEST(CallbookCd, TheWalkEndsFieldsAtControlCharactersAndStopsAtZeroOrTheBufferEnd) {
    struct Case {
        const char *what;
        QByteArray bytes;
        bool ended;
        QString field3, firstName, field14;
    };
    QByteArray fourteen;
    for (int f = 1; f <= 14; ++f) fourteen += "F" + QByteArray::number(f) + (f == 3 ? " X" : "") + '\x1F';
    const Case cases[] = {
        {"zero ends field 3", QByteArray("a\x01" "b\x01" "Ivan\0tail\x01", 14), true, "Ivan", "", ""},
        {"no field 3", QByteArray("a\x01" "b\0", 4), false, "", "", ""},
        {"field 14 empty", QByteArray("a\x01" "b\x01" "c d\x01" "\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01\x01", 19),
         true, "c d", "c", ""},
        {"unit separators", fourteen, true, "F3 X", "F3", "F14"},
        {"field 3 open at the end", QByteArray("a\x01" "b\x01") + QByteArray(600, 'x'), false, "", "", ""},
    };
    for (const Case &c : cases) {
        // A heap copy of exactly the bytes: a read past them is a sanitizer report.
        std::vector<char> buffer(c.bytes.begin(), c.bytes.end());
        const CdCallbookResult r = WalkCdCallbookResult(QByteArrayView(buffer.data(), qsizetype(buffer.size())));
        EXPECT_EQ(r.field3Ended, c.ended) << c.what;
        EXPECT_EQ(r.field3, c.field3) << c.what;
        EXPECT_EQ(r.firstName, c.firstName) << c.what;
        EXPECT_EQ(r.field14, c.field14) << c.what;
    }
    // 523 bytes with no zero through the library's own buffer.
    FakeCallbookCd cd;
    cd.result = QByteArray(CallbookCd::ResultSize, 'x');
    EXPECT_FALSE(LookupCdCallbook(u"UA3ABC", u"/cd/", cd).result.field3Ended);
}

} // namespace
