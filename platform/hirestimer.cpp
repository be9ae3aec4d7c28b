#include "platform/hirestimer.h"

#include <chrono>
#include <pthread.h>
#include <sched.h>

namespace zelmor {

std::atomic<int> THiResTimer::RefuseNextStarts{0};

namespace {
using Clock = std::chrono::steady_clock; // CLOCK_MONOTONIC

// The timer whose OnTimer this thread runs, if any.
thread_local const THiResTimer *RunningTimer = nullptr;

// Real-time priority where the system grants it; an ordinary thread else.
void AskForRealTimePriority() {
    sched_param p{};
    p.sched_priority = sched_get_priority_min(SCHED_FIFO) + 10;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &p);
}
} // namespace

THiResTimer::THiResTimer() = default;

THiResTimer::~THiResTimer() {
    setEnabled(false);
    if (worker_.joinable()) worker_.join(); // one that stopped itself
}

void THiResTimer::setEnabled(bool on) {
    if (on == enabled_) return;
    if (on) {
        // A worker that stopped itself from inside OnTimer ends now, if it
        // has not ended already.
        if (worker_.joinable()) worker_.join();
        if (RefuseNextStarts > 0) {
            --RefuseNextStarts;
            throw EHiResTimer("Unable to create a timer");
        }
        {
            std::lock_guard lock(m_);
            stop_ = false;
        }
        try {
            worker_ = std::thread(&THiResTimer::run, this, interval_);
        } catch (const std::system_error &) {
            throw EHiResTimer("Unable to create a timer");
        }
        enabled_ = true;
        return;
    }
    enabled_ = false;
    {
        std::lock_guard lock(m_);
        stop_ = true;
    }
    wake_.notify_all();
    if (RunningTimer == this) return;
    if (worker_.joinable()) worker_.join();
}

void THiResTimer::run(quint32 interval) {
    RunningTimer = this;
    AskForRealTimePriority();
    // An interval of 0 would spin; one millisecond is the finest step.
    const auto period = std::chrono::milliseconds(qMax<quint32>(interval, 1));
    const auto start = Clock::now();
    qint64 k = 1;
    auto call = [this] {
        if (OnTimer) OnTimer(this);
    };
    std::unique_lock lock(m_);
    while (true) {
        // An absolute wait on the monotonic clock, woken by a disable.
        if (wake_.wait_until(lock, start + k * period, [this] { return stop_; })) return;
        lock.unlock();
        call();
        auto now = Clock::now();
        if (now >= start + (k + 1) * period) {
            // Deadlines passed during the call collapse into one call now.
            lock.lock();
            if (stop_) return;
            lock.unlock();
            ++collapsed_;
            call();
            now = Clock::now();
        }
        k = (now - start) / period + 1;
        lock.lock();
        if (stop_) return;
    }
}

} // namespace zelmor
