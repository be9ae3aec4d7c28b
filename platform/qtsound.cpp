#include "platform/qtsound.h"

#include <QApplication>
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

} // namespace zelmor
