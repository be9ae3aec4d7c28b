#pragma once
// The sound card's mixer on ALSA's simple mixer interface. Device 0 is the
// "default" device; its lines are found by element name: each line takes
// the first name of its list that the device has, and an element serves
// one line only.
#include "platform/mixer.h"

#include <QString>
#include <QStringList>
#include <array>

namespace zelmor {

// The rules over an element's description, kept apart from ALSA.
namespace alsamixer {

// What an element offers.
struct Element {
    bool playbackVolume = false, captureVolume = false;
    bool playbackSwitch = false, captureSwitch = false;
    bool playbackMono = false, captureMono = false;
    bool active = true;
};

enum class Side { None, Playback, Capture };

// The volume: the playback volume, else the capture volume.
Side VolumeSide(const Element &e);
// The mute: the playback switch, else the capture switch (a switch on is
// a line not muted).
Side MuteSide(const Element &e);
// A mono side counts as uniform: one level, the left.
bool Uniform(const Element &e, Side side);

// Levels 0-65535 onto the element's raw range and back, linearly, rounded.
long LevelToRaw(int level, long min, long max);
int RawToLevel(long raw, long min, long max);

// The lines in order: the destination (source -1), sources 0, 3 and 4.
inline constexpr std::array<int, 4> LineSources{-1, 0, 3, 4};
// The index of (destination, source) in LineSources; -1 when no line.
int LineIndex(int destination, int source);
// The element names each line takes from those the device has; empty for
// a line with none.
std::array<QString, 4> AssignLines(const QStringList &present);

} // namespace alsamixer

class AlsaMixer : public Mixer {
public:
    // Counts the cards; with one or more, opens device 0. ALSA's own error
    // lines are kept off stderr.
    AlsaMixer();
    ~AlsaMixer() override;
    int deviceCount() const override { return cards_; }
    void SetMixerID(int id) override;
    int MixerID() const override { return id_; }
    MixerVolume GetMixerVolume(int destination, int source) override;
    bool SetMixerVolume(int destination, int source, int left, int right = -1, int mute = -1) override;

private:
    void close();
    void *element(int destination, int source) const; // snd_mixer_elem_t*
    int cards_ = 0;
    int id_ = -1;
    void *handle_ = nullptr; // snd_mixer_t*
    std::array<void *, 4> lines_{};
};

} // namespace zelmor
