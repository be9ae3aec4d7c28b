#pragma once
// The transceiver (CAT) window: its port, its timers and three labels used
// as switches are what matter; the window itself is rarely on screen. It
// feeds the QSO window's frequency, band and mode from the rig and carries
// out the QSO window's transceiver menu.
#include "station/catengine.h"
#include "station/commportdriver.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QTimer;

namespace zelmor {

// What the transceiver reaching other windows calls; filled by the windows
// that carry it out (the CW keyer).
struct TransceiverHooks {
    std::function<void()> StartCwWork; // the rig went to CW (with cw_ssb)
    std::function<void()> StopCwWork;  // the rig left CW
};
extern TransceiverHooks TransceiverHook;

class Trxtx : public QWidget {
    Q_OBJECT
public:
    explicit Trxtx(QWidget *parent = nullptr);
    ~Trxtx() override;

    // Opens the CAT port with the settings' port, model and speed; false when
    // it could not be opened (LinkFailureText() says why).
    virtual bool OpenComPort();
    // Lets a block in progress finish (and PTT off go out while
    // transmitting), then closes the port.
    virtual void CloseComPort();
    // "Не удалось открыть порт трансивера COM2 (/dev/ttyS1): Permission denied".
    QString LinkFailureText() const { return failureText_; }
    // Shut-down: what is still to go out goes at once, then the port closes.
    void ShutDown();

    TCommPortDriver *port1;
    QTimer *Timer1; // pacer, 55 ms: one byte per tick
    QTimer *Timer2; // 5 s after an on-demand poll: the FT-990 (2) decodes again
    QTimer *Timer3; // poll: 700 ms at first, then 1000 (5000 for the FT-990 (2))
    QLabel *Label5; // split on
    QLabel *Label1; // transmitting
    QLabel *Label8; // lock on
    CatEngine *engine;

    void Timer1Timer();
    void Timer2Timer();
    void Timer3Timer();
    void port1ReceiveData(const char *data, int size);
    void FormActivate();

    // The QSO window's transceiver menu, for its items to call.
    void N50Click();     // "Установка частоты": the call field's digits
    void Lock1Click();
    void AB1Click();     // VFO-a
    void AB2Click();     // VFO-b
    void USB1Click();    // SPLIT
    void LSB1Click();
    void CW20Click();    // USB
    void CW21Click();    // CW
    void AB3Click();     // A=B
    void PTT1Click();
    void F100Hz1Click(); // +100 Hz
    void F100Hz2Click(); // -100 Hz
    void N13Click();     // page through the channels with ch12
    void N54Click();     // the rig's frequency as a new channel
    void N56Click();     // back to the current channel
    void N6Click();      // one poll, when rxtx_1 is checked
    void n67Click();     // remember the call at this frequency
    void n64Click();     // forget every remembered call
    // The QSO window's call field asks for a poll (rxtx_call); only while
    // the link is on.
    void StartTransceiverPoll();
    // The start-up's markers on the QSO window's band chart.
    void GiveBandChartMarkers();
    // Connects the QSO window's channel scroll bar ch12.
    void ConnectQsoWindow();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void linkLost(const QString &message);
    void finishClose();
    void syncSwitches();
    std::unique_ptr<CatView> view_;
    QString failureText_;
    bool closing_ = false;
};

extern Trxtx *rxtx;

} // namespace zelmor
