// A user award counted on a 1,000,000-record log in the page cache: from
// "Выполнение диплома" to the filled result grid and its bar.
//   bench_userawards [records]   (default 1,000,000)
// About a tenth of the log are QSOs with 20,000 stations whose calls begin
// with UA, RA or RW; the rest are other countries.
#include "app/allwindows.h"
#include "bench/benchsupport.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/settingsstore.h"
#include "logbook/startup.h"
#include "logtools/award.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>

using namespace zelmor;

namespace {
const char *const Russian[] = {"UA", "RA", "RW"};
const char *const Others[] = {"DL", "JA", "K1", "W2", "F5", "G4", "I2", "SP", "OK", "HA", "YO", "LZ", "EA", "ON"};

void WriteAwardLog(const QString &path, qint64 count) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    QByteArray block;
    for (qint64 i = 0; i < count; ++i) {
        QsoRecord r;
        r.number = QString::number(i + 1);
        const qint64 station = (i * 7919) % 200000;
        if (i % 10 == 3) {
            const qint64 s = (i / 10 * 7919) % 20000; // each station some five times
            r.call = QStringLiteral("%1%2%3").arg(QLatin1String(Russian[s % 3])).arg(s % 10).arg(
                QString::number(s / 30 + 1296, 36).toUpper());
        } else {
            r.call = QStringLiteral("%1%2%3").arg(QLatin1String(Others[station % 14])).arg(station % 10).arg(
                QString::number(station / 140 + 1296, 36).toUpper());
        }
        r.date = QStringLiteral("%1.%2.%3").arg(1 + i % 28, 2, 10, QChar(u'0')).arg(1 + i % 12, 2, 10, QChar(u'0')).arg(1995 + i % 30);
        r.time = QStringLiteral("12:00");
        r.band = LogBandNames[(i * 7 + i / 10) % BandCount];
        r.mode = QStringLiteral("SSB");
        r.rstReceived = r.rstSent = QStringLiteral("59");
        r.points = QString::number(i % 5);
        r.qslState = QslNotToSend;
        block += EncodeRecord(r);
        if (block.size() > (4 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
}

void Warm(const QString &path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    while (!f.read(1 << 22).isEmpty()) {}
}

void Run(const char *what, const AwardDefinition &def, int rounds) {
    award->ShowConditions(def);
    {
        QElapsedTimer t;
        t.start();
        const AwardEvaluation e = EvaluateAward(LogFilePath(), award->Conditions());
        std::printf("%-58s %8.1f ms (%zu listed)\n", qPrintable(QStringLiteral("  counting alone: ") + QLatin1String(what)),
                    double(t.nsecsElapsed()) / 1e6, e.rows.size());
    }
    double best = 1e9, total = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        award->N7Click();
        const double ms = double(t.nsecsElapsed()) / 1e6;
        best = std::min(best, ms);
        total += ms;
    }
    std::printf("%-58s %8.1f ms mean %8.1f ms best  (%d listed, bar %.0f)\n", what, total / rounds, best,
                award->results->listedCount(), award->Series1.empty() ? -1.0 : award->Series1.back().value);
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    ProgramDir = dir.path();
    LogFileName = dir.filePath("test.log");
    WriteAwardLog(LogFileName, records);
    Warm(LogFileName);
    CreateSettingsRegistry(dir.filePath("registry.reg"));
    CreateAllWindows();
    glawnf->Timer6->stop();
    StartupHook = {};
    QElapsedTimer t;
    t.start();
    OpenLog();
    bench::Report(qPrintable(QStringLiteral("log read into the lists, %1 records").arg(records)), t.nsecsElapsed() / 1e6, "ms");
    award->awardBox->addItem(QStringLiteral("R-100"));
    award->awardBox->setCurrentIndex(0);

    AwardDefinition d;
    d.prefixes = {"UA", "RA", "RW"};
    d.thirds = {"*"};
    d.fourths = {"*"};
    d.repeats = true;
    d.qsos = "50000";
    d.startDate = "01.01.1990";
    Run("UA, RA, RW / * / *, repeats on", d, 5);
    d.repeats = false;
    Run("UA, RA, RW / * / *, repeats off", d, 5);
    d.repeats = true;
    d.countPoints = true;
    d.points = "99999";
    Run("UA, RA, RW / * / *, repeats on, points", d, 5);
    d.countPoints = false;
    d.prefixes.clear();
    for (const char *p : Russian) d.prefixes << QString::fromLatin1(p);
    for (const char *p : Others) d.prefixes << QString::fromLatin1(p);
    Run("every record a candidate, repeats on", d, 3);
    d.repeats = false;
    Run("every record a candidate, repeats off", d, 3);
    DestroyAllWindows();
    ReleaseSettingsRegistry();
    return 0;
}
