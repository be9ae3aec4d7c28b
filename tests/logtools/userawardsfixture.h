#pragma once
// The nine-record log of the user-award tests and the award "RDA" counted
// against it.
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "logtools/userawards.h"
#include "tests/testsupport.h"

#include <vector>

namespace zelmor::test {

// Every time "12:00". Record 7 is deleted, record 8 has the blank date mask,
// record 9 an old two-digit year, record 6 a three-character call and no
// points.
inline std::vector<QsoRecord> AwardQsos() {
    struct Row {
        const char *date, *call, *band, *rst, *points;
    };
    const Row rows[] = {
        {"31.12.1998", "UA3AA", "14  Mhz", "59", "5"},  {"01.01.1999", "UA3AA", "14  Mhz", "59", "5"},
        {"02.01.1999", "UA3AA", "21  Mhz", "57", "3"},  {"03.01.1999", "UA3AA", "14  Mhz", "55", "4"},
        {"04.01.1999", "UA9AA", "14  Mhz", "59", "7"},  {"05.01.1999", "UA3", "7.0 Mhz", "599", ""},
        {"06.01.1999", "UA3CC", "14  Mhz", "59", "9"},  {"  .  .    ", "UA3DD", "14  Mhz", "59", "1"},
        {"07.01.99", "UA3EE", "28  Mhz", "59", "2"},
    };
    std::vector<QsoRecord> out;
    for (const Row &r : rows) {
        QsoRecord q;
        q.number = QString::number(out.size() + 1);
        q.call = QString::fromUtf8(r.call);
        q.date = QString::fromUtf8(r.date);
        q.time = "12:00";
        q.band = QString::fromUtf8(r.band);
        q.mode = "SSB";
        q.rstReceived = QString::fromUtf8(r.rst);
        q.rstSent = "59";
        q.points = QString::fromUtf8(r.points);
        q.qslState = QslNotToSend;
        out.push_back(q);
    }
    out[6].deleteMark = DeleteMarkText;
    return out;
}

// PF "UA", # "3", S "*", from 01.01.1999, 7 QSOs and 20 points required.
inline AwardDefinition Rda(bool repeats = true, bool points = false) {
    AwardDefinition d;
    d.name = "RDA";
    d.prefixes = {"UA"};
    d.thirds = {"3"};
    d.fourths = {"*"};
    d.qsos = "7";
    d.points = "20";
    d.countPoints = points;
    d.repeats = repeats;
    d.startDate = "01.01.1999";
    return d;
}

// A program folder with the fixture as the current log, read into LogColumns.
class AwardLogTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        log_ = path("test.log");
        WriteAllRecords(log_, AwardQsos());
        LogFileName = log_;
        OpenLog();
    }
    QString log_;
};

} // namespace zelmor::test
