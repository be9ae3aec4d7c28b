#pragma once
// A program folder with a small country and region table built with the
// codecs, and helpers to run ADIF files through the import.
#include "common/codepage.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logtools/adif.h"
#include "logtools/importrows.h"
#include "logtools/rowlookup.h"
#include "tests/logbook/records.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>

namespace zelmor::test {

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

inline void WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// A crafted file beside the tests.
inline QString Crafted(const char *name) {
    return SourceDir() + QStringLiteral("/tests/logtools/adif/") + QString::fromLatin1(name);
}

inline QsoRecord LogQso(const char *call, const char *date, const char *time, const char *band, const char *mode,
                        const char *qsl = "Не отправлять") {
    QsoRecord r;
    r.call = QString::fromUtf8(call);
    r.date = QString::fromUtf8(date);
    r.time = QString::fromUtf8(time);
    r.band = QString::fromUtf8(band);
    r.mode = QString::fromUtf8(mode);
    r.rstSent = QStringLiteral("59");
    r.rstReceived = QStringLiteral("57");
    r.qslState = QString::fromUtf8(qsl);
    return r;
}

inline void WriteLog(const QString &path, std::vector<QsoRecord> records) {
    for (size_t i = 0; i < records.size(); ++i) records[i].number = QString::number(i + 1);
    WriteAllRecords<QsoRecord>(path, records);
}

class AdifTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("dx");
        WriteAllRecords<CountryRecord>(path("dx/world.dat"), {
            Country("K", "United States", "05", "08", "38,0", "-97,0", "5", "NA"),
            Country("UA", "Old Russia", "99", "99", "0", "0", "0", "EU"),
            Country("UA", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
            Country("UE", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
            Country("R", "European Russia", "16", "29", "55,75", "37,62", "-3", "EU"),
            Country("UA9", "Asiatic Russia", "17", "30", "55,0", "73,0", "-7", "AS"),
            Country("RI1", "Franz Josef Land", "40", "75", "80,0", "50,0", "-4", "EU"),
        });
        WriteAllRecords<RegionRecord>(path("russia22.dat"), {
            Region("3A", "г.Москва", "37,62", "55,75", "170", "16", "29"),
            Region("3A", "вторая запись", "0", "0", "999"),
            Region("AB", "ключ AB", "0", "0", "55"),
        });
        ASSERT_TRUE(tables.load(path("dx/world.dat"), path("russia22.dat")));
    }

    AdifImportResult importBytes(const QByteArray &bytes) {
        WriteBytes(path("in.adi"), bytes);
        return ImportAdifFile(path("in.adi"), tables, rows);
    }
    QString cell(qsizetype gridRow, int col) const { return rows.cell(gridRow - 1, col); }

    RowCountryTables tables;
    ImportRowStore rows;
};

} // namespace zelmor::test
