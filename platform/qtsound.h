#pragma once
// The sound card through Qt Multimedia.
#include "platform/sound.h"

#include <QIODevice>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

class QAudioSink;
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
    // A 700 Hz tone pulled by the audio device through a buffer of about
    // 10 ms; off and on only flip a flag the generator reads.
    void openSidetone() override;
    void closeSidetone() override;
    void setSidetone(bool on) override;

private:
    std::unique_ptr<QSoundEffect> async_;
    std::unique_ptr<class SidetoneGenerator> tone_;
    std::unique_ptr<QAudioSink> sink_;
};

// The samples of the sidetone: a sine while the flag is on, silence while
// it is off. Signed 16-bit mono at the given rate; the tone starts at a
// zero crossing and stops at the end of a period, so keying does not click.
class SidetoneGenerator : public QIODevice {
public:
    explicit SidetoneGenerator(int sampleRate, double pitchHz = 700.0);
    std::atomic<bool> on{false};
    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override { return 1 << 16; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    double step_;
    double phase_ = 0;
    bool sounding_ = false;
};

// Length of a PCM wave file from its header; none when it is not one.
std::optional<int> WaveDurationMs(const QString &path);

} // namespace zelmor
