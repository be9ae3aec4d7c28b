#pragma once
// The sound card through Qt Multimedia.
#include "platform/sound.h"

#include <QString>
#include <memory>
#include <optional>

class QSoundEffect;

namespace zelmor {

class QtSound : public Sound {
public:
    QtSound();
    ~QtSound() override;
    bool play(const QString &path) override;
    // Returns when the sound has ended, after its own length when the device
    // never reports the end (with no audio device QSoundEffect may claim to
    // play forever), and after timeoutMs at the latest.
    bool playAndWait(const QString &path, int timeoutMs) override;
    void beep() override;

private:
    std::unique_ptr<QSoundEffect> async_;
};

// Length of a PCM wave file from its header; none when it is not one.
std::optional<int> WaveDurationMs(const QString &path);

} // namespace zelmor
