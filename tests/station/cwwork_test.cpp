// CW work in the QSO window: the macro keys, the command lines, the speed
// keys, typing, and the bytes the port sees from start-up to shut-down.
// The keyer runs on fake clocks, stepped by hand.
#include "logbook/cwhooks.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/shutdown.h"
#include "platform/parallelport.h"
#include "station/cwkeys.h"
#include "station/fcw.h"
#include "station/settingsbinder.h"
#include "tests/logbook/qsowindow_fixture.h"

#include <QTest>
#include <QThread>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSpinBox>

namespace zelmor::test {
namespace {

class CwWorkTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        platform::install(&port_);
        platform::controlRegister().reset();
        LptDataPort = 0x378;
        LptStatusPort = 0x379;
        LptControlPort = 0x37A;
        DestroyCwKeyer();
        CreateCwKeyer(&normal_, &fast_, &ptt_);
        // The dialog's controls store and take effect as after start-up.
        ConnectSettingWriters();
        Keyer->toGui = [this](std::function<void()> f) { gui_.push_back(std::move(f)); };
        form1->call->setText("UA3AA");
        form1->Timer4->stop();
        form1->rsts->setText("599");
        form1->rst->setText("579");
    }
    void TearDown() override {
        QsoWindowTest::TearDown(); // the keyer goes with the windows
        LptDataPort = LptStatusPort = LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::controlRegister().reset();
    }
    void tick(int n = 1) {
        for (int i = 0; i < n; ++i) {
            Keyer->CwKeyerTick(Keyer->CwFastSpeed);
            auto calls = std::move(gui_);
            gui_.clear();
            for (auto &f : calls) f();
        }
    }
    // The lead's end and every tick to the tail's start.
    void sendAll() {
        Keyer->Timer3Timer();
        for (int i = 0; i < 5000 && Keyer->pttState() == PttState::Sending; ++i) tick();
    }
    std::vector<quint8> writes() const { return port_.controlValues(); }
    void Memo2Typed();

    FakePeriodicTimer normal_, fast_;
    FakeOneShotTimer ptt_;
    FakeParallelPort port_;
    std::vector<std::function<void()>> gui_;
};

TEST_F(CwWorkTest, SpeedKeysStepTheNormalElementTimeWithinTheUpDownsRange) {
    Nastroy->updo->setValue(50);
    CW23Click(); // PgDn: "faster" by name, one millisecond slower in effect
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "cw по умолч."), 51);
    EXPECT_EQ(Nastroy->edit6->text(), "118");
    EXPECT_EQ(Keyer->normalElementMs(), 51);
    EXPECT_TRUE(normal_.changes.empty()); // not running: not started
    SSBCW1Click();
    CW33Click();
    CW33Click();
    EXPECT_EQ(Nastroy->edit6->text(), "122");
    EXPECT_EQ(normal_.changes.back(), (FakePeriodicTimer::Change{true, 49}));
    EXPECT_EQ(normal_.changes.size(), 5u); // on, then off and on for each step
    Nastroy->updo->setValue(100);
    CW23Click();
    EXPECT_EQ(Nastroy->updo->value(), 100);
    Nastroy->updo->setValue(30);
    CW33Click();
    EXPECT_EQ(Nastroy->updo->value(), 30);
    EXPECT_EQ(Nastroy->edit6->text(), "160");
}

TEST_F(CwWorkTest, SaveInAMacroSavesOnceAndTheSavesOwnCommandLineDoesNotSaveAgain) {
    fcw->cwf2->setText("5NN SAVE");
    EXPECT_EQ(LoadSetting(SettingId::CwText, 7).text, "5NN SAVE"); // stored the moment it changed
    SSBCW1Click();
    CwMemoryCellClick(7); // F8
    EXPECT_EQ(Keyer->pendingText(), "5NN ");
    EXPECT_EQ(logRecords().size(), 1u);
    EXPECT_EQ(form1->call->text(), "");

    Keyer->Halt();
    Nastroy->cwcom13->setChecked(true);
    fcw->comstrcw40->setText("TU SAVE");
    form1->call->setText("DL1AA");
    form1->Timer4->stop();
    CwMemoryCellClick(7);
    EXPECT_EQ(logRecords().size(), 2u);
    EXPECT_EQ(Keyer->pendingText(), "5NN TU ");
    EXPECT_EQ(form1->Memo3->toPlainText(), "5NN \n5NN \nTU ");
}

TEST_F(CwWorkTest, WithCwWorkOffTheKeysKeyNothing) {
    fcw->cwf2->setText("CQ DE FCALL SAVE");
    fcw->cwf7->setText("TEST");
    Nastroy->Edit22->setText("voice1.wav");
    CwMemoryCellClick(7);  // F8
    EXPECT_EQ(StatusText, CwWorkOffText);
    CwMemoryCellClick(12); // Alt+F12
    CwMemoryCellClick(1);  // F2: the voice message instead
    EXPECT_TRUE(port_.writes.empty());
    EXPECT_TRUE(logRecords().empty());
    // (voice1.wav is missing: the status line says so, nothing plays.)
    EXPECT_EQ(StatusText, MissingFileText(" voice1.wav"));
    EXPECT_TRUE(Player().played.empty());
    EXPECT_FALSE(ptt_.active);

    // Alt+F12 with CW work on keys the text as it stands.
    SSBCW1Click();
    fcw->cwf7->setText("FCALL");
    CwMemoryCellClick(12);
    EXPECT_EQ(Keyer->pendingText(), "FCALL");
}

TEST_F(CwWorkTest, CommandLinesGoOutOnlyWithTheirBoxAndCwWork) {
    fcw->comstrcw10->setText("FCALL 5NN");
    SendCwCommandLine(1);
    EXPECT_TRUE(port_.writes.empty());
    SSBCW1Click();
    SendCwCommandLine(1);
    EXPECT_EQ(Keyer->pendingText(), "");
    Nastroy->cwcom10->setChecked(true);
    EXPECT_TRUE(LoadSetting(SettingId::CommandOn, 1).on());
    SendCwCommandLine(1);
    EXPECT_EQ(Keyer->pendingText(), "UA3AA 5NN");
}

TEST_F(CwWorkTest, TypedCharactersAreKeyedAtOnce) {
    SSBCW1Click();
    port_.clear();
    type(form1->Memo3, "E");
    EXPECT_EQ(form1->Memo3->toPlainText(), "E");
    tick();
    EXPECT_EQ(writes(), (std::vector<quint8>{0x07}));
    tick(4);
    EXPECT_TRUE(ptt_.active); // the tail
    form1->Edit2->setText("T");
    EXPECT_FALSE(ptt_.active);
    tick();
    EXPECT_EQ(writes().back(), 0x07);
    // The draft keys what is typed into it too, and Esc leaves it for the call.
    showWindow();
    Memo2Typed();
}

void CwWorkTest::Memo2Typed() {
    form1->Memo2->show();
    form1->Memo2->setFocus();
    const size_t before = Keyer->queuedElements();
    type(form1->Memo2, "M");
    EXPECT_EQ(form1->Memo2->toPlainText(), "M");
    EXPECT_EQ(Keyer->queuedElements(), before + 10); // 1110111 and the letter gap
    key(form1->Memo2, Qt::Key_Escape);
    EXPECT_TRUE(form1->call->hasFocus());
}

TEST_F(CwWorkTest, FromStartUpToShutDownOnlySafeBytesAndTheLastDropsPtt) {
    for (const StartupStep &s : StartupSequence())
        if (QByteArray(s.name).startsWith("ParallelPort")) s.run();
    SSBCW1Click();
    EXPECT_TRUE(form1->Panel7->isVisibleTo(form1));
    for (quint8 b : writes()) EXPECT_EQ(b, 0x0B); // nothing before a text keys or transmits
    const size_t beforeText = writes().size();

    ExpandAndSendMacro("PARIS");
    Keyer->Timer3Timer();
    tick(12); // P
    EXPECT_EQ(form1->Edit1->text(), "P");
    tick(3);
    StopCW1Click();
    tick();
    Keyer->Timer3Timer(); // the tail
    ExpandAndSendMacro("TEST");
    Keyer->Timer3Timer();
    tick(2); // T's dash
    ASSERT_EQ(writes().back(), 0x07);
    SSBCW1Click(); // CW work off in the middle of the dash
    EXPECT_EQ(writes().back(), 0x0B);
    EXPECT_FALSE(form1->Panel7->isVisibleTo(form1));
    ShutDown();

    const auto all = writes();
    ASSERT_GT(all.size(), beforeText);
    EXPECT_EQ(all[beforeText], 0x0F); // the text's lead comes first
    for (quint8 b : all) EXPECT_TRUE(b == 0x0B || b == 0x0F || b == 0x07) << int(b);
    EXPECT_EQ(all.back(), 0x0B);
    EXPECT_FALSE(Sound().sidetone());
    EXPECT_FALSE(normal_.enabled);
    EXPECT_FALSE(fast_.enabled);
}

TEST_F(CwWorkTest, TheLaunchersClocksDriveTheKeyer) {
    // The keyer as the program makes it: on the launcher's timers.
    DestroyCwKeyer();
    CreateCwKeyer();
    Nastroy->updo->setValue(40);
    Nastroy->updo1->setValue(35);
    std::vector<bool> checks;
    CwMenu.CheckCwWork = [&](bool on) { checks.push_back(on); };
    CwMenu.ssbcw1(); // as the menu item does
    EXPECT_TRUE(CwMenu.CwWorkOn());
    EXPECT_TRUE(glawnf->Timer1->Enabled());
    EXPECT_TRUE(glawnf->Timer3->Enabled());
    EXPECT_EQ(glawnf->Timer1->Interval(), 40u);
    EXPECT_EQ(glawnf->Timer3->Interval(), 35u);
    CW23Click(); // a restart of the running clock
    EXPECT_TRUE(glawnf->Timer1->Enabled());
    EXPECT_EQ(glawnf->Timer1->Interval(), 41u);
    port_.clear();
    // The echo and the end of the queue's clearing may reach the GUI thread
    // in one turn of its loop on a loaded machine: each is seen as it runs.
    struct Echo {
        QString appended, shown;
        bool onGuiThread;
    };
    std::vector<Echo> echoes;
    const auto append = Keyer->view.AppendEcho;
    Keyer->view.AppendEcho = [&](const QString &e) {
        append(e);
        echoes.push_back({e, form1->Edit1->text(), QThread::currentThread() == form1->thread()});
    };
    Keyer->TypeCharacter(u'E');
    // The letter, then its tail and PTT off: the keyer is idle again.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return !echoes.empty() && Keyer->pttState() == PttState::Idle; }, 20000));
    ASSERT_EQ(echoes.size(), 1u);
    EXPECT_EQ(echoes[0].appended, "E");
    EXPECT_EQ(echoes[0].shown, "E");
    EXPECT_TRUE(echoes[0].onGuiThread);
    EXPECT_EQ(form1->Edit1->text(), ""); // cleared at the end of the queue
    EXPECT_EQ(writes(), (std::vector<quint8>{0x07, 0x0F, 0x0F, 0x0F, 0x0B}));
    CwMenu.ssbcw1();
    EXPECT_FALSE(glawnf->Timer1->Enabled());
    EXPECT_FALSE(glawnf->Timer3->Enabled());
    EXPECT_EQ(writes().back(), 0x0B);
    EXPECT_EQ(checks, (std::vector<bool>{true, false}));
    CwMenu.CheckCwWork = nullptr;
}

} // namespace
} // namespace zelmor::test
