// The high-resolution timer on a real thread. Its grid is checked on a
// clock of the test's own, on which the worker jumps to each deadline, so
// the assertions are exact whatever the machine's load; on the monotonic
// clock only order and loose bounds are asserted (CI machines are loaded).
// The benchmark measures the real precision.
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
    std::set<std::thread::id> threads;
    size_t count() {
        std::lock_guard l(m);
        return starts.size();
    }
};

void Record(Calls &c, std::function<void(size_t)> work = {}) {
    size_t n;
    {
        std::lock_guard l(c.m);
        n = c.starts.size();
        c.starts.push_back(Clock::now());
        c.threads.insert(std::this_thread::get_id());
    }
    if (work) work(n);
    std::lock_guard l(c.m);
    c.ends.push_back(Clock::now());
}

template <class Pred> bool WaitFor(Pred p, milliseconds limit = 20s) {
    const auto end = Clock::now() + limit;
    while (!p()) {
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// Time that passes only when the worker waits for a deadline or a handler
// says it worked. It starts far from zero: the grid is counted from the
// enable, not from the clock's origin.
class FakeClock : public TimerClock {
public:
    nanoseconds now() override { return nanoseconds(ns_.load()); }
    void sleepUntil(nanoseconds deadline) override {
        qint64 cur = ns_.load();
        while (cur < deadline.count() && !ns_.compare_exchange_weak(cur, deadline.count())) {}
    }
    void advance(microseconds d) { ns_ += duration_cast<nanoseconds>(d).count(); }
    // Milliseconds since `from` (a reading of now()).
    qint64 msSince(nanoseconds from) { return duration_cast<milliseconds>(now() - from).count(); }

private:
    std::atomic<qint64> ns_{qint64(1234567891011)};
};

// A timer on the fake clock; each call records when it started (ms after
// the enable) and whether it was a collapse, runs `work` and, after `last`
// calls, stops the timer from inside.
struct FakeClockRun {
    FakeClock clock;
    std::mutex m;
    std::vector<qint64> startMs;
    std::vector<quint64> collapsedAtStart;
    nanoseconds enabledAt{};

    void run(THiResTimer &t, size_t last, std::function<void(size_t)> work = {}) {
        t.setClock(&clock);
        t.OnTimer = [this, last, work](THiResTimer *s) {
            size_t n;
            {
                std::lock_guard l(m);
                n = startMs.size();
                startMs.push_back(clock.msSince(enabledAt));
                collapsedAtStart.push_back(s->CollapsedCalls());
            }
            if (work) work(n);
            if (n + 1 == last) s->setEnabled(false);
        };
        enabledAt = clock.now();
        t.setEnabled(true);
        // Stopped by the last call (a handler may stop and start it again
        // before that).
        ASSERT_TRUE(WaitFor([&] {
            std::lock_guard l(m);
            return startMs.size() >= last && !t.Enabled();
        }));
    }
};

} // namespace

TEST(HiResTimer, EnablingTwiceMakesOneWorkerAndDisablingTwiceDoesNothing) {
    Calls calls;
    THiResTimer t;
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(t.Interval(), 100u);
    EXPECT_EQ(t.Resolution(), 100u);
    t.setInterval(5);
    t.OnTimer = [&](THiResTimer *) { Record(calls); };
    const auto enabled = Clock::now();
    t.setEnabled(true);
    t.setEnabled(true);
    ASSERT_TRUE(WaitFor([&] { return calls.count() >= 10; }));
    t.setEnabled(false);
    t.setEnabled(false);
    EXPECT_FALSE(t.Enabled());
    EXPECT_EQ(calls.threads.size(), 1u);
    EXPECT_NE(*calls.threads.begin(), std::this_thread::get_id());
    // On the monotonic clock a deadline never comes early: call n starts
    // no sooner than n intervals after the enable, however late others were.
    for (size_t n = 0; n < calls.starts.size(); ++n) EXPECT_GE(calls.starts[n] - enabled, (n + 1) * 5ms) << n;
}

TEST(HiResTimer, CallsKeepToTheAbsoluteGridWhateverTheHandlerTakes) {
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::vector<int> workUs(100);
    for (int &w : workUs) w = int(random() % 5001); // 0 to 5 ms
    FakeClockRun r;
    {
        THiResTimer t;
        t.setInterval(10);
        r.run(t, 100, [&](size_t n) { r.clock.advance(microseconds(workUs[n])); });
        EXPECT_EQ(t.CollapsedCalls(), 0u);
    }
    // Relative sleeps would add each handler's time: about 1250 ms for the
    // 100th call.
    ASSERT_EQ(r.startMs.size(), 100u);
    for (size_t n = 0; n < r.startMs.size(); ++n) EXPECT_EQ(r.startMs[n], qint64(n + 1) * 10) << n;
}

TEST(HiResTimer, AnOverrunningCallIsFollowedByExactlyOneImmediateCall) {
    FakeClockRun r;
    {
        THiResTimer t;
        t.setInterval(10);
        r.run(t, 8, [&](size_t n) {
            if (n == 3) r.clock.advance(35ms);
        });
        EXPECT_EQ(t.CollapsedCalls(), 1u);
    }
    // The call at 40 ends at 75, past the deadlines 50, 60 and 70: one call
    // at once stands for them, then the grid goes on at 80.
    EXPECT_EQ(r.startMs, (std::vector<qint64>{10, 20, 30, 40, 75, 80, 90, 100}));
    EXPECT_EQ(r.collapsedAtStart, (std::vector<quint64>{0, 0, 0, 0, 1, 1, 1, 1}));
}

TEST(HiResTimer, AnIntervalChangeWaitsForTheNextEnable) {
    FakeClockRun r;
    THiResTimer t;
    t.setInterval(20);
    r.run(t, 5, [&](size_t n) {
        if (n == 1) t.setInterval(100);
    });
    EXPECT_EQ(t.Interval(), 100u);
    EXPECT_EQ(r.startMs, (std::vector<qint64>{20, 40, 60, 80, 100}));
    // Started again, at the new period from the new enable.
    r.run(t, 9);
    EXPECT_EQ(r.startMs, (std::vector<qint64>{20, 40, 60, 80, 100, 100, 200, 300, 400}));
    // Restarted from inside a call (disable, interval, enable): the same
    // worker goes on, on a new grid from the end of that call.
    r.startMs.clear();
    r.run(t, 5, [&](size_t n) {
        if (n != 1) return;
        r.clock.advance(5ms);
        t.setEnabled(false);
        t.setInterval(30);
        t.setEnabled(true);
        EXPECT_TRUE(t.Enabled());
    });
    EXPECT_EQ(r.startMs, (std::vector<qint64>{100, 200, 235, 265, 295}));
}

TEST(HiResTimer, DisablingWakesTheSleeperAndNoCallFollows) {
    Calls calls;
    THiResTimer t;
    t.setInterval(10000);
    t.OnTimer = [&](THiResTimer *) { Record(calls); };
    t.setEnabled(true);
    std::this_thread::sleep_for(50ms);
    const auto before = Clock::now();
    t.setEnabled(false);
    // About 5 ms on an idle machine; without the wake it would sleep on to
    // the deadline 10 s away.
    EXPECT_LT(Clock::now() - before, 5000ms);
    EXPECT_EQ(calls.count(), 0u);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(calls.count(), 0u);
}

TEST(HiResTimer, DisablingWaitsForTheRunningCallAndFromInsideItDoesNotDeadlock) {
    Calls calls;
    std::atomic<bool> inCall{false};
    {
        THiResTimer t;
        t.setInterval(5);
        t.OnTimer = [&](THiResTimer *) {
            inCall = true;
            Record(calls, [](size_t) { std::this_thread::sleep_for(20ms); });
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
            Record(calls);
            s->setEnabled(false);
        };
        t.setEnabled(true);
        ASSERT_TRUE(WaitFor([&] { return calls.count() > atDisable && !t.Enabled(); }));
        std::this_thread::sleep_for(50ms);
        EXPECT_EQ(calls.count(), atDisable + 1);
        // Enabled again, the finished worker is joined and a new one runs.
        t.OnTimer = [&](THiResTimer *) { Record(calls); };
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
    t.OnTimer = [&](THiResTimer *) { Record(calls); };
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
