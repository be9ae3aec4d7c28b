#include "logbook/localtime.h"
#include "logbook/utcclock.h"

#include <gtest/gtest.h>

using namespace zelmor;

TEST(UtcClock, DateAndTimeFromTheOffset) {
    struct Case { const char *offset; int h, m; const char *time; const char *date; };
    const Case cases[] = {
        {"-3", 1, 30, "22:30", "30.04.2024"}, {"3", 22, 30, "01:30", "02.05.2024"}, {"0", 9, 5, "09:05", "01.05.2024"},
        {"+3", 12, 0, "15:00", "01.05.2024"}, {"+12", 12, 0, "00:00", "02.05.2024"}, {"-12", 11, 59, "23:59", "30.04.2024"},
        {" 2 ", 23, 0, "01:00", "02.05.2024"},
    };
    for (const auto &c : cases) {
        const auto r = ComputeUtcDateTime(c.offset, QDateTime(QDate(2024, 5, 1), QTime(c.h, c.m)));
        ASSERT_TRUE(r) << c.offset;
        EXPECT_EQ(r->time, c.time) << c.offset;
        EXPECT_EQ(r->date, c.date) << c.offset;
    }
    for (const char *bad : {"", "-", "+", "x", "1.5"})
        EXPECT_FALSE(ComputeUtcDateTime(bad, QDateTime(QDate(2024, 5, 1), QTime(1, 0)))) << bad;
}

TEST(UtcClock, ValidatedOffsets) {
    const std::pair<const char *, const char *> cases[] = {
        {"15", "12"}, {"-15", "-12"}, {"+", ""}, {"-", "-"}, {"", ""}, {"12", "12"}, {"-3", "-3"}, {"+13", "12"},
    };
    for (const auto &[in, out] : cases) EXPECT_EQ(ValidatedUtcOffset(in), out) << in;
}

TEST(StationLocalTime, OffsetsWrapRoundMidnight) {
    struct Case { const char *station, *setting; int h, m; std::optional<QString> expected; };
    const Case cases[] = {
        {"-9", "0", 12, 0, "21:00"},    {"-9,0", "0", 20, 30, "5:30"},  {"5", "0", 2, 0, "21:00"},
        {"-5.5", "0", 23, 0, "4:30"},   {"3", "-3", 10, 0, "4:00"},     {"", "0", 10, 0, std::nullopt},
        {"abc", "0", 10, 0, std::nullopt}, {"-3", "x", 10, 0, "13:00"}, {"-30", "0", 0, 0, "6:00"},
    };
    for (const auto &c : cases) EXPECT_EQ(StationLocalTime(c.station, c.setting, QTime(c.h, c.m)), c.expected) << c.station;
}
