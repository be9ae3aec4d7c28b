// The sound input shared by the recorder and the oscilloscope, and the
// recorder that writes it into a wave file: a finished recording replaces
// the target, one that cannot start leaves it alone, one ended by a write
// error keeps what was written.
#include "platform/waverecorder.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {

struct WaveContent {
    quint16 channels = 0, bits = 0;
    quint32 rate = 0, riffSize = 0, dataSize = 0;
    std::vector<qint16> samples;
    qint64 fileSize = 0;
};

WaveContent ReadWave(const QString &path) {
    QFile f(path);
    WaveContent w;
    if (!f.open(QIODevice::ReadOnly)) return w;
    const QByteArray b = f.readAll();
    w.fileSize = b.size();
    if (b.size() < 44) return w;
    w.riffSize = qFromLittleEndian<quint32>(b.constData() + 4);
    w.channels = qFromLittleEndian<quint16>(b.constData() + 22);
    w.rate = qFromLittleEndian<quint32>(b.constData() + 24);
    w.bits = qFromLittleEndian<quint16>(b.constData() + 34);
    w.dataSize = qFromLittleEndian<quint32>(b.constData() + 40);
    for (qsizetype at = 44; at + 1 < b.size(); at += 2) w.samples.push_back(qFromLittleEndian<qint16>(b.constData() + at));
    return w;
}

QByteArray FloatFrames(const std::vector<std::pair<float, float>> &frames) {
    QByteArray b;
    for (const auto &[l, r] : frames) {
        b.append(reinterpret_cast<const char *>(&l), 4);
        b.append(reinterpret_cast<const char *>(&r), 4);
    }
    return b;
}

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override {
        target = dir.filePath("Текущий.wav");
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old recording");
    }
    QByteArray targetBytes() const {
        QFile f(target);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QTemporaryDir dir;
    QString target;
    FakeSoundInput input;
};

} // namespace

TEST_F(RecorderTest, AFloatStereoDeviceIsRecordedAs16BitMonoAtItsOwnRate) {
    input.offered = PcmFormat{48000, 2, SampleKind::Float};
    WaveRecorder r(input);
    ASSERT_TRUE(r.start(target));
    EXPECT_TRUE(QFile::exists(WaveRecorder::PartPath(target)));
    EXPECT_EQ(targetBytes(), "old recording") << "replaced only when finished";
    const QByteArray frames = FloatFrames({{0.5f, 0.5f}, {-1.0f, -1.0f}, {0.25f, 0.75f}, {1.0f, 0.0f}});
    // The third frame is cut between two blocks.
    input.feed(frames.left(20));
    input.feed(frames.mid(20));
    ASSERT_TRUE(r.finish());

    const WaveContent w = ReadWave(target);
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_EQ(w.rate, 48000u);
    EXPECT_EQ(w.dataSize, 8u);
    EXPECT_EQ(w.riffSize, 36u + 8u);
    EXPECT_EQ(w.fileSize, 44 + 8);
    EXPECT_EQ(w.samples, (std::vector<qint16>{16384, -32767, 16383, 16383}));
    EXPECT_FALSE(QFile::exists(WaveRecorder::PartPath(target)));
    EXPECT_FALSE(input.running());
}

TEST_F(RecorderTest, ARecordingThatCannotStartLeavesTheOldFile) {
    struct Case {
        const char *what;
        std::function<void()> arrange;
        QString error;
    };
    const Case cases[] = {
        {"no input device", [&] { input.device = false; }, NoInputText},
        {"the device refuses", [&] { input.refusal = "Устройство занято"; }, "Устройство занято"},
        {"the new file cannot be made",
         [&] { ASSERT_TRUE(QDir(dir.path()).mkdir(QFileInfo(WaveRecorder::PartPath(target)).fileName())); },
         QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        input.device = true;
        input.refusal.clear();
        c.arrange();
        WaveRecorder r(input);
        EXPECT_FALSE(r.start(target));
        if (c.error.isEmpty()) EXPECT_TRUE(r.error().startsWith("Нет записи в папку ")) << r.error().toStdString();
        else EXPECT_EQ(r.error(), c.error);
        EXPECT_FALSE(r.active());
        EXPECT_FALSE(input.running());
        EXPECT_EQ(targetBytes(), "old recording");
    }
}

TEST_F(RecorderTest, AWriteErrorEndsTheRecordingAndWhatWasWrittenReplacesTheFile) {
    // The child's files cannot grow past 44 + 1000 bytes, as a full disk.
    const int rc = test::RunInChild(
        [&] {
            WaveRecorder r(input);
            QString failure;
            r.onFailure = [&](const QString &text) { failure = text; };
            if (!r.start(target)) return 1;
            const std::vector<qint16> block(300, 1234); // 600 bytes
            input.feedSamples(block);
            if (!failure.isEmpty() || !r.active()) return 2;
            input.feedSamples(block); // 400 of 600 fit
            if (r.active() || !failure.startsWith("Ошибка записи в Текущий.wav: ")) return 3;
            input.feedSamples(block); // nothing more is taken
            const WaveContent w = ReadWave(target);
            if (w.dataSize != 1000 || w.riffSize != 1036 || w.fileSize != 1044 || w.rate != 22050) return 4;
            if (w.samples != std::vector<qint16>(500, 1234)) return 5;
            if (QFile::exists(WaveRecorder::PartPath(target)) || input.running()) return 6;
            return 0;
        },
        44 + 1000);
    EXPECT_EQ(rc, 0);
}

TEST_F(RecorderTest, TheInputBreakingFinishesTheRecording) {
    WaveRecorder r(input);
    QString failure;
    r.onFailure = [&](const QString &text) { failure = text; };
    ASSERT_TRUE(r.start(target));
    input.feedSamples({1, 2, 3});
    input.fail("устройство отключено");
    EXPECT_EQ(failure, "Запись прервана: устройство отключено");
    EXPECT_FALSE(r.active());
    EXPECT_EQ(ReadWave(target).samples, (std::vector<qint16>{1, 2, 3}));
}

TEST(SoundInput, OneStreamServesTheRecorderAndTheScopeWhileEitherHoldsIt) {
    FakeSoundInput input;
    EXPECT_TRUE(input.latest(131).empty());
    ASSERT_TRUE(input.acquire(SoundInput::Scope));
    input.feedSamples({10, 20, 30});
    ASSERT_TRUE(input.acquire(SoundInput::Recorder));
    EXPECT_EQ(input.starts, 1);
    input.feedSamples({40});
    EXPECT_EQ(input.latest(2), (std::vector<qint16>{30, 40}));
    EXPECT_EQ(input.latest(131), (std::vector<qint16>{10, 20, 30, 40})) << "fewer while fewer came";
    input.release(SoundInput::Recorder);
    EXPECT_TRUE(input.running());
    input.release(SoundInput::Scope);
    EXPECT_FALSE(input.running());
    EXPECT_EQ(input.stops, 1);
    // The ring keeps the latest ones only; a new stream starts empty.
    ASSERT_TRUE(input.acquire(SoundInput::Scope));
    EXPECT_TRUE(input.latest(131).empty());
    std::vector<qint16> many(SoundInput::RingSize + 10);
    for (size_t i = 0; i < many.size(); ++i) many[i] = qint16(i);
    input.feedSamples(many);
    const auto last = input.latest(SoundInput::RingSize + 10);
    ASSERT_EQ(last.size(), size_t(SoundInput::RingSize));
    EXPECT_EQ(last.front(), 10);
    EXPECT_EQ(last.back(), qint16(SoundInput::RingSize + 9));
}
