#include "platform/parallelport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

namespace zelmor {

std::atomic<quint16> LptDataPort{0};
std::atomic<quint16> LptStatusPort{0};
std::atomic<quint16> LptControlPort{0};

QString ParallelPort::TakeProblem() {
    if (!hasProblem_.exchange(false)) return QString();
    std::lock_guard lock(problemLock_);
    return std::exchange(problem_, QString());
}

void ParallelPort::reportProblem(const QString &text) {
    {
        std::lock_guard lock(problemLock_);
        problem_ = text;
    }
    hasProblem_ = true;
}

// ---- ppdev

PpdevParallelPort::PpdevParallelPort(QString devicePrefix) : prefix_(std::move(devicePrefix)) {}

PpdevParallelPort::~PpdevParallelPort() {
    for (const auto &[device, fd] : fds_) {
        if (fd < 0) continue;
        ioctl(fd, PPRELEASE);
        close(fd);
    }
}

QString PpdevParallelPort::deviceOf(quint16 address) const {
    if (address >= 0x378 && address <= 0x37A) return prefix_ + QLatin1Char('0');
    if (address >= 0x278 && address <= 0x27A) return prefix_ + QLatin1Char('1');
    return QString();
}

int PpdevParallelPort::fdOf(quint16 address) {
    const QString device = deviceOf(address);
    if (device.isEmpty()) return -1;
    if (const auto it = fds_.find(device); it != fds_.end()) return it->second;
    int fd = open(device.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0 && ioctl(fd, PPCLAIM) != 0) {
        const int e = errno;
        close(fd);
        fd = -1;
        errno = e;
    }
    if (fd < 0) {
        const QString problem =
            QStringLiteral("Нет доступа к %1: %2").arg(device, QString::fromLocal8Bit(strerror(errno)));
        refusals_[device] = problem;
        reportProblem(problem);
    }
    fds_[device] = fd;
    return fd;
}

QString PpdevParallelPort::problemOf(quint16 address) {
    std::lock_guard lock(lock_);
    const auto it = refusals_.find(deviceOf(address));
    return it == refusals_.end() ? QString() : it->second;
}

bool PpdevParallelPort::failed(const QString &device, const char *what) {
    reportProblem(QStringLiteral("Ошибка порта %1 (%2): %3")
                      .arg(device, QLatin1String(what), QString::fromLocal8Bit(strerror(errno))));
    return false;
}

bool PpdevParallelPort::putData(quint16 address, quint8 value) {
    std::lock_guard lock(lock_);
    const int fd = fdOf(address);
    if (fd < 0) return true;
    unsigned char v = value;
    return ioctl(fd, PPWDATA, &v) == 0 || failed(deviceOf(address), "PPWDATA");
}

bool PpdevParallelPort::putControl(quint16 address, quint8 value) {
    std::lock_guard lock(lock_);
    const int fd = fdOf(address);
    if (fd < 0) return true;
    unsigned char v = value & 0x0F;
    return ioctl(fd, PPWCONTROL, &v) == 0 || failed(deviceOf(address), "PPWCONTROL");
}

quint8 PpdevParallelPort::getStatus(quint16 address) {
    std::lock_guard lock(lock_);
    const int fd = fdOf(address);
    if (fd < 0) return PaddlesReleasedStatus;
    unsigned char v = PaddlesReleasedStatus;
    if (ioctl(fd, PPRSTATUS, &v) != 0) return PaddlesReleasedStatus;
    return v;
}

// ---- fake

namespace {
qint64 MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}
} // namespace

bool FakeParallelPort::record(char reg, quint16 a, quint8 v) {
    const qint64 now = MonotonicNs();
    std::lock_guard lock(lock_);
    if (!refusal_.isEmpty()) {
        // Reported at the first access, as a device that cannot be opened.
        if (!std::exchange(refusalReported_, true)) reportProblem(refusal_);
        return true;
    }
    if (failWrites) return false;
    writes.push_back({reg, a, v, now});
    return true;
}

std::vector<FakeParallelPort::Write> FakeParallelPort::timeline() const {
    std::lock_guard lock(lock_);
    return writes;
}

std::vector<quint8> FakeParallelPort::controlValues() const {
    std::lock_guard lock(lock_);
    std::vector<quint8> v;
    for (const Write &w : writes)
        if (w.reg == 'C') v.push_back(w.value);
    return v;
}

std::vector<FakeParallelPort::Edge> FakeParallelPort::keyEdges() const {
    std::vector<Edge> edges;
    bool down = false;
    for (const Write &w : timeline()) {
        if (w.reg != 'C') continue;
        const bool d = !(w.value & ControlRegister::KeyUpBit);
        if (d != down) edges.push_back({d, w.ns});
        down = d;
    }
    return edges;
}

void FakeParallelPort::refuse(const QString &problem) {
    std::lock_guard lock(lock_);
    refusal_ = problem;
    refusalReported_ = false;
}

QString FakeParallelPort::problemOf(quint16) {
    std::lock_guard lock(lock_);
    return refusal_;
}

void FakeParallelPort::clear() {
    std::lock_guard lock(lock_);
    writes.clear();
}

// ---- the control register's owner

bool ControlRegister::change(quint8 mask, quint8 bits) {
    std::lock_guard lock(lock_);
    quint8 v = quint8((value_ & ~mask) | (bits & mask));
    if (!(v & PttBit)) v |= KeyUpBit;
    value_ = v;
    return platform::parallelPort().writeControl(LptControlPort, v);
}

bool ControlRegister::strobe(quint16 dataAddress, quint8 code) {
    std::lock_guard lock(lock_);
    ParallelPort &port = platform::parallelPort();
    if (!port.writeData(dataAddress, code)) return false;
    const quint16 control = LptControlPort;
    bool ok = true;
    // The rest byte is written even after a failed pulse: the lines go back.
    for (const quint8 bits : {quint8(0x01), quint8(0x00), RestBits}) {
        value_ = quint8((value_ & ~RestBits) | bits);
        ok = port.writeControl(control, value_) && ok;
    }
    return ok;
}

quint8 ControlRegister::value() const {
    std::lock_guard lock(lock_);
    return value_;
}

void ControlRegister::reset() {
    std::lock_guard lock(lock_);
    value_ = Idle;
}

namespace platform {
namespace {
std::atomic<ParallelPort *> g_port{nullptr};
std::atomic<ParallelPort *> g_default{nullptr};
} // namespace
ParallelPort &parallelPort() {
    static NullParallelPort none;
    if (ParallelPort *p = g_port) return *p;
    if (ParallelPort *p = g_default) return *p;
    return none;
}
void install(ParallelPort *p) { g_port = p; }
void setDefaultParallelPort(ParallelPort *p) { g_default = p; }
ControlRegister &controlRegister() {
    static ControlRegister owner;
    return owner;
}
} // namespace platform

} // namespace zelmor
