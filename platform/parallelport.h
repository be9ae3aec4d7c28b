#pragma once
// The parallel port (keying line, PTT, paddles, antenna switch, rotator) as
// the program reaches it: a byte to the data or the control register and a
// read of the status register, at the I/O addresses the settings chose.
// Until the settings set an address it is 0, and an access to address 0 is
// skipped: there is no port to reach then.
#include <QString>
#include <QtGlobal>
#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace zelmor {

// The registers of the chosen port (0x378/0x379/0x37A for LPT1,
// 0x278/0x279/0x27A for LPT2); 0 while none is set. Written on the GUI
// thread, read whole by the keyer thread.
extern std::atomic<quint16> LptDataPort;
extern std::atomic<quint16> LptStatusPort;
extern std::atomic<quint16> LptControlPort;

// Status bits 4 and 5 are the paddles, high while released.
inline constexpr quint8 PaddlesReleasedStatus = 0x30;

class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    // False only when a port that was reached refused the write; a port
    // that cannot be reached at all says so once through TakeProblem().
    bool writeData(quint16 address, quint8 value) { return address == 0 || putData(address, value); }
    bool writeControl(quint16 address, quint8 value) { return address == 0 || putControl(address, value); }
    quint8 readStatus(quint16 address) { return address == 0 ? PaddlesReleasedStatus : getStatus(address); }
    // The text of a problem not yet reported ("Нет доступа к /dev/parport0:
    // Permission denied"), then empty. Cheap when there is none.
    QString TakeProblem();
    // Why the port of a register address cannot be reached, for as long as
    // it cannot (reported or not); empty when it can or was never tried.
    virtual QString problemOf(quint16 address) { return QString(); }

protected:
    virtual bool putData(quint16 address, quint8 value) = 0;
    virtual bool putControl(quint16 address, quint8 value) = 0;
    virtual quint8 getStatus(quint16 address) = 0;
    void reportProblem(const QString &text);

private:
    std::atomic<bool> hasProblem_{false};
    std::mutex problemLock_;
    QString problem_;
};

// No port driver on this machine: writes go nowhere, the paddles read released.
class NullParallelPort : public ParallelPort {
protected:
    bool putData(quint16, quint8) override { return true; }
    bool putControl(quint16, quint8) override { return true; }
    quint8 getStatus(quint16) override { return PaddlesReleasedStatus; }
};

// Linux's ppdev: the registers of LPT1 (0x378..0x37A) are those of
// /dev/parport0, of LPT2 (0x278..0x27A) of /dev/parport1. A device is opened
// and claimed on its first use; one that cannot be is reported once and then
// left alone (its writes go nowhere, its paddles read released).
class PpdevParallelPort : public ParallelPort {
public:
    // `devicePrefix` + 0 or 1 names the devices; tests point it elsewhere.
    explicit PpdevParallelPort(QString devicePrefix = QStringLiteral("/dev/parport"));
    ~PpdevParallelPort() override;
    // The device of a register address; empty for an address of no port.
    QString deviceOf(quint16 address) const;
    QString problemOf(quint16 address) override;

protected:
    bool putData(quint16 address, quint8 value) override;
    bool putControl(quint16 address, quint8 value) override;
    quint8 getStatus(quint16 address) override;

private:
    int fdOf(quint16 address); // -1 when the device is not to be had
    bool failed(const QString &device, const char *what);
    QString prefix_;
    std::mutex lock_;
    std::map<QString, int> fds_; // -1 for a device that could not be opened
    std::map<QString, QString> refusals_; // why, for those
};

// Records every access that reached the port, stamped with the monotonic
// clock, and answers status reads from a script.
class FakeParallelPort : public ParallelPort {
public:
    struct Write {
        char reg; // 'D' data, 'C' control
        quint16 address;
        quint8 value;
        qint64 ns = 0; // monotonic clock; not compared
        bool operator==(const Write &o) const { return reg == o.reg && address == o.address && value == o.value; }
    };
    // Copies taken under the port's lock: the keyer writes from its thread.
    std::vector<Write> timeline() const;
    std::vector<quint8> controlValues() const;
    // The key line's changes: down at each control byte with bit 3 clear
    // after key up (0x07, or 0x05 and 0x04 while the antenna strobes), up
    // at the first byte after it with bit 3 set.
    struct Edge {
        bool down;
        qint64 ns;
    };
    std::vector<Edge> keyEdges() const;
    void clear();
    // What status reads return from now on.
    std::atomic<quint8> status{PaddlesReleasedStatus};
    // Writes from now on fail, as a port that went away.
    std::atomic<bool> failWrites{false};
    // From now on the port cannot be reached, as a device that is missing
    // or refused: accesses go nowhere, the problem is reported once and
    // stands for every address.
    void refuse(const QString &problem);
    QString problemOf(quint16) override;
    // Tests read this directly when no thread writes.
    std::vector<Write> writes;

protected:
    bool putData(quint16 a, quint8 v) override { return record('D', a, v); }
    bool putControl(quint16 a, quint8 v) override { return record('C', a, v); }
    quint8 getStatus(quint16) override { return status; }

private:
    bool record(char reg, quint16 a, quint8 v);
    mutable std::mutex lock_;
    QString refusal_;
    bool refusalReported_ = false;
};

// The one owner of the control register. The keyer, the PTT timer, the
// start-up, the shut-down and the antenna switch each change only their own
// bits, under one lock, and every change writes the whole byte:
//   bit 3: 1 = key up (the line is inverted), bit 2: PTT, bits 0-1: 1 at rest.
// Key down is only ever written with PTT on, and PTT off always keys up, so
// no byte keys a transmitter that is not switched to transmit: key down
// 0x07, key up 0x0F, PTT off 0x0B, which is also the idle byte.
class ControlRegister {
public:
    static constexpr quint8 KeyUpBit = 0x08, PttBit = 0x04, RestBits = 0x03;
    static constexpr quint8 Idle = KeyUpBit | RestBits;

    bool keyDown() { return change(KeyUpBit | PttBit, PttBit); }
    bool keyUp() { return change(KeyUpBit, KeyUpBit); }
    bool pttOn() { return change(PttBit, PttBit); }
    bool pttOff() { return change(KeyUpBit | PttBit, KeyUpBit); }
    // Key up and PTT off.
    bool idle() { return pttOff(); }
    // The antenna switch's bits 0 and 1.
    bool setRestBits(quint8 bits) { return change(RestBits, bits & RestBits); }
    // One press of the antenna switch or rotator, whole under the lock: the
    // code to the data register, then the strobe on bits 0-1 only (01, 00,
    // then 11 at rest), PTT and key as they stand. No strobe when the code
    // could not be written; false when a write failed.
    bool strobe(quint16 dataAddress, quint8 code);
    // Changes the bits of `mask` to `bits` and writes the byte.
    bool change(quint8 mask, quint8 bits);
    quint8 value() const;
    // The idle byte again, without writing (tests).
    void reset();

private:
    mutable std::mutex lock_;
    quint8 value_ = Idle;
};

namespace platform {
ParallelPort &parallelPort();
void install(ParallelPort *p); // not owned; nullptr restores the default
void setDefaultParallelPort(ParallelPort *p); // the real device, installed by the program
ControlRegister &controlRegister();
} // namespace platform

} // namespace zelmor
