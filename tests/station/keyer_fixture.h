#pragma once
// A keyer on fake clocks, a fake PTT timer, the fake port (LPT1) and the
// fake sidetone; ticks by hand, window effects carried out after each tick.
#include "platform/parallelport.h"
#include "station/keyer.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>
#include <memory>

namespace zelmor::test {

class KeyerTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallFakes();
        Sound().clearTones();
        platform::install(&port_);
        platform::controlRegister().reset();
        LptDataPort = 0x378;
        LptStatusPort = 0x379;
        LptControlPort = 0x37A;
        keyer_ = std::make_unique<CwKeyer>(normal_, fast_, ptt_);
        // Carried out after the tick, as the GUI thread would.
        keyer_->toGui = [this](std::function<void()> f) { gui_.push_back(std::move(f)); };
        keyer_->view.AppendEcho = [this](const QString &e) { echo_ += e; };
        keyer_->view.ClearEcho = [this] { echo_.clear(); };
        keyer_->view.AddSentText = [this](const QString &t) { sent_ << t; };
        keyer_->view.ShowStatus = [this](const QString &t) { status_ = t; };
        keyer_->view.ShowCwWork = [this](bool on) { shown_ = on; };
    }
    void TearDown() override {
        keyer_.reset();
        LptDataPort = LptStatusPort = LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::controlRegister().reset();
    }
    // CW work on, and what it wrote forgotten.
    void startWork() {
        keyer_->StartCwWork();
        ASSERT_TRUE(keyer_->CwWorkOn());
        port_.clear();
        Sound().clearTones();
    }
    // A tick of the clock that drives the keyer now; the other clock's
    // tick, which comes first, must change nothing.
    void tick() {
        const size_t writes = port_.writes.size(), queued = keyer_->queuedElements();
        keyer_->CwKeyerTick(1 - keyer_->CwFastSpeed);
        ASSERT_EQ(port_.writes.size(), writes);
        ASSERT_EQ(keyer_->queuedElements(), queued);
        keyer_->CwKeyerTick(keyer_->CwFastSpeed);
        flush();
    }
    void flush() {
        auto calls = std::move(gui_);
        gui_.clear();
        for (auto &f : calls) f();
    }
    // Ticks until the queue's end started the tail (at most `limit`).
    int tickToTail(int limit = 2000) {
        for (int n = 1; n <= limit; ++n) {
            tick();
            if (keyer_->pttState() == PttState::Tail) return n;
        }
        return -1;
    }
    // The lead has run out.
    void endLead() {
        ASSERT_TRUE(ptt_.active);
        ASSERT_EQ(ptt_.interval, keyer_->pttMs());
        keyer_->Timer3Timer();
    }
    std::vector<quint8> writes() const { return port_.controlValues(); }
    std::vector<std::function<void()>> gui_;

    FakePeriodicTimer normal_, fast_;
    FakeOneShotTimer ptt_;
    FakeParallelPort port_;
    std::unique_ptr<CwKeyer> keyer_;
    QString echo_, status_;
    QStringList sent_;
    bool shown_ = false;
};

} // namespace zelmor::test
