#pragma once
// Starting another program from the QSO window. The command line is split
// as a shell would split its words, but no shell runs it: quotes group, and
// nothing else in the line is interpreted.
#include <QString>
#include <QStringList>
#include <vector>

namespace zelmor {

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts the program and returns at once; false when it could not start.
    virtual bool startDetached(const QString &program, const QStringList &arguments) = 0;
};

class QtProcessLauncher : public ProcessLauncher {
public:
    bool startDetached(const QString &program, const QStringList &arguments) override;
};

class FakeProcessLauncher : public ProcessLauncher {
public:
    struct Call {
        QString program;
        QStringList arguments;
    };
    std::vector<Call> calls;
    bool succeed = true;
    bool startDetached(const QString &program, const QStringList &arguments) override {
        calls.push_back({program, arguments});
        return succeed;
    }
};

namespace platform {
ProcessLauncher &process();
void install(ProcessLauncher *p); // not owned; nullptr restores the real one
} // namespace platform

// Splits the command line and starts it; an empty line starts nothing.
// False when nothing was started.
bool StartCommandLine(const QString &commandLine);

} // namespace zelmor
