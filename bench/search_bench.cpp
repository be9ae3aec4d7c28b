// Search, sort and listing print on large logs in the page cache.
//   bench_search [records]   (default 1,000,000; the sort is also timed on 100,000)
#include "bench/benchsupport.h"
#include "logbook/settingsstore.h"
#include "logtools/logsearch.h"
#include "logtools/reportprint.h"
#include "logtools/searchsettings.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

using namespace zelmor;

namespace {
void Warm(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    while (!f.read(1 << 22).isEmpty()) {}
}

double TimeSort(const QString &path, int column, size_t *rows) {
    QElapsedTimer t;
    t.start();
    *rows = SortLogByColumn(path, column).size();
    return t.nsecsElapsed() / 1e6;
}
} // namespace

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    ProgramDir = dir.path();
    const QString big = dir.filePath("big.log"), small = dir.filePath("small.log");
    bench::WriteLog(big, records);
    bench::WriteLog(small, std::min<qint64>(records, 100000));
    Warm(big);
    Warm(small);

    SearchCriteria c;
    c.dateFrom = "01.01.2020";
    c.dateTo = "31.12.2024";
    c.band = "21  Mhz"; // the generated log uses 136 kHz and 21 MHz
    c.mode = "CW";
    c.countries = QStringList{"Japan", "Germany"};
    c.callPatterns = QStringList{"UA******"};
    c.info = "IOTA";
    QElapsedTimer t;
    t.start();
    SearchOutcome found = SearchLog(big, c);
    bench::Report(qPrintable(QStringLiteral("search, 7 criteria, %1 records").arg(records)), t.nsecsElapsed() / 1e6, "ms");
    c.info.clear();
    t.restart();
    found = SearchLog(big, c);
    bench::Report(qPrintable(QStringLiteral("search, 6 criteria (%1 found)").arg(found.indexes.size())),
                  t.nsecsElapsed() / 1e6, "ms");

    SearchCriteria wide;
    wide.dateFrom = "01.01.2020";
    wide.band = "21  Mhz";
    t.restart();
    found = SearchLog(big, wide);
    bench::Report(qPrintable(QStringLiteral("search, date and band (%1 found)").arg(found.indexes.size())),
                  t.nsecsElapsed() / 1e6, "ms");

    size_t rows = 0;
    for (int column : {1, 4, 14}) {
        const double ms = TimeSort(small, column, &rows);
        bench::Report(qPrintable(QStringLiteral("sort by column %1, %2 rows").arg(column).arg(rows)), ms, "ms");
    }
    for (int column : {1, 4}) {
        const double ms = TimeSort(big, column, &rows);
        bench::Report(qPrintable(QStringLiteral("sort by column %1, %2 rows").arg(column).arg(rows)), ms, "ms");
    }

    // Listing 2 of 1,000 rows to PDF.
    CreateSettingsRegistry(dir.filePath("registry.reg"));
    WriteReportFont("arial", "9", "0");
    FakeDialogs quiet;
    platform::install(&quiet);
    SystemPrinter pdf;
    pdf.forcePdfFolder(dir.filePath("print"));
    platform::install(&pdf);
    const auto listing = ReadAllRecords<QsoRecord>(small);
    const GridCell cell = [&](int col, int row) -> QString {
        if (row < 1 || row > 1000 || row > int(listing.size())) return QString();
        return listing[size_t(row - 1)].*(QsoRecord::Fields[size_t(col)].member);
    };
    ReportHead head;
    head.ownCall = "UA3ABC";
    head.logPath = small;
    head.launcherCaption = "ZELMOR 5.02";
    t.restart();
    const bool printed = PrintQsoListing2(cell, head);
    bench::Report("listing 2, 1,000 rows to PDF", t.nsecsElapsed() / 1e6, "ms");
    platform::install(static_cast<Printer *>(nullptr));
    platform::install(static_cast<Dialogs *>(nullptr));
    ReleaseSettingsRegistry();
    return printed ? 0 : 1;
}
