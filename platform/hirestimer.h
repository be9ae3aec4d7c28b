#pragma once
// A periodic timer that calls its handler on a thread of its own, on
// absolute deadlines start + k x Interval of the monotonic clock, so the CW
// keyer's element timing does not depend on the GUI's load and lateness
// never accumulates. A call that overruns one or more deadlines is followed
// by exactly one immediate call; the grid then goes on from the next
// deadline still ahead.
#include <QtGlobal>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace zelmor {

class EHiResTimer : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the keyer needs of its two element clocks; the real one is
// THiResTimer, tests use FakePeriodicTimer and step the keyer by hand.
class PeriodicTimer {
public:
    virtual ~PeriodicTimer() = default;
    virtual bool Enabled() const = 0;
    // Enabling a running timer and disabling a stopped one do nothing.
    virtual void setEnabled(bool on) = 0;
    virtual quint32 Interval() const = 0;
    // Takes effect at the next enable.
    virtual void setInterval(quint32 ms) = 0;
};

// The time the worker keeps its deadlines on. Without one of these it is
// the monotonic clock, slept on absolutely; a test gives its own, on which
// the worker jumps to each deadline instead of sleeping, so the grid can be
// checked whatever the machine's load.
class TimerClock {
public:
    virtual ~TimerClock() = default;
    virtual std::chrono::nanoseconds now() = 0;
    // Returns once `deadline` has come.
    virtual void sleepUntil(std::chrono::nanoseconds deadline) = 0;
};

class THiResTimer;

// The worker: waits for each deadline of the grid and calls the owner's
// OnTimer, until the owner stops it.
class TTimerThread {
public:
    TTimerThread(THiResTimer &owner, quint32 interval);
    ~TTimerThread(); // joins; never from the worker itself
    void join();

private:
    void Execute();
    bool waitFor(std::unique_lock<std::mutex> &lock, std::chrono::nanoseconds deadline); // true: stopped
    THiResTimer &owner_;
    quint32 interval_;
    std::thread thread_;
};

class THiResTimer : public PeriodicTimer {
public:
    THiResTimer();
    ~THiResTimer() override; // disables: no call runs once it returns

    bool Enabled() const override { return enabled_; }
    // true: a new worker thread; EHiResTimer "Unable to create a timer" when
    // it cannot be started (then Enabled stays false and no thread is left).
    // false: wakes the worker and returns once it has ended; a call that is
    // running completes first and none starts afterwards. From inside
    // OnTimer it only stops the worker, which ends when the call returns
    // (and is joined by the next enable or the destructor); an enable
    // there keeps that worker, which starts a new grid when the call
    // returns. The destructor must not run inside OnTimer.
    void setEnabled(bool on) override;
    quint32 Interval() const override { return interval_; }
    void setInterval(quint32 ms) override { interval_ = ms; }
    quint32 Resolution() const { return resolution_; }
    void setResolution(quint32 ms) { resolution_ = ms; } // kept, as designed; the clock needs none

    // Runs on the worker thread; set it before enabling.
    std::function<void(THiResTimer *sender)> OnTimer;

    // Calls made at once because the one before overran a deadline.
    quint64 CollapsedCalls() const { return collapsed_; }

    // Tests: the next `n` enables fail as a refused start does.
    static std::atomic<int> RefuseNextStarts;
    // Tests: the clock of the next enables (not owned); nullptr is the
    // monotonic one.
    void setClock(TimerClock *clock) { clock_ = clock; }

private:
    friend class TTimerThread;

    std::atomic<bool> enabled_{false};
    std::atomic<quint32> interval_{100};
    quint32 resolution_ = 100;
    std::atomic<quint64> collapsed_{0};
    TimerClock *clock_ = nullptr;

    std::mutex m_;
    std::condition_variable wake_;
    bool stop_ = false;
    bool restart_ = false; // enabled again from inside OnTimer
    std::unique_ptr<TTimerThread> worker_; // touched only outside OnTimer
};

// Records what the keyer asked of its clock; ticks are driven by the test.
class FakePeriodicTimer : public PeriodicTimer {
public:
    struct Change {
        bool enabled;
        quint32 interval;
        bool operator==(const Change &) const = default;
    };
    std::vector<Change> changes;
    bool Enabled() const override { return enabled; }
    void setEnabled(bool on) override {
        if (on == enabled) return;
        if (on && refuse) throw EHiResTimer("Unable to create a timer");
        enabled = on;
        changes.push_back({on, interval});
    }
    quint32 Interval() const override { return interval; }
    void setInterval(quint32 ms) override { interval = ms; }
    bool enabled = false;
    bool refuse = false; // enables fail as a refused start does
    quint32 interval = 100;
};

} // namespace zelmor
