// The reference-data editors of the settings dialog on the shipped files:
// the DXCC "Чтение" and "Запись" with one edited cell (from the press to the
// reloaded prefix list, the QSO window's country grid and the award table),
// its parts apart, and the IOTA read and merge.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "common/refrecords.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logbook/startup.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"
#include "station/baseeditors.h"
#include "station/nastroy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>

using namespace zelmor;

namespace {

struct Figures {
    double total = 0, worst = 0;
    int runs = 0;
    template <class F>
    void time(F &&f) {
        QElapsedTimer t;
        t.start();
        f();
        const double ms = t.nsecsElapsed() / 1e6;
        total += ms;
        worst = std::max(worst, ms);
        ++runs;
    }
    void report(const char *what) const {
        bench::Report(qPrintable(QStringLiteral("%1, mean of %2").arg(QString::fromUtf8(what)).arg(runs)), total / runs, "ms");
        bench::Report(qPrintable(QStringLiteral("%1, worst").arg(QString::fromUtf8(what))), worst, "ms");
    }
};

QByteArray Bytes(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    bench::EnterShippedProgramFolder(dir.path());
    LogFileName = QStringLiteral("test.log");
    bench::WriteLog(dir.filePath("test.log"), 10000);
    qputenv("ZELMOR_REGISTRY", dir.filePath("registry.reg").toLocal8Bit());

    CreateAllWindows();
    LoadCountryTable(&form1->strw->model());
    OpenLog();
    StartupHook.activdxcc();
    StartupHook.RefreshDxccTables();
    TBaseEditors *bases = Nastroy->baseEditors;
    Nastroy->show();
    QApplication::processEvents();
    const QString world = dir.filePath("dx/world.dat");
    std::printf("world.dat: %lld records; log of 10000 QSOs for the DXCC table\n", qlonglong(QFile(world).size() / 180));

    Figures read;
    for (int run = 0; run < 10; ++run) read.time([&] { bases->dxccRead->click(); });
    read.report("DXCC \"Чтение\"");
    QApplication::processEvents();

    TStringGrid *g = bases->strdxcc;
    Figures press;
    for (int run = 0; run < 20; ++run) {
        g->setCell(2, 1, run % 2 ? QStringLiteral("15") : QStringLiteral("16"));
        press.time([&] { bases->dxccWrite->click(); });
    }
    press.report("DXCC \"Запись\", one cell: press to reloaded lists");

    // Its parts. The whole pass up to the replace: the file read again,
    // every row compared, the edited one checked (a bad last cell stops it
    // just before the replace).
    const int last = LastFilledRow(g->model(), 13);
    Figures validate;
    for (int run = 0; run < 20; ++run) {
        g->setCell(3, last, QStringLiteral("x"));
        validate.time([&] { bases->countryEditor().write(g->model()); });
    }
    g->setCell(3, last, ReadRecord<CountryRecord>(world, g->cell(12, last).toLongLong()).itu);
    validate.report("  read again, compare and validate");
    const QByteArray bytes = Bytes(world);
    Figures replace;
    for (int run = 0; run < 20; ++run) replace.time([&] { WriteAllBytes(world, bytes); });
    replace.report("  replace the file, flushed and synced");
    Figures reload;
    for (int run = 0; run < 20; ++run)
        reload.time([&] {
            LoadCountryTable(&form1->strw->model());
            StartupHook.activdxcc();
            StartupHook.RefreshDxccTables();
        });
    reload.report("  reload: PrefixList, strw, DXCC award table");
    Figures bare;
    for (int run = 0; run < 20; ++run) bare.time([&] { LoadCountryTable(nullptr); });
    bare.report("  (LoadCountryTable without strw)");

    Figures iotaRead, merge, mergePress;
    for (int run = 0; run < 10; ++run) iotaRead.time([&] { bases->iotaRead->click(); });
    iotaRead.report("IOTA \"Чтение\"");
    bases->Striota1->setCell(0, 1, QStringLiteral("EU005"));
    bases->Striota1->setCell(1, 1, QStringLiteral("G W"));
    bases->Striota1->setCell(2, 1, QStringLiteral("Isle of Wight"));
    IslandEditor islands;
    StringGridModel shown(3, 2);
    islands.read(shown);
    std::printf("iota.dat: %lld records\n", qlonglong(QFile(dir.filePath("dx/iota.dat")).size() / 164));
    for (int run = 0; run < 10; ++run) merge.time([&] { islands.merge(bases->Striota1->model()); });
    merge.report("IOTA merge alone");
    for (int run = 0; run < 10; ++run) mergePress.time([&] { bases->iotaWrite->click(); });
    mergePress.report("IOTA \"Запись\": merge, list read again, award table");
    if (!dialogs.messages().empty())
        std::printf("messages shown: %zu (the refused validation runs: %d)\n", dialogs.messages().size(), validate.runs);
    DestroyAllWindows();
    return 0;
}
