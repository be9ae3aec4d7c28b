// One oscilloscope frame, model and paint, from a sound input holding
// noise: mean and worst of 10,000 frames. Asserts nothing.
#include "platform/sound.h"
#include "station/oscilloscope.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <algorithm>
#include <cstdio>
#include <random>

using namespace zelmor;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    FakeSoundInput input;
    platform::install(&input);
    Oscilloscope scope;
    scope.start();
    std::mt19937 random(1);
    std::uniform_int_distribution<int> sample(-32768, 32767);
    std::vector<qint16> block(1103); // 50 ms at 22050 Hz
    constexpr int N = 10000;
    std::vector<qint64> ns(N);
    QElapsedTimer clock;
    for (int i = 0; i < N; ++i) {
        for (qint16 &s : block) s = qint16(sample(random));
        input.feedSamples(block); // the samples come between frames
        clock.start();
        scope.DrawOscillogram();
        ns[size_t(i)] = clock.nsecsElapsed();
    }
    double sum = 0;
    for (qint64 v : ns) sum += double(v);
    std::sort(ns.begin(), ns.end());
    std::printf("oscilloscope frame (model and paint): mean %.1f us, p99 %.1f us, worst %.1f us of %d\n",
                sum / N / 1000, double(ns[size_t(N * 0.99)]) / 1000, double(ns.back()) / 1000, N);
    scope.stop();
    platform::install(static_cast<SoundInput *>(nullptr));
    return 0;
}
