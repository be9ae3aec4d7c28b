#include "tests/testsupport.h"

#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/reference.h"
#include "logbook/settingsstore.h"
#include "platform/parallelport.h"
#include "platform/paths.h"

#include <QDir>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zelmor::test {

FakeDialogs &Dialogs() {
    static FakeDialogs d;
    return d;
}
FakeSound &Sound() {
    static FakeSound s;
    return s;
}
namespace {
std::unique_ptr<FakeSoundInput> g_input;
std::unique_ptr<FakeMediaPlayer> g_player;
// A recording still running is finished while its folder exists.
void ResetMediaFakes() {
    if (g_player) g_player->stop();
    platform::install(static_cast<MediaPlayer *>(nullptr));
    platform::install(static_cast<SoundInput *>(nullptr));
    g_player = std::make_unique<FakeMediaPlayer>();
    g_input = std::make_unique<FakeSoundInput>();
    platform::install(g_input.get());
    platform::install(g_player.get());
}
} // namespace

FakeMediaPlayer &Player() {
    if (!g_player) ResetMediaFakes();
    return *g_player;
}
FakeSoundInput &Input() {
    if (!g_input) ResetMediaFakes();
    return *g_input;
}

FakeClock &Clock() {
    static FakeClock c;
    return c;
}

FakePrinter &Printer() {
    static FakePrinter p;
    return p;
}

void InstallFakes() {
    platform::install(&Dialogs());
    platform::install(&Sound());
    platform::install(&Clock());
    platform::install(&Printer());
    platform::install(&Player());
    platform::install(&Input());
}

void ProgramFolderTest::SetUp() {
    dir_ = std::make_unique<QTemporaryDir>();
    ASSERT_TRUE(dir_->isValid());
    ResetMediaFakes();
    oldCurrent_ = QDir::currentPath();
    QDir::setCurrent(dir_->path());
    ProgramDir = dir_->path();
    InstallFakes();
    Dialogs().calls.clear();
    Dialogs().answers.clear();
    Dialogs().fileAnswers.clear();
    Dialogs().fontAnswers.clear();
    Dialogs().colourAnswers.clear();
    Printer().clear();
    Sound().calls.clear();
    Sound().succeed = true;
    Sound().clearTones();
    platform::controlRegister().reset();
    ResetQsoState();
    ClearReferenceLists();
    LogColumns.clear();
    LogFileName = QStringLiteral("test.log");
    LogRecordIndex = 0;
    StartupDone = 0;
    DefaultRstPair = {};
    CreateSettingsRegistry(dir_->path() + QStringLiteral("/registry.reg"));
}

void ProgramFolderTest::TearDown() {
    ResetMediaFakes();
    ReleaseSettingsRegistry();
    QDir::setCurrent(oldCurrent_);
    ProgramDir.clear();
    dir_.reset();
}

QString ProgramFolderTest::path(const QString &name) const { return dir_->path() + u'/' + name; }

QString SourceDir() {
    const QString env = qEnvironmentVariable("ZELMOR_SOURCE_DIR");
    return env.isEmpty() ? QStringLiteral(ZELMOR_SOURCE_DIR_DEFAULT) : env;
}

int StartChild(const std::function<int()> &body, long long fileSizeLimit) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    if (fileSizeLimit >= 0) {
        ::signal(SIGXFSZ, SIG_IGN); // the write fails instead of killing us
        const struct rlimit lim{rlim_t(fileSizeLimit), rlim_t(fileSizeLimit)};
        ::setrlimit(RLIMIT_FSIZE, &lim);
    }
    int rc = 100;
    try {
        rc = body();
    } catch (...) {
        rc = 101;
    }
    ::_exit(rc); // no destructors, no leak check of the parent's state
}

int WaitChild(int pid) {
    if (pid < 0) return -1;
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int RunInChild(const std::function<int()> &body, long long fileSizeLimit) {
    return WaitChild(StartChild(body, fileSizeLimit));
}

} // namespace zelmor::test
