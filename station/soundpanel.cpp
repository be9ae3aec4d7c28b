#include "station/soundpanel.h"

#include "logbook/form1.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/shutdown.h"
#include "logbook/startup.h"
#include "platform/mixer.h"
#include "platform/sound.h"
#include "station/oscilloscope.h"
#include "station/recording.h"
#include "station/settingsbinder.h"
#include "station/settingsglobals.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>
#include <cmath>

namespace zelmor {

SoundPanel *soundPanel = nullptr;

namespace {
// The slider's drag runs from x = 4; the knob's left edge is then at the
// picture's left.
constexpr int SliderStart = 4;
int LevelsPerPixel(int width) { return 65535 / std::max(1, width - 38); }
} // namespace

std::optional<SliderPoint> SliderDrag(int x, int width) {
    if (x < SliderStart || x > width - SliderStart) return std::nullopt;
    const int step = LevelsPerPixel(width);
    // Past this the level would leave 0..65535.
    const int last = SliderStart + 65535 / step;
    const int clamped = std::min(x, last);
    return SliderPoint{clamped, (clamped - SliderStart) * step};
}

int SliderX(int level, int width) {
    const int step = LevelsPerPixel(width);
    const int x = SliderStart + int(std::lround(double(std::clamp(level, 0, 65535)) / step));
    return std::min(x, SliderStart + 65535 / step);
}

SoundPanel::SoundPanel() : scope(std::make_unique<Oscilloscope>()) {
    for (int line = 0; line < 4; ++line) {
        image(line)->installEventFilter(this);
        connect(box(line), &QCheckBox::toggled, this, [this, line] { BoxClick(line); });
    }
    form1->Panel7->installEventFilter(this);
    form1->Image49->setPixmap(QPixmap::fromImage(scope->image()));
}

SoundPanel::~SoundPanel() = default;

QLabel *SoundPanel::image(int line) const {
    QLabel *const all[4] = {form1->panel14, form1->panel10, form1->panel12, form1->panel91};
    return all[line];
}

QFrame *SoundPanel::knob(int line) const {
    QFrame *const all[4] = {form1->Panel15, form1->Panel11, form1->Panel16, form1->Panel20};
    return all[line];
}

QCheckBox *SoundPanel::box(int line) const {
    QCheckBox *const all[4] = {form1->tlin, form1->tob1, form1->tob2, form1->tmc};
    return all[line];
}

bool SoundPanel::eventFilter(QObject *watched, QEvent *event) {
    const QEvent::Type t = event->type();
    if (watched == form1->Panel7) {
        if (t == QEvent::MouseMove) CwPanelMouseMove();
        return false;
    }
    for (int line = 0; line < 4; ++line) {
        if (watched != image(line)) continue;
        if (t == QEvent::MouseButtonPress) SliderMouseDown(line);
        else if (t == QEvent::MouseMove) SliderMouseMove(line, int(static_cast<QMouseEvent *>(event)->position().x()));
        else if (t == QEvent::MouseButtonRelease) SliderMouseUp(line);
        return false;
    }
    return false;
}

void SoundPanel::SliderMouseDown(int) { dragging = true; }

void SoundPanel::SliderMouseUp(int) { dragging = false; }

void SoundPanel::CwPanelMouseMove() { dragging = false; }

void SoundPanel::placeKnob(int line, int x) {
    QFrame *k = knob(line);
    // The knob is a child of its picture: left = the picture's left + x - 4.
    k->move(x - SliderStart, k->y());
}

void SoundPanel::setLine(int line) {
    if (!Mixer1) return;
    Mixer1->SetMixerVolume(0, MixerLineSources[size_t(line)], MixerLevels[size_t(line)], -1,
                           box(line)->isChecked() ? 0 : 1);
}

void SoundPanel::SliderMouseMove(int line, int x) {
    if (!dragging) return;
    const auto p = SliderDrag(x, image(line)->width());
    if (!p) return;
    placeKnob(line, p->x);
    MixerLevels[size_t(line)] = p->level;
    setLine(line);
    WriteSetting(SettingId::MixerLevel, qint32(p->level), line + 1);
}

void SoundPanel::BoxClick(int line) { setLine(line); }

void SoundPanel::CreateAudioMixer() {
    if (created_) return;
    created_ = true;
    mixer_ = ConstructAudioMixer();
    Mixer1 = mixer_.get();
    if (Mixer1->MixerID() < 0) StatusText = NoMixerText;
}

void SoundPanel::LoadMixerBlock() {
    CreateAudioMixer();
    for (int line = 0; line < 4; ++line) {
        const MixerVolume v = Mixer1->GetMixerVolume(0, MixerLineSources[size_t(line)]);
        if (v.ok && v.left >= 0) MixerLevels[size_t(line)] = v.left;
        placeKnob(line, SliderX(MixerLevels[size_t(line)], image(line)->width()));
        setLine(line);
    }
}

void SoundPanel::StartOscilloscope() {
    if (!scope->start()) StatusText = platform::soundInput().error();
}

void SoundPanel::StopOscilloscope() { scope->stop(); }

void SoundPanel::DrawOscillogram() { form1->Image49->setPixmap(QPixmap::fromImage(scope->DrawOscillogram())); }

void CreateSoundPanel() {
    delete soundPanel;
    soundPanel = new SoundPanel;
    zelmor::CreateAudioMixer = [] { soundPanel->CreateAudioMixer(); };
    SettingsLoaderHook.MixerBlock = [] { soundPanel->LoadMixerBlock(); };
    QsoHook.RecordCurrentWave = RecordCurrentWave;
    QsoHook.PlayCurrentWave = PlayCurrentWave;
    QsoHook.StopCurrentWave = [](const QString &) { StopCurrentWave(); };
    QsoHook.StartOscilloscope = [] { soundPanel->StartOscilloscope(); };
    QsoHook.DrawOscillogram = [] { soundPanel->DrawOscillogram(); };
    StartupHook.OpenRecordingMedia = [] { OpenRecordingMedia(CurrentWavePath()); };
    ShutDownSound = [] {
        if (form1) form1->Timer5->stop();
        soundPanel->StopOscilloscope();
        // A recording under way is kept.
        StopCurrentWave();
    };
}

void DestroySoundPanel() {
    ShutDownSound = nullptr;
    StartupHook.OpenRecordingMedia = nullptr;
    QsoHook.RecordCurrentWave = nullptr;
    QsoHook.PlayCurrentWave = nullptr;
    QsoHook.StopCurrentWave = nullptr;
    QsoHook.StartOscilloscope = nullptr;
    QsoHook.DrawOscillogram = nullptr;
    SettingsLoaderHook.MixerBlock = nullptr;
    zelmor::CreateAudioMixer = nullptr;
    delete soundPanel;
    soundPanel = nullptr;
}

} // namespace zelmor
