#pragma once
// The parallel port (keying line, paddles, antenna switch, rotator) as the
// program writes it: a byte to the data or the control register at an I/O
// address. Until the settings set an address it is 0, and a write to address
// 0 is skipped: there is no port to write to then.
#include <QtGlobal>
#include <atomic>
#include <vector>

namespace zelmor {

// The registers of the chosen port (0x378/0x379/0x37A for LPT1,
// 0x278/0x279/0x27A for LPT2); 0 while none is set. Written on the GUI
// thread, read whole by the keyer thread.
extern std::atomic<quint16> LptDataPort;
extern std::atomic<quint16> LptStatusPort;
extern std::atomic<quint16> LptControlPort;

class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    void writeData(quint16 address, quint8 value) {
        if (address != 0) putData(address, value);
    }
    void writeControl(quint16 address, quint8 value) {
        if (address != 0) putControl(address, value);
    }

protected:
    virtual void putData(quint16 address, quint8 value) = 0;
    virtual void putControl(quint16 address, quint8 value) = 0;
};

// No port driver on this machine: writes go nowhere.
class NullParallelPort : public ParallelPort {
protected:
    void putData(quint16, quint8) override {}
    void putControl(quint16, quint8) override {}
};

// Records every write that reached the port.
class FakeParallelPort : public ParallelPort {
public:
    struct Write {
        char reg; // 'D' data, 'C' control
        quint16 address;
        quint8 value;
        bool operator==(const Write &) const = default;
    };
    std::vector<Write> writes;
    void clear() { writes.clear(); }

protected:
    void putData(quint16 a, quint8 v) override { writes.push_back({'D', a, v}); }
    void putControl(quint16 a, quint8 v) override { writes.push_back({'C', a, v}); }
};

namespace platform {
ParallelPort &parallelPort();
void install(ParallelPort *p); // not owned; nullptr restores the null port
} // namespace platform

} // namespace zelmor
