// The ALSA mixer: the rules over an element's description, the choice of
// the lines' elements, and a machine without a sound card.
#include "platform/alsamixer.h"

#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zelmor;
using namespace zelmor::alsamixer;

TEST(AlsaMixer, LevelsMapLinearlyOntoTheElementsRawRange) {
    const struct {
        long min, max;
        int level;
        long raw;
        int back; // raw -> level, -1 not checked
    } cases[] = {
        {0, 31, 30072, 14, 29596},
        {0, 31, 65535, 31, 65535},
        {0, 31, 0, 0, 0},
        {0, 87, 30072, 40, 30131},
        {-64, 0, 30072, -35, -1},
        {-64, 0, 65535, 0, 65535},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.min << ".." << c.max << " level " << c.level);
        EXPECT_EQ(LevelToRaw(c.level, c.min, c.max), c.raw);
        if (c.back >= 0) EXPECT_EQ(RawToLevel(c.raw, c.min, c.max), c.back);
    }
}

TEST(AlsaMixer, VolumeAndMuteComeFromPlaybackElseCapture) {
    Element playback{.playbackVolume = true, .captureVolume = true, .playbackSwitch = true, .captureSwitch = true};
    EXPECT_EQ(VolumeSide(playback), Side::Playback);
    EXPECT_EQ(MuteSide(playback), Side::Playback);
    // A microphone with capture controls only: its mute is the capture switch.
    Element mic{.captureVolume = true, .captureSwitch = true, .captureMono = true};
    EXPECT_EQ(VolumeSide(mic), Side::Capture);
    EXPECT_EQ(MuteSide(mic), Side::Capture);
    EXPECT_TRUE(Uniform(mic, Side::Capture));
    Element switchOnly{.captureSwitch = true};
    EXPECT_EQ(VolumeSide(switchOnly), Side::None);
    EXPECT_EQ(MuteSide(switchOnly), Side::Capture);
}

TEST(AlsaMixer, EachLineTakesTheFirstNamePresentAndAnElementServesOneLine) {
    const struct {
        QStringList present;
        std::array<QString, 4> lines; // destination, sources 0, 3, 4
    } cases[] = {
        {{"Master", "PCM", "Line", "Mic", "Capture"}, {"Master", "PCM", "Line", "Mic"}},
        // Without Master or Speaker, PCM is the output; the wave line then has none.
        {{"PCM", "Front Mic", "Aux"}, {"PCM", "", "Aux", "Front Mic"}},
        {{"Headphone", "PCM", "Wave", "Capture"}, {"PCM", "Wave", "", "Capture"}},
        {{"Speaker", "Line In", "Line"}, {"Speaker", "", "Line", ""}},
        {{}, {"", "", "", ""}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.present.join(',').toStdString());
        EXPECT_EQ(AssignLines(c.present), c.lines);
    }
    EXPECT_EQ(LineIndex(0, -1), 0);
    EXPECT_EQ(LineIndex(0, 4), 3);
    EXPECT_EQ(LineIndex(0, 1), -1);
    EXPECT_EQ(LineIndex(1, 0), -1);
}

TEST(AlsaMixer, WithoutASoundCardEveryCallFailsQuietly) {
    // ALSA's own lines would go to stderr: catch them.
    QTemporaryFile err;
    ASSERT_TRUE(err.open());
    fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(err.handle(), STDERR_FILENO);
    int cards = 0, id = 0;
    bool set = true;
    MixerVolume v;
    {
        AlsaMixer m;
        cards = m.deviceCount();
        if (cards == 0) {
            id = m.MixerID();
            v = m.GetMixerVolume(0, 3);
            set = m.SetMixerVolume(0, -1, 30072, -1, 0);
            m.SetMixerID(0);
            id = std::max(id, m.MixerID());
        }
    }
    fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    if (cards > 0) GTEST_SKIP() << "this machine has a sound card";
    EXPECT_EQ(id, -1);
    EXPECT_FALSE(v.ok);
    EXPECT_EQ(v.left, -1);
    EXPECT_TRUE(v.volumeDisabled);
    EXPECT_FALSE(set);
    EXPECT_EQ(err.readAll(), QByteArray());
}
