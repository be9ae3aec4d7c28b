#pragma once
// The help file. The program's help is a WinHelp file ("zelmor1.hlp"), which
// nothing on Linux can show: the desktop implementation says so in a message
// box instead of failing silently.
#include <QString>
#include <vector>

namespace zelmor {

class Help {
public:
    virtual ~Help() = default;
    // Opens `file` with the WinHelp command number `command`.
    virtual void show(const QString &file, int command) = 0;
};

// Tells the operator that the help file cannot be shown here.
class NoWinHelp : public Help {
public:
    void show(const QString &file, int command) override;
};

class FakeHelp : public Help {
public:
    struct Call {
        QString file;
        int command;
    };
    std::vector<Call> calls;
    void show(const QString &file, int command) override { calls.push_back({file, command}); }
};

// The message NoWinHelp shows: caption "ZELMOR".
QString HelpUnavailableText(const QString &file);

namespace platform {
Help &help();
void install(Help *h); // not owned; nullptr restores NoWinHelp
} // namespace platform

} // namespace zelmor
