#include "platform/qtsound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QAudioSource>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <cmath>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace zelmor {

namespace {
// Slack beyond the file's own length for the device to start and drain.
constexpr int StartSlackMs = 500;
} // namespace

QtSound::QtSound() = default;
QtSound::~QtSound() = default;

bool QtSound::play(const QString &path) {
    if (!QFileInfo(path).isFile()) return false;
    if (!async_) async_ = std::make_unique<QSoundEffect>();
    const QUrl url = QUrl::fromLocalFile(path);
    if (async_->source() != url) async_->setSource(url);
    async_->play();
    return async_->status() != QSoundEffect::Error;
}

bool QtSound::playAndWait(const QString &path, int timeoutMs) {
    if (!QFileInfo(path).isFile() || timeoutMs <= 0) return false;
    int limit = timeoutMs;
    if (const auto length = WaveDurationMs(path)) limit = qMin(limit, *length + StartSlackMs);

    QSoundEffect effect;
    QEventLoop loop;
    bool started = false, failed = false;
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (effect.isPlaying()) started = true;
        else if (started) loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error) {
            failed = true;
            loop.quit();
        }
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, &loop, &QEventLoop::quit);

    effect.setSource(QUrl::fromLocalFile(path));
    effect.play();
    if (effect.status() == QSoundEffect::Error) return false;
    guard.start(limit);
    // Input is not processed meanwhile: the wait must not start other actions.
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    effect.stop();
    return !failed && started;
}

void QtSound::beep() { QApplication::beep(); }

namespace {
constexpr int SidetoneRate = 48000;
constexpr double TwoPi = 6.283185307179586;
} // namespace

SidetoneGenerator::SidetoneGenerator(int sampleRate, double pitchHz) : step_(TwoPi * pitchHz / sampleRate) {}

qint64 SidetoneGenerator::readData(char *data, qint64 maxSize) {
    const qint64 samples = maxSize / 2;
    auto *out = reinterpret_cast<qint16 *>(data);
    const bool want = on.load(std::memory_order_relaxed);
    for (qint64 i = 0; i < samples; ++i) {
        if (!sounding_) {
            if (!want) {
                out[i] = 0;
                continue;
            }
            sounding_ = true;
            phase_ = 0;
        }
        out[i] = qint16(std::lround(std::sin(phase_) * 12000.0));
        phase_ += step_;
        if (phase_ >= TwoPi) {
            phase_ -= TwoPi;
            // An "off" takes effect at the end of a whole period.
            if (!want) sounding_ = false;
        }
    }
    return samples * 2;
}

// ---- the input

namespace {
std::optional<SampleKind> KindOf(QAudioFormat::SampleFormat f) {
    switch (f) {
    case QAudioFormat::UInt8: return SampleKind::UInt8;
    case QAudioFormat::Int16: return SampleKind::Int16;
    case QAudioFormat::Int32: return SampleKind::Int32;
    case QAudioFormat::Float: return SampleKind::Float;
    default: return std::nullopt;
    }
}
} // namespace

QtSoundInput::QtSoundInput() = default;

QtSoundInput::~QtSoundInput() { stopStream(); }

bool QtSoundInput::hasDevice() const { return !QMediaDevices::defaultAudioInput().isNull(); }

bool QtSoundInput::startStream(PcmFormat &format, QString &error) {
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        error = NoInputText;
        return false;
    }
    QAudioFormat f;
    f.setSampleRate(format.rate);
    f.setChannelCount(format.channels);
    f.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(f)) f = device.preferredFormat();
    const auto kind = KindOf(f.sampleFormat());
    if (!kind || f.sampleRate() <= 0 || f.channelCount() <= 0) {
        error = QStringLiteral("Формат записи звуковой карты не поддерживается");
        return false;
    }
    source_ = new QAudioSource(device, f);
    io_ = source_->start();
    if (!io_ || source_->error() != QAudio::NoError) {
        error = QStringLiteral("Звуковая карта не начала запись (ошибка %1)").arg(int(source_->error()));
        stopStream();
        return false;
    }
    format = {f.sampleRate(), f.channelCount(), *kind};
    QObject::connect(io_, &QIODevice::readyRead, source_, [this] {
        const QByteArray b = io_->readAll();
        deliver(b.constData(), b.size());
    });
    QObject::connect(source_, &QAudioSource::stateChanged, source_, [this](QAudio::State state) {
        if (state == QAudio::StoppedState && source_ && source_->error() != QAudio::NoError)
            streamFailed(QStringLiteral("звуковая карта остановила запись (ошибка %1)").arg(int(source_->error())));
    });
    return true;
}

void QtSoundInput::stopStream() {
    if (!source_) return;
    QAudioSource *s = std::exchange(source_, nullptr);
    io_ = nullptr;
    QObject::disconnect(s, nullptr, nullptr, nullptr);
    s->stop();
    // It may be in one of its own signals.
    s->deleteLater();
}

// ---- playback

QtMediaPlayer::QtMediaPlayer() = default;

QtMediaPlayer::~QtMediaPlayer() {
    if (player_) player_->stop();
}

bool QtMediaPlayer::hasOutput() const { return !QMediaDevices::defaultAudioOutput().isNull(); }

bool QtMediaPlayer::startPlayback(const QString &path, QString &error) {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        error = NoOutputText;
        return false;
    }
    if (!player_) {
        output_ = std::make_unique<QAudioOutput>();
        player_ = std::make_unique<QMediaPlayer>();
        player_->setAudioOutput(output_.get());
        QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, player_.get(),
                         [this](QMediaPlayer::Error, const QString &text) {
                             player_->stop();
                             playbackFailed(text);
                         });
    }
    output_->setDevice(device);
    // A file recorded anew under the same name is read anew.
    player_->setSource(QUrl());
    player_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
    if (player_->error() != QMediaPlayer::NoError) {
        error = player_->errorString();
        return false;
    }
    player_->play();
    return true;
}

void QtMediaPlayer::stopPlayback() {
    if (player_) player_->stop();
}

bool QtMediaPlayer::playing() const { return player_ && player_->playbackState() == QMediaPlayer::PlayingState; }

void QtSound::openSidetone() {
    if (sink_) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) return; // no audio device: the sidetone is silent
    QAudioFormat format;
    format.setSampleRate(SidetoneRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) return;
    tone_ = std::make_unique<SidetoneGenerator>(SidetoneRate);
    // Unbuffered: a read-ahead buffer of its own would delay each change by far more than 10 ms.
    tone_->open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(SidetoneRate * 2 / 100); // 10 ms
    sink_->start(tone_.get());
}

void QtSound::closeSidetone() {
    if (sink_) sink_->stop();
    sink_.reset();
    tone_.reset();
}

void QtSound::setSidetone(bool on) {
    if (tone_) tone_->on.store(on, std::memory_order_relaxed);
}

} // namespace zelmor
