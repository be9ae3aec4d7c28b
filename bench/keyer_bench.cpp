// The keyer's timing on the real element clock: "PARIS " x 20 at 30 ms
// (1000 units) into the timestamping fake port. Prints the deviation of
// every key edge from first edge + unit x T, and the collapsed ticks.
// Asserts nothing.
#include "platform/parallelport.h"
#include "station/keyer.h"

#include <QCoreApplication>
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
        const bool d = port.writes.back().value == 0x07;
        if (d != down) units.push_back(unit);
        down = d;
        total = unit + 1;
    }
    keyer.Halt();
    return units;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    FakeParallelPort port;
    platform::install(&port);
    LptStatusPort = 0x379;
    LptControlPort = 0x37A;
    int total = 0;
    const std::vector<int> units = ReferenceUnits(port, total);
    port.clear();

    constexpr int T = 30;
    StandaloneKeyer k;
    k.keyer.setNormalElementMs(T);
    k.keyer.StartCwWork();
    port.clear();
    k.keyer.SendCwTextRaw(Text());
    k.runUntilIdle(60000);
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
    std::printf("keyer: \"PARIS \" x 20 at %d ms, %d units, %zu edges\n", T, total - units.front(), edges.size());
    std::printf("keyer: |edge - (first + unit x T)| p50 %.3f ms, p99 %.3f ms, max %.3f ms; collapsed ticks %llu\n",
                pct(0.5), pct(0.99), dev.back(), static_cast<unsigned long long>(collapsed));
    platform::install(static_cast<ParallelPort *>(nullptr));
    return 0;
}
