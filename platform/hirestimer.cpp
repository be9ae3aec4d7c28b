#include "platform/hirestimer.h"

#include <pthread.h>
#include <sched.h>
#include <system_error>

namespace zelmor {

std::atomic<int> THiResTimer::RefuseNextStarts{0};

namespace {
using namespace std::chrono;
using Clock = steady_clock; // CLOCK_MONOTONIC

// The timer whose OnTimer this thread runs, if any.
thread_local const THiResTimer *RunningTimer = nullptr;

// Real-time priority where the system grants it; an ordinary thread else.
void AskForRealTimePriority() {
    sched_param p{};
    p.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &p);
}
} // namespace

// ---- the worker

TTimerThread::TTimerThread(THiResTimer &owner, quint32 interval)
    : owner_(owner), interval_(interval), thread_(&TTimerThread::Execute, this) {}

TTimerThread::~TTimerThread() { join(); }

void TTimerThread::join() {
    if (thread_.joinable()) thread_.join();
}

bool TTimerThread::waitFor(std::unique_lock<std::mutex> &lock, nanoseconds deadline) {
    TimerClock *clock = owner_.clock_;
    if (!clock) {
        // An absolute wait on the monotonic clock (pthread_cond_clockwait
        // on CLOCK_MONOTONIC), woken at once by a disable.
        return owner_.wake_.wait_until(lock, Clock::time_point(duration_cast<Clock::duration>(deadline)),
                                       [this] { return owner_.stop_; });
    }
    if (owner_.stop_) return true;
    lock.unlock();
    clock->sleepUntil(deadline);
    lock.lock();
    return owner_.stop_;
}

void TTimerThread::Execute() {
    RunningTimer = &owner_;
    TimerClock *clock = owner_.clock_;
    if (!clock) AskForRealTimePriority();
    auto now = [clock]() -> nanoseconds { return clock ? clock->now() : Clock::now().time_since_epoch(); };
    // An interval of 0 would spin; one millisecond is the finest step.
    nanoseconds period = milliseconds(qMax<quint32>(interval_, 1));
    nanoseconds start = now();
    qint64 k = 1;
    auto call = [this] {
        if (owner_.OnTimer) owner_.OnTimer(&owner_);
    };
    std::unique_lock lock(owner_.m_);
    // After a call, under the lock: false when the timer was stopped. An
    // enable from inside the call starts a new grid from now, at the
    // interval of that enable.
    auto goOn = [&](nanoseconds t) {
        if (owner_.stop_) return false;
        if (owner_.restart_) {
            owner_.restart_ = false;
            period = milliseconds(qMax<quint32>(owner_.interval_, 1));
            start = t;
            k = 0;
        }
        return true;
    };
    while (true) {
        if (waitFor(lock, start + k * period)) return;
        lock.unlock();
        call();
        nanoseconds t = now();
        lock.lock();
        if (!goOn(t)) return;
        if (k > 0 && t >= start + (k + 1) * period) {
            // Deadlines passed during the call collapse into one call now.
            lock.unlock();
            ++owner_.collapsed_;
            call();
            t = now();
            lock.lock();
            if (!goOn(t)) return;
        }
        k = (t - start) / period + 1;
    }
}

// ---- the timer

THiResTimer::THiResTimer() = default;

THiResTimer::~THiResTimer() {
    setEnabled(false);
    worker_.reset(); // one that stopped itself
}

void THiResTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    if (on) {
        if (RunningTimer == this) {
            // Stopped and started again from inside OnTimer: the worker
            // that runs the call goes on, on a new grid once it returns.
            std::lock_guard lock(m_);
            stop_ = false;
            restart_ = true;
            enabled_ = true;
            return;
        }
        // A worker that stopped itself from inside OnTimer ends now, if it
        // has not ended already.
        worker_.reset();
        if (RefuseNextStarts > 0) {
            --RefuseNextStarts;
            throw EHiResTimer("Unable to create a timer");
        }
        {
            std::lock_guard lock(m_);
            stop_ = false;
            restart_ = false;
        }
        // Enabled before the worker runs: its first call may already stop
        // it (a handler that disables its own timer).
        enabled_ = true;
        try {
            worker_ = std::make_unique<TTimerThread>(*this, interval_);
        } catch (const std::system_error &) {
            enabled_ = false;
            throw EHiResTimer("Unable to create a timer");
        }
        return;
    }
    enabled_ = false;
    {
        std::lock_guard lock(m_);
        stop_ = true;
    }
    wake_.notify_all();
    if (RunningTimer == this) return;
    worker_.reset();
}

} // namespace zelmor
