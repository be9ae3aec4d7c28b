#pragma once
// The sound card through Qt Multimedia.
#include "common/wavefile.h"
#include "platform/sound.h"

#include <QIODevice>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

class QAudioOutput;
class QAudioSink;
class QAudioSource;
class QMediaPlayer;
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

// The default input device through QAudioSource, on the GUI thread: the
// recording format when the device takes it, else the device's own.
class QtSoundInput : public SoundInput {
public:
    QtSoundInput();
    ~QtSoundInput() override;
    bool hasDevice() const override;

protected:
    bool startStream(PcmFormat &format, QString &error) override;
    void stopStream() override;

private:
    QAudioSource *source_ = nullptr;
    QIODevice *io_ = nullptr;
};

// Playback through QMediaPlayer and QAudioOutput on Qt's default backend
// (GStreamer here; the FFmpeg backend crashes with an audio output). The
// player is made at the first play, never while there is no output device.
class QtMediaPlayer : public MediaPlayer {
public:
    QtMediaPlayer();
    ~QtMediaPlayer() override;
    bool hasOutput() const override;

protected:
    bool startPlayback(const QString &path, QString &error) override;
    void stopPlayback() override;
    bool playing() const override;

private:
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
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

} // namespace zelmor
