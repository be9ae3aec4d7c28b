#include "platform/process.h"

#include <QProcess>

namespace zelmor {

bool QtProcessLauncher::startDetached(const QString &program, const QStringList &arguments) {
    return QProcess::startDetached(program, arguments);
}

namespace platform {
namespace {
ProcessLauncher *g_process = nullptr;
}
ProcessLauncher &process() {
    static QtProcessLauncher real;
    return g_process ? *g_process : real;
}
void install(ProcessLauncher *p) { g_process = p; }
} // namespace platform

bool StartCommandLine(const QString &commandLine) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty()) return false;
    const QString program = words.takeFirst();
    return platform::process().startDetached(program, words);
}

} // namespace zelmor
