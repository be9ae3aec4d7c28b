#include "platform/instancelock.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zelmor;

namespace {
QStringList Listing(const QString &dir) {
    QStringList out;
    for (const QFileInfo &fi : QDir(dir).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name))
        out << fi.fileName() + QStringLiteral(" %1 %2").arg(fi.size()).arg(fi.lastModified().toMSecsSinceEpoch());
    return out;
}
} // namespace

// A second program on the same settings file says so once, names the
// holder, and leaves every file as it was.
TEST(InstanceLock, ASecondProgramIsTurnedAwayAndWritesNothing) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("registry.reg");
    {
        QFile f(settings);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("REGEDIT4\r\n\r\n");
    }
    const auto first = AcquireInstanceLock(settings);
    ASSERT_TRUE(first && first->isLocked());
    const QStringList before = Listing(dir.path());

    test::Dialogs().clear();
    const QString holder = QString::number(::getpid());
    const int rc = test::RunInChild([&] {
        if (AcquireInstanceLock(settings)) return 1;
        const auto shown = test::Dialogs().messages();
        if (shown.size() != 1 || !shown[0].text.startsWith(AlreadyRunningText)) return 2;
        // The holder: this test's process.
        return shown[0].text.contains(holder) ? 0 : 3;
    });
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(Listing(dir.path()), before);
}

// A program that crashed leaves its lock behind; the next start takes it.
TEST(InstanceLock, AStaleLockIsTakenOver) {
    QTemporaryDir dir;
    const QString settings = dir.filePath("registry.reg");
    const int rc = test::RunInChild([&] {
        auto lock = AcquireInstanceLock(settings);
        if (!lock || !lock->isLocked()) return 1;
        lock.release(); // dies holding it
        return 0;
    });
    ASSERT_EQ(rc, 0);
    ASSERT_TRUE(QFile::exists(InstanceLockPath(settings)));
    test::Dialogs().clear();
    const auto lock = AcquireInstanceLock(settings);
    ASSERT_TRUE(lock);
    EXPECT_TRUE(lock->isLocked());
    EXPECT_TRUE(test::Dialogs().messages().empty());
}
