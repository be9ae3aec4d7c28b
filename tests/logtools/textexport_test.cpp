// The log as comma-separated text and a contest file as the QZ4W listing:
// exact lines, quoting that reads back as 17 fields, deleted records left
// out, the output names, and refusals that write nothing.
#include "common/contestrecord.h"
#include "logtools/textexport.h"
#include "tests/logtools/adiffixture.h"

#include <QDir>

namespace zelmor::test {
namespace {

// RFC 4180 fields of one line (no line end).
QStringList CsvFields(const QString &line) {
    QStringList out;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"') cur += u'"', ++i;
            else if (c == u'"') quoted = false;
            else cur += c;
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            out << cur;
            cur.clear();
        } else {
            cur += c;
        }
    }
    out << cur;
    return out;
}

QsoRecord FullQso() {
    QsoRecord r = LogQso("UA3ABC", "15.04.2003", "09:32", "14  Mhz", "SSB", "Отправить");
    r.name = "Ivan";
    r.qth = "Moscow";
    r.rstReceived = "57";
    r.rstSent = "59";
    r.info = "tnx";
    r.waz = "16";
    r.itu = "29";
    r.country = "European Russia";
    r.locator = "KO85";
    r.iota = "EU-001"; // not among the 17 fields
    return r;
}

ContestRecord Contest(const char *number, const char *call, const char *date, const char *band = "14  Mhz") {
    ContestRecord c;
    c.number = number;
    c.call = call;
    c.date = date;
    c.time = "12:34";
    c.band = band;
    c.mode = "CW";
    c.sent = "599";
    c.received = "599";
    c.receivedExchange = "001";
    c.mult1 = "UA3";
    c.mult2 = "14";
    c.points = "3";
    return c;
}

QStringList Lines(const QString &path) {
    QString text = FromCp1251(ReadBytes(path));
    EXPECT_TRUE(text.isEmpty() || text.endsWith("\r\n")) << path.toStdString();
    QStringList lines = text.split(QStringLiteral("\r\n"));
    lines.removeLast();
    return lines;
}

using TextExportTest = AdifTest;

TEST_F(TextExportTest, ALogRecordIsOneLineOfItsSeventeenFields) {
    WriteLog(path("test.log"), {FullQso()});
    const TextExportResult r = ExportLogToText(path("test.log"));
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.outputPath, path("test.txt"));
    EXPECT_EQ(ReadBytes(r.outputPath),
              ToCp1251(u"1,UA3ABC,Ivan,Moscow,15.04.2003,09:32,14  Mhz,SSB,57,59,,tnx,16,29,European Russia,"
                       u"Отправить,KO85\r\n"));
}

TEST_F(TextExportTest, FieldsWithCommasQuotesOrLineBreaksAreQuotedAndReadBackAsSeventeen) {
    const char *infos[] = {"a,b \"c\"", "say \"hi\"", "two\r\nlines", "plain"};
    std::vector<QsoRecord> log;
    for (const char *i : infos) {
        QsoRecord q = FullQso();
        q.info = i;
        log.push_back(q);
    }
    log[0].qth = "Rostov, Don";
    WriteLog(path("test.log"), log);
    const TextExportResult r = ExportLogToText(path("test.log"));
    ASSERT_TRUE(r.ok);
    const QString text = FromCp1251(ReadBytes(r.outputPath));
    EXPECT_TRUE(text.startsWith(QStringLiteral("1,UA3ABC,Ivan,\"Rostov, Don\",")));
    EXPECT_TRUE(text.contains(QStringLiteral(",\"a,b \"\"c\"\"\",16,")));
    // A record per line once quoted line breaks are taken inside their field.
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    const QStringList records = {lines[0], lines[1], lines[2] + "\r\n" + lines[3], lines[4]};
    for (int i = 0; i < 4; ++i) {
        const QStringList f = CsvFields(records[i]);
        ASSERT_EQ(f.size(), 17) << i;
        EXPECT_EQ(f[11], QString::fromUtf8(infos[i])) << i;
    }
}

TEST_F(TextExportTest, DeletedRecordsAreLeftOutAndNamesAreNeverReused) {
    std::vector<QsoRecord> log(5, FullQso());
    log[1].deleteMark = "Delet";
    WriteLog(path("test.log"), log);
    const TextExportResult a = ExportLogToText(path("test.log"));
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.lines, 4);
    EXPECT_EQ(Lines(a.outputPath).size(), 4);
    const QStringList numbers = {CsvFields(Lines(a.outputPath)[0])[0], CsvFields(Lines(a.outputPath)[1])[0]};
    EXPECT_EQ(numbers, (QStringList{"1", "3"}));
    const TextExportResult b = ExportLogToText(path("test.log"));
    EXPECT_EQ(b.outputPath, path("test1.txt"));
    EXPECT_EQ(ReadBytes(a.outputPath), ReadBytes(b.outputPath));
}

TEST_F(TextExportTest, EmptySourcesWriteEmptyTextOrTheHeadAndRefusalsWriteNothing) {
    WriteBytes(path("empty.log"), {});
    const TextExportResult e = ExportLogToText(path("empty.log"));
    ASSERT_TRUE(e.ok) << e.error.toStdString();
    EXPECT_EQ(QFileInfo(e.outputPath).size(), 0);

    WriteBytes(path("empty.tst"), {});
    const TextExportResult c = ExportContestToText(path("empty.tst"), 2024, "RDXC", "RA3AAA");
    ASSERT_TRUE(c.ok);
    EXPECT_EQ(Lines(c.outputPath).size(), 5);

    WriteBytes(path("bad.log"), QByteArray(457 + 40, ' '));
    WriteBytes(path("bad.tst"), QByteArray(457, ' '));
    const TextExportResult notLog = ExportLogToText(path("bad.log"));
    const TextExportResult notContest = ExportContestToText(path("bad.tst"), 2024, "", "");
    const TextExportResult missing = ExportLogToText(path("none.log"));
    for (const TextExportResult *r : {&notLog, &notContest, &missing}) {
        EXPECT_FALSE(r->ok);
        EXPECT_FALSE(r->error.isEmpty());
    }
    EXPECT_TRUE(notLog.error.contains("это не файл журнала"));
    EXPECT_FALSE(QFile::exists(path("bad.txt")));
    EXPECT_FALSE(QFile::exists(path("bad.dat")));
    EXPECT_FALSE(QFile::exists(path("none.txt")));
}

TEST_F(TextExportTest, ContestListingHasItsHeadAndFixedColumns) {
    ContestRecord wide = Contest("2", "K1ABC", "09.12.2003", "21  Mhz");
    wide.receivedExchange = "ABCDEFGHIJ";
    wide.mult1 = "M1";
    wide.mult2 = "M2";
    WriteAllRecords<ContestRecord>(path("test.tst"), {Contest("1", "UA3ABC", "05.01.2003"), wide});
    const TextExportResult r = ExportContestToText(path("test.tst"), 2024, "RDXC", "RA3AAA");
    ASSERT_TRUE(r.ok) << r.error.toStdString();
    EXPECT_EQ(r.outputPath, path("test.dat"));
    const QStringList lines = Lines(r.outputPath);
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "2024 RDXC RA3AAA");
    EXPECT_EQ(lines[1], QString(79, u' '));
    EXPECT_EQ(lines[2], QString(79, u' '));
    EXPECT_EQ(lines[3], "Band   Date        Time  QSO#Call worked Sent Rcvd Rcvd  Mult1     Mult2   Pts ");
    EXPECT_EQ(lines[4], "----   ----        ----  --------------- ---- ---- ----  --------- ------------");
    EXPECT_EQ(lines[5], "20CW   05-Jan-2003 12:34 1   UA3ABC      599  599  001   UA3       14      3   ");
    EXPECT_EQ(lines[6], "15CW   09-Dec-2003 12:34 2   K1ABC       599  599  ABCDEFM1GHIJ    M2      3   ");
    EXPECT_EQ(ExportContestToText(path("test.tst"), 2024, "RDXC", "RA3AAA").outputPath, path("test1.dat"));
}

TEST_F(TextExportTest, ContestRunsOfTenAreSeparatedAndDeletedRecordsLeftOut) {
    std::vector<ContestRecord> records;
    for (int i = 1; i <= 12; ++i) records.push_back(Contest(QByteArray::number(i).constData(), "UA3ABC", "05.01.2003"));
    records[4].deleteMark = "Delet";
    WriteAllRecords<ContestRecord>(path("c.tst"), records);
    const TextExportResult r = ExportContestToText(path("c.tst"), 2024, "", "");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.lines, 11);
    const QStringList lines = Lines(r.outputPath).mid(5);
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[10], QString(79, u' '));
    EXPECT_TRUE(lines[9].startsWith("20CW   05-Jan-2003 12:34 11  ")); // the tenth line is QSO 11
    EXPECT_TRUE(lines[11].startsWith("20CW   05-Jan-2003 12:34 12  "));
}

TEST_F(TextExportTest, ContestDatesAndBandsOutsideTheTables) {
    WriteAllRecords<ContestRecord>(path("c.tst"), {Contest("1", "UA3ABC", "05.xx.2003"), Contest("2", "UA3ABC", "05.01.2003")});
    const TextExportResult r = ExportContestToText(path("c.tst"), 2024, "", "");
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.unreadableDates, (std::vector<qint64>{1}));
    EXPECT_TRUE(Lines(r.outputPath)[5].startsWith("20CW   05.xx.2003  12:34"));
    EXPECT_EQ(r.lines, 2);

    const struct {
        const char *band, *figure;
    } bands[] = {{"1.8 Mhz", "160"}, {"3.6 Mhz", "80"}, {"7.0 Mhz", "40"},  {"14  Mhz", "20"}, {"21  Mhz", "15"},
                 {"28  Mhz", "10"},  {"10  Mhz", "30"}, {"50  Mhz", "6"},   {"144Mhz", "2"},   {"136Khz", "2200"},
                 {"430Mhz", "70cm"}, {"1.2 Ghz", "23cm"}, {"14 Mhz", ""},   {"", ""}};
    for (const auto &b : bands) EXPECT_EQ(ContestBandFigure(b.band), QByteArray(b.figure)) << b.band;
}

TEST_F(TextExportTest, AContestRecordCraftedAtItsOffsetsDecodes) {
    QByteArray rec(ContestRecord::Size, '\0');
    const auto put = [&](int offset, const char *text) {
        rec[offset] = char(strlen(text));
        rec.replace(offset + 1, qsizetype(strlen(text)), text);
    };
    put(0, "12"), put(7, "UA3ABC"), put(28, "05.01.2003"), put(39, "12:34"), put(50, "14  Mhz"), put(61, "CW");
    put(72, "599"), put(99, "579"), put(110, "001"), put(440, "3"), put(451, "European Russia"), put(553, "16");
    put(564, "29"), put(575, "Delet"), put(581, "170"), put(587, "UA3"), put(603, "MULT2");
    ASSERT_EQ(rec.size(), 619);
    const ContestRecord c = DecodeRecord<ContestRecord>(rec.constData());
    EXPECT_EQ(QStringList({c.number, c.call, c.date, c.time, c.band, c.mode, c.sent, c.received,
                           c.receivedExchange, c.points, c.country, c.waz, c.itu, c.deleteMark, c.regionNumber,
                           c.mult1, c.mult2}),
              QStringList({"12", "UA3ABC", "05.01.2003", "12:34", "14  Mhz", "CW", "599", "579", "001", "3",
                           "European Russia", "16", "29", "Delet", "170", "UA3", "MULT2"}));
}

} // namespace
} // namespace zelmor::test
