// The sound card implementation: waits that end whatever the audio device
// does (there may be none at all).
#include "platform/qtsound.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {

// A silent 8 kHz wave file of `ms` milliseconds.
QString WriteWave(const QString &path, int ms) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    WaveWriter w(f, 8000);
    const std::vector<qint16> silence(size_t(8 * ms), 0);
    EXPECT_TRUE(w.begin() && w.append(silence.data(), qsizetype(silence.size())) && w.finish());
    return path;
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
        // Bounds ten times what an idle machine takes, and still well short
        // of the waits they rule out.
        {"missing file", dir.filePath("gbye010.wav"), 10000, 5000},
        {"short sound, long time-out", WriteWave(dir.filePath("short.wav"), 200), 10000, 7000},
        {"long sound, short time-out", WriteWave(dir.filePath("long.wav"), 20000), 300, 7000},
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

TEST(Sidetone, A700HzToneStartsAtAZeroCrossingAndEndsWithItsPeriod) {
    constexpr int rate = 48000;
    SidetoneGenerator tone(rate);
    ASSERT_TRUE(tone.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
    auto read = [&](int samples) {
        QByteArray b(samples * 2, '\0');
        EXPECT_EQ(tone.read(b.data(), b.size()), b.size());
        return std::vector<qint16>(reinterpret_cast<const qint16 *>(b.constData()),
                                   reinterpret_cast<const qint16 *>(b.constData()) + samples);
    };
    for (qint16 s : read(100)) EXPECT_EQ(s, 0);

    tone.on = true;
    const auto one = read(rate); // one second
    EXPECT_EQ(one[0], 0);
    int crossings = 0, peak = 0;
    for (size_t i = 1; i < one.size(); ++i) {
        if ((one[i - 1] < 0) != (one[i] < 0)) ++crossings;
        peak = std::max(peak, int(one[i]));
    }
    EXPECT_NEAR(crossings, 1400, 4);
    EXPECT_GT(peak, 10000);

    tone.on = false;
    const auto tail = read(200);
    // The period under way is finished (a period is under 69 samples), then silence.
    size_t last = 0;
    for (size_t i = 0; i < tail.size(); ++i)
        if (tail[i] != 0) last = i;
    EXPECT_LT(last, 69u);
    for (size_t i = 69; i < tail.size(); ++i) EXPECT_EQ(tail[i], 0);
}
