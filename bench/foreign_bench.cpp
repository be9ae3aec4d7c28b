// Files of 1,000,000 records of each other logger's format, generated here,
// read into the import grid's rows with the country look-up on the shipped
// "world.dat"; then the text export of a 1,000,000-record log and the
// listing of a 1,000,000-record contest file. Figures only.
#include "bench/benchsupport.h"
#include "common/contestrecord.h"
#include "logtools/foreignlogs.h"
#include "logtools/textexport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

using namespace zelmor;

namespace {

double PeakMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}
// Starts the peak count anew (Linux).
void ResetPeak() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly)) f.write("5");
}

QByteArray Call(qint64 i) {
    static const char *prefixes[] = {"UA3", "RA9", "K1", "DL", "JA1", "UR5", "EW", "I2", "VE3", "PY"};
    return QByteArray(prefixes[i % 10]) + QByteArray::number(i % 50000, 36).toUpper();
}

void Put(QByteArray &line, int column, QByteArrayView v) {
    if (line.size() < column - 1 + v.size()) line.resize(column - 1 + v.size(), ' ');
    std::memcpy(line.data() + column - 1, v.data(), size_t(v.size()));
}

QByteArray Lines(qint64 n, const std::function<QByteArray(qint64)> &line, const QByteArray &head = {}) {
    QByteArray out = head;
    out.reserve(n * 120);
    for (qint64 i = 0; i < n; ++i) out += line(i) + "\r\n";
    return out;
}

QByteArray Pascal(QByteArrayView v, int room) {
    QByteArray out(room + 1, '\0');
    out[0] = char(v.size());
    std::memcpy(out.data() + 1, v.data(), size_t(v.size()));
    return out;
}

QByteArray Swislog(qint64 n) {
    QByteArray out(128 * (n + 1), '\0');
    for (qint64 i = 0; i < n; ++i) {
        char *b = out.data() + 128 * (i + 1);
        const QByteArray c = Pascal(Call(i), 13);
        std::memcpy(b, c.constData(), size_t(c.size()));
        b[14] = char(0x8F), b[15] = char(0x06), b[16] = char(i % 60), b[17] = char(i % 24);
        const QByteArray nq = Pascal("Ivan Moscow", 25), r = Pascal("59", 7), band = Pascal("14", 5), mode = Pascal("SSB", 5);
        std::memcpy(b + 22, nq.constData(), size_t(nq.size()));
        std::memcpy(b + 48, r.constData(), size_t(r.size()));
        std::memcpy(b + 56, r.constData(), size_t(r.size()));
        std::memcpy(b + 64, band.constData(), size_t(band.size()));
        std::memcpy(b + 70, mode.constData(), size_t(mode.size()));
        b[76] = 'Y', b[77] = 'N';
    }
    return out;
}

QByteArray Qz5ww(qint64 n) {
    QByteArray out;
    out.reserve(78 * n);
    for (qint64 i = 0; i < n; ++i) {
        QByteArray r(78, ' ');
        Put(r, 1, "0304151234");
        Put(r, 11, Call(i));
        Put(r, 23, "59 57 14 MHZSSB");
        Put(r, 40, "Ivan, Moscow, tnx");
        out += r;
    }
    return out;
}

// The LOGPLUS table's 18 text fields.
QByteArray Logplus(qint64 n) {
    static const int widths[18] = {8, 5, 10, 13, 2, 4, 3, 3, 3, 9, 19, 15, 11, 5, 4, 1, 8, 8};
    const int header = 32 + 18 * 32 + 1, record = 132;
    QByteArray out(header + record * n + 1, ' ');
    std::memset(out.data(), 0, size_t(header));
    out[0] = 3;
    out[4] = char(n & 0xFF), out[5] = char((n >> 8) & 0xFF), out[6] = char((n >> 16) & 0xFF), out[7] = char(n >> 24);
    out[8] = char(header & 0xFF), out[9] = char(header >> 8), out[10] = char(record), out[11] = 0;
    for (int f = 0; f < 18; ++f) {
        char *d = out.data() + 32 + 32 * f;
        std::snprintf(d, 11, "F%d", f);
        d[11] = 'C';
        d[16] = char(widths[f]);
    }
    out[header - 1] = 0x0D;
    for (qint64 i = 0; i < n; ++i) {
        QByteArray r(record, ' ');
        Put(r, 2, "2003041512:34");
        Put(r, 25, Call(i));
        Put(r, 38, "14");
        Put(r, 44, "SSB59 57 IVAN     tnx qso");
        Put(r, 116, "C");
        std::memcpy(out.data() + header + record * i, r.constData(), record);
    }
    out[out.size() - 1] = 0x1A;
    return out;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 n = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    RowCountryTables tables;
    const QString source = QString::fromUtf8(ZELMOR_SOURCE_DIR);
    if (!tables.load(source + "/data/dx/world.dat", source + "/data/russia22.dat")) {
        std::printf("the shipped country tables are missing\n");
        return 1;
    }
    std::printf("%lld records of each format\n", n);

    using Reader = ForeignImportResult (*)(QByteArrayView, const RowCountryTables &, ImportRowStore &,
                                           const ImportProgress &);
    const struct {
        const char *name;
        Reader read;
        std::function<QByteArray()> make;
    } formats[] = {
        {"MixW2", ReadMixw2Log,
         [&] {
             return Lines(n, [](qint64 i) {
                 return QByteArray::number(i + 1) + ';' + Call(i) +
                        ";200304151234;;;;14070.0;;;BPSK31;599;579;;;Ivan;Moscow;tnx;;UA9XBB;;EU001;KO85aa";
             });
         }},
        {"AALOG", ReadAalogLog,
         [&] {
             return Lines(n, [](qint64 i) {
                 QByteArray l;
                 Put(l, 1, "15.04.03 12:34");
                 Put(l, 16, Call(i));
                 Put(l, 29, "1,8   CW        599        579          Ivan       Moscow");
                 Put(l, 101, "+ -");
                 return l;
             }, "head\r\nhead\r\n");
         }},
        {"SWISLOG", ReadSwislogDat, [&] { return Swislog(n); }},
        {"LOGPLUS", ReadLogplusDbf, [&] { return Logplus(n); }},
        {"QZ5WW", ReadQz5wwLog, [&] { return Qz5ww(n); }},
        {"QZ4W", ReadQz4wLogDat,
         [&] {
             return Lines(n, [](qint64 i) {
                 QByteArray l = " 20CW  15-Apr-03 12:34      1";
                 Put(l, 30, Call(i));
                 Put(l, 44, "599  599");
                 return l;
             });
         }},
        {"LOG-EQF .log", ReadLogEqfLog,
         [&] {
             return Lines(n, [](qint64 i) {
                 QByteArray l = "200304151234";
                 Put(l, 21, Call(i));
                 Put(l, 33, "Ivan");
                 Put(l, 58, "Moscow");
                 Put(l, 167, "59");
                 Put(l, 177, "57");
                 Put(l, 187, "14.025");
                 Put(l, 196, "CW");
                 Put(l, 221, "tnx");
                 return l;
             }, "head\r\n");
         }},
        {"LOG-EQF commas", ReadLogEqfCommas,
         [&] {
             return Lines(n, [](qint64 i) {
                 return Call(i).toLower() + ",ivan,moscow,,04-15-03,12:34,,14,LSB,59,57,,X,good_qso_KO85";
             });
         }},
    };
    QElapsedTimer t;
    for (const auto &f : formats) {
        QByteArray bytes = f.make();
        ResetPeak();
        const double before = PeakMb();
        ImportRowStore rows;
        t.start();
        const ForeignImportResult r = f.read(bytes, tables, rows, {});
        const double s = t.nsecsElapsed() / 1e9;
        if (!r.error.isEmpty() || r.rows != n) {
            std::printf("%s: %s (%lld rows)\n", f.name, r.error.toUtf8().constData(), r.rows);
            return 1;
        }
        char what[96];
        std::snprintf(what, sizeof what, "%s read, records/s", f.name);
        bench::Report(what, n / s, "rec/s");
        std::snprintf(what, sizeof what, "%s file / row store / peak memory", f.name);
        std::printf("%-48s %8.0f MB %6.0f MB %6.0f MB (%.0f MB before)\n", what, bytes.size() / 1e6,
                    rows.bufferBytes() / 1e6, PeakMb(), before);
    }

    QTemporaryDir dir;
    const QString log = dir.filePath("bench.log");
    bench::WriteLog(log, n);
    t.restart();
    const TextExportResult text = ExportLogToText(log);
    const double textS = t.nsecsElapsed() / 1e9;
    if (!text.ok) return 1;
    bench::Report("text export of the log, records/s", n / textS, "rec/s");

    const QString contest = dir.filePath("bench.tst");
    {
        QFile f(contest);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        ContestRecord c;
        c.date = "05.01.2003", c.time = "12:34", c.band = "14  Mhz", c.mode = "CW", c.sent = "599";
        c.received = "599", c.receivedExchange = "001", c.mult1 = "UA3", c.mult2 = "14", c.points = "3";
        QByteArray block;
        for (qint64 i = 0; i < n; ++i) {
            c.number = QString::number(i + 1);
            c.call = QString::fromLatin1(Call(i));
            block += EncodeRecord(c);
            if (block.size() > (4 << 20)) {
                f.write(block);
                block.clear();
            }
        }
        f.write(block);
    }
    t.restart();
    const TextExportResult listing = ExportContestToText(contest, 2024, "RDXC", "RA3AAA");
    const double listingS = t.nsecsElapsed() / 1e9;
    if (!listing.ok) return 1;
    bench::Report("contest listing, records/s", n / listingS, "rec/s");
    bench::Report("peak memory of the process", PeakMb(), "MB");
    return 0;
}
