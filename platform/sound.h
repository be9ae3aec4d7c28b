#pragma once
// Wave playback and the system beep. A sound that cannot be played (no file,
// no audio device) is silent: callers go on either way.
#include <QString>
#include <vector>

namespace zelmor {

class Sound {
public:
    virtual ~Sound() = default;
    // Starts playing and returns at once; false when it could not start.
    virtual bool play(const QString &path) = 0;
    // Plays to the end, waiting at most timeoutMs.
    virtual bool playAndWait(const QString &path, int timeoutMs) = 0;
    virtual void beep() = 0;
};

class NullSound : public Sound {
public:
    bool play(const QString &) override { return false; }
    bool playAndWait(const QString &, int) override { return false; }
    void beep() override {}
};

class FakeSound : public Sound {
public:
    struct Call {
        QString kind; // "play", "wait", "beep"
        QString path;
    };
    std::vector<Call> calls;
    bool succeed = true;
    bool play(const QString &path) override {
        calls.push_back({QStringLiteral("play"), path});
        return succeed;
    }
    bool playAndWait(const QString &path, int) override {
        calls.push_back({QStringLiteral("wait"), path});
        return succeed;
    }
    void beep() override { calls.push_back({QStringLiteral("beep"), QString()}); }
    // How many calls played a file whose name ends with `suffix`.
    int count(const QString &suffix) const {
        int n = 0;
        for (const auto &c : calls)
            if (c.kind != QLatin1String("beep") && c.path.endsWith(suffix, Qt::CaseInsensitive)) ++n;
        return n;
    }
};

namespace platform {
Sound &sound();
void install(Sound *s); // not owned; nullptr restores the default
void setDefaultSound(Sound *s); // the real device, installed by the program
} // namespace platform

} // namespace zelmor
