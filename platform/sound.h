#pragma once
// Wave playback and the system beep. A sound that cannot be played (no file,
// no audio device) is silent: callers go on either way.
#include <QString>
#include <QtGlobal>
#include <mutex>
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
    // The CW sidetone. Open and close run on the GUI thread (the keyer's
    // work starting and ending); setSidetone may be called from the keyer's
    // thread and never blocks. Without an audio device it is silent.
    virtual void openSidetone() {}
    virtual void closeSidetone() {}
    virtual void setSidetone(bool on) {}
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
    // Every change of the sidetone, stamped with the monotonic clock.
    struct Tone {
        bool on;
        qint64 ns;
    };
    void setSidetone(bool on) override;
    void openSidetone() override { sidetoneOpen = true; }
    void closeSidetone() override { sidetoneOpen = false; }
    std::vector<Tone> tones() const {
        std::lock_guard lock(toneLock_);
        return tones_;
    }
    std::vector<bool> toneStates() const {
        std::vector<bool> v;
        for (const Tone &t : tones()) v.push_back(t.on);
        return v;
    }
    bool sidetone() const {
        std::lock_guard lock(toneLock_);
        return toneOn_;
    }
    void clearTones() {
        std::lock_guard lock(toneLock_);
        tones_.clear();
    }
    bool sidetoneOpen = false;
    // How many calls played a file whose name ends with `suffix`.
    int count(const QString &suffix) const {
        int n = 0;
        for (const auto &c : calls)
            if (c.kind != QLatin1String("beep") && c.path.endsWith(suffix, Qt::CaseInsensitive)) ++n;
        return n;
    }

private:
    mutable std::mutex toneLock_;
    std::vector<Tone> tones_;
    bool toneOn_ = false;
};

namespace platform {
Sound &sound();
void install(Sound *s); // not owned; nullptr restores the default
void setDefaultSound(Sound *s); // the real device, installed by the program
} // namespace platform

} // namespace zelmor
