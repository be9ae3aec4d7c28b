// The sound card implementation: lengths read from wave headers, and waits
// that end whatever the audio device does (there may be none at all).
#include "platform/qtsound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
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

TEST(QtSound, WaveLengthComesFromTheHeaderAndWhatTheFileHolds) {
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

TEST(QtSound, PlayAndWaitNeverOutlastsTheSoundOrItsTimeOut) {
    QTemporaryDir dir;
    QtSound sound;
    struct Case {
        const char *what;
        QString path;
        int timeoutMs;
        qint64 withinMs;
    } cases[] = {
        {"missing file", dir.filePath("gbye010.wav"), 10000, 500},
        {"short sound, long time-out", WriteWave(dir.filePath("short.wav"), 200), 10000, 2500},
        {"long sound, short time-out", WriteWave(dir.filePath("long.wav"), 20000), 300, 2500},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QElapsedTimer clock;
        clock.start();
        sound.playAndWait(c.path, c.timeoutMs);
        EXPECT_LT(clock.elapsed(), c.withinMs);
    }
    EXPECT_FALSE(sound.playAndWait(dir.filePath("gbye010.wav"), 1000));
    EXPECT_FALSE(sound.play(dir.filePath("gbye010.wav")));
}

} // namespace
