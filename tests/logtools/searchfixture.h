#pragma once
// A ten-record log for the search, edit and print tests, built with the codecs.
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "tests/testsupport.h"

#include <QFile>
#include <vector>

namespace zelmor::test {

inline QsoRecord Qso(int number, const char *call, const char *country, const char *band = "14  Mhz",
                     const char *mode = "SSB", const char *date = "15.04.2003", const char *time = "12:00") {
    QsoRecord r;
    r.number = QString::number(number);
    r.call = QString::fromUtf8(call);
    r.country = QString::fromUtf8(country);
    r.band = QString::fromUtf8(band);
    r.mode = QString::fromUtf8(mode);
    r.date = QString::fromUtf8(date);
    r.time = QString::fromUtf8(time);
    r.rstReceived = "59";
    r.rstSent = "57";
    r.name = "Ivan";
    r.qth = "Moscow";
    r.waz = "16";
    r.itu = "29";
    r.qslState = QslNotToSend;
    return r;
}

// Records 1..10; record 7 carries the delete mark; 9 and 10 share a call.
inline std::vector<QsoRecord> TenQsos() {
    std::vector<QsoRecord> v = {
        Qso(1, "UA3ABC", "Japan", "14  Mhz", "SSB", "01.01.2000", "10:00"),
        Qso(2, "UA3AB", "Germany", "14 Mhz", "CW", "31.12.99", "23:59"),
        Qso(3, "UA3ABCD", "japan", "14  Mhz", "SSB", "01.01.2000", "09:00"),
        Qso(4, "UA9XYZ", "Japan", "7.0 Mhz", "CW"),
        Qso(5, "K1AB", "Germany", "7.0 Mhz", "SSB"),
        Qso(6, "F5AB", "France"),
        Qso(7, "DL1AB", "Germany"),
        Qso(8, "JA1AA", "Japan", "21  Mhz", "RTTY"),
        Qso(9, "W1AW", "United States"),
        Qso(10, "W1AW", "United States"),
    };
    v[6].deleteMark = DeleteMarkText;
    v[1].name = "boris";
    v[3].info = "IOTA AS-007";
    return v;
}

class SearchLogTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        log_ = path("test.log");
        WriteAllRecords(log_, TenQsos());
        LogFileName = log_;
    }
    QByteArray bytes(const QString &file = QString()) const {
        QFile f(file.isEmpty() ? log_ : file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QsoRecord record(qint64 index) const { return ReadRecord<QsoRecord>(log_, index); }
    QString log_;
};

// QSO numbers (index + 1) of record indexes.
inline std::vector<int> Numbers(const std::vector<qint64> &indexes) {
    std::vector<int> out;
    for (qint64 i : indexes) out.push_back(int(i + 1));
    return out;
}

} // namespace zelmor::test
