// The award tables and the country statistics on a 1,000,000-record log and
// the shipped reference files: each count with its grid and chart model.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "logtools/dxcc9b.h"
#include "logtools/iota.h"
#include "logtools/russall.h"
#include "logtools/statist.h"
#include "logtools/waz9b.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <functional>

using namespace zelmor;

namespace {

// Countries of the shipped table, one in ten records "Japan" (100,000 in a
// million); a zone on seven records in ten, a region number on three, an
// island on one, and one record in a hundred marked deleted.
void WriteAwardLog(const QString &path, qint64 count, const QString &dir) {
    QStringList countries;
    for (const CountryRecord &c : ReadAllRecords<CountryRecord>(dir + QStringLiteral("/dx/world.dat")))
        if (c.dxcc == QLatin1String("*") && c.country != QLatin1String("Japan")) countries << c.country;
    QStringList islands;
    for (const IslandRecord &i : ReadAllRecords<IslandRecord>(dir + QStringLiteral("/dx/iota.dat")))
        if (!i.reference.isEmpty()) islands << i.reference;
    static const QString qsl[] = {QslNotToSend, QslToSend, QslSent, QslReceived, QslSentAndReceived};
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    QByteArray block;
    for (qint64 i = 0; i < count; ++i) {
        QsoRecord r;
        r.number = QString::number(i + 1);
        r.call = QStringLiteral("UA%1%2").arg(i % 10).arg(QString::number(i % 5000, 36).toUpper());
        r.date = QStringLiteral("01.05.2024");
        r.band = LogBandNames[(i * 7) % BandCount];
        r.mode = ModeList[(i * 3) % ModeList.size()];
        r.country = i % 10 == 3 ? QStringLiteral("Japan") : countries[int((i * 31) % countries.size())];
        r.qslState = qsl[i % 5];
        if (i % 10 < 7) r.waz = QString::number(1 + (i * 13) % 40);
        if (i % 10 < 3) r.regionNumber = QString::number((i * 17) % 90);
        if (i % 10 == 5 && !islands.isEmpty()) r.iota = islands[int((i * 7) % islands.size())];
        if (i % 100 == 42) r.deleteMark = DeleteMarkText;
        block += EncodeRecord(r);
        if (block.size() > (4 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

void Time(const char *what, int rounds, const std::function<void()> &run) {
    run(); // once to warm the caches
    QElapsedTimer t;
    double worst = 0, total = 0;
    for (int r = 0; r < rounds; ++r) {
        t.start();
        run();
        const double ms = t.nsecsElapsed() / 1e6;
        worst = std::max(worst, ms);
        total += ms;
    }
    bench::Report(qPrintable(QStringLiteral("%1, mean of %2").arg(QLatin1String(what)).arg(rounds)), total / rounds, "ms");
    bench::Report(qPrintable(QStringLiteral("%1, slowest").arg(QLatin1String(what))), worst, "ms");
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
    WriteAwardLog(dir.filePath("test.log"), records, dir.path());
    qputenv("ZELMOR_REGISTRY", dir.filePath("registry.reg").toLocal8Bit());

    CreateAllWindows();
    LoadCountryTable(nullptr);
    OpenLog();
    StartupDone = 1;
    DXcc9b->activdxcc();
    std::printf("log of %lld records; %lld of them Japan\n", records,
                qint64(LogColumns.indexesOfCountry(QStringLiteral("Japan")).size()));

    Time("DXCC table, all modes (RefreshDxccTables)", 5, [] { DXcc9b->RefreshDxccTables(); });
    Time("DXCC table, CW", 5, [] { DXcc9b->CW1Click(); });
    Time("WAZ table (CountWazZones)", 5, [] { waz9b->CountWazZones(); });
    Time("Regions table (names and CountRussianRegions)", 5, [] { russall->ShowRegionList(); });
    russall->hide();
    Time("IOTA table (FillIotaTable)", 5, [] { IOTA->FillIotaTable(); });
    Time("ShowCountryStatistics(Japan), window hidden", 20, [] { Statist->ShowCountryStatistics(QStringLiteral("Japan")); });
    Statist->show();
    Time("Statistics of a call analysis, window shown (count and five charts)", 20, [] {
        Statist->QueueCountryStatistics(QStringLiteral("Japan"));
        QApplication::processEvents();
        QApplication::processEvents();
    });
    DestroyAllWindows();
    return 0;
}
