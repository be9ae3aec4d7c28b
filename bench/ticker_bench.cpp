// The status ticker: one tick (the step, the draw on the strip and the
// repaint of what changed) over a whole message, 600 and 1240 wide.
#include "logbook/qsoartwork.h"
#include "logbook/statusticker.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

using namespace zelmor;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (int width : {600, 1240}) {
        TickerStrip strip;
        strip.resize(width, 18);
        strip.paintStrip(width);
        strip.show();
        QApplication::processEvents();
        LastStatusText.clear();
        TickerPosition = 0;
        QString status = QStringLiteral("Новая страна");
        // The first tick also loads the font: shown on its own.
        double first = 0, total = 0, worst = 0;
        int ticks = 0;
        for (; ticks < 603; ++ticks) {
            QElapsedTimer t;
            t.start();
            const TickerStep s = StepStatusTicker(status, false, 0);
            if (s.clearStrip) strip.clearStrip();
            if (s.draw) strip.drawTextAt(s.x, s.text);
            strip.repaint();
            const double ms = double(t.nsecsElapsed()) / 1e6;
            if (ticks == 0) {
                first = ms;
                continue;
            }
            total += ms;
            worst = std::max(worst, ms);
        }
        std::printf("ticker tick, strip %4d wide: first %7.4f ms, then mean %7.4f ms   worst %7.4f ms   (%d ticks)\n",
                    width, first, total / (ticks - 1), worst, ticks);
    }
    return 0;
}
