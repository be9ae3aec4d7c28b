// User awards without the window: the stored slots, the condition lists and
// their checks, and the counting against a crafted log.
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "tests/logtools/userawardsfixture.h"

#include <QFile>

using namespace zelmor;
using namespace zelmor::test;

namespace {

std::vector<qint64> Numbers(const AwardEvaluation &e) {
    std::vector<qint64> out;
    for (const AwardQso &q : e.rows) out.push_back(q.record + 1);
    return out;
}

class UserAwardSlotTest : public ProgramFolderTest {
protected:
    QByteArray hiveBytes() const {
        QFile f(SettingsRegistry->filePath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static std::optional<HiveValue> stored(SettingId id, int n = -1) {
        return SettingsRegistry->value("Software\\" + SettingSubkey(id), SettingName(id, n));
    }
};

using UserAwardEvaluationTest = AwardLogTest;

} // namespace

TEST(UserAwardLists, FormatAndParse) {
    EXPECT_EQ(FormatAwardList({"UA", "UB"}), "UA,UB,");
    EXPECT_EQ(FormatAwardList({"UA", "", "UB"}), "UA,UB,"); // an entry below a blank cell is kept
    EXPECT_EQ(FormatAwardList({}), "");
    const struct {
        const char *stored;
        QStringList entries;
    } cases[] = {
        {"UA,UB,", {"UA", "UB"}},
        {"UA,UB", {"UA", "UB"}},  // no final comma: the last entry stays
        {"ua,UB", {"UA", "UB"}},  // lower case read as upper case
        {" 3 ,*,", {"3", "*"}},
        {"UA,,UB,", {"UA", "UB"}},
        {"", {}},
    };
    for (const auto &c : cases) EXPECT_EQ(ParseAwardList(c.stored), c.entries) << c.stored;
}

TEST(UserAwardCheck, BadConditionsNameColumnRowAndText) {
    const struct {
        const char *what;
        std::function<void(AwardDefinition &)> change;
        const char *message;
    } cases[] = {
        {"PF one character", [](AwardDefinition &d) { d.prefixes = {"UA", "U"}; },
         "Условие диплома: PF, строка 2: «U» — нужно 2 знака"},
        {"PF three", [](AwardDefinition &d) { d.prefixes = {"UA3"}; }, "Условие диплома: PF, строка 1: «UA3» — нужно 2 знака"},
        {"PF stars", [](AwardDefinition &d) { d.prefixes = {"**"}; },
         "Условие диплома: PF, строка 1: «**» — допустимы A–Z, 0–9 и /"},
        {"gap at row 2", [](AwardDefinition &d) { d.prefixes = {"UA", "", "UB"}; },
         "Условие диплома: PF, строка 3: «UB» — выше пустая клетка"},
        {"PF empty", [](AwardDefinition &d) { d.prefixes = {}; }, "Условие диплома: список PF пуст"},
        {"# two characters", [](AwardDefinition &d) { d.thirds = {"AB"}; },
         "Условие диплома: #, строка 1: «AB» — нужен 1 знак или *"},
        {"# empty", [](AwardDefinition &d) { d.thirds = {"", " "}; },
         "Условие диплома: список # пуст — * означает любой знак"},
        {"S bad character", [](AwardDefinition &d) { d.fourths = {"-"}; },
         "Условие диплома: S, строка 1: «-» — допустимы A–Z, 0–9, / и *"},
        {"impossible date", [](AwardDefinition &d) { d.startDate = "31.02.1999"; }, "Укажите дату начала в виде дд.мм.гггг"},
        {"blank mask", [](AwardDefinition &d) { d.startDate = "  .  .    "; }, "Укажите дату начала в виде дд.мм.гггг"},
        {"two-digit year", [](AwardDefinition &d) { d.startDate = "01.01.99"; }, "Укажите дату начала в виде дд.мм.гггг"},
    };
    EXPECT_EQ(CheckAwardDefinition(Rda()), "");
    for (const auto &c : cases) {
        AwardDefinition d = Rda();
        c.change(d);
        EXPECT_EQ(CheckAwardDefinition(d), QString::fromUtf8(c.message)) << c.what;
    }
}

TEST_F(UserAwardSlotTest, NewAwardsTakeTheFirstFreeSlotThenGrowTheCount) {
    SaveAwardDefinition(0, Rda());
    AwardDefinition other = Rda();
    other.name = "P-150-C";
    SaveAwardDefinition(3, other); // slots 1 and 2 never written, count 4
    WriteSetting(SettingId::AwardCount, qint32(3));
    // Count 3 with slots 1 and 2 empty: the lower one; the count stays.
    ASSERT_EQ(FreeSlot(), 1);
    AwardDefinition was = Rda();
    was.name = "WAS";
    was.prefixes = {"UA", "UB"};
    ASSERT_TRUE(SaveAwardDefinition(FreeSlot(), was));
    EXPECT_EQ(ReadSettingInteger(SettingId::AwardCount), 3);
    EXPECT_EQ(stored(SettingId::AwardPrefixes, 1)->text, "UA,UB,");
    EXPECT_EQ(FreeSlot(), 2);
    was.name = "W100";
    ASSERT_TRUE(SaveAwardDefinition(2, was));
    // Every slot below the count used; slot 3 still holds an award the count
    // fell behind: it is never overwritten.
    EXPECT_EQ(FreeSlot(), 4);
    WriteSetting(SettingId::AwardName, QString(), 3);
    ASSERT_EQ(FreeSlot(), 3);
    ASSERT_TRUE(SaveAwardDefinition(3, was));
    EXPECT_EQ(ReadSettingInteger(SettingId::AwardCount), 4);
    EXPECT_EQ(AwardSlotNames(), (QStringList{"RDA", "WAS", "W100", "W100"}));
    EXPECT_EQ(FindAwardSlot("W100"), 2);
    EXPECT_EQ(LoadAwardSlot(1), [&] {
        AwardDefinition d = was;
        d.name = "WAS";
        return d;
    }());
}

TEST_F(UserAwardSlotTest, DeleteEmptiesTheSlotAndKeepsTheCount) {
    AwardDefinition d = Rda(true, true);
    d.info = "RDA award manager, box 1";
    d.certifier = "UA3XYZ Петров";
    SaveAwardDefinition(0, d);
    d.name = "WAS";
    SaveAwardDefinition(1, d);
    EXPECT_EQ(DeleteAwardSlots("RDA"), 1);
    EXPECT_EQ(ReadSettingInteger(SettingId::AwardCount), 2);
    using enum SettingId;
    for (SettingId id : {AwardName, AwardPrefixes, AwardThird, AwardFourth, AwardQsos, AwardPoints, AwardDate, AwardAddress,
                         AwardCertifier}) {
        ASSERT_TRUE(stored(id, 0)) << SettingName(id, 0).toStdString();
        EXPECT_EQ(stored(id, 0)->text, "") << SettingName(id, 0).toStdString();
    }
    EXPECT_EQ(stored(AwardCountPoints, 0)->number, 0);
    EXPECT_EQ(stored(AwardRepeats, 0)->number, 0);
    EXPECT_EQ(LoadAwardSlot(1).certifier, "UA3XYZ Петров");
    EXPECT_EQ(FreeSlot(), 0);
}

TEST_F(UserAwardSlotTest, HandWrittenValuesLoad) {
    using enum SettingId;
    WriteSetting(AwardCount, qint32(1));
    WriteSetting(AwardName, "RDA", 0);
    WriteSetting(AwardPrefixes, "ua,UB", 0);
    WriteSetting(AwardQsos, "семь", 0);
    WriteSetting(AwardPoints, " 20 ", 0);
    const AwardDefinition d = LoadAwardSlot(0);
    EXPECT_EQ(d.prefixes, (QStringList{"UA", "UB"}));
    EXPECT_EQ(d.qsos, ""); // not a number: as if empty
    EXPECT_EQ(d.points, "20");
}

TEST_F(UserAwardSlotTest, AnAwardTheSettingsCannotHoldWritesNothing) {
    SaveAwardDefinition(0, Rda());
    const QByteArray before = hiveBytes();
    AwardDefinition d = Rda();
    d.name = "WAS";
    d.info = "Box 1 \u2603"; // no such character in cp1251
    EXPECT_FALSE(SaveAwardDefinition(1, d));
    EXPECT_EQ(hiveBytes(), before);
    EXPECT_EQ(test::Dialogs().messages().size(), 1u);
}

TEST_F(UserAwardEvaluationTest, CountsTheFixtureLog) {
    const struct {
        bool repeats, points;
        std::vector<qint64> listed;
        qint64 total, percent;
    } cases[] = {
        {true, false, {2, 3, 6, 9}, 0, 57},
        {true, true, {2, 3, 6, 9}, 10, 50},
        {false, false, {2, 6, 9}, 0, 42},
        {false, true, {2, 6, 9}, 7, 35},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "repeats " << c.repeats << ", points " << c.points);
        const AwardEvaluation e = EvaluateAward(log_, Rda(c.repeats, c.points));
        EXPECT_EQ(Numbers(e), c.listed);
        EXPECT_EQ(e.pointsTotal, c.total);
        EXPECT_EQ(e.percent, c.percent);
        EXPECT_EQ(e.message(), "QSO с неверной датой пропущено: 1, первое № 8");
        ASSERT_FALSE(e.rows.empty());
        const AwardQso &q = e.rows[0];
        EXPECT_EQ(QStringList({q.call, q.date(), q.time(), q.band, q.rst(), q.points()}),
                  QStringList({"UA3AA", "01.01.1999", "12:00", "14  Mhz", "59", "5"}));
    }
}

TEST_F(UserAwardEvaluationTest, CharacterListsAndShortCalls) {
    const struct {
        QStringList thirds, fourths;
        std::vector<qint64> listed;
    } cases[] = {
        {{"3", "*"}, {"*"}, {2, 3, 5, 6, 9}}, // both "3" and "*": record 2 still once
        {{"3"}, {"A"}, {2, 3}},               // "UA3" has no fourth character
        {{"3"}, {"E"}, {9}},
        {{"9", "3"}, {"A"}, {2, 3, 5}},
    };
    for (const auto &c : cases) {
        AwardDefinition d = Rda();
        d.thirds = c.thirds;
        d.fourths = c.fourths;
        EXPECT_EQ(Numbers(EvaluateAward(log_, d)), c.listed) << c.thirds.join(',').toStdString() << " / "
                                                             << c.fourths.join(',').toStdString();
    }
}

TEST_F(UserAwardEvaluationTest, ADeletedRecordNeverCountsEvenWhenTheListsStillShowItsCall) {
    // Lists out of step with the file: the bytes' delete mark decides.
    LogColumns.setEntry(6, "UA3CC", "14  Mhz", "", "SSB", "");
    EXPECT_EQ(Numbers(EvaluateAward(log_, Rda())), (std::vector<qint64>{2, 3, 6, 9}));
}

TEST_F(UserAwardEvaluationTest, RequiredCountsThatAreNotGivenAndPointsThatAreNotNumbers) {
    for (const char *required : {"", "0"}) {
        AwardDefinition d = Rda(true, false);
        d.qsos = required;
        const AwardEvaluation e = EvaluateAward(log_, d);
        EXPECT_EQ(e.rows.size(), 4u);
        EXPECT_FALSE(e.percent);
        EXPECT_EQ(e.message(), "Укажите в условиях количество QSO или отмените их подсчет; "
                               "QSO с неверной датой пропущено: 1, первое № 8");
        d = Rda(true, true);
        d.points = required;
        EXPECT_TRUE(EvaluateAward(log_, d).message().startsWith("Укажите в условиях количество очков или отмените их подсчет"));
    }
    auto records = AwardQsos();
    records[2].points = "три";
    WriteAllRecords(log_, records);
    const AwardEvaluation e = EvaluateAward(log_, Rda(true, true));
    EXPECT_EQ(e.rows.size(), 4u);
    EXPECT_EQ(e.pointsTotal, 7);
    EXPECT_EQ(e.message(), "QSO с неверной датой пропущено: 1, первое № 8; QSO с неверными очками: 1, первое № 3");
}

TEST_F(UserAwardEvaluationTest, BadConditionsListNothing) {
    AwardDefinition d = Rda();
    d.fourths.clear();
    const AwardEvaluation e = EvaluateAward(log_, d);
    EXPECT_TRUE(e.rows.empty());
    EXPECT_FALSE(e.percent);
    EXPECT_EQ(e.message(), "Условие диплома: список S пуст — * означает любой знак");
}

TEST_F(UserAwardEvaluationTest, TheRepeatRuleHoldsPastSixtyFourBandTexts) {
    // Imported logs may hold band texts of their own; one call on 70 of them,
    // then again on the 66th.
    std::vector<QsoRecord> records;
    for (int n = 0; n <= 70; ++n) {
        QsoRecord q = AwardQsos()[1];
        q.number = QString::number(n + 1);
        q.band = QStringLiteral("B%1").arg(n == 70 ? 65 : n);
        records.push_back(q);
    }
    WriteAllRecords(log_, records);
    OpenLog();
    const AwardEvaluation e = EvaluateAward(log_, Rda());
    EXPECT_EQ(e.rows.size(), 70u);
}
