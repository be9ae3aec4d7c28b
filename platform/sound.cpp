#include "platform/sound.h"

#include "platform/waverecorder.h"

#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <time.h>

namespace zelmor {

void FakeSound::setSidetone(bool on) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    std::lock_guard lock(toneLock_);
    if (on == toneOn_) return;
    toneOn_ = on;
    tones_.push_back({on, qint64(t.tv_sec) * 1000000000 + t.tv_nsec});
}

// ---- the sound input

SoundInput::SoundInput() : ring_(RingSize, 0) {}

bool SoundInput::acquire(Client client) {
    if (clients_ & client) return true;
    if (!running()) {
        PcmFormat f = RecordingFormat;
        QString e;
        if (!startStream(f, e)) {
            error_ = e.isEmpty() ? NoInputText : e;
            return false;
        }
        if (!f.valid()) {
            stopStream();
            error_ = QStringLiteral("Формат записи звуковой карты не поддерживается");
            return false;
        }
        format_ = f;
        error_.clear();
        partial_.clear();
        head_ = filled_ = 0;
    }
    clients_ |= client;
    return true;
}

void SoundInput::release(Client client) {
    if (!(clients_ & client)) return;
    clients_ &= ~unsigned(client);
    if (!clients_) stopStream();
}

std::vector<qint16> SoundInput::latest(int n) const {
    const size_t m = std::min(size_t(std::max(n, 0)), filled_);
    std::vector<qint16> out(m);
    for (size_t i = 0; i < m; ++i) out[i] = ring_[(head_ + RingSize - m + i) % RingSize];
    return out;
}

void SoundInput::deliver(const char *data, qint64 bytes) {
    if (!running() || bytes <= 0) return;
    const int frameBytes = format_.bytesPerFrame();
    QByteArray joined;
    if (!partial_.isEmpty()) {
        joined = partial_ + QByteArray(data, bytes);
        partial_.clear();
        data = joined.constData();
        bytes = joined.size();
    }
    const qint64 frames = bytes / frameBytes;
    if (bytes % frameBytes) partial_ = QByteArray(data + frames * frameBytes, bytes % frameBytes);
    block_.clear();
    AppendMono16(data, frames, format_, block_);
    for (qint16 s : block_) {
        ring_[head_] = s;
        head_ = (head_ + 1) % RingSize;
    }
    filled_ = std::min<size_t>(filled_ + block_.size(), RingSize);
    if (sink && !block_.empty()) sink->samples(block_.data(), qsizetype(block_.size()));
}

void SoundInput::streamFailed(const QString &error) {
    if (!running()) return;
    clients_ = 0;
    error_ = error;
    stopStream();
    if (SampleSink *s = std::exchange(sink, nullptr)) s->inputFailed(error);
}

bool NullSoundInput::startStream(PcmFormat &, QString &error) {
    error = NoInputText;
    return false;
}

bool FakeSoundInput::startStream(PcmFormat &format, QString &error) {
    ++starts;
    if (!device) {
        error = NoInputText;
        return false;
    }
    if (!refusal.isEmpty()) {
        error = refusal;
        return false;
    }
    if (offered) format = *offered;
    return true;
}

void FakeSoundInput::feed(const QByteArray &bytes) { deliver(bytes.constData(), bytes.size()); }

void FakeSoundInput::feedSamples(const std::vector<qint16> &samples) {
    const PcmFormat f = format();
    QByteArray b;
    b.reserve(qsizetype(samples.size()) * f.bytesPerFrame());
    for (qint16 s : samples) {
        for (int c = 0; c < f.channels; ++c) {
            char v[4];
            switch (f.kind) {
            case SampleKind::UInt8: b.append(char(quint8((s >> 8) + 128))); break;
            case SampleKind::Int16:
                qToLittleEndian(s, v);
                b.append(v, 2);
                break;
            case SampleKind::Int32:
                qToLittleEndian(qint32(s) * 65536, v);
                b.append(v, 4);
                break;
            case SampleKind::Float: {
                const float x = float(s) / 32767.0f;
                std::memcpy(v, &x, 4);
                b.append(v, 4);
                break;
            }
            }
        }
    }
    feed(b);
}

// ---- the media player

MediaPlayer::MediaPlayer() = default;
MediaPlayer::~MediaPlayer() = default;

bool MediaPlayer::hasInput() const { return platform::soundInput().hasDevice(); }

QString MediaPlayer::PlaybackFailedText(const QString &path, const QString &reason) {
    QString t = QStringLiteral("Не удалось воспроизвести ") + QFileInfo(path).fileName();
    if (!reason.isEmpty()) t += QStringLiteral(": ") + reason;
    return t;
}

bool MediaPlayer::play(const QString &path) {
    stop();
    error_.clear();
    source_ = playing_ = path;
    QString reason;
    if (startPlayback(path, reason)) return true;
    error_ = PlaybackFailedText(path, reason);
    return false;
}

bool MediaPlayer::record(const QString &path) {
    stop();
    error_.clear();
    auto recorder = std::make_unique<WaveRecorder>(platform::soundInput());
    if (!recorder->start(path)) {
        error_ = recorder->error();
        return false;
    }
    recorder->onFailure = [this](const QString &text) { failed(text); };
    recorder_ = std::move(recorder);
    source_ = path;
    return true;
}

void MediaPlayer::stop() {
    if (recorder_ && recorder_->active() && !recorder_->finish()) failed(recorder_->error());
    if (playing()) stopPlayback();
}

MediaPlayer::State MediaPlayer::state() const {
    if (recorder_ && recorder_->active()) return State::Recording;
    return playing() ? State::Playing : State::Stopped;
}

void MediaPlayer::playbackFailed(const QString &reason) { failed(PlaybackFailedText(playing_, reason)); }

void MediaPlayer::failed(const QString &text) {
    error_ = text;
    if (onFailure) onFailure(text);
}

bool NullMediaPlayer::startPlayback(const QString &, QString &error) {
    error = NoOutputText;
    return false;
}

bool FakeMediaPlayer::startPlayback(const QString &path, QString &error) {
    played.push_back(path);
    if (!output) {
        error = NoOutputText;
        return false;
    }
    if (!rejection.isEmpty()) {
        error = rejection;
        return false;
    }
    isPlaying = true;
    return true;
}

void FakeMediaPlayer::stopPlayback() {
    ++stops;
    isPlaying = false;
}

void FakeMediaPlayer::end(const QString &reason) {
    isPlaying = false;
    if (!reason.isEmpty()) playbackFailed(reason);
}

} // namespace zelmor

namespace zelmor::platform {
namespace {
Sound *g_sound = nullptr;
Sound *g_default = nullptr;
} // namespace
Sound &sound() {
    static NullSound none;
    if (g_sound) return *g_sound;
    return g_default ? *g_default : none;
}
void install(Sound *s) { g_sound = s; }
void setDefaultSound(Sound *s) { g_default = s; }

namespace {
SoundInput *g_input = nullptr;
SoundInput *g_defaultInput = nullptr;
MediaPlayer *g_player = nullptr;
MediaPlayer *g_defaultPlayer = nullptr;
} // namespace
SoundInput &soundInput() {
    static NullSoundInput none;
    if (g_input) return *g_input;
    return g_defaultInput ? *g_defaultInput : none;
}
void install(SoundInput *s) { g_input = s; }
void setDefaultSoundInput(SoundInput *s) { g_defaultInput = s; }
MediaPlayer &mediaPlayer() {
    static NullMediaPlayer none;
    if (g_player) return *g_player;
    return g_defaultPlayer ? *g_defaultPlayer : none;
}
void install(MediaPlayer *p) { g_player = p; }
void setDefaultMediaPlayer(MediaPlayer *p) { g_defaultPlayer = p; }
} // namespace zelmor::platform
