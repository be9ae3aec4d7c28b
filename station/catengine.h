#pragma once
// The transceiver poll cycle over plain values. The poll tick decodes what
// the rig sent during the last period and asks for the next status; the
// pacer sends one byte per tick; commands from the transceiver menu wait in
// a queue and each poll sends the oldest instead of the status request. A
// block, once started, always goes out whole and alone. Windows step it with
// their timers; tests step it by hand.
#include "station/catcommands.h"
#include "station/catdecode.h"
#include "logbook/bandpointchart.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace zelmor {

// Where the engine reads and writes the QSO window and the settings.
class CatView {
public:
    virtual ~CatView() = default;
    virtual QString vfob() const = 0;
    virtual void setVfob(const QString &text) = 0;
    virtual void setVfoa(const QString &text) = 0;
    virtual void setBandField(const QString &text) = 0;  // cb1
    virtual void setModeLabel(const QString &text) = 0;  // lsb
    virtual void setModeField(const QString &text) = 0;  // cb2
    virtual void chartChanged(const BandPointChart &chart) = 0;
    virtual QString callText() const = 0;
    virtual void setCallText(const QString &text) = 0;
    virtual void setStatusText(const QString &text) = 0;
    virtual void showError(const QString &text) = 0;     // the "ERROR" box
    virtual void startCwWork() = 0;
    virtual void stopCwWork() = 0;
    // Settings and state the cycle obeys.
    virtual bool bandFieldKept() const = 0;  // tcb2
    virtual bool editMode() const = 0;       // EditMode
    virtual bool cwFollowsMode() const = 0;  // cw_ssb
    virtual bool pollOnCommand() const = 0;  // rxtx_1
    virtual bool pollWhileTyping() const = 0; // rxtx_call
};

class CatEngine : public QObject {
    Q_OBJECT
public:
    explicit CatEngine(CatView *view, QObject *parent = nullptr);

    RadioModel model = RadioModel::ft840;
    // Sends one byte without waiting; false when it could not be queued (it
    // is offered again at the next pacer tick).
    std::function<bool(char)> sendByte;

    // Poll tick (Timer3). Returns the interval the poll timer takes next, or 0
    // when polling stops here (on-demand modes).
    int onPollTick();
    // Pacer tick (Timer1): one byte. False once nothing is left to send.
    bool onPacerTick();
    bool pacerBusy() const { return !outgoing_.isEmpty() || !next_.isEmpty(); }
    // Bytes received (port1ReceiveData).
    void onReceive(const char *data, int size);
    // The second decode of the FT-990 (2), 5 s after an on-demand poll (Timer2).
    void onSecondDecode();
    // Link on: nothing left over, the first block a status request.
    void reset();
    // What must still go out before the port closes: the rest of a block in
    // progress, then PTT off when transmitting. Queued commands are dropped.
    void prepareClose();
    // The rest of it at once (shut-down).
    QByteArray takeRemaining();
    // Kenwood polls start again with "FA;".
    void FormActivate();

    // Transceiver menu.
    void N50Click();  // set frequency from the call field
    void Lock1Click();
    void AB1Click();  // VFO-a
    void AB2Click();  // VFO-b
    void USB1Click(); // SPLIT
    void LSB1Click();
    void CW20Click(); // USB
    void CW21Click(); // CW
    void AB3Click();  // A=B
    void PTT1Click();
    void F100Hz1Click();
    void F100Hz2Click();
    void N54Click();  // store the frequency as a channel
    void N56Click();  // tune to the current channel
    // Returns false when there are no channels (status "Каналы памяти пусты").
    bool N13Click();
    void SelectChannel(int index); // ch12 moved
    void RememberCallAtFrequency(); // n67
    void ClearCallMemory();         // n64

    // The routines of the cycle.
    void PrepareStatusPoll();
    bool QueueSetFrequencyCommand(const QString &text);
    void TuneToFrequencyText(const QString &dotted);
    void RecallCallAtFrequency();
    void ShowRadioMode(const QString &mode);
    void UpdateBandChart(qint64 kHz);
    void ApplyStatus(const CatStatus &s);

    // State.
    QByteArray CatReply;
    int KenwoodPollStep = 0;
    int CatPollCounter = 0;
    int CatCommandPending = 0;
    int CurrentBandIndex = 1;  // -1: off the chart bands
    qint64 CurrentFrequency = 0;
    QString LastRecalledCall;
    QStringList memoryCalls, memoryFrequencies; // at most 20, newest last
    QStringList channels;
    int currentChannel = -1;
    bool splitOn = false, pttOn = false, lockOn = false; // Label5, Label1, Label8
    BandPointChart chart;
    int silentPolls = 0;
    // Most bytes kept of one period's reply.
    static constexpr int ReplyLimit = 4096;
    static constexpr int SilentPollLimit = 3;
    static constexpr int CallMemorySize = 20;
    const std::deque<QByteArray> &queue() const { return queue_; }

signals:
    // Three status requests in a row had no decodable reply.
    void rigSilent();
    void switchesChanged();

private:
    void queueCommand(const QByteArray &block);
    void startBlock(const QByteArray &block, bool expectsReply);
    void nudgeFrequency(int tenHz);
    CatView *view_;
    std::deque<QByteArray> queue_;
    QByteArray outgoing_;  // the block going out, a copy
    int pacerIndex_ = 0;
    QByteArray next_;      // a block waiting for the one in progress
    bool outgoingExpectsReply_ = false;
    bool nextExpectsReply_ = false;
    bool replyDue_ = false; // a status request went out whole since the last tick
    QString lastMode_;
    bool closing_ = false;
};

} // namespace zelmor
