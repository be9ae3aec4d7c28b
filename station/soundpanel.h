#pragma once
// The QSO window's sound panel: four mixer sliders with their on/off boxes,
// the oscilloscope, and the mixer they drive (created once: at the first
// activation with a sound card, or by the settings loader).
#include <QObject>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QFrame;
class QLabel;

namespace zelmor {

class Mixer;
class Oscilloscope;

// A slider image is 160 pixels wide: 537 levels a pixel.
inline constexpr int SliderImageWidth = 160;

struct SliderPoint {
    int x;     // in the slider image, clamped so the level stays in range
    int level; // 0-65535
};
// A drag at x over a slider image `width` wide; none outside 4..width-4.
std::optional<SliderPoint> SliderDrag(int x, int width = SliderImageWidth);
// Where the knob of a stored level stands: the inverse of the drag.
int SliderX(int level, int width = SliderImageWidth);

// The four lines, in the order of "mixer1".."mixer4": line in (source 3),
// the output (the destination itself), wave (source 0), microphone
// (source 4).
inline constexpr std::array<int, 4> MixerLineSources{3, -1, 0, 4};

inline const QString NoMixerText = QStringLiteral("Микшер звуковой карты не найден");

class SoundPanel : public QObject {
public:
    SoundPanel();
    ~SoundPanel() override;

    // The mixer; none until created.
    Mixer *Mixer1 = nullptr;
    // Set while a slider is dragged.
    bool dragging = false;
    std::unique_ptr<Oscilloscope> scope;

    // Slider `line` 0..3.
    void SliderMouseDown(int line);
    void SliderMouseMove(int line, int x);
    void SliderMouseUp(int line);
    // A move over the CW panel ends a drag.
    void CwPanelMouseMove();
    // tlinClick, tob1Click, tob2Click, tmcClick: the line's last level and
    // the box's state to the mixer.
    void BoxClick(int line);
    // Once; without a device the status line says so, once.
    void CreateAudioMixer();
    // The loader's block: the mixer created, each line's level from the
    // device (a line that does not answer keeps the stored one), the knob
    // placed, the level and the box's state set.
    void LoadMixerBlock();
    // SpeedButton1: the capture for the oscilloscope (Timer5 is the QSO
    // window's); shut-down stops it.
    void StartOscilloscope();
    void StopOscilloscope();
    void DrawOscillogram();

    QLabel *image(int line) const;
    QFrame *knob(int line) const;
    QCheckBox *box(int line) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void placeKnob(int line, int x);
    void setLine(int line);
    std::unique_ptr<Mixer> mixer_;
    bool created_ = false;
};

extern SoundPanel *soundPanel;

// Made once all windows exist: fills the QSO window's hooks for the sound
// panel, the recording and the oscilloscope, the loader's mixer block and
// the shut-down's.
void CreateSoundPanel();
void DestroySoundPanel();

} // namespace zelmor
