#include "platform/serialport.h"

#include "platform/hive.h"

#include <QFileInfo>
#include <QSerialPort>
#include <QThread>
#include <cstring>

namespace zelmor {

QString DosDevicesDir() { return QFileInfo(SettingsHive::DefaultPath()).absolutePath() + QStringLiteral("/dosdevices"); }

QString ComDevicePath(int number) {
    const QFileInfo link(DosDevicesDir() + QStringLiteral("/com") + QString::number(number));
    if (link.isSymLink()) {
        // The final target, so that the lock file names the device and a
        // second link to it cannot open it twice.
        const QString target = link.canonicalFilePath();
        return target.isEmpty() ? link.symLinkTarget() : target;
    }
    if (link.exists()) return link.absoluteFilePath();
    return QStringLiteral("/dev/ttyS") + QString::number(number - 1);
}

namespace {

class QtSerialDevice : public SerialDevice {
public:
    QtSerialDevice() {
        port_.setReadBufferSize(0);
        QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
            switch (e) {
            case QSerialPort::ResourceError:
            case QSerialPort::ReadError:
            case QSerialPort::WriteError:
            case QSerialPort::DeviceNotFoundError:
                if (port_.isOpen() && onFatalError) onFatalError(port_.errorString());
                break;
            default:
                // NoError, and the line settings a device refuses (a
                // pseudo-terminal has no DTR, RTS or modem lines).
                break;
            }
        });
    }
    bool open(const QString &path) override {
        port_.setPortName(path);
        return port_.open(QIODevice::ReadWrite);
    }
    void close() override {
        if (port_.isOpen()) port_.close();
    }
    bool isOpen() const override { return port_.isOpen(); }
    void applyLine(const SerialLine &l) override {
        port_.setBaudRate(l.baud);
        port_.setDataBits(QSerialPort::DataBits(l.dataBits));
        static const QSerialPort::StopBits stops[3] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                       QSerialPort::TwoStop};
        port_.setStopBits(stops[qBound(0, l.stopBits, 2)]);
        static const QSerialPort::Parity parities[5] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                        QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                        QSerialPort::SpaceParity};
        port_.setParity(parities[qBound(0, l.parity, 4)]);
        port_.setFlowControl(l.rtsCtsFlow ? QSerialPort::HardwareControl
                                          : l.xonXoff ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
        port_.setDataTerminalReady(l.dtr);
        if (!l.rtsCtsFlow) port_.setRequestToSend(l.rts);
    }
    void clear(bool input, bool output) override {
        if (input && output) port_.clear(QSerialPort::AllDirections);
        else if (input) port_.clear(QSerialPort::Input);
        else if (output) port_.clear(QSerialPort::Output);
    }
    qint64 bytesAvailable() const override { return port_.bytesAvailable(); }
    qint64 read(char *data, qint64 max) override { return port_.read(data, max); }
    qint64 write(const char *data, qint64 count) override { return port_.write(data, count); }
    qint64 bytesToWrite() const override { return port_.bytesToWrite(); }
    bool waitForBytesWritten(int msecs) override { return port_.waitForBytesWritten(msecs); }
    unsigned lineStatus() override {
        const QSerialPort::PinoutSignals s = port_.pinoutSignals();
        unsigned bits = 0;
        if (s & QSerialPort::ClearToSendSignal) bits |= LineCts;
        if (s & QSerialPort::DataSetReadySignal) bits |= LineDsr;
        if (s & QSerialPort::RingIndicatorSignal) bits |= LineRing;
        if (s & QSerialPort::DataCarrierDetectSignal) bits |= LineDcd;
        return bits;
    }
    QString errorText() const override { return port_.errorString(); }

private:
    QSerialPort port_;
};

std::function<std::unique_ptr<SerialDevice>()> &Maker() {
    static std::function<std::unique_ptr<SerialDevice>()> maker;
    return maker;
}

} // namespace

bool FakeSerialDevice::open(const QString &path) {
    openedPath = path;
    if (refuseOpen) {
        error_ = refuseText;
        return false;
    }
    open_ = true;
    error_.clear();
    return true;
}

qint64 FakeSerialDevice::read(char *data, qint64 max) {
    const qint64 n = qMin<qint64>(max, input.size());
    std::memcpy(data, input.constData(), size_t(n));
    input.remove(0, n);
    return n;
}

qint64 FakeSerialDevice::write(const char *data, qint64 count) {
    if (writeFails) {
        fail(QStringLiteral("Input/output error"));
        return -1;
    }
    written.append(data, count);
    return count;
}

bool FakeSerialDevice::waitForBytesWritten(int msecs) {
    ++waits;
    // A full queue that never drains: the time passes as on the real device.
    if (queued > 0) QThread::msleep(ulong(qMax(0, msecs)));
    return false;
}

void FakeSerialDevice::fail(const QString &text) {
    error_ = text;
    if (onFatalError) onFatalError(text);
}

namespace platform {
std::unique_ptr<SerialDevice> makeSerialDevice() {
    if (Maker()) return Maker()();
    return std::make_unique<QtSerialDevice>();
}
void installSerialDeviceMaker(std::function<std::unique_ptr<SerialDevice>()> maker) { Maker() = std::move(maker); }
} // namespace platform

} // namespace zelmor
