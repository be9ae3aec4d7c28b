// Wave files: the header the recording writes, lengths read from headers,
// and captured samples of any layout turned into 16-bit mono.
#include "common/wavefile.h"
#include "tests/testsupport.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {

// A silent 8 kHz, 16-bit mono wave file of `ms` milliseconds; `cutBytes`
// removes bytes from the end of the data as a broken copy would.
QString WriteWave(const QString &path, int ms, int cutBytes = 0) {
    const quint32 rate = 8000, byteRate = rate * 2, dataSize = byteRate * quint32(ms) / 1000;
    QByteArray b;
    auto u32 = [&](quint32 v) { b.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 4); };
    auto u16 = [&](quint16 v) { b.append(reinterpret_cast<const char *>(&(v = qToLittleEndian(v))), 2); };
    b.append("RIFF");
    u32(36 + dataSize);
    b.append("WAVE");
    b.append("LIST");  // a chunk before "fmt " that must be skipped
    u32(4);
    b.append("INFO");
    b.append("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(byteRate);
    u16(2);
    u16(16);
    b.append("data");
    u32(dataSize);
    b.append(QByteArray(int(dataSize) - cutBytes, '\0'));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
    return path;
}

QByteArray Floats(std::initializer_list<float> v) {
    QByteArray b(int(v.size() * 4), '\0');
    std::memcpy(b.data(), std::data(v), size_t(b.size()));
    return b;
}

template <class T>
QByteArray Ints(std::initializer_list<T> v) {
    QByteArray b;
    for (T x : v) {
        char c[sizeof(T)];
        qToLittleEndian(x, c);
        b.append(c, sizeof(T));
    }
    return b;
}

} // namespace

TEST(WaveFile, OneSecondIsTheShippedHeaderAndTheRate22050Data) {
    QTemporaryDir dir;
    QFile f(dir.filePath("one.wav"));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    WaveWriter w(f, 22050);
    ASSERT_TRUE(w.begin());
    const std::vector<qint16> second(22050, 1000);
    // In blocks as a sound card delivers them.
    for (size_t at = 0; at < second.size(); at += 441) ASSERT_TRUE(w.append(second.data() + at, 441));
    ASSERT_TRUE(w.finish());
    f.close();

    EXPECT_EQ(f.size(), 44 + 44100);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(44);
    EXPECT_EQ(head.toHex(' '), "52 49 46 46 68 ac 00 00 57 41 56 45 66 6d 74 20 10 00 00 00 01 00 01 00 22 56 00 00 "
                               "44 ac 00 00 02 00 10 00 64 61 74 61 44 ac 00 00");
    QFile shipped(test::SourceDir() + "/data/rin.wav");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(head, shipped.read(44));
    EXPECT_EQ(qFromLittleEndian<qint16>(f.read(2).constData()), 1000);
    EXPECT_EQ(WaveDurationMs(f.fileName()), 1000);
}

TEST(WaveFile, LengthComesFromTheHeaderAndWhatTheFileHolds) {
    QTemporaryDir dir;
    EXPECT_EQ(WaveDurationMs(WriteWave(dir.filePath("a.wav"), 250)), 250);
    EXPECT_EQ(WaveDurationMs(WriteWave(dir.filePath("cut.wav"), 1000, 8000)), 500);
    QFile text(dir.filePath("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a wave file at all");
    text.close();
    EXPECT_EQ(WaveDurationMs(text.fileName()), std::nullopt);
    EXPECT_EQ(WaveDurationMs(dir.filePath("missing.wav")), std::nullopt);
}

TEST(WaveFile, CapturedSamplesOfAnyLayoutBecome16BitMono) {
    const struct {
        const char *what;
        PcmFormat format;
        QByteArray bytes;
        std::vector<qint16> mono;
    } cases[] = {
        {"float stereo: channels averaged, full scale to 32767, beyond clamped",
         {48000, 2, SampleKind::Float},
         Floats({0.5f, -0.5f, 1.0f, 1.0f, -1.0f, -1.0f, 0.5f, 0.25f, 3.0f, 2.0f}),
         {0, 32767, -32767, 12288, 32767}},
        {"32-bit stereo keeps the high half", {44100, 2, SampleKind::Int32},
         Ints<qint32>({0x10000000, 0x10000000, -0x10000000, 0x7fffffff}), {4096, 14335}},
        {"8-bit mono is centred on 128", {8000, 1, SampleKind::UInt8}, QByteArray("\x80\x00\xff", 3),
         {0, -32768, 32512}},
        {"16-bit mono as it is", {22050, 1, SampleKind::Int16}, Ints<qint16>({-5, 7}), {-5, 7}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<qint16> out;
        AppendMono16(c.bytes.constData(), c.bytes.size() / c.format.bytesPerFrame(), c.format, out);
        EXPECT_EQ(out, c.mono);
    }
}

TEST(WaveFile, AFailedWriteKeepsWhatReachedTheDevice) {
    // A device that takes 100 bytes and no more, as a full disk.
    class Full : public QBuffer {
    protected:
        qint64 writeData(const char *data, qint64 len) override {
            const qint64 room = std::max<qint64>(0, 100 - pos());
            if (len > room) setErrorString("No space left on device");
            if (room == 0) return -1;
            return QBuffer::writeData(data, std::min(len, room));
        }
    } device;
    ASSERT_TRUE(device.open(QIODevice::ReadWrite));
    WaveWriter w(device, 22050);
    ASSERT_TRUE(w.begin());
    const std::vector<qint16> block(20, 1);
    EXPECT_TRUE(w.append(block.data(), 20));  // 84 bytes
    EXPECT_FALSE(w.append(block.data(), 20)); // 16 of 40 fit
    EXPECT_EQ(w.error(), "No space left on device");
    EXPECT_FALSE(w.append(block.data(), 20)) << "nothing more after a failure";
    EXPECT_EQ(w.dataBytes(), 56u);
    EXPECT_TRUE(w.finish());
    EXPECT_EQ(qFromLittleEndian<quint32>(device.data().constData() + 40), 56u);
    EXPECT_EQ(qFromLittleEndian<quint32>(device.data().constData() + 4), 36u + 56u);
}
