// The antenna window: codes and strobes on the fake port, the button
// groups, the names, a port that cannot be reached, and presses while the
// keyer sends on its real clock.
#include "logbook/settingscatalogue.h"
#include "platform/parallelport.h"
#include "station/ant.h"
#include "station/keyer.h"
#include "station/settingsbinder.h"
#include "tests/logbook/qsowindow_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace zelmor::test {
namespace {

class AntennaTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        platform::install(&port_);
        platform::controlRegister().reset();
        lpt(1);
        StatusText.clear();
    }
    void TearDown() override {
        QsoWindowTest::TearDown();
        LptDataPort = LptStatusPort = LptControlPort = 0;
        platform::install(static_cast<ParallelPort *>(nullptr));
        platform::controlRegister().reset();
    }
    static void lpt(int n) {
        const quint16 base = n == 1 ? 0x378 : 0x278;
        LptDataPort = base;
        LptStatusPort = base + 1;
        LptControlPort = base + 2;
    }
    static std::vector<bool> down(std::initializer_list<QPushButton *> group) {
        std::vector<bool> v;
        for (QPushButton *b : group) v.push_back(b->isChecked());
        return v;
    }
    FakeParallelPort port_;
};

using W = FakeParallelPort::Write;

TEST_F(AntennaTest, APressWritesItsCodeThenStrobesWithoutKeying) {
    struct Case {
        const char *what;
        int lpt;
        std::function<void()> before;
        QPushButton *button;
        std::vector<W> writes;
    };
    const Case cases[] = {
        {"an3, LPT1, idle", 1, [] {}, Ant->an3, {{'D', 0x378, 0x03}, {'C', 0x37A, 0x09}, {'C', 0x37A, 0x08}, {'C', 0x37A, 0x0B}}},
        {"an10, LPT2", 2, [] {}, Ant->an10, {{'D', 0x278, 0x0A}, {'C', 0x27A, 0x09}, {'C', 0x27A, 0x08}, {'C', 0x27A, 0x0B}}},
        {"PTT on, key up", 1, [] { platform::controlRegister().pttOn(); }, Ant->SpeedButton10,
         {{'D', 0x378, 0x11}, {'C', 0x37A, 0x0D}, {'C', 0x37A, 0x0C}, {'C', 0x37A, 0x0F}}},
        {"PTT on, key down", 1, [] { platform::controlRegister().keyDown(); }, Ant->SpeedButton11,
         {{'D', 0x378, 0x12}, {'C', 0x37A, 0x05}, {'C', 0x37A, 0x04}, {'C', 0x37A, 0x07}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        platform::controlRegister().reset();
        lpt(c.lpt);
        c.before();
        port_.clear();
        c.button->click();
        EXPECT_EQ(port_.timeline(), c.writes);
    }
}

TEST_F(AntennaTest, AtMostOneButtonOfAGroupIsDownAndAllMayBeUp) {
    Ant->an3->click();
    Ant->an10->click();
    EXPECT_EQ(down({Ant->an3, Ant->an10}), (std::vector<bool>{false, true}));
    port_.clear();
    Ant->an10->click(); // up again, and the code goes out again
    EXPECT_FALSE(Ant->an10->isChecked());
    EXPECT_EQ(port_.timeline().front(), (W{'D', 0x378, 0x0A}));

    QPushButton *cw = Ant->SpeedButton10, *ccw = Ant->SpeedButton11, *stop = Ant->SpeedButton12,
                *autoTurn = Ant->SpeedButton13;
    port_.clear();
    cw->click();
    EXPECT_EQ(down({cw, ccw, stop, autoTurn}), (std::vector<bool>{true, false, false, false}));
    stop->click();
    EXPECT_EQ(down({cw, ccw, stop, autoTurn}), (std::vector<bool>{false, false, false, false}));
    std::vector<quint8> codes;
    for (const W &w : port_.timeline())
        if (w.reg == 'D') codes.push_back(w.value);
    EXPECT_EQ(codes, (std::vector<quint8>{0x11, 0x10}));
    port_.clear();
    autoTurn->click();
    EXPECT_TRUE(port_.writes.empty()) << "the automatic turn writes nothing";
    ccw->click();
    EXPECT_EQ(down({cw, ccw, stop, autoTurn}), (std::vector<bool>{false, true, false, false}));
    EXPECT_FALSE(Ant->an3->isChecked()) << "the groups are apart";
}

TEST_F(AntennaTest, NamesAreStoredAtEachKeystrokeAndCaptionTheButtonsAtTheNextStart) {
    EXPECT_TRUE(Ant->nazant->isHidden());
    Ant->N2->trigger();
    EXPECT_TRUE(Ant->N2->isChecked());
    EXPECT_FALSE(Ant->nazant->isHidden());
    QStringList stored;
    QObject::connect(Ant->Edit7, &QLineEdit::textEdited, Ant,
                     [&] { stored << LoadSetting(SettingId::AntennaName, 7).text; });
    type(Ant->Edit7, "Yagi");
    EXPECT_EQ(stored, (QStringList{"Y", "Ya", "Yag", "Yagi"}));
    EXPECT_EQ(Ant->an7->text(), "");
    Ant->N2Click();
    EXPECT_TRUE(Ant->nazant->isHidden());
    EXPECT_EQ(Ant->LPT2279H1->text(), "порт LPT2     0278 -027A");

    // The next start: the caption, and the edits empty.
    DestroyAllWindows();
    CreateAllWindows();
    LoadSettings();
    EXPECT_EQ(Ant->an7->text(), "Yagi");
    EXPECT_EQ(Ant->Edit7->text(), "");
}

TEST_F(AntennaTest, APortThatCannotBeReachedIsNamedInTheWindowAndTheStatusLine) {
    const QString problem = "Нет доступа к /dev/parport0: Permission denied";
    port_.refuse(problem);
    Ant->an1->click();
    EXPECT_EQ(Ant->LabelPort->text(), problem);
    EXPECT_EQ(StatusText, problem);
    EXPECT_TRUE(Ant->an1->isChecked());
    // Later presses still name it in the window; the status line was told.
    StatusText.clear();
    Ant->SpeedButton10->click();
    EXPECT_EQ(Ant->LabelPort->text(), problem);
    EXPECT_EQ(StatusText, "");
    EXPECT_TRUE(Ant->SpeedButton10->isChecked());
    EXPECT_TRUE(port_.writes.empty());
}

TEST_F(AntennaTest, PressesWhileTheKeyerSendsNeverSplitAStrobeNorKeyWithoutPtt) {
    StandaloneKeyer k;
    k.keyer.setNormalElementMs(30);
    k.keyer.StartCwWork();
    port_.clear();
    k.keyer.SendCwTextRaw("PARIS PARIS");
    for (int i = 0; i < 50; ++i) {
        Ant->button(i % 10 + 1)->click();
        QTest::qWait(8);
    }
    EXPECT_TRUE(k.runUntilIdle(30000));
    k.keyer.StopCwWork();

    const auto t = port_.timeline();
    int presses = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        ASSERT_FALSE(t[i].reg == 'C' && !(t[i].value & 0x08) && !(t[i].value & 0x04))
            << "byte " << i << " keys without PTT: " << int(t[i].value);
        if (t[i].reg != 'D') continue;
        ++presses;
        ASSERT_LT(i + 3, t.size());
        const quint8 upper = t[i + 1].value & 0x0C;
        const quint8 rest[3] = {0x01, 0x00, 0x03};
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(t[i + 1 + j].reg, 'C') << "press " << presses;
            EXPECT_EQ(t[i + 1 + j].value, upper | rest[j]) << "press " << presses;
        }
    }
    EXPECT_EQ(presses, 50);
    EXPECT_EQ(t.back().value, 0x0B);
}

} // namespace
} // namespace zelmor::test
