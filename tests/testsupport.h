#pragma once
// Shared test fixtures: fakes for every platform seam and a throw-away
// program folder.
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "platform/sound.h"

#include <QString>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable QString values in failure messages.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace zelmor::test {

FakeDialogs &Dialogs();
FakeSound &Sound();
// The media player and the sound input: made anew for each test of a
// program folder, so no recording or playback carries over.
FakeMediaPlayer &Player();
FakeSoundInput &Input();
FakeClock &Clock();
FakePrinter &Printer();
void InstallFakes();

// A fresh program folder (current folder and ProgramDir while it lives), a
// fresh settings hive in it, fakes cleared and the logbook state reset.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QString path(const QString &name) const;
    std::unique_ptr<QTemporaryDir> dir_;
    QString oldCurrent_;
};

// The source tree, for tests that read shipped files.
QString SourceDir();

// Runs `body` in a forked child and returns its exit code (-1 when it did
// not exit normally). With a limit, the child's files cannot grow past
// `fileSizeLimit` bytes (writes beyond fail with EFBIG, as on a full disk).
// Fork only from the test's main thread: a child forked while another
// thread holds a lock of the allocator never gets it.
int RunInChild(const std::function<int()> &body, long long fileSizeLimit = -1);
// The same in two steps, for children that run side by side: the process id,
// then its exit code.
int StartChild(const std::function<int()> &body, long long fileSizeLimit = -1);
int WaitChild(int pid);

} // namespace zelmor::test
