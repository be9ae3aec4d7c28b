#pragma once
// Logs for the QSL tests, built with the record codec.
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "qsl/qslselection.h"
#include "tests/testsupport.h"

#include <QFile>
#include <vector>

namespace zelmor::test {

inline QsoRecord Qso(const char *call, const QString &qsl, const char *country = "Japan", const char *band = "14  Mhz",
                     const char *mode = "SSB") {
    QsoRecord r;
    r.call = QString::fromUtf8(call);
    r.qslState = qsl;
    r.country = QString::fromUtf8(country);
    r.band = QString::fromUtf8(band);
    r.mode = QString::fromUtf8(mode);
    r.date = QStringLiteral("24.12.2001");
    r.time = QStringLiteral("12:00");
    r.rstSent = QStringLiteral("599");
    return r;
}

// A table of these records, one row each, as a fill would make it (no file
// is read): rows 1.. in the order given.
inline void FillTable(QslTableModel &table, const std::vector<QsoRecord> &records, const QString &logPath = QString()) {
    table.clearTable();
    for (size_t i = 0; i < records.size(); ++i)
        table.appendRecord(logPath, qint64(i), EncodeRecord(records[i]).constData(), QslCode(records[i].qslState));
    table.finishFill();
}

class QslLogTest : public ProgramFolderTest {
protected:
    // Writes the log, numbers its records and opens it.
    void writeLog(std::vector<QsoRecord> records) {
        for (size_t i = 0; i < records.size(); ++i)
            if (records[i].number.isEmpty()) records[i].number = QString::number(i + 1);
        WriteAllRecords(path("test.log"), records);
        OpenLog();
    }
    QByteArray logBytes() const {
        QFile f(path("test.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QByteArray recordBytes(qint64 i) const { return logBytes().mid(int(i * QsoRecord::Size), QsoRecord::Size); }
    QsoRecord record(qint64 i) const { return ReadRecord<QsoRecord>(path("test.log"), i); }
};

} // namespace zelmor::test
