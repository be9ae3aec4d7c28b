#include "platform/qtsound.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>
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
quint32 Le32(const char *p) {
    const auto *u = reinterpret_cast<const unsigned char *>(p);
    return quint32(u[0]) | quint32(u[1]) << 8 | quint32(u[2]) << 16 | quint32(u[3]) << 24;
}

// Slack beyond the file's own length for the device to start and drain.
constexpr int StartSlackMs = 500;
} // namespace

std::optional<int> WaveDurationMs(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray head = f.read(12);
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE") return std::nullopt;
    quint32 byteRate = 0;
    while (true) {
        const QByteArray chunk = f.read(8);
        if (chunk.size() < 8) return std::nullopt;
        const quint32 size = Le32(chunk.constData() + 4);
        if (chunk.startsWith("fmt ")) {
            const QByteArray fmt = f.read(size);
            if (fmt.size() < 12) return std::nullopt;
            byteRate = Le32(fmt.constData() + 8);
            if (size & 1) f.read(1);
        } else if (chunk.startsWith("data")) {
            if (byteRate == 0) return std::nullopt;
            // A truncated file plays only what it holds.
            const qint64 data = qMin<qint64>(size, f.size() - f.pos());
            return int(data * 1000 / byteRate);
        } else if (!f.seek(f.pos() + size + (size & 1))) {
            return std::nullopt;
        }
    }
}

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
