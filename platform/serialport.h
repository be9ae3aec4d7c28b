#pragma once
// A serial device as the CAT driver uses it: open by path, line settings,
// non-blocking reads and writes, and a report of errors. The real one stands
// on QSerialPort; tests use a real pseudo-terminal, or the fake below.
//
// COM ports keep their Windows numbers in the settings. COMn is the link
// "dosdevices/com<n>" (lower case) in the folder of the settings file when it
// exists, as Wine does it (ln -s /dev/ttyUSB0 ~/.config/zelmor/dosdevices/com2),
// else /dev/ttyS<n-1>.
#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <memory>

namespace zelmor {

struct SerialLine {
    qint32 baud = 9600;
    int dataBits = 8;  // 5..8
    int stopBits = 0;  // 0: one, 1: one and a half, 2: two
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    bool rtsCtsFlow = false;
    bool xonXoff = false;
    bool dtr = true;
    bool rts = true;
};

// Bits of the modem lines, as the driver reports them.
enum SerialLineBit : unsigned { LineCts = 1, LineDsr = 2, LineRing = 4, LineDcd = 8 };

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // False when the system refuses the device; errorText() says why.
    virtual bool open(const QString &path) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // Applies what the device accepts; a setting it refuses is left as it is.
    virtual void applyLine(const SerialLine &line) = 0;
    virtual void clear(bool input, bool output) = 0;
    virtual qint64 bytesAvailable() const = 0;
    virtual qint64 read(char *data, qint64 max) = 0;
    // Queues the bytes and returns at once; -1 on a failed write.
    virtual qint64 write(const char *data, qint64 count) = 0;
    // Bytes queued and not yet handed to the system.
    virtual qint64 bytesToWrite() const = 0;
    // Waits until some queued bytes went out, at most msecs; false when none did.
    virtual bool waitForBytesWritten(int msecs) = 0;
    // Set of SerialLineBit; empty when the lines cannot be read.
    virtual unsigned lineStatus() = 0;
    virtual QString errorText() const = 0;
    // Called on an error that leaves the device unusable (unplugged, failed
    // read or write), with the system's text. Settings a device refuses are
    // not such errors.
    std::function<void(const QString &)> onFatalError;
};

// The device of COM<number> (1-based): the dosdevices link's target when the
// link exists, so the lock file guards the device itself.
QString ComDevicePath(int number);
// The folder of the dosdevices links: next to the settings file.
QString DosDevicesDir();

// An in-memory device for the driver's own tests: records what was written,
// hands out what tests put into `input`, and fails on request.
class FakeSerialDevice : public SerialDevice {
public:
    QString openedPath;
    bool refuseOpen = false;
    QString refuseText = QStringLiteral("Permission denied");
    SerialLine line;
    int lineApplied = 0;
    int cleared = 0;
    QByteArray input;
    QByteArray written;
    qint64 queued = 0;          // pretended bytes waiting to go out
    bool writeFails = false;
    unsigned lines = 0;
    int waits = 0;

    bool open(const QString &path) override;
    void close() override { open_ = false; }
    bool isOpen() const override { return open_; }
    void applyLine(const SerialLine &l) override { line = l, ++lineApplied; }
    void clear(bool in, bool) override {
        ++cleared;
        if (in) input.clear();
    }
    qint64 bytesAvailable() const override { return input.size(); }
    qint64 read(char *data, qint64 max) override;
    qint64 write(const char *data, qint64 count) override;
    qint64 bytesToWrite() const override { return queued; }
    bool waitForBytesWritten(int msecs) override;
    unsigned lineStatus() override { return lines; }
    QString errorText() const override { return error_; }
    // What the real device does when it breaks.
    void fail(const QString &text);

private:
    bool open_ = false;
    QString error_;
};

namespace platform {
// Makes a new device for each driver; tests install a maker of fakes.
std::unique_ptr<SerialDevice> makeSerialDevice();
void installSerialDeviceMaker(std::function<std::unique_ptr<SerialDevice>()> maker); // empty restores QSerialPort
} // namespace platform

} // namespace zelmor
