// The QSO window's sound panel: the mixer sliders and boxes, the loader's
// mixer block, the oscilloscope, and the recording, playback and voice keys
// through the media player. Fakes for the mixer, the player and the input.
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "logbook/shutdown.h"
#include "logbook/statusticker.h"
#include "platform/mixer.h"
#include "platform/waverecorder.h"
#include "station/oscilloscope.h"
#include "station/settingsbinder.h"
#include "station/settingsglobals.h"
#include "station/soundpanel.h"
#include "tests/logbook/qsowindow_fixture.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QtEndian>

namespace zelmor::test {
namespace {

class SoundPanelTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        StatusText.clear();
        MixerLevels = {};
        platform::setMixerFactory([this] {
            auto m = std::make_unique<FakeMixer>();
            m->devices = devices;
            m->lines = lines;
            mixer = m.get();
            return std::unique_ptr<Mixer>(std::move(m));
        });
        ConnectSettingWriters();
    }
    void TearDown() override {
        platform::setMixerFactory(nullptr);
        MixerLevels = {};
        QsoWindowTest::TearDown();
    }
    static void mouse(QWidget *w, QEvent::Type type, int x) {
        const QPointF at(x, 10);
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
    // A drag on the slider picture from x = 10 to `x`.
    static void drag(QLabel *image, int x) {
        mouse(image, QEvent::MouseButtonPress, 10);
        mouse(image, QEvent::MouseMove, x);
        mouse(image, QEvent::MouseButtonRelease, x);
    }
    static int knobOffset(QFrame *knob, QLabel *image) {
        return knob->mapTo(form1, QPoint(0, 0)).x() - image->mapTo(form1, QPoint(0, 0)).x();
    }
    static qint32 stored(SettingId id, int index = -1) {
        const auto v = SettingsRegistry->value(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index));
        return v ? v->number : -1;
    }
    QByteArray wave() const {
        QFile f(path("Текущий.wav"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeOldWave() const {
        QFile f(path("Текущий.wav"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }

    int devices = 1;
    std::map<std::pair<int, int>, FakeMixer::Line> lines = {
        {{0, 3}, {0, 0, 0}}, {{0, -1}, {0, 0, 0}}, {{0, 0}, {0, 0, 0}}, {{0, 4}, {0, -1, 0}}};
    FakeMixer *mixer = nullptr;
};

TEST_F(SoundPanelTest, ASliderDragSetsItsLevelKnobAndLineWithinRange) {
    soundPanel->CreateAudioMixer();
    ASSERT_NE(mixer, nullptr);
    EXPECT_EQ(mixer->MixerID(), 0);
    const struct {
        int x;
        int level;   // -1: ignored, the level before stays
        int offset;  // the knob's left from the picture's
    } cases[] = {{4, 0, 0}, {60, 30072, 56}, {126, 65514, 122}, {140, 65514, 122}, {157, -1, 122}, {2, -1, 122}};
    int last = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.x);
        mixer->sets.clear();
        drag(form1->panel14, c.x);
        EXPECT_FALSE(soundPanel->dragging);
        const int level = c.level < 0 ? last : c.level;
        EXPECT_EQ(MixerLevels[0], level);
        EXPECT_EQ(knobOffset(form1->Panel15, form1->panel14), c.offset);
        EXPECT_EQ(stored(SettingId::MixerLevel, 1), level);
        if (c.level < 0) EXPECT_TRUE(mixer->sets.empty());
        else EXPECT_EQ(mixer->sets, (std::vector<FakeMixer::Set>{{0, 3, level, -1, 0}}));
        last = level;
    }
    // A move without a press moves nothing; the CW panel ends a drag.
    mouse(form1->panel10, QEvent::MouseMove, 60);
    EXPECT_EQ(MixerLevels[1], 0);
    mouse(form1->panel10, QEvent::MouseButtonPress, 10);
    mouse(form1->Panel7, QEvent::MouseMove, 5);
    mouse(form1->panel10, QEvent::MouseMove, 60);
    EXPECT_EQ(MixerLevels[1], 0);
}

TEST_F(SoundPanelTest, WithoutAMixerTheSlidersAndBoxesStillMoveAndStore) {
    drag(form1->panel91, 60);
    EXPECT_EQ(soundPanel->Mixer1, nullptr);
    EXPECT_EQ(knobOffset(form1->Panel20, form1->panel91), 56);
    EXPECT_EQ(stored(SettingId::MixerLevel, 4), 30072);
    form1->tmc->click();
    EXPECT_EQ(stored(SettingId::MixerLine4), 0);

    // A sound card checked but no mixer found: said once, at the first
    // activation; the sliders go on.
    devices = 0;
    Nastroy->n21->setChecked(true);
    form1->FormActivate();
    EXPECT_EQ(StatusText, NoMixerText);
    StatusText.clear();
    form1->FormActivate();
    soundPanel->LoadMixerBlock();
    EXPECT_EQ(StatusText, "");
    drag(form1->panel12, 126);
    EXPECT_EQ(stored(SettingId::MixerLevel, 3), 65514);
    EXPECT_EQ(soundPanel->Mixer1->MixerID(), -1);
}

TEST_F(SoundPanelTest, ABoxSetsItsLineWithTheLastLevelAndIsStored) {
    soundPanel->CreateAudioMixer();
    drag(form1->panel14, 60);
    mixer->sets.clear();
    form1->tlin->click();
    EXPECT_EQ(mixer->sets, (std::vector<FakeMixer::Set>{{0, 3, 30072, -1, 1}}));
    EXPECT_EQ(stored(SettingId::MixerLine1), 0);
    form1->tlin->click();
    EXPECT_EQ(mixer->sets.back(), (FakeMixer::Set{0, 3, 30072, -1, 0}));
    EXPECT_EQ(stored(SettingId::MixerLine1), 1);
}

TEST_F(SoundPanelTest, TheLoaderTakesEachLinesLevelFromTheDeviceOrKeepsTheStoredOne) {
    // The box shows in the general settings and is off at the first start.
    EXPECT_FALSE(Nastroy->n21->isHidden());
    EXPECT_EQ(SettingDefaultNumber(SettingId::SoundCard), 0);

    lines = {{{0, 3}, {29596, -1, 0}}, {{0, 0}, {100, 100, 1}}}; // the output line is missing
    WriteSetting(SettingId::SoundCard, true);
    WriteSetting(SettingId::MixerLevel, qint32(1000), 1);
    WriteSetting(SettingId::MixerLevel, qint32(20000), 2);
    for (SettingId box : {SettingId::MixerLine1, SettingId::MixerLine3, SettingId::MixerLine4}) WriteSetting(box, true);
    WriteSetting(SettingId::MixerLine2, false);
    LoadSettings();
    ASSERT_NE(mixer, nullptr);

    EXPECT_EQ(MixerLevels[0], 29596);
    EXPECT_EQ(knobOffset(form1->Panel15, form1->panel14), 55); // x = 59
    EXPECT_EQ(MixerLevels[1], 20000);
    EXPECT_EQ(knobOffset(form1->Panel11, form1->panel10), 37); // 4 + round(20000 / 537)
    EXPECT_EQ(MixerLevels[2], 100);
    EXPECT_FALSE(form1->tob1->isChecked());
    // Each line set to its level, muted where its box is off, after the boxes loaded.
    EXPECT_EQ(mixer->sets, (std::vector<FakeMixer::Set>{
                               {0, 3, 29596, -1, 0}, {0, -1, 20000, -1, 1}, {0, 0, 100, -1, 0}, {0, 4, 0, -1, 0}}));
    // Activation makes no second mixer.
    FakeMixer *first = mixer;
    form1->FormActivate();
    EXPECT_EQ(mixer, first);
    EXPECT_EQ(soundPanel->Mixer1, first);
}

TEST(Oscilloscope, SamplesStayOnThePicture) {
    const struct {
        int s, y;
    } cases[] = {{0, 0}, {67, 0}, {68, 0}, {100, 32}, {128, 60}, {188, 120}, {207, 139}, {255, 139}};
    for (const auto &c : cases) EXPECT_EQ(ScopeY(c.s), c.y) << c.s;
    EXPECT_EQ(ScopeSample(0), 128);
    EXPECT_EQ(ScopeSample(-32768), 0);
    EXPECT_EQ(ScopeSample(32767), 255);
    // The trace starts at the previous frame's last sample; missing samples
    // are the middle, in front of those that came.
    const OscilloscopeFrame f = BuildOscilloscopeFrame({qint16(0x3C00), qint16(-0x2000)}, 100);
    EXPECT_EQ(f.samples[0], 128);
    EXPECT_EQ(f.samples[129], 188);
    EXPECT_EQ(f.samples[130], 96);
    const auto p = TracePoints(f);
    EXPECT_EQ(p[0], QPoint(0, 32));
    EXPECT_EQ(p[1], QPoint(0, 60));
    EXPECT_EQ(p[130], QPoint(129, 120));
    EXPECT_EQ(p[131], QPoint(130, 28));
}

TEST(Oscilloscope, AFlatFrameIsGreenOverABlueGridInARedOutline) {
    QImage image(ScopeSize, ScopeSize, QImage::Format_RGB32);
    OscilloscopeFrame f;
    f.samples.fill(128);
    PaintOscilloscope(image, f);
    const struct {
        int x, y;
        QColor colour;
    } cases[] = {{70, 60, Qt::green}, {139, 70, Qt::red}, {70, 139, Qt::red}, {15, 70, Qt::blue},
                 {70, 15, Qt::blue},  {7, 7, Qt::black},  {135, 7, Qt::blue},  {131, 60, Qt::blue}};
    for (const auto &c : cases)
        EXPECT_EQ(image.pixelColor(c.x, c.y), c.colour) << c.x << "," << c.y;
}

TEST_F(SoundPanelTest, TheOscilloscopeDrawsTheInputAndShutDownStopsIt) {
    form1->SpeedButton1->click();
    EXPECT_TRUE(form1->Timer5->isActive());
    EXPECT_TRUE(Input().heldBy(SoundInput::Scope));
    Input().feedSamples(std::vector<qint16>(200, qint16(0x3C00))); // 188: y = 120
    QsoHook.DrawOscillogram();
    QImage shown = form1->Image49->pixmap().toImage();
    EXPECT_EQ(shown.size(), QSize(140, 140));
    EXPECT_EQ(shown.pixelColor(70, 120), QColor(Qt::green));
    EXPECT_NE(shown.pixelColor(70, 60), QColor(Qt::green));

    ShutDownSound();
    EXPECT_FALSE(form1->Timer5->isActive());
    EXPECT_FALSE(Input().running());

    // No input device: said once, and a flat trace.
    Input().device = false;
    form1->SpeedButton1->click();
    EXPECT_EQ(StatusText, NoInputText);
    QsoHook.DrawOscillogram();
    shown = form1->Image49->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(70, 60), QColor(Qt::green));
    EXPECT_NE(shown.pixelColor(70, 120), QColor(Qt::green));
    form1->Timer5->stop();
}

class RecordingTest : public SoundPanelTest {
protected:
    void SetUp() override {
        SoundPanelTest::SetUp();
        showWindow();
        form1->call->setFocus();
        QApplication::processEvents();
    }
    static void ctrl(int key) { QsoWindowTest::key(form1->call, key, Qt::ControlModifier); }
};

TEST_F(RecordingTest, CtrlEThenSamplesThenCtrlYGivesTheFile) {
    writeOldWave();
    ctrl(Qt::Key_E);
    EXPECT_EQ(Player().state(), MediaPlayer::State::Recording);
    EXPECT_EQ(wave(), "old") << "replaced when finished";
    Input().feedSamples({100, -100, 200});
    ctrl(Qt::Key_Y);
    EXPECT_EQ(Player().state(), MediaPlayer::State::Stopped);
    const QByteArray w = wave();
    ASSERT_EQ(w.size(), 44 + 6);
    EXPECT_EQ(w.left(4), "RIFF");
    EXPECT_EQ(qFromLittleEndian<quint32>(w.constData() + 24), 22050u);
    EXPECT_EQ(qFromLittleEndian<qint16>(w.constData() + 46), -100);
    EXPECT_FALSE(Input().running());
    // Stop with nothing running does nothing.
    ctrl(Qt::Key_Y);
    EXPECT_EQ(wave(), w);
    EXPECT_EQ(StatusText, "");
}

TEST_F(RecordingTest, ARecordingThatCannotStartKeepsTheOldFileAndSaysWhy) {
    writeOldWave();
    struct Case {
        const char *what;
        std::function<void()> arrange;
        QString status;
    };
    const Case cases[] = {
        {"no input device", [] { Input().device = false; }, NoInputText},
        {"the device refuses", [] { Input().refusal = "Устройство занято"; }, "Устройство занято"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        StatusText.clear();
        Input().device = true;
        Input().refusal.clear();
        c.arrange();
        ctrl(Qt::Key_E);
        EXPECT_EQ(StatusText, c.status);
        EXPECT_EQ(Player().state(), MediaPlayer::State::Stopped);
        EXPECT_EQ(wave(), "old");
        EXPECT_FALSE(QFile::exists(WaveRecorder::PartPath(path("Текущий.wav"))));
    }
}

TEST_F(RecordingTest, PlayFinishesARecordingFirstAndSaysWhatKeepsItFromPlaying) {
    ctrl(Qt::Key_E);
    Input().feedSamples({1, 2});
    ctrl(Qt::Key_P);
    EXPECT_EQ(wave().size(), 44 + 4) << "the recording was finished first";
    EXPECT_EQ(Player().played, std::vector<QString>{path("Текущий.wav")});
    EXPECT_EQ(Player().state(), MediaPlayer::State::Playing);
    // A recording started while playing ends the playback.
    ctrl(Qt::Key_E);
    EXPECT_FALSE(Player().isPlaying);
    ctrl(Qt::Key_Y);

    struct Case {
        const char *what;
        std::function<void()> arrange;
        QString status;
    };
    const Case cases[] = {
        {"a file the player rejects", [] { Player().rejection = "Формат не поддерживается"; },
         "Не удалось воспроизвести Текущий.wav: Формат не поддерживается"},
        {"no output device", [] { Player().output = false; }, NoOutputText},
        {"no file", [this] { QFile::remove(path("Текущий.wav")); }, MissingFileText(" Текущий.wav")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        StatusText.clear();
        c.arrange();
        ctrl(Qt::Key_P);
        EXPECT_EQ(StatusText, c.status);
        EXPECT_FALSE(Player().isPlaying);
    }

    // The player giving up later says so too.
    Player().output = true;
    Player().rejection.clear();
    writeOldWave();
    ctrl(Qt::Key_P);
    Player().end("Ошибка декодера");
    EXPECT_EQ(StatusText, "Не удалось воспроизвести Текущий.wav: Ошибка декодера");
}

TEST_F(RecordingTest, VoiceKeysPlayThroughThePlayerSoStopEndsThemAndAlertsEndNothing) {
    RecordIO::Touch(path("voice4.wav"));
    Nastroy->Edit30->setText("voice4.wav");
    key(form1->call, Qt::Key_F4);
    EXPECT_EQ(Player().played, std::vector<QString>{"voice4.wav"});
    EXPECT_TRUE(Player().isPlaying);
    ctrl(Qt::Key_Y);
    EXPECT_FALSE(Player().isPlaying);
    // Ctrl+P plays the current file again, not the voice message.
    writeOldWave();
    ctrl(Qt::Key_P);
    EXPECT_EQ(Player().played.back(), path("Текущий.wav"));

    // An alert is a sound of its own: the recording goes on.
    ctrl(Qt::Key_E);
    form1->PlayAlertSound(path("whoosh.wav"));
    EXPECT_EQ(Sound().count("whoosh.wav"), 1);
    EXPECT_EQ(Player().state(), MediaPlayer::State::Recording);
    // The input breaking ends the recording; the status line says why.
    Input().feedSamples({5});
    Input().fail("устройство отключено");
    EXPECT_EQ(StatusText, "Запись прервана: устройство отключено");
    EXPECT_EQ(wave().size(), 44 + 2);
}

} // namespace
} // namespace zelmor::test
