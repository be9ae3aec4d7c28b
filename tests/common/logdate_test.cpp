// The date rule, the one text order and the printer scale: small rules that
// the search, the sort, the exports and every print rely on.
#include "common/logdate.h"
#include "common/printunits.h"
#include "common/text.h"

#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(LogDate, ReadsBothFormsWithTheTwoDigitYearRule) {
    struct Case {
        const char *text;
        int expected; // yyyymmdd, 0 = not a date
    } cases[] = {
        {"01.01.2000", 20000101}, {"31.12.99", 19991231}, {"01.01.50", 19500101}, {"31.12.49", 20491231},
        {"15.04.2003", 20030415}, {"29.02.2024", 20240229}, {"31.02.2024", 0}, {"29.02.2023", 0},
        {"  .  .    ", 0},         {"12.05.20  ", 0},        {"1.5.2024", 0},   {"01/05/2024", 0}, {"", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LogDateNumber(QByteArrayView(c.text)), c.expected);
        const auto d = ParseLogDate(QString::fromLatin1(c.text));
        EXPECT_EQ(d ? LogDateNumber(*d) : 0, c.expected);
    }
    EXPECT_EQ(DateSortKey(u"31.12.99"), "1999.12.31");
    EXPECT_LT(DateSortKey(u"31.12.99"), DateSortKey(u"01.01.2000"));
}

TEST(LogDate, TimeNeedsHoursAndMinutesInRange) {
    EXPECT_TRUE(IsLogTime(u"00:00"));
    EXPECT_TRUE(IsLogTime(u"23:59"));
    for (const char16_t *bad : {u"24:00", u"12:60", u"  :  ", u"1:05", u"12.05", u"12:5 "}) EXPECT_FALSE(IsLogTime(bad)) << QString::fromUtf16(bad).toStdString();
}

TEST(TextOrder, IsOneFixedCaseInsensitiveOrder) {
    QStringList texts = {"Ёлкин", "Жуков", "Ежов", "Ivan", "boris", "Анна", "9A1A", "A$B", "ABC", "AB", "елена"};
    std::stable_sort(texts.begin(), texts.end(), [](const QString &a, const QString &b) { return CompareText(a, b) < 0; });
    EXPECT_EQ(texts, (QStringList{"9A1A", "A$B", "AB", "ABC", "boris", "Ivan", "Анна", "Ежов", "елена", "Ёлкин", "Жуков"}));
    EXPECT_EQ(CompareText(u"japan", u"JAPAN"), 0);
    EXPECT_EQ(CompareText(u"ёж", u"ЁЖ"), 0);
}

TEST(PrinterScale, RoundsHalfToEven) {
    const PrinterScale same = PrinterScale::FromDpi(360, 360);
    EXPECT_EQ(same.x(408), 408);
    EXPECT_EQ(same.y(3950), 3950);
    const PrinterScale fine = PrinterScale::FromDpi(600, 600);
    EXPECT_EQ(fine.y(408), 680);
    EXPECT_EQ(fine.y(810), 1350);
    // 2.5 and 7.5 pixels: qRound would give 3 and 8.
    const PrinterScale coarse = PrinterScale::FromDpi(300, 300);
    EXPECT_EQ(coarse.x(3), 2);
    EXPECT_EQ(coarse.x(9), 8);
    const PrinterScale mixed = PrinterScale::FromDpi(600, 300);
    EXPECT_EQ(mixed.x(408), 680);
    EXPECT_EQ(mixed.y(408), 340);
}
