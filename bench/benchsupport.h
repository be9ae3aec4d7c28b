#pragma once
#include "common/bands.h"
#include "common/qsorecord.h"
#include "platform/paths.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <algorithm>
#include <unistd.h>
#include <cstdio>

namespace zelmor::bench {

// A log of `count` plausible records: calls from a few thousand stations
// (or `distinctCalls` of them), bands, modes, countries and QSL states mixed.
inline void WriteLog(const QString &path, qint64 count, qint64 distinctCalls = 5000) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
    static const char *countries[] = {"European Russia", "Ukraine", "United States", "Japan", "Germany",
                                      "Asiatic Russia",  "Canada",  "Brazil",        "Belarus", "Italy"};
    static const QString qsl[] = {QslNotToSend, QslToSend, QslSent, QslReceived, QslSentAndReceived};
    QByteArray block;
    for (qint64 i = 0; i < count; ++i) {
        QsoRecord r;
        r.number = QString::number(i + 1);
        r.call = QStringLiteral("UA%1%2").arg(i % 10).arg(QString::number(i % distinctCalls, 36).toUpper());
        r.name = QStringLiteral("Иван");
        r.date = QStringLiteral("01.05.2024");
        r.time = QStringLiteral("12:00");
        r.band = LogBandNames[(i * 7) % BandCount];
        r.mode = ModeList[(i * 3) % ModeList.size()];
        r.rstReceived = r.rstSent = QStringLiteral("59");
        r.country = QString::fromLatin1(countries[(i * 13) % 10]);
        r.qslState = qsl[i % 5];
        r.waz = QStringLiteral("16");
        r.itu = QStringLiteral("29");
        block += EncodeRecord(r);
        if (block.size() > (4 << 20)) {
            f.write(block);
            block.clear();
        }
    }
    f.write(block);
    // A log on disk is already synced: without this the first measured sync
    // would also write out the whole generated file.
    f.flush();
    ::fdatasync(f.handle());
}

#ifdef ZELMOR_SOURCE_DIR
// The shipped program folder copied into `dir`, made the current folder and
// the program's folder, as scripts/run prepares it for a user.
inline void EnterShippedProgramFolder(const QString &dir) {
    QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), QStringLiteral(ZELMOR_SOURCE_DIR "/data/."), dir});
    QDir::setCurrent(dir);
    ProgramDir = dir;
}
#endif

inline void Report(const char *what, double value, const char *unit) { std::printf("%-48s %12.3f %s\n", what, value, unit); }

// Milliseconds per run of `f` (given the run's number): the mean and the
// worst of `rounds` runs.
template <class F>
void MeasureMeanWorst(const char *what, int rounds, F &&f) {
    double total = 0, worst = 0;
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer t;
        t.start();
        f(r);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        total += ms;
        worst = std::max(worst, ms);
    }
    std::printf("%-48s mean %8.3f ms   worst %8.3f ms\n", what, total / rounds, worst);
}

} // namespace zelmor::bench
