#include "station/commportdriver.h"

#include <QPointer>
#include <QTimer>
#include <cmath>

namespace zelmor {

namespace {
constexpr qint32 BaudValues[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};
}

qint32 BaudRateValue(TComPortBaudRate rate) { return BaudValues[qBound(0, int(rate), int(br115200))]; }

bool BaudRateFromValue(qint32 value, TComPortBaudRate &rate) {
    for (int i = 0; i <= br115200; ++i)
        if (BaudValues[i] == value) {
            rate = TComPortBaudRate(i);
            return true;
        }
    return false;
}

TCommPortDriver::TCommPortDriver(QObject *parent) : QObject(parent), poll_(new QTimer(this)) {
    poll_->setInterval(pollingDelay_);
    connect(poll_, &QTimer::timeout, this, &TCommPortDriver::PollComPortInput);
    packetClock_.start();
    reallocateBuffer();
}

TCommPortDriver::~TCommPortDriver() { CloseComPort(); }

void TCommPortDriver::reallocateBuffer() { buffer_ = QByteArray(inBufSize_, Qt::Uninitialized); }

QString TCommPortDriver::DevicePath() const { return ComDevicePath(int(comPort_) + 1); }

QString TCommPortDriver::PortDisplayName() const {
    return QStringLiteral("COM%1 (%2)").arg(int(comPort_) + 1).arg(device_ ? openedPath_ : DevicePath());
}

bool TCommPortDriver::OpenComPort() {
    if (IsComPortOpen()) return true;
    if (device_) device_->close();
    device_ = platform::makeSerialDevice();
    broken_ = false;
    const QString path = DevicePath();
    if (!device_->open(path)) {
        openError_ = device_->errorText();
        device_.reset();
        return false;
    }
    openError_.clear();
    openedPath_ = path;
    device_->onFatalError = [this](const QString &text) { portBroke(text); };
    ApplyComPortSettings();
    poll_->setInterval(pollingDelay_);
    poll_->start();
    return true;
}

void TCommPortDriver::CloseComPort() {
    if (!device_) return;
    poll_->stop();
    if (device_->isOpen() && !broken_) {
        // What the owner already sent goes out before the port closes.
        QElapsedTimer t;
        t.start();
        while (device_->bytesToWrite() > 0 && t.elapsed() <= OutputTimeout && !broken_)
            if (!device_->waitForBytesWritten(int(OutputTimeout - t.elapsed()) + 1)) break;
    }
    device_->onFatalError = nullptr;
    device_->close();
    device_.reset();
}

bool TCommPortDriver::IsComPortOpen() const { return device_ && device_->isOpen() && !broken_; }

void TCommPortDriver::portBroke(const QString &error) {
    if (broken_) return;
    broken_ = true;
    // Not from inside the device's own signal: the owner hears of it once
    // the device has returned.
    QPointer<TCommPortDriver> self(this);
    QTimer::singleShot(0, this, [self, error] {
        if (!self || !self->device_) return;
        self->CloseComPort();
        if (self->OnPortError) self->OnPortError(error);
    });
}

void TCommPortDriver::ApplyComPortSettings() {
    if (!IsComPortOpen()) return;
    SerialLine line;
    line.baud = BaudRateValue(speed_);
    line.dataBits = int(dataBits_) + 5;
    line.stopBits = int(stopBits_);
    line.parity = int(parity_);
    line.dtr = EnableDTROnOpen;
    line.rts = hw_ == hhNONERTSON;
    line.rtsCtsFlow = hw_ == hhRTSCTS;
    line.xonXoff = sw_ == shXONXOFF;
    // The results are ignored: a line the device refuses (1.5 stop bits on
    // Linux, modem lines on a pseudo-terminal) keeps its old setting.
    device_->applyLine(line);
    PurgeComBuffers(true, true);
}

void TCommPortDriver::PurgeComBuffers(bool input, bool output) {
    if (!IsComPortOpen()) return;
    device_->clear(input, output);
    packetStart_ = -1;
}

int TCommPortDriver::ComOutputFreeSpace() const {
    if (!IsComPortOpen()) return -1;
    return int(qMax<qint64>(0, qint64(outBufSize_) - device_->bytesToWrite()));
}

unsigned TCommPortDriver::GetComLineStatus() const { return IsComPortOpen() ? device_->lineStatus() : 0u; }

int TCommPortDriver::SendComData(const char *data, int count, int timeoutMs) {
    if (!IsComPortOpen()) return 0;
    int written = 0;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    while (written < count && IsComPortOpen()) {
        const int free = ComOutputFreeSpace();
        if (free > 0) {
            if (CheckLineStatus && GetComLineStatus() == 0) break;
            const qint64 n = device_->write(data + written, qMin(count - written, free));
            if (n < 0) break;
            if (n > 0) {
                written += int(n);
                sinceProgress.restart();
                continue;
            }
        }
        const qint64 left = qint64(timeoutMs) - sinceProgress.elapsed();
        if (left < 0) break;
        // Sleeps in the system until the queue moves or the time is up.
        device_->waitForBytesWritten(int(left) + 1);
        if (sinceProgress.elapsed() > timeoutMs && ComOutputFreeSpace() <= 0) break;
    }
    return written;
}

void TCommPortDriver::PollComPortInput() {
    if (!IsComPortOpen()) return;
    qint64 queued = device_->bytesAvailable();
    if (packetSize_ <= 0) {
        if (queued <= 0) return;
        const qint64 n = device_->read(buffer_.data(), qMin<qint64>(queued, inBufSize_));
        if (n > 0 && OnReceiveData) OnReceiveData(this, buffer_.constData(), int(n));
        return;
    }
    const qint64 now = packetClock_.elapsed();
    if (queued < packetSize_) {
        if (packetTimeout_ > 0 && packetStart_ >= 0 && now - packetStart_ > packetTimeout_) {
            const qint64 n = device_->read(buffer_.data(), qMin<qint64>(queued, buffer_.size()));
            if (n > 0 && PacketMode == pmPass && OnReceivePacket) OnReceivePacket(this, buffer_.constData(), int(n));
            packetStart_ = -1;
        } else if (queued > 0 && packetStart_ < 0) {
            packetStart_ = now;
        }
        return;
    }
    const qint64 packetMs = std::llround(double(packetSize_) / (BaudRateValue(speed_) / 10.0) * 1000.0);
    while (queued >= packetSize_ && IsComPortOpen()) {
        const qint64 n = device_->read(buffer_.data(), packetSize_);
        if (n > 0 && OnReceivePacket) OnReceivePacket(this, buffer_.constData(), int(n));
        if (packetStart_ >= 0) packetStart_ += packetMs;
        queued -= packetSize_;
        if (queued == 0) packetStart_ = -1;
    }
}

void TCommPortDriver::SetComPortNumber(TComPortNumber n) {
    if (IsComPortOpen()) return;
    comPort_ = n;
}

void TCommPortDriver::SetComPortBaudRate(TComPortBaudRate r) {
    speed_ = r;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortDataBits(TComPortDataBits b) {
    dataBits_ = b;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortStopBits(TComPortStopBits b) {
    stopBits_ = b;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortParity(TComPortParity p) {
    parity_ = p;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortHwHandshaking(TComPortHwHandshaking h) {
    hw_ = h;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortSwHandshaking(TComPortSwHandshaking s) {
    sw_ = s;
    ApplyComPortSettings();
}

void TCommPortDriver::SetComPortInBufSize(quint16 size) {
    if (IsComPortOpen()) return;
    inBufSize_ = size;
    reallocateBuffer();
    SetPacketSize(packetSize_);
}

void TCommPortDriver::SetComPortOutBufSize(quint16 size) {
    if (IsComPortOpen()) return;
    outBufSize_ = size;
}

void TCommPortDriver::SetPacketSize(qint16 size) {
    packetSize_ = size <= 0 ? qint16(-1) : size;
    if (packetSize_ > 0 && packetSize_ > inBufSize_) {
        inBufSize_ = quint16(qMin(2 * int(packetSize_), 65535));
        reallocateBuffer();
    }
}

void TCommPortDriver::SetPacketTimeout(qint32 ms) {
    if (ms <= 0) packetTimeout_ = -1;
    else if (ms < pollingDelay_) packetTimeout_ = pollingDelay_ + 150;
    else packetTimeout_ = ms;
}

void TCommPortDriver::SetComPortPollingDelay(quint16 ms) {
    if (ms != pollingDelay_) {
        pollingDelay_ = ms;
        poll_->setInterval(ms);
        if (IsComPortOpen()) poll_->start();
    }
    SetPacketTimeout(packetTimeout_);
}

} // namespace zelmor
