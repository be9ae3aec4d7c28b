#pragma once
// Wave playback and the system beep. A sound that cannot be played (no file,
// no audio device) is silent: callers go on either way. Besides the alerts:
// the sound input shared by the recorder and the oscilloscope, and the media
// player that plays and records the QSO window's wave files.
#include "common/wavefile.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace zelmor {

// The status texts of a missing device.
inline const QString NoOutputText = QStringLiteral("Нет устройства воспроизведения звука");
inline const QString NoInputText = QStringLiteral("Нет устройства записи звука");

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing and returns at once; false when it could not start.
    virtual bool play(const QString &path) = 0;
    // Plays to the end, waiting at most timeoutMs.
    virtual bool playAndWait(const QString &path, int timeoutMs) = 0;
    virtual void beep() = 0;
    // The CW sidetone. Open and close run on the GUI thread (the keyer's
    // work starting and ending); setSidetone may be called from the keyer's
    // thread and never blocks. Without an audio device it is silent.
    virtual void openSidetone() {}
    virtual void closeSidetone() {}
    virtual void setSidetone(bool on) {}
};

class NullSound : public Sound {
public:
    bool play(const QString &) override { return false; }
    bool playAndWait(const QString &, int) override { return false; }
    void beep() override {}
};

class FakeSound : public Sound {
public:
    struct Call {
        QString kind; // "play", "wait", "beep"
        QString path;
    };
    std::vector<Call> calls;
    bool succeed = true;
    bool play(const QString &path) override {
        calls.push_back({QStringLiteral("play"), path});
        return succeed;
    }
    bool playAndWait(const QString &path, int) override {
        calls.push_back({QStringLiteral("wait"), path});
        return succeed;
    }
    void beep() override { calls.push_back({QStringLiteral("beep"), QString()}); }
    // Every change of the sidetone, stamped with the monotonic clock.
    struct Tone {
        bool on;
        qint64 ns;
    };
    void setSidetone(bool on) override;
    void openSidetone() override { sidetoneOpen = true; }
    void closeSidetone() override { sidetoneOpen = false; }
    std::vector<Tone> tones() const {
        std::lock_guard lock(toneLock_);
        return tones_;
    }
    std::vector<bool> toneStates() const {
        std::vector<bool> v;
        for (const Tone &t : tones()) v.push_back(t.on);
        return v;
    }
    bool sidetone() const {
        std::lock_guard lock(toneLock_);
        return toneOn_;
    }
    void clearTones() {
        std::lock_guard lock(toneLock_);
        tones_.clear();
    }
    bool sidetoneOpen = false;
    // How many calls played a file whose name ends with `suffix`.
    int count(const QString &suffix) const {
        int n = 0;
        for (const auto &c : calls)
            if (c.kind != QLatin1String("beep") && c.path.endsWith(suffix, Qt::CaseInsensitive)) ++n;
        return n;
    }

private:
    mutable std::mutex toneLock_;
    std::vector<Tone> tones_;
    bool toneOn_ = false;
};

// What takes the samples of the sound input as they come: 16-bit mono at
// the rate of the input's format. Called on the GUI thread.
class SampleSink {
public:
    virtual ~SampleSink() = default;
    virtual void samples(const qint16 *data, qsizetype count) = 0;
    // The stream broke; no samples follow.
    virtual void inputFailed(const QString &error) = 0;
};

// The sound card's input: one stream that runs while the recorder or the
// oscilloscope (or both) hold it, keeping its latest samples in a ring.
// The recording format is asked for; a device that refuses it gives its
// own, and every block is turned into 16-bit mono on arrival.
class SoundInput {
public:
    enum Client : unsigned { Recorder = 1, Scope = 2 };
    static constexpr int RingSize = 4096;

    SoundInput();
    virtual ~SoundInput() = default;
    // Whether the system has an input device at all (QMediaDevices).
    virtual bool hasDevice() const = 0;
    // Starts the stream for `client` unless it runs; false when it cannot
    // start, error() says why.
    bool acquire(Client client);
    void release(Client client);
    bool running() const { return clients_ != 0; }
    bool heldBy(Client client) const { return clients_ & client; }
    // The format of the running stream.
    PcmFormat format() const { return format_; }
    QString error() const { return error_; }
    // The latest samples, oldest first: `n` of them, or all there are while
    // fewer came since the stream started.
    std::vector<qint16> latest(int n) const;
    // The recorder's: every block as it comes. Not owned.
    SampleSink *sink = nullptr;

protected:
    // `format` holds the wanted format and returns the one captured.
    virtual bool startStream(PcmFormat &format, QString &error) = 0;
    virtual void stopStream() = 0;
    // A block of captured bytes in the stream's format; a frame cut between
    // two blocks is joined.
    void deliver(const char *data, qint64 bytes);
    // The device stopped: the clients let go.
    void streamFailed(const QString &error);

private:
    unsigned clients_ = 0;
    PcmFormat format_;
    QString error_;
    QByteArray partial_;
    std::vector<qint16> block_;
    std::vector<qint16> ring_;
    size_t head_ = 0;   // where the next sample goes
    size_t filled_ = 0; // samples in the ring
};

// No input device.
class NullSoundInput : public SoundInput {
public:
    bool hasDevice() const override { return false; }

protected:
    bool startStream(PcmFormat &, QString &error) override;
    void stopStream() override {}
};

// Plays scripted samples into whoever holds the stream.
class FakeSoundInput : public SoundInput {
public:
    bool hasDevice() const override { return device; }
    bool device = true;
    // The format the device captures in place of the wanted one.
    std::optional<PcmFormat> offered;
    // Non-empty: the stream refuses to start with this error.
    QString refusal;
    int starts = 0, stops = 0;
    // Raw bytes in the running stream's format; nothing while it is stopped.
    void feed(const QByteArray &bytes);
    // 16-bit samples, converted to the running format first.
    void feedSamples(const std::vector<qint16> &samples);
    void fail(const QString &error) { streamFailed(error); }

protected:
    bool startStream(PcmFormat &format, QString &error) override;
    void stopStream() override { ++stops; }
};

class WaveRecorder;

// The QSO window's media player: plays one wave file at a time from its
// start, records the sound input into a wave file, and stops either. A
// recording goes into a new file next to the target and replaces the target
// only when it is finished, so a recording that cannot start leaves the old
// file as it was.
class MediaPlayer {
public:
    enum class State { Stopped, Playing, Recording };

    MediaPlayer();
    virtual ~MediaPlayer();
    // Whether the system has an output and an input device (QMediaDevices);
    // a player's own state says nothing about that.
    virtual bool hasOutput() const = 0;
    bool hasInput() const;
    // The file for the next play, without playing it.
    void open(const QString &path) { source_ = path; }
    QString source() const { return source_; }
    // From the start; what plays or records ends first. False when it could
    // not start; error() says why.
    bool play(const QString &path);
    // Into `path` from the start; what plays or records ends first.
    bool record(const QString &path);
    // Ends playback or finishes a recording; nothing else.
    void stop();
    State state() const;
    QString error() const { return error_; }
    // A failure that came later: the player rejecting a file, a write error
    // that ended a recording, a recording that could not be put in place.
    std::function<void(const QString &text)> onFailure;

    // "Не удалось воспроизвести" with the file and the player's reason.
    static QString PlaybackFailedText(const QString &path, const QString &reason);

protected:
    virtual bool startPlayback(const QString &path, QString &error) = 0;
    virtual void stopPlayback() = 0;
    virtual bool playing() const = 0;
    // The backend rejected the file while playing it.
    void playbackFailed(const QString &reason);

private:
    void failed(const QString &text);
    QString source_, playing_, error_;
    std::unique_ptr<WaveRecorder> recorder_;
};

// No output device.
class NullMediaPlayer : public MediaPlayer {
public:
    bool hasOutput() const override { return false; }

protected:
    bool startPlayback(const QString &, QString &error) override;
    void stopPlayback() override {}
    bool playing() const override { return false; }
};

// Records what it is asked to play; its recordings are real, from the
// installed sound input.
class FakeMediaPlayer : public MediaPlayer {
public:
    bool hasOutput() const override { return output; }
    bool output = true;
    // Non-empty: the player rejects every file with this reason.
    QString rejection;
    std::vector<QString> played;
    int stops = 0;
    bool isPlaying = false;
    // The file ended (or the backend gave up with `reason`).
    void end(const QString &reason = QString());

protected:
    bool startPlayback(const QString &path, QString &error) override;
    void stopPlayback() override;
    bool playing() const override { return isPlaying; }
};

namespace platform {
Sound &sound();
void install(Sound *s); // not owned; nullptr restores the default
void setDefaultSound(Sound *s); // the real device, installed by the program
SoundInput &soundInput();
void install(SoundInput *s);
void setDefaultSoundInput(SoundInput *s);
MediaPlayer &mediaPlayer();
void install(MediaPlayer *p);
void setDefaultMediaPlayer(MediaPlayer *p);
} // namespace platform

} // namespace zelmor
