#pragma once
// The CW keyer: texts become Morse elements in a queue, and each tick of
// the current element clock (the launcher's Timer1 at the normal speed,
// Timer3 at the fast one) sends one element on the parallel port's key
// line, with the sidetone. Two paddle inputs drive only the sidetone.
//
// PTT is an explicit state: Idle -> Lead -> Sending -> Tail -> Idle. A text
// raises PTT and waits the "PTT" time before it is queued; typed characters
// are queued at once (their first key-down raises PTT). The end of the
// queue, a stop and an empty text start the tail; its end drops PTT. A text
// during the lead joins the pending text, one during sending joins the
// queue, one during the tail cancels the tail and is queued at once, so no
// text is ever lost or sent without PTT.
//
// The tick runs on the timer's thread under the one lock that the GUI
// thread takes to queue or clear; what it changes on screen is handed to
// the GUI thread in tick order.
#include "platform/hirestimer.h"
#include "station/morse.h"

#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

class QObject;
class QTimer;

namespace zelmor {

// The QSO window's one-shot PTT timer (lead and tail), on the GUI thread.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void start(int ms) = 0;
    virtual void stop() = 0;
};

// The real one: a precise QTimer (a coarse one may fire early and cut a
// lead short), given or owned.
class QtOneShotTimer : public OneShotTimer {
public:
    explicit QtOneShotTimer(QTimer *timer = nullptr);
    ~QtOneShotTimer() override;
    void start(int ms) override;
    void stop() override;
    QTimer *timer() const { return timer_; }

private:
    QTimer *timer_;
    bool owned_;
};

class FakeOneShotTimer : public OneShotTimer {
public:
    void start(int ms) override {
        active = true;
        interval = ms;
        ++starts;
    }
    void stop() override { active = false; }
    bool active = false;
    int interval = 0;
    int starts = 0;
};

// What the keyer shows, called on the GUI thread; empty ones do nothing.
struct CwKeyerView {
    std::function<void(const QString &)> AppendEcho; // the echo line Edit1
    std::function<void()> ClearEcho;
    std::function<void(const QString &)> AddSentText; // a line of Memo3
    std::function<void(const QString &)> ShowStatus;  // StatusText
    std::function<void(bool on)> ShowCwWork;          // Panel7, the check of ssbcw1
};

enum class PttState { Idle, Lead, Sending, Tail };

// The element times the up-downs allow, and the PTT time's range.
inline constexpr int MinElementMs = 30, MaxElementMs = 100;
inline constexpr int MinPttMs = 1, MaxPttMs = 3000;
// The speed the operator sees for an element time: 50 ms shows 120.
inline int ShownCwSpeed(int elementMs) { return (MaxElementMs - elementMs) * 2 + 20; }

inline const QString CwWorkOffText = QStringLiteral("Работа CW выключена");

class CwKeyer {
public:
    CwKeyer(PeriodicTimer &normal, PeriodicTimer &fast, OneShotTimer &ptt);
    ~CwKeyer();

    CwKeyerView view;
    // Carries the tick's effects to the GUI thread, in order. By default a
    // queued call on the thread that made the keyer; tests may run them inline.
    std::function<void(std::function<void()>)> toGui;

    // Settings, clamped to their ranges. A change of an element time
    // restarts its clock only while it runs (stop, interval, start).
    void setNormalElementMs(int ms);
    void setFastElementMs(int ms);
    void setPttMs(int ms);
    int normalElementMs() const { return normalMs_; }
    int fastElementMs() const { return fastMs_; }
    int pttMs() const { return pttMs_; }

    // CW work: both element clocks run. Starting it while it is on, or
    // stopping it while it is off, does nothing.
    bool CwWorkOn() const { return work_; }
    void StartCwWork();
    void StopCwWork();
    // Stops both clocks and the PTT timer, then keys up, drops PTT and
    // silences the sidetone at once; the queue and the pending text go.
    void Halt();

    // A text with PTT lead and tail; false (and the status line says why)
    // while CW work is off, when nothing is queued or written.
    bool SendCwTextRaw(const QString &text);
    // A typed character, sent without lead; nothing while CW work is off.
    void TypeCharacter(QChar c);
    // "Стоп CW": the key goes up at once, the rest of the text is dropped,
    // the echo line is cleared and the tail drops PTT after the "PTT" time.
    void StopCw();
    // The QSO window's PTT timer has expired.
    void Timer3Timer();
    // One tick of the normal (0) or fast (1) element clock; only the clock
    // CwFastSpeed names drives the keyer.
    void CwKeyerTick(int clock);
    void ResetCwFastSpeed() { CwFastSpeed = 0; }

    std::atomic<int> CwFastSpeed{0};

    // State, for tests and the benchmark.
    PttState pttState() const;
    size_t queuedElements() const; // not yet sent
    QString pendingText() const;

private:
    // The tick's steps, under lock_. The key writes return false when the
    // port refused them.
    bool KeyDownElement();
    bool KeyUpAndEcho(const QString &echo);
    void SelectFastCwSpeed() { CwFastSpeed = 1; }
    void SelectNormalCwSpeed() { CwFastSpeed = 0; }
    void SilenceSidetone() { setTone(false); }
    void ClearCwQueue();
    void enqueueText(const QString &text); // under lock_
    void setTone(bool on);                 // under lock_
    void startTailOnGui();                 // under lock_
    void portFailed();                     // GUI thread
    void post(std::function<void()> f);
    void showStatus(const QString &text);
    void reportPortProblem();              // under lock_ or GUI
    static void restart(PeriodicTimer &clock, int ms);

    PeriodicTimer &normal_;
    PeriodicTimer &fast_;
    OneShotTimer &ptt_;
    std::unique_ptr<QObject> guiContext_;

    int normalMs_ = 50, fastMs_ = 37, pttMs_ = 100;
    bool work_ = false; // GUI thread only

    mutable std::mutex lock_;
    CwElementQueue CwElementQueue_;
    size_t CwQueueIndex = 0;
    bool CwStopRequest = false;
    QString PendingCwText;
    PttState state_ = PttState::Idle;
    int PaddleTickCount = 0;
    int PaddleGapCount = 0;
    int PaddleToggle = 0;
    bool tone_ = false;
    bool halted_ = false; // a port write failed; the GUI stops the work
};

// A keyer on clocks of its own, wired as the launcher wires its timers: for
// the benchmark and the tests on the real clock.
struct StandaloneKeyer {
    StandaloneKeyer();
    // Processes events until a text has gone and PTT has dropped; false
    // when that takes longer than `limitMs`.
    bool runUntilIdle(int limitMs);
    THiResTimer normal, fast;
    QtOneShotTimer ptt;
    CwKeyer keyer{normal, fast, ptt};
};

} // namespace zelmor
