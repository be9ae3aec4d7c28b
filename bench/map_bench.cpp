// The greyline map offscreen on the shipped map picture: the shading, a
// redraw of many plotted stations, the day's QSOs at the end of a long log,
// and one reminder check.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "common/recordfile.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/stationprofile.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "station/form25.h"
#include "station/reminders.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>

using namespace zelmor;

namespace {
// Best and mean of `rounds` runs, in ms.
template <class F>
void Measure(const char *what, int rounds, F &&f) {
    f(); // warm up
    double best = 1e9, total = 0;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        f();
        const double ms = t.nsecsElapsed() / 1e6;
        best = std::min(best, ms);
        total += ms;
    }
    bench::Report(qPrintable(QStringLiteral("%1, mean of %2").arg(QString::fromUtf8(what)).arg(rounds)), total / rounds, "ms");
    bench::Report(qPrintable(QStringLiteral("%1, best").arg(QString::fromUtf8(what))), best, "ms");
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    FakeClock clock;
    clock.time = QDateTime(QDate(2024, 6, 20), QTime(11, 0));
    platform::install(&clock);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    LogFileName = QStringLiteral("test.log");
    qputenv("ZELMOR_REGISTRY", dir.filePath("registry.reg").toLocal8Bit());

    // Earlier days, then 100 QSOs of today.
    bench::WriteLog(dir.filePath("test.log"), records - 100);
    {
        QByteArray today;
        for (int i = 0; i < 100; ++i) {
            QsoRecord r;
            r.number = QString::number(records - 100 + i + 1);
            r.call = QStringLiteral("K%1ABC").arg(i % 10);
            r.date = QStringLiteral("20.06.2024");
            r.time = QStringLiteral("12:00");
            r.country = QStringLiteral("United States");
            r.latitude = QString::number(30 + i % 20) + QStringLiteral(",5");
            r.longitude = QString::number(-120 + i) + QStringLiteral(",25");
            today += EncodeRecord(r);
        }
        QFile f(dir.filePath("test.log"));
        if (!f.open(QIODevice::Append)) return 1;
        f.write(today);
    }

    CreateAllWindows();
    StartupDone = 1;
    StationProfile.latitude = QStringLiteral("55,75");
    StationProfile.longitude = QStringLiteral("37,62");
    form1->data2->setText(QStringLiteral("20.06.2024"));
    form1->tim->setText(QStringLiteral("20:51"));

    Measure("DrawGreylineMap (load, shade, show)", 20, [] { Form25->DrawGreylineMap(); });

    MapPointList.clear();
    for (int i = 0; i < 1000; ++i)
        MapPointList << QStringLiteral("%1,%2,UA%3ABC,European Russia").arg(20 + i % 650).arg(20 + (i * 7) % 330).arg(i % 10);
    Form25->ShowQsoPointsOnly = 0;
    Measure("RedrawMapPoints, 1000 labelled entries", 20, [] { Form25->RedrawMapPoints(); });

    qint64 read = 0;
    Measure(qPrintable(QStringLiteral("PlotTodaysQsos, 100 of today after %1 records").arg(records - 100)), 20,
            [&] { read = Form25->PlotTodaysQsos(true); });
    bench::Report("PlotTodaysQsos, records read", double(read), "records");

    std::vector<ReminderRow> rows;
    for (int i = 0; i < 100; ++i)
        rows.push_back({QStringLiteral("%1.12.2025").arg(1 + i % 28), QStringLiteral("%1:%2").arg(i % 24).arg(i % 60, 2, 10, QLatin1Char('0')),
                        QStringLiteral("Sked %1").arg(i)});
    ReminderCheckState state;
    QDateTime now(QDate(2025, 12, 10), QTime(11, 0));
    Measure("Reminder check, 100 rows", 1000, [&] {
        now = now.addSecs(2);
        CheckReminders(rows, now, state);
    });
    DestroyAllWindows();
    return 0;
}
