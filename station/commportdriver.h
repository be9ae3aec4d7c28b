#pragma once
// The serial port driver: one COM port, its line settings, sends with a time
// limit, and received bytes handed to the owner from a timer on the GUI
// thread. It never shows anything: a port that cannot be opened leaves it
// closed, and a port that breaks while open closes it and tells the owner.
#include "platform/serialport.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <memory>

class QTimer;

namespace zelmor {

enum TComPortNumber {
    pnCOM1, pnCOM2, pnCOM3, pnCOM4, pnCOM5, pnCOM6, pnCOM7, pnCOM8,
    pnCOM9, pnCOM10, pnCOM11, pnCOM12, pnCOM13, pnCOM14, pnCOM15, pnCOM16
};
enum TComPortBaudRate {
    br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000, br57600, br115200
};
enum TComPortDataBits { db5BITS, db6BITS, db7BITS, db8BITS };
enum TComPortStopBits { sb1BITS, sb1HALFBITS, sb2BITS };
enum TComPortParity { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum TComPortHwHandshaking { hhNONE, hhNONERTSON, hhRTSCTS };
enum TComPortSwHandshaking { shNONE, shXONXOFF };
enum TPacketMode { pmDiscard, pmPass };

// The number in a baud rate's name (br4800 -> 4800).
qint32 BaudRateValue(TComPortBaudRate rate);
// The rate named by a number; false when no rate has that number.
bool BaudRateFromValue(qint32 value, TComPortBaudRate &rate);

class TCommPortDriver : public QObject {
    Q_OBJECT
public:
    explicit TCommPortDriver(QObject *parent = nullptr);
    ~TCommPortDriver() override;

    // Properties, with the setters' rules.
    TComPortNumber ComPort() const { return comPort_; }
    void SetComPortNumber(TComPortNumber n);
    TComPortBaudRate ComPortSpeed() const { return speed_; }
    void SetComPortBaudRate(TComPortBaudRate r);
    TComPortDataBits ComPortDataBits() const { return dataBits_; }
    void SetComPortDataBits(TComPortDataBits b);
    TComPortStopBits ComPortStopBits() const { return stopBits_; }
    void SetComPortStopBits(TComPortStopBits b);
    TComPortParity ComPortParity() const { return parity_; }
    void SetComPortParity(TComPortParity p);
    TComPortHwHandshaking ComPortHwHandshaking() const { return hw_; }
    void SetComPortHwHandshaking(TComPortHwHandshaking h);
    TComPortSwHandshaking ComPortSwHandshaking() const { return sw_; }
    void SetComPortSwHandshaking(TComPortSwHandshaking s);
    quint16 ComPortInBufSize() const { return inBufSize_; }
    void SetComPortInBufSize(quint16 size);
    quint16 ComPortOutBufSize() const { return outBufSize_; }
    void SetComPortOutBufSize(quint16 size);
    qint16 PacketSize() const { return packetSize_; }
    void SetPacketSize(qint16 size);
    qint32 PacketTimeout() const { return packetTimeout_; }
    void SetPacketTimeout(qint32 ms);
    TPacketMode PacketMode = pmDiscard;
    quint16 ComPortPollingDelay() const { return pollingDelay_; }
    void SetComPortPollingDelay(quint16 ms);
    bool EnableDTROnOpen = true;
    quint16 OutputTimeout = 500;
    quint32 InputTimeout = 200; // stored only
    bool CheckLineStatus = false;

    // Stream mode delivery: the bytes of one polling tick, once, on the GUI thread.
    std::function<void(TCommPortDriver *sender, const char *data, int size)> OnReceiveData;
    // Packet mode delivery.
    std::function<void(TCommPortDriver *sender, const char *packet, int size)> OnReceivePacket;
    // The port broke while open (unplugged, failed write): the driver has
    // closed it. The text is the system's.
    std::function<void(const QString &error)> OnPortError;

    bool OpenComPort();
    void CloseComPort();
    bool IsComPortOpen() const;
    void ApplyComPortSettings();
    void PurgeComBuffers(bool input, bool output);
    // -1 when closed.
    int ComOutputFreeSpace() const;
    // Set of SerialLineBit; empty when closed.
    unsigned GetComLineStatus() const;
    int SendComData(const char *data, int count, int timeoutMs);
    int SendComBuffer(const char *data, int count) { return SendComData(data, count, OutputTimeout); }
    bool SendComByte(char value) { return SendComBuffer(&value, 1) == 1; }

    // The device COM<n> opens, and the system's text of the last failed open.
    QString DevicePath() const;
    QString LastOpenError() const { return openError_; }
    // "COM2 (/dev/ttyS1)".
    QString PortDisplayName() const;

    // One polling tick, as the timer runs it (tests step it by hand).
    void PollComPortInput();
    QTimer *pollTimer() const { return poll_; }

private:
    void reallocateBuffer();
    void portBroke(const QString &error);
    std::unique_ptr<SerialDevice> device_;
    QTimer *poll_;
    QByteArray buffer_;
    qint64 packetStart_ = -1; // ms of packetClock_, -1 unset
    QElapsedTimer packetClock_;
    QString openError_;
    QString openedPath_;
    bool broken_ = false;

    TComPortNumber comPort_ = pnCOM2;
    TComPortBaudRate speed_ = br9600;
    TComPortDataBits dataBits_ = db8BITS;
    TComPortStopBits stopBits_ = sb1BITS;
    TComPortParity parity_ = ptNONE;
    TComPortHwHandshaking hw_ = hhNONERTSON;
    TComPortSwHandshaking sw_ = shNONE;
    quint16 inBufSize_ = 2048;
    quint16 outBufSize_ = 2048;
    qint16 packetSize_ = -1;
    qint32 packetTimeout_ = -1;
    quint16 pollingDelay_ = 50;
};

} // namespace zelmor
