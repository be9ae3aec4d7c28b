// Writes the seed corpora of the fuzz targets into the folder given:
// hive/ (settings files written by the hive), qso/ (log records as the tests
// build them), log/ (short logs of them), country/ and region/ (records of
// the shipped tables), callbook/ (small dBASE callbooks) and cdresult/
// (answers of the callbook CD library).
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "platform/hive.h"
#include "tests/logbook/dbfbytes.h"
#include "tests/logbook/records.h"

#include <QDir>
#include <QFile>
#include <cstdio>

using namespace zelmor;

namespace {
void Put(const QString &dir, int n, const QByteArray &bytes) {
    QDir().mkpath(dir);
    QFile f(dir + QStringLiteral("/seed%1").arg(n, 3, 10, QChar(u'0')));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// Every `step`-th record of a shipped file, up to `most` of them.
void FromFile(const QString &dir, const QString &file, int size, int step, int most, int &n) {
    int taken = 0;
    RecordIO::ForEach(file, size, [&](qint64 i, const char *rec) {
        if (i % step == 0 && taken < most) {
            Put(dir, n++, QByteArray(rec, size));
            ++taken;
        }
    });
}
} // namespace

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString data = QStringLiteral(ZELMOR_SOURCE_DIR "/data");

    int n = 0;
    FromFile(out + "/country", data + "/dx/world.dat", CountryRecord::Size, 97, 40, n);
    Put(out + "/country", n++, EncodeRecord(test::Country("UA9", "Asiatic Russia", "17", "30", "55,0", "73,4", "-7", "AS", "R9,UA0")));
    n = 0;
    for (const char *file : {"/russia22.dat", "/ucraina.dat", "/Kaz_tan.dat"})
        FromFile(out + "/region", data + file, RegionRecord::Size, 7, 12, n);
    Put(out + "/region", n++, EncodeRecord(test::Region("3A", "Москва", "37,62", "55,75", "0", "16", "29")));

    n = 0;
    QByteArray log;
    const QString words[] = {QslNotToSend, QslToSend, QslSent, QslReceived, QslSentAndReceived,
                             QStringLiteral("  Отправить "), QString()};
    for (const QString &w : words) {
        QsoRecord r;
        r.number = QString::number(n + 1);
        r.call = QStringLiteral("UA3ABC");
        r.name = QStringLiteral("Иван");
        r.qth = QStringLiteral("Москва");
        r.date = QStringLiteral("01.05.2024");
        r.time = QStringLiteral("12:00");
        r.band = QStringLiteral("14  Mhz");
        r.mode = QStringLiteral("SSB");
        r.rstReceived = r.rstSent = QStringLiteral("59");
        r.info = QStringLiteral("важно DIG-№123");
        r.country = QStringLiteral("European Russia");
        r.qslState = w;
        r.qslVia = QStringLiteral("UA9XBB");
        r.iota = QStringLiteral("AS005");
        r.longitude = QStringLiteral("37,62");
        r.latitude = QStringLiteral("55,75");
        r.deleteMark = n == 3 ? DeleteMarkText : QString();
        Put(out + "/qso", n++, EncodeRecord(r));
        log += EncodeRecord(r);
    }
    // Logs of a few records for the loader.
    Put(out + "/log", 0, log);
    Put(out + "/log", 1, log.left(2 * QsoRecord::Size) + QByteArray("tail"));

    // Callbooks of 13 text fields: live, deleted and repeated calls; one
    // whose header counts more records than it holds.
    {
        const std::vector<int> widths = {8, 16, 12, 14, 6, 16, 16, 24, 10, 12, 10, 20, 20};
        const std::vector<QByteArray> full = {"UA3ABC", "Ivanov", "Ivan", "Ivanovich", "123456", "Moscow reg.",
                                              "Moscow", "Lenina 1-2", "1234567", "UA3ZZZ", "Russia",
                                              "UA3ABC@MAIL.RU", "veteran"};
        QByteArray table = test::DbfHeader(widths, 4) + test::DbfRecord(widths, {"UA1AAA"}) +
                           test::DbfRecord(widths, {"RA9 XYZ"}) + test::DbfRecord(widths, full) +
                           test::DbfRecord(widths, {"UA3ZZZ", "\x8F\xA5\xE2\xE0\xAE\xA2"}, '*');
        Put(out + "/callbook", 0, table + '\x1A');
        table[4] = 9;
        Put(out + "/callbook", 1, table);
        const std::vector<int> one = {6, 4};
        Put(out + "/callbook", 2, test::DbfHeader(one, 2) + test::DbfRecord(one, {"K1ABC", "Joe"}) +
                                      test::DbfRecord(one, {"K1ABC", "Ann"}));
    }
    {
        QByteArray answer = QByteArray("a\x01" "b\x01" "Ivan Petrov\x01", 16);
        for (int f = 4; f <= 13; ++f) answer += "f" + QByteArray::number(f) + '\x01';
        Put(out + "/cdresult", 0, answer + QByteArray("Moscow\x01\x00", 8));
        Put(out + "/cdresult", 1, QByteArray(523, 'x'));
    }

    // Settings files as the hive writes them: nested keys, Cyrillic names,
    // quotes and backslashes, both kinds.
    const QString hiveDir = out + "/hive";
    QDir().mkpath(hiveDir);
    const QString path = hiveDir + "/seed000";
    QFile::remove(path);
    {
        SettingsHive h(path);
        h.setValue("Software\\zelmor\\qso", "filelog", HiveValue::string("C:\\ham\\test.log"));
        h.setValue("Software\\zelmor\\qso", "BAND", HiveValue::string("14  Mhz"));
        h.setValue("Software\\zelmor\\qso", "запись в файл", HiveValue::dword(112));
        h.setValue("Software\\zelmor\\главное", "LPT", HiveValue::string("1"));
        h.setValue("Software\\zelmor\\qso\\qsl", "цитата", HiveValue::string("он сказал \"да\""));
        h.setValue("Software\\zelmor\\qso\\menu", "диаграмма1", HiveValue::dword(1));
        h.setValue("Software\\zelmor\\поиск", "колонка-call", HiveValue::dword(-1));
    }
    QFile::copy(path, hiveDir + "/seed001");
    {
        SettingsHive h(hiveDir + "/seed001");
        h.setValue("Software\\zelmor\\a\\b\\c\\d", "", HiveValue::string("default"));
    }
    return 0;
}
