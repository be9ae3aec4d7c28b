// The QSL window on a 1,000,000-record log with 200,000 QSOs to send
// ("Отправить", the filter qsl3): the fill of the three tables, the
// grouping of the marked rows into cards, the search of a call's QSOs and
// the pie's counts.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "qsl/qsl.h"
#include "station/nastroy.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <sys/resource.h>

using namespace zelmor;

namespace {

void Time(const char *what, int rounds, const std::function<void()> &prepare, const std::function<void()> &run) {
    prepare();
    QElapsedTimer t;
    t.start();
    run(); // the first run also warms the caches
    bench::Report(qPrintable(QStringLiteral("%1, first run").arg(QLatin1String(what))), t.nsecsElapsed() / 1e6, "ms");
    double worst = 0, total = 0;
    for (int r = 0; r < rounds; ++r) {
        prepare();
        t.start();
        run();
        const double ms = t.nsecsElapsed() / 1e6;
        worst = std::max(worst, ms);
        total += ms;
    }
    bench::Report(qPrintable(QStringLiteral("%1, mean of %2").arg(QLatin1String(what)).arg(rounds)), total / rounds, "ms");
    bench::Report(qPrintable(QStringLiteral("%1, slowest").arg(QLatin1String(what))), worst, "ms");
}

long PeakRssKb() {
    struct rusage u {};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    LogFileName = QStringLiteral("test.log");
    bench::WriteLog(dir.filePath("test.log"), records); // one record in five "Отправить"
    qputenv("ZELMOR_REGISTRY", dir.filePath("registry.reg").toLocal8Bit());

    CreateAllWindows();
    LoadCountryTable(nullptr);
    OpenLog();
    StartupDone = 1;
    StationProfile.call = QStringLiteral("QQ0ZZZ");
    for (QCheckBox *b : {Nastroy->qso1, Nastroy->qso_2, Nastroy->qsobanda1, Nastroy->No_qso, Nastroy->n9})
        b->setChecked(false);
    Nastroy->qsl3->setChecked(true);
    const long before = PeakRssKb();

    // The plain fill: selection, sort, one read of the taken records, counts.
    QslTableModel table;
    StringGridModel countries(3, 2), regions(4, 2);
    QslFilter filter;
    filter.toSend = true;
    Time("Fill of the tables (plain models)", 5, [] {}, [&] {
        const std::vector<qint64> ordered = SelectQslRecords(LogColumns, filter, DxccCountryList);
        ClearQslTables(table, countries, regions);
        FillQslTable(LogFilePath(), LogColumns, ordered, table, countries, regions);
    });
    std::printf("rows listed: %d, countries: %d\n", table.listedRows(), countries.rowCountValue() - 1);
    std::vector<qint64> ordered;
    Time("  of it: selection and sort (SelectQslRecords)", 5, [] {}, [&] { ordered = SelectQslRecords(LogColumns, filter, DxccCountryList); });
    Time("  of it: one pass over the file (ForEachBlock, nothing done)", 5, [] {}, [&] {
        qint64 n = 0;
        RecordIO::ForEachBlock(LogFilePath(), QsoRecord::Size, [&](qint64, const char *, qint64 k) { n += k; });
    });
    Time("  of it: reading the taken records and the rows", 5, [&] { ClearQslTables(table, countries, regions); },
         [&] { FillQslTable(LogFilePath(), LogColumns, ordered, table, countries, regions); });

    // The window's timer tick, its grids showing the tables.
    QSL->show();
    QApplication::processEvents();
    Time("Fill from the window's timer tick (QSL shown)", 5, [] { QSL->N11Click(); QSL->Timer3->stop(); }, [] {
        QSL->Timer3Timer();
        QApplication::processEvents();
    });
    std::printf("peak memory: %ld MB before the fills, %ld MB after\n", before / 1024, PeakRssKb() / 1024);

    QslTableModel &rows = *QSL->qslTable;
    const QString perCard = QStringLiteral("3");
    auto markAll = [&] {
        ClearMarks(rows);
        for (int r = 1; r <= rows.listedRows(); ++r) rows.setCell(QslColMark, r, QslMark);
    };
    Time("GroupQsosPerCard of every row, N = 3 (window's table)", 5, markAll, [&] { GroupQsosPerCard(rows, perCard); });
    Time("GroupQsosPerCardByManager of every row, N = 3", 5, markAll, [&] { GroupQsosPerCardByManager(rows, perCard); });
    Time("UpdateMarkedCounters", 5, [] {}, [] { QSL->UpdateMarkedCounters(); });

    QSL->call->setText(QStringLiteral("UA1B"));
    Time("FindQsosByCall (100 QSOs of the call)", 20, [] {}, [] { QSL->FindQsosByCall(); });
    Time("CountQslStatuses (counts and pie)", 20, [] {}, [] { QSL->CountQslStatuses(); });
    DestroyAllWindows();
    return 0;
}
