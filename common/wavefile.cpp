#include "common/wavefile.h"

#include <QFile>
#include <QFileDevice>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelmor {

namespace {

quint32 Le32(const char *p) { return qFromLittleEndian<quint32>(p); }

void Put16(QByteArray &b, quint16 v) {
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}
void Put32(QByteArray &b, quint32 v) {
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

constexpr int HeaderBytes = 44;
// The RIFF size field counts everything after itself.
constexpr quint32 RiffOverhead = HeaderBytes - 8;
constexpr quint32 MaxDataBytes = 0xFFFFFFFFu - RiffOverhead;

qint16 FromFloat(float v) {
    if (!(v == v)) return 0; // NaN
    return qint16(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

} // namespace

int PcmFormat::bytesPerSample() const {
    switch (kind) {
    case SampleKind::UInt8: return 1;
    case SampleKind::Int16: return 2;
    case SampleKind::Int32:
    case SampleKind::Float: return 4;
    }
    return 2;
}

void AppendMono16(const char *data, qsizetype frames, const PcmFormat &format, std::vector<qint16> &out) {
    const int channels = std::max(1, format.channels);
    const int size = format.bytesPerSample();
    out.reserve(out.size() + size_t(frames));
    for (qsizetype f = 0; f < frames; ++f) {
        qint64 sum = 0;
        for (int c = 0; c < channels; ++c) {
            const char *p = data + (f * channels + c) * size;
            switch (format.kind) {
            case SampleKind::UInt8: sum += (int(quint8(*p)) - 128) * 256; break;
            case SampleKind::Int16: sum += qFromLittleEndian<qint16>(p); break;
            case SampleKind::Int32: sum += qFromLittleEndian<qint32>(p) >> 16; break;
            case SampleKind::Float: {
                float v;
                std::memcpy(&v, p, 4);
                sum += FromFloat(v);
                break;
            }
            }
        }
        out.push_back(qint16(sum / channels));
    }
}

QByteArray WaveHeader(int rate, quint32 dataBytes) {
    QByteArray b;
    b.reserve(HeaderBytes);
    b.append("RIFF");
    Put32(b, RiffOverhead + dataBytes);
    b.append("WAVEfmt ");
    Put32(b, 16);           // the format chunk's size
    Put16(b, 1);            // PCM
    Put16(b, 1);            // mono
    Put32(b, quint32(rate));
    Put32(b, quint32(rate) * 2); // bytes per second
    Put16(b, 2);            // bytes per frame
    Put16(b, 16);           // bits per sample
    b.append("data");
    Put32(b, dataBytes);
    return b;
}

WaveWriter::WaveWriter(QIODevice &device, int rate) : device_(device), rate_(rate) {}

bool WaveWriter::fail() {
    if (error_.isEmpty()) error_ = device_.errorString();
    return false;
}

bool WaveWriter::begin() {
    const QByteArray h = WaveHeader(rate_, 0);
    return device_.write(h) == h.size() || fail();
}

bool WaveWriter::append(const qint16 *samples, qsizetype count) {
    if (failed()) return false;
    if (count <= 0) return true;
    const qint64 bytes = qint64(count) * 2;
    if (bytes > qint64(MaxDataBytes - dataBytes_)) {
        error_ = QStringLiteral("запись длиннее, чем вмещает wav-файл");
        return false;
    }
    QByteArray le;
    const char *p = reinterpret_cast<const char *>(samples);
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        le.resize(bytes);
        for (qsizetype i = 0; i < count; ++i) qToLittleEndian(samples[i], le.data() + 2 * i);
        p = le.constData();
    }
    // A short write is tried once more for the rest: that one names the
    // reason (a full disk, a file too large).
    qint64 done = 0;
    while (done < bytes) {
        const qint64 n = device_.write(p + done, bytes - done);
        if (n <= 0) break;
        done += n;
    }
    // What reached the device counts, in whole samples.
    dataBytes_ += quint32(done & ~qint64(1));
    return done == bytes || fail();
}

bool WaveWriter::finish() {
    // A half sample left by a short write goes.
    if (auto *file = qobject_cast<QFileDevice *>(&device_)) {
        if (file->size() != HeaderBytes + qint64(dataBytes_) && !file->resize(HeaderBytes + qint64(dataBytes_)))
            return fail();
    }
    const QByteArray h = WaveHeader(rate_, dataBytes_);
    bool ok = device_.seek(4) && device_.write(h.constData() + 4, 4) == 4;
    ok = ok && device_.seek(40) && device_.write(h.constData() + 40, 4) == 4;
    return ok || fail();
}

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

} // namespace zelmor
