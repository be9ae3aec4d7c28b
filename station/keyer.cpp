#include "station/keyer.h"

#include "platform/parallelport.h"
#include "platform/sound.h"

#include <QMetaObject>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <algorithm>

namespace zelmor {

namespace {
ControlRegister &Port() { return platform::controlRegister(); }
const QString PortFailedText = QStringLiteral("Ошибка записи в порт LPT: работа CW остановлена");
} // namespace

QtOneShotTimer::QtOneShotTimer(QTimer *timer) : timer_(timer ? timer : new QTimer), owned_(!timer) {
    timer_->setSingleShot(true);
    timer_->setTimerType(Qt::PreciseTimer);
}
QtOneShotTimer::~QtOneShotTimer() {
    if (owned_) delete timer_;
}
void QtOneShotTimer::start(int ms) { timer_->start(ms); }
void QtOneShotTimer::stop() { timer_->stop(); }

CwKeyer::CwKeyer(PeriodicTimer &normal, PeriodicTimer &fast, OneShotTimer &ptt)
    : normal_(normal), fast_(fast), ptt_(ptt), guiContext_(std::make_unique<QObject>()) {
    CwElementQueue_.reserve(4096);
}

CwKeyer::~CwKeyer() {
    normal_.setEnabled(false);
    fast_.setEnabled(false);
}

void CwKeyer::post(std::function<void()> f) {
    if (toGui) toGui(std::move(f));
    else QMetaObject::invokeMethod(guiContext_.get(), std::move(f), Qt::QueuedConnection);
}

void CwKeyer::showStatus(const QString &text) {
    if (view.ShowStatus) view.ShowStatus(text);
}

void CwKeyer::reportPortProblem() {
    const QString problem = platform::parallelPort().TakeProblem();
    if (!problem.isEmpty()) post([this, problem] { showStatus(problem); });
}

void CwKeyer::restart(PeriodicTimer &clock, int ms) {
    const bool running = clock.Enabled();
    if (running) clock.setEnabled(false);
    clock.setInterval(quint32(ms));
    if (running) clock.setEnabled(true);
}

void CwKeyer::setNormalElementMs(int ms) {
    normalMs_ = std::clamp(ms, MinElementMs, MaxElementMs);
    restart(normal_, normalMs_);
}

void CwKeyer::setFastElementMs(int ms) {
    fastMs_ = std::clamp(ms, MinElementMs, MaxElementMs);
    restart(fast_, fastMs_);
}

void CwKeyer::setPttMs(int ms) { pttMs_ = std::clamp(ms, MinPttMs, MaxPttMs); }

// ---- CW work

void CwKeyer::StartCwWork() {
    if (work_) return;
    {
        std::lock_guard lock(lock_);
        ClearCwQueue();
        PendingCwText.clear();
        state_ = PttState::Idle;
        halted_ = false;
    }
    // The idle byte: key up, PTT off.
    if (!Port().idle()) {
        portFailed();
        return;
    }
    reportPortProblem();
    work_ = true;
    if (view.ShowCwWork) view.ShowCwWork(true);
    platform::sound().openSidetone();
    normal_.setInterval(quint32(normalMs_));
    fast_.setInterval(quint32(fastMs_));
    try {
        normal_.setEnabled(true);
        fast_.setEnabled(true);
    } catch (const EHiResTimer &e) {
        showStatus(QString::fromUtf8(e.what()));
        StopCwWork();
    }
}

void CwKeyer::StopCwWork() {
    if (!work_) return;
    work_ = false;
    Halt();
    if (view.ShowCwWork) view.ShowCwWork(false);
}

void CwKeyer::Halt() {
    // The clocks first, outside the lock: a tick that runs completes, and
    // none comes after.
    normal_.setEnabled(false);
    fast_.setEnabled(false);
    ptt_.stop();
    std::lock_guard lock(lock_);
    ClearCwQueue();
    PendingCwText.clear();
    state_ = PttState::Idle;
    Port().idle();
    setTone(false);
    platform::sound().closeSidetone();
    post([this] {
        if (view.ClearEcho) view.ClearEcho();
    });
}

void CwKeyer::portFailed() {
    const QString problem = platform::parallelPort().TakeProblem();
    showStatus(problem.isEmpty() ? PortFailedText : problem);
    work_ = true; // so that the stop below runs in full
    StopCwWork();
}

// ---- texts

void CwKeyer::enqueueText(const QString &text) {
    for (const QChar c : text) EnqueueMorseChar(CwElementQueue_, c);
}

bool CwKeyer::SendCwTextRaw(const QString &text) {
    if (!work_) {
        showStatus(CwWorkOffText);
        return false;
    }
    if (view.AddSentText) view.AddSentText(text);
    bool startLead = false, cancelTail = false, written = true;
    {
        std::lock_guard lock(lock_);
        switch (state_) {
        case PttState::Idle:
            PendingCwText = text;
            state_ = PttState::Lead;
            written = Port().pttOn();
            startLead = true;
            break;
        case PttState::Lead:
            PendingCwText += text;
            break;
        case PttState::Sending:
            enqueueText(text);
            break;
        case PttState::Tail:
            enqueueText(text);
            state_ = PttState::Sending;
            cancelTail = true;
            break;
        }
    }
    if (!written) {
        portFailed();
        return true;
    }
    if (cancelTail) ptt_.stop();
    if (startLead) ptt_.start(pttMs_);
    return true;
}

void CwKeyer::TypeCharacter(QChar c) {
    if (!work_) return;
    bool cancelTail = false;
    {
        std::lock_guard lock(lock_);
        if (state_ == PttState::Lead) {
            // Behind the text that waits for its lead, in typing order.
            if (FindMorseRow(c) >= 0) PendingCwText += c;
            return;
        }
        if (EnqueueMorseChar(CwElementQueue_, c) == 0) return;
        cancelTail = state_ == PttState::Tail;
        state_ = PttState::Sending;
    }
    if (cancelTail) ptt_.stop();
}

void CwKeyer::StopCw() {
    if (!work_) return;
    bool tail = false, written = true;
    {
        std::lock_guard lock(lock_);
        written = Port().keyUp();
        setTone(false);
        ClearCwQueue();
        PendingCwText.clear();
        // The next tick silences the paddles' tone and resets their count.
        CwStopRequest = true;
        tail = state_ != PttState::Idle;
        if (tail) state_ = PttState::Tail;
    }
    if (!written) {
        portFailed();
        return;
    }
    if (tail) ptt_.start(pttMs_);
    // After the echoes that earlier ticks have posted: the line starts anew.
    post([this] {
        if (view.ClearEcho) view.ClearEcho();
    });
}

void CwKeyer::Timer3Timer() {
    ptt_.stop();
    bool tail = false, written = true;
    {
        std::lock_guard lock(lock_);
        switch (state_) {
        case PttState::Lead:
            enqueueText(PendingCwText);
            PendingCwText.clear();
            if (CwQueueIndex < CwElementQueue_.size()) {
                state_ = PttState::Sending;
            } else {
                // Nothing to key: the tail follows the lead.
                state_ = PttState::Tail;
                tail = true;
            }
            break;
        case PttState::Tail:
            written = Port().pttOff();
            state_ = PttState::Idle;
            break;
        default:
            break;
        }
    }
    if (!written) portFailed();
    if (tail) ptt_.start(pttMs_);
}

// ---- the tick

void CwKeyer::ClearCwQueue() {
    CwElementQueue_.clear();
    CwQueueIndex = 0;
    CwStopRequest = false;
    PaddleToggle = 0;
    PaddleTickCount = 0;
}

bool CwKeyer::KeyDownElement() {
    setTone(true);
    return Port().keyDown();
}

bool CwKeyer::KeyUpAndEcho(const QString &echo) {
    setTone(false);
    const bool written = Port().keyUp();
    if (!echo.isEmpty() && echo != QLatin1String("-") && echo != QLatin1String("+"))
        post([this, echo] {
            if (view.AppendEcho) view.AppendEcho(echo);
        });
    return written;
}

void CwKeyer::setTone(bool on) {
    if (on == tone_) return;
    tone_ = on;
    platform::sound().setSidetone(on);
}

void CwKeyer::startTailOnGui() {
    post([this] {
        if (view.ClearEcho) view.ClearEcho();
        bool start;
        {
            std::lock_guard lock(lock_);
            start = state_ == PttState::Tail;
        }
        if (start) ptt_.start(pttMs_);
    });
}

void CwKeyer::CwKeyerTick(int clock) {
    std::lock_guard lock(lock_);
    if (clock != CwFastSpeed || halted_) return;
    if (CwStopRequest) {
        // The stop emptied the queue already; what was queued since (a text
        // during the tail) stays.
        SilenceSidetone();
        CwStopRequest = false;
        PaddleToggle = 0;
        PaddleTickCount = 0;
        return;
    }
    // Both only count a few ticks; bounded, they never overflow.
    if (PaddleTickCount < 1000) ++PaddleTickCount;
    if (PaddleGapCount < 1000) ++PaddleGapCount;
    const quint8 status = platform::parallelPort().readStatus(LptStatusPort);
    bool tone = tone_;
    if ((status & 0x30) == 0x30) {
        tone = false;
        if (PaddleGapCount > 4) PaddleToggle = 0;
    }
    PaddleToggle = ~PaddleToggle;
    if (!(status & 0x20)) { // first paddle: a string of dots
        if (PaddleToggle == 0) {
            tone = true;
            PaddleGapCount = 0;
        } else {
            tone = false;
        }
    }
    if (!(status & 0x10)) { // second paddle: two units on, one off
        if (PaddleTickCount >= 3) {
            tone = false;
            PaddleTickCount = 0;
        } else {
            tone = true;
        }
    }
    if (CwElementQueue_.empty()) {
        setTone(tone);
        return;
    }
    if (CwQueueIndex >= CwElementQueue_.size()) {
        ClearCwQueue();
        setTone(tone);
        if (state_ == PttState::Sending) state_ = PttState::Tail;
        startTailOnGui();
        return;
    }
    const CwElement &e = CwElementQueue_[CwQueueIndex++];
    bool written = true;
    switch (e.element) {
    case '+':
        SelectFastCwSpeed();
        setTone(tone);
        break;
    case '-':
        SelectNormalCwSpeed();
        setTone(tone);
        break;
    case '0': written = KeyUpAndEcho(e.echo); break;
    case '1': written = KeyDownElement(); break;
    default: setTone(tone); break;
    }
    if (!written) {
        halted_ = true;
        post([this] { portFailed(); });
    }
}

// ---- state

PttState CwKeyer::pttState() const {
    std::lock_guard lock(lock_);
    return state_;
}

size_t CwKeyer::queuedElements() const {
    std::lock_guard lock(lock_);
    return CwElementQueue_.size() - std::min(CwQueueIndex, CwElementQueue_.size());
}

QString CwKeyer::pendingText() const {
    std::lock_guard lock(lock_);
    return PendingCwText;
}

// ---- on clocks of its own

StandaloneKeyer::StandaloneKeyer() {
    normal.OnTimer = [this](THiResTimer *) { keyer.CwKeyerTick(0); };
    fast.OnTimer = [this](THiResTimer *) { keyer.CwKeyerTick(1); };
    QObject::connect(ptt.timer(), &QTimer::timeout, [this] { keyer.Timer3Timer(); });
}

bool StandaloneKeyer::runUntilIdle(int limitMs) {
    QElapsedTimer t;
    t.start();
    while (!(keyer.pttState() == PttState::Idle && platform::controlRegister().value() == ControlRegister::Idle)) {
        if (t.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

} // namespace zelmor
