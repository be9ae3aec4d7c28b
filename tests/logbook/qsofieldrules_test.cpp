// The plain rules behind the QSO window's ticker, call memory and fields,
// without a window.
#include "common/bands.h"
#include "logbook/callmemory.h"
#include "logbook/statusticker.h"
#include "tests/testsupport.h"

#include <vector>

using namespace zelmor;

namespace {
QStringList Bands() {
    QStringList b;
    for (const QString &n : LogBandNames) b << n;
    return b;
}

struct TickerTest : ::testing::Test {
    void SetUp() override {
        LastStatusText.clear();
        TickerPosition = 0;
    }
};
} // namespace

TEST_F(TickerTest, AMessageMovesOnePixelPerTickAndIsGoneAfter602Draws) {
    QString status = "Новая страна";
    std::vector<int> xs;
    int clears = 0;
    for (int tick = 1; tick <= 602; ++tick) {
        const TickerStep s = StepStatusTicker(status, false, 0);
        clears += s.clearStrip;
        ASSERT_TRUE(s.draw) << tick;
        EXPECT_EQ(s.text, "Новая страна");
        xs.push_back(s.x);
    }
    EXPECT_EQ(clears, 1); // the first tick only
    for (int i = 0; i < 602; ++i) ASSERT_EQ(xs[size_t(i)], i);
    EXPECT_EQ(status, ""); // emptied by its last draw
    const TickerStep after = StepStatusTicker(status, false, 0);
    EXPECT_TRUE(after.clearStrip);
    EXPECT_FALSE(after.draw);
    const TickerStep idle = StepStatusTicker(status, false, 0);
    EXPECT_FALSE(idle.clearStrip);
    EXPECT_FALSE(idle.draw);
}

TEST_F(TickerTest, ANewTextClearsAndRestartsAtTheLeft) {
    QString status = "Повторное QSO";
    for (int tick = 1; tick <= 299; ++tick) StepStatusTicker(status, false, 0);
    status = "Новая страна";
    const TickerStep s = StepStatusTicker(status, false, 0);
    EXPECT_TRUE(s.clearStrip);
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.text, "Новая страна");
    EXPECT_EQ(StepStatusTicker(status, false, 0).x, 1);
}

TEST_F(TickerTest, DuringAnEditItShowsTheRecordTheSaveRewrites) {
    QString status = "Включен режим редактирования QSO № 5";
    const TickerStep s = StepStatusTicker(status, true, 7);
    EXPECT_EQ(s.text, "Включен режим редактирования QSO № 7");
    EXPECT_EQ(status, s.text);
    // Nothing to show: the edit does not bring a text back.
    QString none;
    LastStatusText.clear();
    EXPECT_FALSE(StepStatusTicker(none, true, 7).draw);
}

TEST(CallMemoryLine, PartsWithCommasSurviveTheRoundTrip) {
    const CallMemoryLine l{"UA3ABC", "Ivan", "Moscow, obl.", "", "", ""};
    EXPECT_EQ(l.text(), "UA3ABC,Ivan,Moscow, obl.,,,");
    const CallMemoryLine back = CallMemoryLine::fromParts(l.parts());
    EXPECT_EQ(back.qth, "Moscow, obl.");
    EXPECT_EQ(back.iota, "");
    EXPECT_EQ(back.via, "");
    EXPECT_EQ(FindMemoryLine({"DL1ABC", "UA3ABC"}, "UA3ABC"), 1);
    EXPECT_EQ(FindMemoryLine({"UA3ABCD"}, "UA3ABC"), -1);
}

TEST(FieldRules, ModeAndBandCompletion) {
    const std::pair<const char *, const char *> modes[] = {
        {"R", "RTTY"}, {"r", "r"}, {"P", "PSK"}, {"S", "S"}, {"C", "CW"}, {"A", "AM"}, {"F", "FM"}, {"", ""},
        {"SSB", "SSB"}, {"MT63", "MT63"}};
    for (const auto &[in, out] : modes) EXPECT_EQ(CompleteMode(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
    const std::pair<const char *, const char *> bands[] = {
        {"144", "144Mhz"}, {"14 ", "14  Mhz"}, {"1.8", "1.8 Mhz"}, {"xyz", "xyz"}, {"14", "14"}, {"136", "136Khz"},
        {"14  Mhz", "14  Mhz"}};
    for (const auto &[in, out] : bands) EXPECT_EQ(CompleteBand(QString::fromUtf8(in), Bands()), QString::fromUtf8(out)) << in;
}

TEST(FieldRules, ModeOfReport) {
    const std::pair<const char *, const char *> cases[] = {
        {"59", "SSB"}, {"579", "CW"}, {"59+", "SSB"}, {"599+", "CW"}, {"59+20", "SSB"}, {"5", ""}, {"", ""},
        {"5999", ""}};
    for (const auto &[in, out] : cases) EXPECT_EQ(ModeOfReport(QString::fromUtf8(in)).value_or(""), QString::fromUtf8(out)) << in;
}
