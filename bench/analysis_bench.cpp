// One analysis of a typed call, as the QSO window runs it after the typing
// timer, on the shipped country table with a 1,000,000-record log loaded.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace zelmor;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    LogFileName = QStringLiteral("test.log");
    bench::WriteLog(dir.filePath("test.log"), records);
    qputenv("ZELMOR_REGISTRY", dir.filePath("registry.reg").toLocal8Bit());

    CreateAllWindows();
    LoadCountryTable(&form1->strw->model());
    LoadNamesFile();
    OpenLog();
    StationProfile.latitude = QStringLiteral("55,75");
    StationProfile.longitude = QStringLiteral("37,62");

    // Calls of different kinds: a repeat worked hundreds of times, a new
    // station of a worked country, a new country, a long one.
    const char *calls[] = {"UA3ABC", "UA31AB", "UA9XYZ", "JA1ABC", "VK9XX", "W1AW", "EW1ABC", "ZS6XYZ", "3D2AB"};
    for (const char *c : calls) { // warm up
        form1->call->setText(QString::fromLatin1(c));
        form1->Timer4->stop();
        form1->AnalyseCall();
    }
    const int rounds = 20;
    QElapsedTimer t;
    double worst = 0;
    t.start();
    for (int r = 0; r < rounds; ++r)
        for (const char *c : calls) {
            QElapsedTimer one;
            one.start();
            form1->call->setText(QString::fromLatin1(c));
            form1->Timer4->stop();
            form1->AnalyseCall();
            worst = std::max(worst, one.nsecsElapsed() / 1e6);
        }
    const int n = rounds * int(std::size(calls));
    bench::Report(qPrintable(QStringLiteral("AnalyseCall, mean over %1 calls, log of %2").arg(n).arg(records)),
                  t.nsecsElapsed() / 1e6 / n, "ms");
    bench::Report("AnalyseCall, slowest call", worst, "ms");

    // A chart switch: the five switches stored and the chart drawn again,
    // with a call analysed (its country's bands) and with none (the DXCC
    // bands).
    for (const char *c : {"UA3ABC", ""}) {
        form1->call->setText(QString::fromLatin1(c));
        form1->Timer4->stop();
        form1->AnalyseCall();
        QApplication::processEvents();
        const int flips = 20;
        QElapsedTimer s;
        s.start();
        for (int i = 0; i < flips; ++i) {
            form1->D_QSO1->trigger();
            QApplication::processEvents(); // the chart is drawn from a zero timer
        }
        bench::Report(*c ? "chart switch, a call analysed" : "chart switch, no call", s.nsecsElapsed() / 1e6 / flips,
                      "ms");
    }
    DestroyAllWindows();
    return 0;
}
