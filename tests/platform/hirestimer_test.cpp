// The high-resolution timer on a real thread. Times are asserted only
// loosely (CI machines are loaded); the benchmark measures precision.
#include "platform/hirestimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <vector>

using namespace zelmor;
using namespace std::chrono;
using Clock = steady_clock;

namespace {

struct Calls {
    std::mutex m;
    std::vector<Clock::time_point> starts, ends;
    std::vector<quint64> collapsedAtStart;
    std::set<std::thread::id> threads;
    size_t count() {
        std::lock_guard l(m);
        return starts.size();
    }
};

void Record(Calls &c, THiResTimer *t, std::function<void(size_t)> work = {}) {
    size_t n;
    {
        std::lock_guard l(c.m);
        n = c.starts.size();
        c.starts.push_back(Clock::now());
        c.collapsedAtStart.push_back(t->CollapsedCalls());
        c.threads.insert(std::this_thread::get_id());
    }
    if (work) work(n);
    std::lock_guard l(c.m);
    c.ends.push_back(Clock::now());
}

template <class Pred> bool WaitFor(Pred p, milliseconds limit = 5s) {
    const auto end = Clock::now() + limit;
    while (!p()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

} // namespace

TEST(HiResTimer, EnablingTwiceMakesOneWorkerAndDisablingTwiceDoesNothing) {
    Calls calls;
    THiResTimer t;
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(t.Interval(), 100u);
    EXPECT_EQ(t.Resolution(), 100u);
    t.setInterval(5);
    t.OnTimer = [&](THiResTimer *s) { Record(calls, s); };
    t.setEnabled(true);
    t.setEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return calls.count() >= 10; }));
    t.setEnabled(false);
    t.setEnabled(false);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(calls.threads.size(), 1u);
    EXPECT_NE(*calls.threads.begin(), std::this_thread::get_id());
}

TEST(HiResTimer, CallsKeepToTheAbsoluteGridWhateverTheHandlerTakes) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<int> workUs(100);
    for (int &w : workUs) w = int(random() % 5001); // 0 to 5 ms
    Calls calls;
    THiResTimer t;
    t.setInterval(10);
    t.OnTimer = [&](THiResTimer *s) {
        Record(calls, s, [&](size_t n) {
            if (n < workUs.size()) std::this_thread::sleep_for(microseconds(workUs[n]));
        });
    };
    const auto enabled = Clock::now();
    t.setEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return calls.count() >= 100; }));
    t.setEnabled(false);
    const auto hundredth = duration_cast<milliseconds>(calls.starts[99] - enabled).count();
    // Relative sleeps would add each handler's time: about 1250 ms.
    EXPECT_GE(hundredth, 990);
    EXPECT_LT(hundredth, 1100);
}

TEST(HiResTimer, AnOverrunningCallIsFollowedByExactlyOneImmediateCall) {
    Calls calls;
    THiResTimer t;
    t.setInterval(10);
    t.OnTimer = [&](THiResTimer *s) {
        Record(calls, s, [](size_t n) {
            if (n == 3) std::this_thread::sleep_for(35ms);
        });
    };
    t.setEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return calls.count() >= 8; }));
    t.setEnabled(false);
    std::lock_guard l(calls.m);
    // The call after the long one is the collapse; the next comes from the
    // grid, so the count has not moved again when it starts.
    EXPECT_EQ(calls.collapsedAtStart[4], calls.collapsedAtStart[3] + 1);
    EXPECT_EQ(calls.collapsedAtStart[5], calls.collapsedAtStart[4]);
    // Three deadlines passed during the long call; one call stands for them.
    EXPECT_LT(calls.starts[5] - calls.ends[3], 30ms);
}

TEST(HiResTimer, AnIntervalChangeWaitsForTheNextEnable) {
    Calls calls;
    THiResTimer t;
    t.setInterval(20);
    t.OnTimer = [&](THiResTimer *s) { Record(calls, s); };
    t.setEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return calls.count() >= 2; }));
    t.setInterval(100);
    size_t before = calls.count();
    std::this_thread::sleep_for(400ms);
    // At 20 ms some 20 calls; 100 ms would give at most 4.
    EXPECT_GE(calls.count() - before, 6u);
    t.setEnabled(false);
    t.setEnabled(true);
    before = calls.count();
    std::this_thread::sleep_for(400ms);
    t.setEnabled(false);
    EXPECT_LE(calls.count() - before, 4u);
}

TEST(HiResTimer, DisablingWakesTheSleeperAndNoCallFollows) {
    Calls calls;
    THiResTimer t;
    t.setInterval(1000);
    t.OnTimer = [&](THiResTimer *s) { Record(calls, s); };
    t.setEnabled(true);
    std::this_thread::sleep_for(50ms);
    const auto before = Clock::now();
    t.setEnabled(false);
    EXPECT_LT(Clock::now() - before, 50ms); // about 5 ms on an idle machine
    std::this_thread::sleep_for(1100ms);
    EXPECT_EQ(calls.count(), 0u);
}

TEST(HiResTimer, DisablingWaitsForTheRunningCallAndFromInsideItDoesNotDeadlock) {
    Calls calls;
    std::atomic<bool> inCall{false};
    {
        THiResTimer t;
        t.setInterval(5);
        t.OnTimer = [&](THiResTimer *s) {
            inCall = true;
            Record(calls, s, [](size_t) { std::this_thread::sleep_for(20ms); });
            inCall = false;
        };
        t.setEnabled(true);
        ASSERT_TRUE(WaitFor([&] { return inCall.load(); }));
        t.setEnabled(false);
        EXPECT_FALSE(inCall);
        const size_t atDisable = calls.count();
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(calls.count(), atDisable);

        // A handler that stops its own timer: the worker ends after it.
        t.OnTimer = [&](THiResTimer *s) {
            Record(calls, s);
            s->setEnabled(false);
        };
        t.setEnabled(true);
        ASSERT_TRUE(WaitFor([&] { return calls.count() > atDisable; }));
        std::this_thread::sleep_for(50ms);
        EXPECT_FALSE(t.Enabled());
        EXPECT_EQ(calls.count(), atDisable + 1);
        // Enabled again, the finished worker is joined and a new one runs.
        t.OnTimer = [&](THiResTimer *s) { Record(calls, s); };
        t.setEnabled(true);
        ASSERT_TRUE(WaitFor([&] { return calls.count() > atDisable + 1; }));
    } // the destructor disables
    const size_t afterDestruction = calls.count();
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(calls.count(), afterDestruction);
}

TEST(HiResTimer, ARefusedStartRaisesAndLeavesNoThread) {
    Calls calls;
    THiResTimer t;
    t.setInterval(5);
    t.OnTimer = [&](THiResTimer *s) { Record(calls, s); };
    THiResTimer::RefuseNextStarts = 1;
    try {
        t.setEnabled(true);
        FAIL() << "no error";
    } catch (const EHiResTimer &e) {
        EXPECT_STREQ(e.what(), "Unable to create a timer");
    }
    EXPECT_FALSE(t.Enabled());
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(calls.count(), 0u);
    t.setEnabled(true);
    EXPECT_TRUE(WaitFor([&] { return calls.count() > 0; }));
}
