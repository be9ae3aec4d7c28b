// The keyer's timing on the real element clock: "PARIS " x 20 at 30 ms
// (1000 units) into the timestamping fake port. Prints the deviation of
// every key edge from first edge + unit x T, and the collapsed ticks; then
// the same while the antenna switch is pressed every 20 ms, and how long
// one antenna press holds the port owner's lock. Asserts nothing.
#include "platform/parallelport.h"
#include "station/keyer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace zelmor;

namespace {

QString Text() {
    QString t;
    for (int i = 0; i < 20; ++i) t += QStringLiteral("PARIS ");
    return t;
}

// The unit of each edge, from a run stepped by hand; `total` gets the
// number of units the text takes.
std::vector<int> ReferenceUnits(FakeParallelPort &port, int &total) {
    FakePeriodicTimer normal, fast;
    FakeOneShotTimer ptt;
    CwKeyer keyer(normal, fast, ptt);
    keyer.toGui = [](std::function<void()>) {};
    keyer.StartCwWork();
    keyer.SendCwTextRaw(Text());
    keyer.Timer3Timer();
    std::vector<int> units;
    bool down = false;
    for (int unit = 0; keyer.pttState() == PttState::Sending; ++unit) {
        const size_t before = port.writes.size();
        keyer.CwKeyerTick(0);
        if (port.writes.size() == before) continue;
        const bool d = !(port.writes.back().value & ControlRegister::KeyUpBit);
        if (d != down) units.push_back(unit);
        down = d;
        total = unit + 1;
    }
    keyer.Halt();
    return units;
}

// One run on the real clock; with `antennaEveryMs` > 0 the GUI thread
// presses the antenna switch that often meanwhile.
int Run(FakeParallelPort &port, const std::vector<int> &units, int total, int antennaEveryMs) {
    constexpr int T = 30;
    StandaloneKeyer k;
    k.keyer.setNormalElementMs(T);
    k.keyer.StartCwWork();
    port.clear();
    QTimer antenna;
    int presses = 0;
    QObject::connect(&antenna, &QTimer::timeout, [&] {
        platform::controlRegister().strobe(LptDataPort, quint8(presses % 10 + 1));
        ++presses;
    });
    if (antennaEveryMs > 0) antenna.start(antennaEveryMs);
    k.keyer.SendCwTextRaw(Text());
    k.runUntilIdle(60000);
    antenna.stop();
    const quint64 collapsed = k.normal.CollapsedCalls() + k.fast.CollapsedCalls();
    k.keyer.StopCwWork();

    const auto edges = port.keyEdges();
    if (edges.size() != units.size() || edges.empty()) {
        std::printf("keyer: %zu edges, %zu expected\n", edges.size(), units.size());
        return 1;
    }
    std::vector<double> dev;
    for (size_t i = 0; i < edges.size(); ++i)
        dev.push_back(std::abs(double(edges[i].ns - edges[0].ns) / 1e6 - (units[i] - units[0]) * T));
    std::sort(dev.begin(), dev.end());
    auto pct = [&](double p) { return dev[std::min(dev.size() - 1, size_t(p * double(dev.size() - 1) + 0.5))]; };
    if (antennaEveryMs > 0)
        std::printf("keyer with the antenna pressed every %d ms (%d presses):\n", antennaEveryMs, presses);
    std::printf("keyer: \"PARIS \" x 20 at %d ms, %d units, %zu edges\n", T, total - units.front(), edges.size());
    std::printf("keyer: |edge - (first + unit x T)| p50 %.3f ms, p99 %.3f ms, max %.3f ms; collapsed ticks %llu\n",
                pct(0.5), pct(0.99), dev.back(), static_cast<unsigned long long>(collapsed));
    return 0;
}

// How long one press holds the port owner's lock: the whole strobe runs
// under it, so its duration is the hold.
void LockHold(const char *what) {
    constexpr int N = 100000;
    std::vector<qint64> ns(N);
    QElapsedTimer clock;
    for (int i = 0; i < N; ++i) {
        clock.start();
        platform::controlRegister().strobe(LptDataPort, quint8(i % 10 + 1));
        ns[size_t(i)] = clock.nsecsElapsed();
    }
    std::sort(ns.begin(), ns.end());
    double sum = 0;
    for (qint64 v : ns) sum += double(v);
    std::printf("antenna press, %s: lock held mean %.2f us, p99 %.2f us, max %.2f us (%d presses)\n", what,
                sum / N / 1000, double(ns[size_t(N * 0.99)]) / 1000, double(ns.back()) / 1000, N);
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FakeParallelPort port;
    platform::install(&port);
    LptDataPort = 0x378;
    LptStatusPort = 0x379;
    LptControlPort = 0x37A;
    int total = 0;
    const std::vector<int> units = ReferenceUnits(port, total);
    port.clear();

    int rc = Run(port, units, total, 0);
    rc |= Run(port, units, total, 20);

    port.clear();
    port.writes.reserve(400000); // no reallocation inside the lock
    LockHold("recording fake port");
    // ppdev on a device that is not there: the writes go nowhere, the
    // lock is taken as on a real port.
    PpdevParallelPort missing(QStringLiteral("/nonexistent/parport"));
    platform::install(&missing);
    LockHold("ppdev, no device");
    platform::install(static_cast<ParallelPort *>(nullptr));
    return rc;
}
