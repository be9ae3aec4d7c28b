// "PARIS " on the real clocks into the timestamping fake port. What each
// tick of the element clock sent is asserted exactly, unit by unit; times
// only by order and loose bounds (CI machines are loaded, and a late tick
// there is the timer's business); the benchmark measures the precision.
#include "platform/parallelport.h"
#include "station/keyer.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>
#include <mutex>

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

qint64 MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

} // namespace

TEST_P(KeyerRealTime, ParisKeepsItsUnitsOnTheRealClock) {
    const int t = GetParam();
    const int ptt = 100;
    StandaloneKeyer k;
    // Each tick of the normal clock, as the launcher's Timer1 gives it,
    // noted with the key line and the PTT state it left.
    struct Tick {
        bool keyDown;
        PttState state;
        qint64 ns;
    };
    std::mutex m;
    std::vector<Tick> ticks;
    k.normal.OnTimer = [&](THiResTimer *) {
        k.keyer.CwKeyerTick(0);
        const Tick tick{platform::controlRegister().value() == 0x07, k.keyer.pttState(), MonotonicNs()};
        std::lock_guard l(m);
        ticks.push_back(tick);
    };
    k.keyer.setNormalElementMs(t);
    k.keyer.setPttMs(ptt);
    k.keyer.StartCwWork();
    port_.clear();
    k.keyer.SendCwTextRaw("PARIS ");
    // Some 2 s on an idle machine.
    EXPECT_TRUE(k.runUntilIdle(60000));
    k.keyer.StopCwWork();
    std::lock_guard l(m);

    // Unit by unit from the first key-down: the edges at the units of the
    // word, one element per tick, and the end of the queue at unit 50.
    const auto first = std::find_if(ticks.begin(), ticks.end(), [](const Tick &x) { return x.keyDown; });
    ASSERT_NE(first, ticks.end());
    ASSERT_GT(ticks.end() - first, 50);
    std::string units, expected;
    const int downs[] = {0, 2, 6, 10, 14, 16, 22, 24, 28, 32, 34, 38, 40, 42};
    const int ups[] = {1, 5, 9, 11, 15, 19, 23, 27, 29, 33, 35, 39, 41, 43};
    bool down = false;
    for (int u = 0, d = 0, p = 0; u < 50; ++u) {
        if (d < 14 && downs[d] == u) down = true, ++d;
        if (p < 14 && ups[p] == u) down = false, ++p;
        expected += down ? '1' : '0';
        units += first[u].keyDown ? '1' : '0';
        EXPECT_EQ(first[u].state, PttState::Sending) << "unit " << u;
    }
    EXPECT_EQ(units, expected);
    const Tick &end = first[50];
    EXPECT_EQ(end.state, PttState::Tail) << "the end of the queue";

    // The port: PTT up first, key edges only in the ticks above, PTT down
    // last; the lead and the tail at least "PTT" long, and not lost.
    const auto timeline = port_.timeline();
    ASSERT_GE(timeline.size(), 3u);
    EXPECT_EQ(timeline.front().value, 0x0F);
    EXPECT_EQ(timeline.back().value, 0x0B);
    const auto edges = port_.keyEdges();
    ASSERT_EQ(edges.size(), 28u);
    for (size_t i = 0; i < edges.size(); ++i) EXPECT_EQ(edges[i].down, i % 2 == 0) << "edge " << i;
    const double leadMs = double(edges.front().ns - timeline.front().ns) / 1e6;
    const double tailMs = double(timeline.back().ns - end.ns) / 1e6;
    EXPECT_GE(leadMs, ptt - 1.0);
    EXPECT_GE(tailMs, ptt - 1.0);
    // At least ten times looser than an idle machine gives.
    EXPECT_LT(leadMs, 10.0 * ptt + 1000.0);
    EXPECT_LT(tailMs, 10.0 * ptt + 1000.0);
    EXPECT_LT(double(end.ns - first->ns) / 1e6, 10.0 * 50 * t);
}

INSTANTIATE_TEST_SUITE_P(Speeds, KeyerRealTime, ::testing::Values(60, 30));
