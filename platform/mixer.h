#pragma once
// The sound card's mixer, at the level the QSO window's sliders use it:
// destination 0 of the device and its sources, each line with one volume
// (levels 0-65535) and one mute. A line or control that is not there makes
// the call return false; nothing is shown.
#include <QtGlobal>
#include <functional>
#include <map>
#include <memory>
#include <vector>

namespace zelmor {

// What GetMixerVolume reads of one line. Levels and mute not found stay -1
// and are reported disabled; a uniform (mono) control gives the left level
// only.
struct MixerVolume {
    bool ok = false;
    int left = -1, right = -1;
    int mute = -1; // 1 muted, 0 not
    bool volumeDisabled = true, muteDisabled = true;
};

class Mixer {
public:
    virtual ~Mixer() = default;
    virtual int deviceCount() const = 0;
    // An id at or past the device count is ignored; any other closes the
    // open device, and one >= 0 opens that device (a failure leaves none).
    virtual void SetMixerID(int id) = 0;
    virtual int MixerID() const = 0; // -1: none open
    // `source` -1 is the destination itself.
    virtual MixerVolume GetMixerVolume(int destination, int source) = 0;
    // `right` -1: the same as left; `mute` -1: left as it is.
    virtual bool SetMixerVolume(int destination, int source, int left, int right = -1, int mute = -1) = 0;
};

// No mixer at all.
class NullMixer : public Mixer {
public:
    int deviceCount() const override { return 0; }
    void SetMixerID(int) override {}
    int MixerID() const override { return -1; }
    MixerVolume GetMixerVolume(int, int) override { return {}; }
    bool SetMixerVolume(int, int, int, int = -1, int = -1) override { return false; }
};

// Scripted lines, keyed by (destination, source); every call recorded.
class FakeMixer : public Mixer {
public:
    struct Line {
        int left = 0, right = -1, mute = 0;
    };
    struct Set {
        int destination, source, left, right, mute;
        bool operator==(const Set &) const = default;
    };
    int devices = 1;
    std::map<std::pair<int, int>, Line> lines;
    std::vector<Set> sets;
    std::vector<std::pair<int, int>> gets;

    int deviceCount() const override { return devices; }
    void SetMixerID(int id) override {
        if (id >= devices) return;
        id_ = id < 0 ? -1 : id;
    }
    int MixerID() const override { return id_; }
    MixerVolume GetMixerVolume(int destination, int source) override;
    bool SetMixerVolume(int destination, int source, int left, int right = -1, int mute = -1) override;

private:
    int id_ = -1;
};

// Counts the devices; with one or more, device 0 is selected.
std::unique_ptr<Mixer> ConstructAudioMixer();

namespace platform {
// What ConstructAudioMixer makes: the program sets the system's mixer,
// tests a fake; with none set, a NullMixer.
void setMixerFactory(std::function<std::unique_ptr<Mixer>()> factory);
} // namespace platform

} // namespace zelmor
