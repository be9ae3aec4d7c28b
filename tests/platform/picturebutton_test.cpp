// The picture-button pair and the program starter.
#include "platform/picturebutton.h"
#include "platform/process.h"

#include <QMouseEvent>
#include <QTest>
#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QFile>
#include <QThread>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {
struct Pairs : ::testing::Test {
    QWidget window;
    int acted = 0, let = 0;
    PicturePair *make(PicturePair::Mode mode, PicturePair::When when) {
        auto *p = new PicturePair("Image6", "Image4", {}, QSize(20, 20), mode, when, &window);
        p->action = [this] { ++acted; };
        p->releaseLatch = [this] { ++let; };
        return p;
    }
    static void mouse(QWidget *w, QEvent::Type type) {
        const QPoint at(3, 3);
        QMouseEvent e(type, at, w->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
};
} // namespace

TEST_F(Pairs, APressHidesTheUpperPictureAndTheActionRunsWhenItSays) {
    struct Case {
        PicturePair::When when;
        int afterPress, afterRelease;
    } cases[] = {{PicturePair::When::Press, 1, 1}, {PicturePair::When::Release, 0, 1}, {PicturePair::When::Never, 0, 0}};
    for (const Case &c : cases) {
        acted = 0;
        PicturePair *p = make(PicturePair::Mode::Momentary, c.when);
        EXPECT_EQ(p->accessibleName(), "Image6");
        EXPECT_EQ(p->lower()->objectName(), "Image4");
        mouse(p->upper(), QEvent::MouseButtonPress);
        EXPECT_TRUE(p->upper()->isHidden());
        EXPECT_EQ(acted, c.afterPress);
        // The release reaches the lower picture once the upper one is hidden.
        mouse(p->lower(), QEvent::MouseButtonRelease);
        EXPECT_FALSE(p->upper()->isHidden());
        EXPECT_EQ(acted, c.afterRelease);
    }
}

TEST_F(Pairs, AReleaseThroughTheWindowReachesThePairAfterTheUpperPictureHid) {
    // As the window system delivers them: the press hides the picture it
    // landed on, and the release must still reach the pair.
    window.resize(60, 60);
    PicturePair *p = make(PicturePair::Mode::Momentary, PicturePair::When::Release);
    p->move(20, 20);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint at(25, 25);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_TRUE(p->upper()->isHidden());
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_FALSE(p->upper()->isHidden());
    EXPECT_EQ(acted, 1);
    // The next click on it acts again.
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
    EXPECT_EQ(acted, 2);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(Pairs, ToggleAndLatch) {
    PicturePair *t = make(PicturePair::Mode::Toggle, PicturePair::When::Press);
    t->press(false);
    t->release();
    EXPECT_TRUE(t->isDown());
    t->press(true);
    EXPECT_FALSE(t->isDown());
    EXPECT_EQ(acted, 2);

    acted = 0;
    PicturePair *l = make(PicturePair::Mode::Latch, PicturePair::When::Press);
    l->press(false);
    l->release();
    EXPECT_TRUE(l->isDown()); // stays hidden
    EXPECT_EQ(acted, 1);
    l->press(true); // the lower picture lets it go
    EXPECT_FALSE(l->isDown());
    EXPECT_EQ(acted, 1);
    EXPECT_EQ(let, 1);
}

TEST(Process, TheCommandLineIsSplitWithoutAShell) {
    FakeProcessLauncher fake;
    platform::install(&fake);
    EXPECT_FALSE(StartCommandLine("   "));
    EXPECT_TRUE(StartCommandLine(R"(/usr/bin/printf "a b" c)"));
    EXPECT_TRUE(StartCommandLine("echo $HOME;rm x"));
    platform::install(nullptr);
    ASSERT_EQ(fake.calls.size(), 2u);
    EXPECT_EQ(fake.calls[0].program, "/usr/bin/printf");
    EXPECT_EQ(fake.calls[0].arguments, (QStringList{"a b", "c"}));
    EXPECT_EQ(fake.calls[1].arguments, (QStringList{"$HOME;rm", "x"}));
}

TEST(Process, TheRealOneStartsAProgramAndReportsOneThatIsNotThere) {
    QTemporaryDir dir;
    const QString out = dir.filePath("touched");
    EXPECT_TRUE(StartCommandLine(QStringLiteral("/usr/bin/touch \"%1\"").arg(out)));
    // The started program runs on its own; give a loaded machine ample time.
    QDeadlineTimer deadline(60000);
    while (!QFile::exists(out) && !deadline.hasExpired()) QThread::msleep(20);
    EXPECT_TRUE(QFile::exists(out));
    EXPECT_FALSE(StartCommandLine(dir.filePath("no-such-program")));
}
