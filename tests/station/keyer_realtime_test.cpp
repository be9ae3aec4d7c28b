// "PARIS " on the real clocks into the timestamping fake port. The edge
// order is asserted exactly; times only within loose bounds (CI machines
// are loaded); the benchmark measures the precision.
#include "platform/parallelport.h"
#include "station/keyer.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {

class KeyerRealTime : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        platform::install(&port_);
        platform::controlRegister().reset();
        LptStatusPort = 0x379;
        LptControlPort = 0x37A;
    }
    void TearDown() override {
        LptStatusPort = LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::controlRegister().reset();
    }
    FakeParallelPort port_;
};

} // namespace

TEST_P(KeyerRealTime, ParisKeepsItsUnitsOnTheRealClock) {
    const int t = GetParam();
    StandaloneKeyer k;
    k.keyer.setNormalElementMs(t);
    k.keyer.StartCwWork();
    port_.clear();
    k.keyer.SendCwTextRaw("PARIS ");
    EXPECT_TRUE(k.runUntilIdle(20000));
    k.keyer.StopCwWork();

    const auto timeline = port_.timeline();
    ASSERT_GE(timeline.size(), 3u);
    EXPECT_EQ(timeline.front().value, 0x0F);
    EXPECT_EQ(timeline.back().value, 0x0B);
    const auto edges = port_.keyEdges();
    const int downs[] = {0, 2, 6, 10, 14, 16, 22, 24, 28, 32, 34, 38, 40, 42};
    const int ups[] = {1, 5, 9, 11, 15, 19, 23, 27, 29, 33, 35, 39, 41, 43};
    ASSERT_EQ(edges.size(), 28u);
    const qint64 first = edges[0].ns;
    for (size_t i = 0; i < edges.size(); ++i) {
        SCOPED_TRACE("edge " + std::to_string(i));
        EXPECT_EQ(edges[i].down, i % 2 == 0);
        const int unit = i % 2 == 0 ? downs[i / 2] : ups[i / 2];
        const double offMs = double(edges[i].ns - first) / 1e6 - unit * t;
        EXPECT_LT(std::abs(offMs), 25.0);
    }
    const double leadMs = double(first - timeline.front().ns) / 1e6;
    const double tailMs = double(timeline.back().ns - first) / 1e6 - 50 * t;
    EXPECT_GE(leadMs, 99.0);
    EXPECT_GE(tailMs, 99.0);
    EXPECT_LT(tailMs, 350.0);
}

INSTANTIATE_TEST_SUITE_P(Speeds, KeyerRealTime, ::testing::Values(60, 30));
