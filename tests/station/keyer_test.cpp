// The keyer stepped by hand: elements, PTT lead and tail, speeds, paddles,
// stops and the faults of the port and the clocks.
#include "tests/station/keyer_fixture.h"

using namespace zelmor;
using namespace zelmor::test;

namespace {
using Bytes = std::vector<quint8>;
constexpr quint8 KeyDown = 0x07, KeyUp = 0x0F, PttOff = 0x0B;
} // namespace

TEST_F(KeyerTest, OneLetterWithLeadAndTail) {
    startWork();
    ASSERT_TRUE(keyer_->SendCwTextRaw("E"));
    EXPECT_EQ(sent_, QStringList{"E"});
    EXPECT_EQ(writes(), (Bytes{KeyUp})); // PTT up, key up
    EXPECT_EQ(keyer_->pttState(), PttState::Lead);
    endLead();
    EXPECT_EQ(keyer_->queuedElements(), 4u);
    EXPECT_EQ(keyer_->pttState(), PttState::Sending);
    tick();
    EXPECT_TRUE(test::Sound().sidetone());
    tick();
    EXPECT_EQ(echo_, "E");
    EXPECT_FALSE(test::Sound().sidetone());
    tick();
    tick();
    EXPECT_EQ(writes(), (Bytes{KeyUp, KeyDown, KeyUp, KeyUp, KeyUp}));
    EXPECT_FALSE(ptt_.active);
    tick(); // the end of the queue: echo cleared, the tail started
    EXPECT_EQ(echo_, "");
    EXPECT_TRUE(ptt_.active);
    EXPECT_EQ(ptt_.interval, 100);
    EXPECT_EQ(keyer_->pttState(), PttState::Tail);
    EXPECT_EQ(writes().size(), 5u);
    keyer_->Timer3Timer();
    EXPECT_EQ(writes().back(), PttOff);
    EXPECT_EQ(keyer_->pttState(), PttState::Idle);
    EXPECT_EQ(test::Sound().toneStates(), (std::vector<bool>{true, false}));
}

TEST_F(KeyerTest, ParisKeysTheStandardWordUnitByUnit) {
    startWork();
    keyer_->SendCwTextRaw("PARIS ");
    endLead();
    std::vector<int> downs, ups;
    bool down = false;
    int unit = 0;
    for (; keyer_->pttState() == PttState::Sending; ++unit) {
        const size_t before = port_.writes.size();
        tick();
        if (port_.writes.size() == before) continue;
        const bool nowDown = port_.writes.back().value == KeyDown;
        if (nowDown && !down) downs.push_back(unit);
        if (!nowDown && down) ups.push_back(unit);
        down = nowDown;
    }
    EXPECT_EQ(downs, (std::vector<int>{0, 2, 6, 10, 14, 16, 22, 24, 28, 32, 34, 38, 40, 42}));
    EXPECT_EQ(ups, (std::vector<int>{1, 5, 9, 11, 15, 19, 23, 27, 29, 33, 35, 39, 41, 43}));
    EXPECT_EQ(unit - 1, 50); // the tick that found the end
    EXPECT_EQ(echo_, ""); // "PARIS " was shown, then cleared at the end
}

TEST_F(KeyerTest, SpeedTokensSwitchTheClockAndShowNothing) {
    startWork();
    keyer_->SendCwTextRaw("+CQ-");
    endLead();
    QString shown;
    keyer_->view.ClearEcho = [] {};
    std::vector<std::pair<char, int>> keyedOn; // element kind and the clock that sent it
    // "+" itself is taken by the normal clock.
    ASSERT_EQ(keyer_->CwFastSpeed, 0);
    tick();
    ASSERT_EQ(keyer_->CwFastSpeed, 1);
    while (keyer_->pttState() == PttState::Sending) {
        const int clock = keyer_->CwFastSpeed;
        const size_t before = port_.writes.size();
        tick();
        if (port_.writes.size() > before && port_.writes.back().value == KeyDown) keyedOn.push_back({'1', clock});
    }
    EXPECT_EQ(echo_, "CQ");
    // The 8 key-down units of C and the 10 of Q: every one on the fast clock.
    ASSERT_EQ(keyedOn.size(), 18u);
    for (const auto &[kind, clock] : keyedOn) EXPECT_EQ(clock, 1);
    EXPECT_EQ(keyer_->CwFastSpeed, 0);
    // The tokens never touch PTT: one lead and one tail for the text.
    EXPECT_EQ(ptt_.starts, 2);
    keyer_->Timer3Timer();
    EXPECT_EQ(writes().back(), PttOff);
}

TEST_F(KeyerTest, PaddlesDriveOnlyTheSidetone) {
    startWork();
    struct Case {
        const char *what;
        quint8 status;
        int idleTicksFirst;
        std::vector<bool> tones;
    } cases[] = {
        {"first paddle after 5 idle ticks: dots", 0x10, 5, {true, false, true, false}},
        {"second paddle from count 0: two on, one off", 0x20, 0, {true, true, false, true, true, false}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        keyer_->StopCw(); // resets the paddles' count at the next tick
        port_.status = PaddlesReleasedStatus;
        tick();
        for (int i = 0; i < c.idleTicksFirst; ++i) tick();
        port_.clear();
        port_.status = c.status;
        std::vector<bool> tones;
        for (size_t i = 0; i < c.tones.size(); ++i) {
            tick();
            tones.push_back(test::Sound().sidetone());
        }
        EXPECT_EQ(tones, c.tones);
        EXPECT_TRUE(port_.writes.empty());
    }
    // Both released: silent, also between the elements of a text.
    port_.status = PaddlesReleasedStatus;
    tick();
    EXPECT_FALSE(test::Sound().sidetone());
}

TEST_F(KeyerTest, StopKeysUpAtOnceAndTheTailDropsPtt) {
    startWork();
    keyer_->SendCwTextRaw("PARIS");
    endLead();
    for (int i = 0; i < 17; ++i) tick(); // P, then into A's dash
    ASSERT_EQ(writes().back(), KeyDown);
    ASSERT_EQ(echo_, "P");
    port_.clear();
    keyer_->StopCw();
    EXPECT_EQ(writes(), (Bytes{KeyUp}));
    EXPECT_FALSE(test::Sound().sidetone());
    flush();
    EXPECT_EQ(echo_, "");
    tick();
    EXPECT_EQ(keyer_->queuedElements(), 0u);
    for (int i = 0; i < 10; ++i) tick();
    EXPECT_EQ(writes(), (Bytes{KeyUp}));
    EXPECT_TRUE(ptt_.active);
    keyer_->Timer3Timer();
    EXPECT_EQ(writes(), (Bytes{KeyUp, PttOff}));

    // A stop during the lead drops the pending text; the lead's end is the tail.
    keyer_->SendCwTextRaw("TEST");
    keyer_->StopCw();
    EXPECT_EQ(keyer_->pendingText(), "");
    keyer_->Timer3Timer();
    EXPECT_EQ(writes().back(), PttOff);
    for (int i = 0; i < 5; ++i) tick();
    EXPECT_EQ(writes().back(), PttOff);
}

TEST_F(KeyerTest, NoTextIsLostWhateverThePttPhase) {
    startWork();
    // During the lead: joins the pending text; the lead is not restarted.
    keyer_->SendCwTextRaw("5NN ");
    keyer_->SendCwTextRaw("TU ");
    EXPECT_EQ(keyer_->pendingText(), "5NN TU ");
    EXPECT_EQ(ptt_.starts, 1);
    endLead();
    QString shown;
    keyer_->view.AppendEcho = [&](const QString &e) { shown += e; };
    tick();
    // During sending: queued behind, no lead.
    keyer_->SendCwTextRaw("E");
    EXPECT_EQ(ptt_.starts, 1);
    ASSERT_GT(tickToTail(), 0);
    EXPECT_EQ(shown, "5NN TU E");
    // During the tail: the tail ends and the text goes at once.
    port_.clear();
    keyer_->SendCwTextRaw("T");
    EXPECT_FALSE(ptt_.active);
    EXPECT_EQ(keyer_->pttState(), PttState::Sending);
    ASSERT_GT(tickToTail(), 0);
    EXPECT_EQ(shown, "5NN TU ET");
    // No PTT drop between: only key bytes until the tail's end.
    for (quint8 b : writes()) EXPECT_NE(b, PttOff);
    keyer_->Timer3Timer();
    EXPECT_EQ(writes().back(), PttOff);

    // An empty text still has its lead and tail: PTT never stays up.
    port_.clear();
    keyer_->SendCwTextRaw("");
    endLead();
    EXPECT_EQ(keyer_->pttState(), PttState::Tail);
    keyer_->Timer3Timer();
    EXPECT_EQ(writes(), (Bytes{KeyUp, PttOff}));
}

TEST_F(KeyerTest, TypedCharactersSkipTheLeadAndGetTheTail) {
    startWork();
    keyer_->TypeCharacter(u'#'); // in no row: nothing at all
    EXPECT_EQ(keyer_->pttState(), PttState::Idle);
    keyer_->TypeCharacter(u'E');
    EXPECT_FALSE(ptt_.active);
    ASSERT_GT(tickToTail(), 0);
    EXPECT_EQ(writes().front(), KeyDown); // its first key-down raises PTT
    keyer_->Timer3Timer();
    EXPECT_EQ(writes().back(), PttOff);

    // Typed during a lead: sent behind that text, in typing order.
    keyer_->SendCwTextRaw("T");
    keyer_->TypeCharacter(u'E');
    EXPECT_EQ(keyer_->pendingText(), "TE");
}

TEST_F(KeyerTest, WithCwWorkOffNothingIsQueuedOrWritten) {
    EXPECT_FALSE(keyer_->SendCwTextRaw("CQ"));
    EXPECT_EQ(status_, CwWorkOffText);
    keyer_->TypeCharacter(u'E');
    keyer_->StopCw();
    keyer_->CwKeyerTick(0);
    EXPECT_EQ(keyer_->queuedElements(), 0u);
    EXPECT_EQ(keyer_->pendingText(), "");
    EXPECT_TRUE(port_.writes.empty());
    EXPECT_TRUE(sent_.isEmpty());
    EXPECT_FALSE(ptt_.active);
}

TEST_F(KeyerTest, StartingAndStoppingCwWork) {
    keyer_->setNormalElementMs(60);
    keyer_->setFastElementMs(40);
    keyer_->StartCwWork();
    keyer_->StartCwWork(); // on already: nothing
    EXPECT_TRUE(shown_);
    EXPECT_EQ(writes(), (Bytes{PttOff})); // the idle byte
    EXPECT_EQ(normal_.changes, (std::vector<FakePeriodicTimer::Change>{{true, 60}}));
    EXPECT_EQ(fast_.changes, (std::vector<FakePeriodicTimer::Change>{{true, 40}}));
    EXPECT_TRUE(test::Sound().sidetoneOpen);

    port_.clear();
    keyer_->SendCwTextRaw("T");
    keyer_->SendCwTextRaw("EST");
    endLead();
    tick();
    ASSERT_EQ(writes().back(), KeyDown);
    keyer_->SendCwTextRaw("MORE"); // waits in the lead
    echo_ = "T";
    keyer_->StopCwWork(); // in the middle of a dash
    flush();
    EXPECT_EQ(echo_, "");
    EXPECT_FALSE(normal_.enabled);
    EXPECT_FALSE(fast_.enabled);
    EXPECT_FALSE(ptt_.active);
    EXPECT_EQ(writes().back(), PttOff);
    EXPECT_FALSE(test::Sound().sidetone());
    EXPECT_FALSE(test::Sound().sidetoneOpen);
    EXPECT_EQ(keyer_->queuedElements(), 0u);
    EXPECT_EQ(keyer_->pendingText(), "");
    EXPECT_EQ(keyer_->pttState(), PttState::Idle);
    EXPECT_FALSE(shown_);
    const size_t n = port_.writes.size();
    keyer_->StopCwWork(); // off already: nothing
    EXPECT_EQ(port_.writes.size(), n);
}

TEST_F(KeyerTest, AFailingPortOrARefusedClockStopsCwWorkWithPttDown) {
    startWork();
    keyer_->SendCwTextRaw("E");
    endLead();
    port_.failWrites = true;
    tick();
    EXPECT_FALSE(keyer_->CwWorkOn());
    EXPECT_FALSE(normal_.enabled);
    EXPECT_FALSE(status_.isEmpty());
    EXPECT_EQ(keyer_->queuedElements(), 0u);
    EXPECT_EQ(platform::controlRegister().value(), PttOff);

    port_.failWrites = false;
    normal_.refuse = true;
    keyer_->StartCwWork();
    EXPECT_EQ(status_, "Unable to create a timer");
    EXPECT_FALSE(keyer_->CwWorkOn());
    EXPECT_FALSE(fast_.enabled);
    EXPECT_EQ(writes().back(), PttOff);
}

TEST_F(KeyerTest, TimesAreClampedAndAClockRestartsOnlyWhileItRuns) {
    struct Case {
        int asked, normal, ptt;
    } cases[] = {{0, 30, 1}, {29, 30, 29}, {51, 51, 51}, {101, 100, 101}, {5000, 100, 3000}};
    for (const Case &c : cases) {
        keyer_->setNormalElementMs(c.asked);
        keyer_->setPttMs(c.asked);
        EXPECT_EQ(keyer_->normalElementMs(), c.normal) << c.asked;
        EXPECT_EQ(keyer_->pttMs(), c.ptt) << c.asked;
    }
    EXPECT_TRUE(normal_.changes.empty()); // stopped: only the interval changes
    EXPECT_EQ(normal_.interval, 100u);
    keyer_->StartCwWork();
    keyer_->setNormalElementMs(51);
    EXPECT_EQ(normal_.changes, (std::vector<FakePeriodicTimer::Change>{{true, 100}, {false, 100}, {true, 51}}));
    EXPECT_TRUE(fast_.changes.size() == 1);
}
