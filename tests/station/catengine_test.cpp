// The poll cycle stepped by hand: what each tick decodes and shows, what the
// pacer sends and in which order, the call memory, and the link's failures.
#include "station/catengine.h"
#include "tests/testsupport.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {

QByteArray Hex(const char *hex) { return QByteArray::fromHex(QByteArray(hex).replace(' ', "")); }
std::string Show(const QByteArray &b) { return b.toHex(' ').toStdString() + " \"" + b.toStdString() + "\""; }

class RecordingView : public CatView {
public:
    QString vfobText, vfoaText, band = "14  Mhz", modeLabel, modeField = "SSB", call, status;
    BandPointChart chart;
    int charts = 0, cwStarts = 0, cwStops = 0;
    std::vector<QString> errors;
    bool tcb2 = false, edit = false, cwSsb = false, rxtx1 = false, rxtxCall = false;

    QString vfob() const override { return vfobText; }
    void setVfob(const QString &t) override { vfobText = t; }
    void setVfoa(const QString &t) override { vfoaText = t; }
    void setBandField(const QString &t) override { band = t; }
    void setModeLabel(const QString &t) override { modeLabel = t; }
    void setModeField(const QString &t) override { modeField = t; }
    void chartChanged(const BandPointChart &c) override { chart = c, ++charts; }
    QString callText() const override { return call; }
    void setCallText(const QString &t) override { call = t; }
    void setStatusText(const QString &t) override { status = t; }
    void showError(const QString &t) override { errors.push_back(t); }
    void startCwWork() override { ++cwStarts; }
    void stopCwWork() override { ++cwStops; }
    bool bandFieldKept() const override { return tcb2; }
    bool editMode() const override { return edit; }
    bool cwFollowsMode() const override { return cwSsb; }
    bool pollOnCommand() const override { return rxtx1; }
    bool pollWhileTyping() const override { return rxtxCall; }
};

class CatEngineTest : public ::testing::Test {
protected:
    CatEngineTest() : engine(&view) {
        engine.sendByte = [this](char c) {
            sent.append(c);
            return true;
        };
    }
    // One poll period: the rig's reply arrives, the tick runs, the pacer
    // sends the whole block. Returns the bytes sent in the period.
    QByteArray period(const QByteArray &reply = {}) {
        if (!reply.isEmpty()) engine.onReceive(reply.constData(), int(reply.size()));
        sent.clear();
        engine.onPollTick();
        while (engine.onPacerTick()) {}
        return sent;
    }
    void select(RadioModel m) {
        engine.model = m;
        engine.reset();
    }
    RecordingView view;
    CatEngine engine;
    QByteArray sent;
};

const QByteArray Ft890Reply = Hex("00 00 15 B8 8C 00 00 01 00 00 00 15 66 84 00 00 01 00 00");

QByteArray Reply(int size, int at, const char *bytes, int modeAt, quint8 mode) {
    QByteArray r(size, '\0');
    const QByteArray b = Hex(bytes);
    r.replace(at, b.size(), b);
    r[modeAt] = char(mode);
    return r;
}

TEST_F(CatEngineTest, Ft890StatusFillsTheQsoWindowAndTheBandChart) {
    select(RadioModel::ft890);
    EXPECT_EQ(Show(period()), Show(Hex("00 00 00 02 10")));
    // 18 bytes are not a status: nothing changes.
    period(Ft890Reply.left(18));
    EXPECT_EQ(view.vfobText, "");
    EXPECT_EQ(view.charts, 0);

    period(Ft890Reply);
    EXPECT_EQ(view.vfobText, "14.235.00");
    EXPECT_EQ(view.vfoaText, "14.025.00");
    EXPECT_EQ(view.band, "14  Mhz");
    EXPECT_EQ(view.modeLabel, "USB");
    EXPECT_EQ(view.modeField, "SSB");
    EXPECT_EQ(view.chart.axisMin, 14000);
    EXPECT_EQ(view.chart.axisMax, 14350);
    ASSERT_EQ(view.chart.series5.size(), 1u);
    EXPECT_EQ(view.chart.series5[0], QPointF(14235, 0));
    ASSERT_EQ(view.chart.series6.size(), 1u);
    EXPECT_EQ(view.chart.series6[0], QPointF(14025, 0));
    EXPECT_EQ(engine.CurrentBandIndex, 4);
    EXPECT_EQ(engine.CurrentFrequency, 1423500);
}

TEST_F(CatEngineTest, EachModelsReplyAndTheBandsOffTheChart) {
    struct Case {
        const char *name;
        RadioModel model;
        QByteArray reply;
        const char *vfob, *band, *modeLabel, *modeField;
        int redPoint; // -1: none
    };
    const Case cases[] = {
        {"FT-920", RadioModel::ft920, Reply(21, 1, "00 D9 36 B8", 7, 4), "14.235.32", "14  Mhz", "LSB", "SSB", 14235},
        {"FT-1000MP", RadioModel::ft1000mp, Reply(31, 1, "01 5B 88 C0", 7, 5), "14.235.00", "14  Mhz", "RTTY", "RTTY", -1},
        {"FT-990", RadioModel::ft990, Reply(31, 1, "0A BF F4", 7, 2), "7.045.00", "7.0 Mhz", "CW", "CW", 7045},
        {"Kenwood FA", RadioModel::kenwood1, "FA00007045000;", "07.045.00", "7.0 Mhz", "", "SSB", 7045},
        {"Kenwood MD2", RadioModel::kenwood1, "MD2;", "", "14  Mhz", "USB", "SSB", -1},
        // Off the nine chart bands: named if the log has the band, never plotted.
        {"FT-990 11.700.00", RadioModel::ft990, Reply(31, 1, "11 DA 50", 7, 0), "11.700.00", "", "LSB", "SSB", -1},
        {"FT-920 50.125.00", RadioModel::ft920, Reply(21, 1, "02 FC D8 C8", 7, 5), "50.125.00", "50  Mhz", "USB", "SSB", -1},
        {"Kenwood 144.300.00", RadioModel::kenwood1, "FA00144300000;", "144.300.00", "144Mhz", "", "SSB", -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        view = RecordingView{};
        view.chart.series5 = {QPointF(14235, 1)}; // what was shown before
        select(c.model);
        engine.chart.series5 = {QPointF(14235, 1)};
        period();
        period(c.reply);
        EXPECT_EQ(view.vfobText, c.vfob);
        EXPECT_EQ(view.band, c.band);
        EXPECT_EQ(view.modeLabel, c.modeLabel);
        EXPECT_EQ(view.modeField, c.modeField);
        if (c.redPoint < 0) {
            if (*c.vfob) {
                EXPECT_TRUE(view.chart.series5.empty());
            }
        } else {
            ASSERT_EQ(view.chart.series5.size(), 1u);
            EXPECT_EQ(view.chart.series5[0].x(), c.redPoint);
        }
        EXPECT_TRUE(view.errors.empty());
    }
}

TEST_F(CatEngineTest, KenwoodSecondVfoGarbledAndUnknownRepliesChangeNothing) {
    select(RadioModel::kenwood1);
    period();
    period("FA00014235000;");
    for (const char *reply : {"FB00014250000;", "MD6;", "FA0001402X000;", "FA;", "?;", "garbage"}) {
        SCOPED_TRACE(reply);
        const QString band = view.band, mode = view.modeField;
        period(reply);
        EXPECT_EQ(view.vfobText, "14.235.00");
        EXPECT_EQ(view.band, band);
        EXPECT_EQ(view.modeField, mode);
        EXPECT_TRUE(view.errors.empty());
    }
    EXPECT_EQ(view.vfoaText, "14.250.00");
}

TEST_F(CatEngineTest, KenwoodPollsRotateAndFormActivateStartsAgain) {
    select(RadioModel::kenwood1);
    EXPECT_EQ(period(), "FA;");
    EXPECT_EQ(period("FA00014235000;"), "FB;");
    EXPECT_EQ(period("FB00014235000;"), "MD;");
    EXPECT_EQ(period("MD2;"), "FA;");
    EXPECT_EQ(period("FA00014235000;"), "FB;");
    engine.FormActivate();
    EXPECT_EQ(period("FB00014235000;"), "FA;");
}

TEST_F(CatEngineTest, CwWorkFollowsAChangeOfTheRigsModeOnly) {
    select(RadioModel::ft990);
    view.cwSsb = true;
    const QByteArray cw = Reply(31, 1, "0A BF F4", 7, 2), usb = Reply(31, 1, "0A BF F4", 7, 1);
    period();
    for (int i = 0; i < 3; ++i) period(cw);
    EXPECT_EQ(view.cwStarts, 1);
    EXPECT_EQ(view.cwStops, 0);
    period(usb);
    period(usb);
    EXPECT_EQ(view.cwStops, 1);
    period(cw);
    EXPECT_EQ(view.cwStarts, 2);
    // Without cw_ssb the keyer is left alone.
    view.cwSsb = false;
    period(usb);
    period(cw);
    EXPECT_EQ(view.cwStarts, 2);
    EXPECT_EQ(view.cwStops, 1);
}

TEST_F(CatEngineTest, EditModeAndTheBandSwitchKeepTheEntryFields) {
    select(RadioModel::ft890);
    period();
    view.edit = true;
    view.call = "QQ1AX";
    engine.memoryCalls = {"DL1ABC"};
    engine.memoryFrequencies = {"1423500"};
    period(Ft890Reply);
    EXPECT_EQ(view.vfobText, "14.235.00"); // the rig's own display still follows
    EXPECT_EQ(view.band, "14  Mhz");
    EXPECT_EQ(view.modeLabel, "");
    EXPECT_EQ(view.call, "QQ1AX");         // no recall while a QSO is edited
    view = RecordingView{};
    view.tcb2 = true;
    view.band = "21  Mhz";
    view.modeField = "CW";
    period(Ft890Reply);
    EXPECT_EQ(view.band, "21  Mhz");
    EXPECT_EQ(view.modeField, "CW");
    EXPECT_EQ(view.modeLabel, "USB");
}

TEST_F(CatEngineTest, CallMemoryRecallsWithin1500HzAndForgets) {
    select(RadioModel::ft890);
    view.vfobText = "14.235.00";
    engine.RecallCallAtFrequency();
    view.call = "QQ1AX";
    engine.RememberCallAtFrequency();
    EXPECT_EQ(view.call, "");
    ASSERT_EQ(engine.memoryFrequencies, QStringList{"1423500"});

    struct Step {
        const char *vfob;
        const char *callAfter;
    };
    const Step steps[] = {
        {"14.236.40", "QQ1AX"}, // 140 apart: recalled
        {"14.236.30", "QQ1AX"}, // still there, not set again
        {"14.236.50", ""},      // 150 apart: gone, and the recalled call cleared
        {"14.233.60", "QQ1AX"},
        {"not a number", "QQ1AX"}, // no frequency: no recall, nothing cleared
    };
    for (const Step &s : steps) {
        SCOPED_TRACE(s.vfob);
        view.vfobText = s.vfob;
        engine.RecallCallAtFrequency();
        EXPECT_EQ(view.call, s.callAfter);
    }
    EXPECT_EQ(engine.CurrentFrequency, 0);
    // A call the operator typed over the recalled one stays.
    view.vfobText = "14.235.00";
    engine.RecallCallAtFrequency();
    view.call = "UA3ABC";
    view.vfobText = "7.000.00";
    engine.RecallCallAtFrequency();
    EXPECT_EQ(view.call, "UA3ABC");

    // The newest of two near pairs wins; a 21st pair drops the oldest.
    engine.ClearCallMemory();
    for (int i = 0; i < 21; ++i) {
        view.vfobText = TenHzFrequencyText(700000 + 1000 * i);
        engine.RecallCallAtFrequency();
        view.call = QString("CALL%1").arg(i);
        engine.RememberCallAtFrequency();
    }
    EXPECT_EQ(engine.memoryCalls.size(), 20);
    EXPECT_EQ(engine.memoryCalls.front(), "CALL1");
    EXPECT_EQ(engine.memoryCalls.back(), "CALL20");
    view.vfobText = "7.000.00";
    engine.RecallCallAtFrequency();
    EXPECT_EQ(view.call, "");
    engine.memoryCalls << "NEWER";
    engine.memoryFrequencies << "720050";
    view.vfobText = "7.200.00";
    engine.RecallCallAtFrequency();
    EXPECT_EQ(view.call, "NEWER");
}

TEST_F(CatEngineTest, MenuCommandsQueueAndEachPollSendsTheOldestWhole) {
    select(RadioModel::ft890);
    period();
    view.call = "14025";
    engine.N50Click();
    EXPECT_EQ(view.call, "");
    engine.AB2Click();
    EXPECT_EQ(engine.CatCommandPending, 1);
    EXPECT_EQ(Show(period(Ft890Reply)), Show(Hex("00 25 40 01 0A")));
    EXPECT_EQ(engine.CatCommandPending, 1);
    EXPECT_EQ(Show(period()), Show(Hex("00 00 00 01 05")));
    EXPECT_EQ(engine.CatCommandPending, 0);
    EXPECT_EQ(Show(period()), Show(Hex("00 00 00 02 10")));

    // +100 Hz and -100 Hz from the rig's display.
    view.vfobText = "7.045.00";
    engine.F100Hz1Click();
    EXPECT_EQ(Show(period()), Show(Hex("10 45 70 00 0A")));
    engine.F100Hz2Click();
    EXPECT_EQ(Show(period()), Show(Hex("90 44 70 00 0A")));
    select(RadioModel::kenwood1);
    view.vfobText = "07.045.00";
    engine.F100Hz1Click();
    EXPECT_EQ(period(), "FA00007045100;");
    engine.AB3Click();
    EXPECT_EQ(view.status, KenwoodNoAeqBText);
    EXPECT_TRUE(engine.queue().empty());
    engine.USB1Click();
    EXPECT_EQ(period(), "FR0;FT1;");
}

TEST_F(CatEngineTest, TypedFrequencyIsCheckedBeforeAnythingIsQueued) {
    select(RadioModel::ft890);
    for (const char *bad : {"14A25", "1402B", "UA3ABC"}) {
        SCOPED_TRACE(bad);
        view.errors.clear();
        view.call = bad;
        engine.N50Click();
        ASSERT_EQ(view.errors.size(), 1u);
        EXPECT_EQ(view.errors[0], QString("Неверная частота: ") + bad);
        EXPECT_EQ(view.call, bad);
        EXPECT_TRUE(engine.queue().empty());
    }
    view.errors.clear();
    view.call = "  ";
    engine.N50Click();
    EXPECT_TRUE(view.errors.empty());
    EXPECT_TRUE(engine.queue().empty());
    EXPECT_EQ(engine.CatCommandPending, 0);
}

TEST_F(CatEngineTest, ABlockInProgressFinishesBeforeTheNextStarts) {
    select(RadioModel::ft890);
    sent.clear();
    engine.onPollTick();
    for (int i = 0; i < 3; ++i) engine.onPacerTick();
    EXPECT_EQ(Show(sent), Show(Hex("00 00 00")));
    // Lock pressed, then a poll tick comes early: the status request ends first.
    engine.Lock1Click();
    EXPECT_TRUE(engine.lockOn);
    engine.onPollTick();
    while (engine.onPacerTick()) {}
    EXPECT_EQ(Show(sent), Show(Hex("00 00 00 02 10 00 00 00 01 04")));
}

TEST_F(CatEngineTest, AByteThePortRefusesGoesAgainAtTheNextTick) {
    select(RadioModel::ft890);
    int refusals = 0;
    engine.sendByte = [&](char c) {
        if (sent.size() == 2 && refusals < 3) return ++refusals, false;
        sent.append(c);
        return true;
    };
    EXPECT_EQ(Show(period()), Show(Hex("00 00 00 02 10")));
    EXPECT_EQ(refusals, 3);
}

TEST_F(CatEngineTest, OnDemandPollingGivesTwoTicks) {
    select(RadioModel::ft890);
    view.rxtx1 = true;
    EXPECT_EQ(engine.onPollTick(), 1000);
    EXPECT_EQ(engine.onPollTick(), 0);
    EXPECT_EQ(engine.onPollTick(), 1000);
    EXPECT_EQ(engine.onPollTick(), 0);
    select(RadioModel::ft990_2);
    view.rxtx1 = false;
    view.rxtxCall = true;
    EXPECT_EQ(engine.onPollTick(), 5000);
    EXPECT_EQ(engine.onPollTick(), 0);
    // Timer2's second decode: only the FT-990 (2) reads the reply again.
    QByteArray r(53, '\0');
    r.replace(21, 3, Hex("15 B8 8C"));
    engine.onReceive(r.constData(), int(r.size()));
    engine.onSecondDecode();
    EXPECT_EQ(view.vfobText, "14.235.00");
}

TEST_F(CatEngineTest, ThreeUnansweredStatusRequestsMeanTheRigIsSilent) {
    select(RadioModel::ft890);
    QSignalSpy silent(&engine, &CatEngine::rigSilent);
    period();
    period();           // one unanswered
    period(Ft890Reply); // an answer starts the count again
    period();           // one
    engine.PTT1Click();
    period();           // two; PTT goes out
    period();           // PTT gets no reply and does not count
    EXPECT_EQ(silent.count(), 0);
    engine.onPollTick(); // three
    EXPECT_EQ(silent.count(), 1);
    EXPECT_FALSE(engine.pacerBusy()); // nothing more is asked of a silent rig
}

TEST_F(CatEngineTest, ARequestStillGoingOutAtATickIsNotYetUnanswered) {
    select(RadioModel::ft890);
    QSignalSpy silent(&engine, &CatEngine::rigSilent);
    sent.clear();
    engine.onPollTick();
    for (int i = 0; i < 3; ++i) engine.onPacerTick();
    // A busy machine: the pacer stalls over several poll periods.
    for (int i = 0; i < 5; ++i) engine.onPollTick();
    EXPECT_EQ(engine.silentPolls, 0);
    EXPECT_EQ(silent.count(), 0);
    while (engine.onPacerTick()) {}
    // The first request whole, then the latest one.
    EXPECT_EQ(Show(sent), Show(Hex("00 00 00 02 10 00 00 00 02 10")));
    engine.onPollTick(); // now one is due and had no answer
    EXPECT_EQ(engine.silentPolls, 1);
}

TEST_F(CatEngineTest, AFloodNeverGrowsTheReplyPast4KiB) {
    select(RadioModel::kenwood1);
    const QByteArray chunk(1000, 'F');
    for (int i = 0; i < 10; ++i) engine.onReceive(chunk.constData(), int(chunk.size()));
    EXPECT_EQ(engine.CatReply.size(), CatEngine::ReplyLimit);
    period();
    EXPECT_TRUE(engine.CatReply.isEmpty());
}

TEST_F(CatEngineTest, ClosingLetsTheBlockFinishAndSwitchesTransmitOff) {
    select(RadioModel::ft890);
    period();
    engine.PTT1Click();
    engine.AB1Click();
    sent.clear();
    engine.onPollTick(); // PTT on starts
    engine.onPacerTick();
    engine.onPacerTick();
    engine.prepareClose();
    EXPECT_FALSE(engine.pttOn);
    while (engine.onPacerTick()) {}
    // The rest of PTT on, then PTT off; the queued VFO-a is dropped.
    EXPECT_EQ(Show(sent), Show(Hex("00 00 00 01 0F 00 00 00 00 0F")));

    // At shut-down the rest comes at once.
    period();
    engine.PTT1Click();
    sent.clear();
    engine.onPollTick();
    engine.onPacerTick();
    EXPECT_EQ(Show(sent + engine.takeRemaining()), Show(Hex("00 00 00 01 0F 00 00 00 00 0F")));
    EXPECT_FALSE(engine.pacerBusy());
    // Link on again: the first block is a status request.
    engine.Lock1Click();
    engine.reset();
    EXPECT_EQ(Show(period()), Show(Hex("00 00 00 02 10")));
}

TEST_F(CatEngineTest, FrequencyChannels) {
    select(RadioModel::ft890);
    EXPECT_FALSE(engine.N13Click());
    EXPECT_EQ(view.status, "Каналы памяти пусты");
    view.vfobText = "14.235.00";
    engine.N54Click();
    view.vfobText = "7.045.00";
    engine.N54Click();
    EXPECT_EQ(engine.currentChannel, 1);
    EXPECT_TRUE(engine.N13Click());
    engine.SelectChannel(0);
    EXPECT_EQ(view.status, "Канал памяти № 0 частота 14.235.00");
    engine.N56Click();
    EXPECT_EQ(Show(period()), Show(Hex("00 35 42 01 0A")));
    engine.SelectChannel(1);
    engine.N56Click();
    EXPECT_EQ(Show(period()), Show(Hex("00 45 70 00 0A")));
}

} // namespace
