// A log out to ADIF, the grid rows into a log, and the round trips between
// them.
#include "common/qsorecord.h"
#include "logbook/logfile.h"
#include "logtools/adif.h"
#include "logtools/importsave.h"
#include "tests/logtools/adiffixture.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace zelmor::test {
namespace {

const QByteArray Header = "ADIF Export from ZELMOR\r\nSoftware and QQ0ZZZ\r\n<eoh>\r\n";

class AdifExportTest : public AdifTest {
protected:
    // Exports the whole log and returns the file's bytes after the header.
    QByteArray exportAll(const QString &log, AdifExportResult *result = nullptr) {
        const qint64 n = RecordIO::Count(log, QsoRecord::Size);
        const AdifExportResult r = ExportAdifFile(log, QString(), QString::number(n));
        if (result) *result = r;
        EXPECT_EQ(r.status, AdifExportResult::Done) << r.error.toStdString();
        const QByteArray all = ReadBytes(r.outputPath);
        EXPECT_TRUE(all.startsWith(Header));
        QFile::remove(r.outputPath);
        return all.mid(Header.size());
    }
    QsoRecord issueRecord() {
        QsoRecord r = LogQso("UA3ABC", "15.04.2003", "09:32", "144Mhz", "FM", "Отпр. и получ.");
        r.name = QStringLiteral("Ivan");
        r.waz = QStringLiteral("5");
        return r;
    }
};

TEST_F(AdifExportTest, TheRecordOfTheIssueExportsExactly) {
    WriteLog(path("test.log"), {issueRecord()});
    AdifExportResult r;
    const QByteArray body = exportAll(path("test.log"), &r);
    EXPECT_EQ(body, "<qso_date:8>20030415 <time_on:4>0932 <call:6>UA3ABC <freq:3>144 <band:2>2m <mode:2>FM "
                    "<rst_sent:2>59 <rst_rcvd:2>57 <name:4>Ivan <qsl_sent:1>y <qsl_rcvd:1>y <cqz:1>5 <ituz:0> <eor>\r\n");
    EXPECT_EQ(r.exported, 1);
    EXPECT_EQ(r.outputPath, path("test.adi"));
}

TEST_F(AdifExportTest, BandsQslStatesAndTextsAsTheyAreWritten) {
    struct Case {
        const char *what;
        std::function<void(QsoRecord &)> change;
        QByteArray present, absent;
    };
    const Case cases[] = {
        {"430Mhz", [](QsoRecord &r) { r.band = "430Mhz"; }, "<freq:3>430 <band:4>70cm", ""},
        {"1.2 Ghz", [](QsoRecord &r) { r.band = "1.2 Ghz"; }, "<freq:4>1200 <band:4>23cm", ""},
        {"136Khz", [](QsoRecord &r) { r.band = "136Khz"; }, "<freq:5>0.136 <band:5>2190m", ""},
        {"14  Mhz", [](QsoRecord &r) { r.band = "14  Mhz"; }, "<freq:2>14 <band:3>20m", ""},
        {"14 Mhz", [](QsoRecord &r) { r.band = "14 Mhz"; }, "<mode:", "<band:"},
        {"14 Mhz, no freq", [](QsoRecord &r) { r.band = "14 Mhz"; }, "<mode:", "<freq:"},
        {"Не отправлять", [](QsoRecord &r) { r.qslState = QslNotToSend; }, "<qsl_sent:1>i <qsl_rcvd:1>n", ""},
        {"empty QSL", [](QsoRecord &r) { r.qslState.clear(); }, "<qsl_sent:1>i <qsl_rcvd:1>n", ""},
        {"Отправить", [](QsoRecord &r) { r.qslState = QslToSend; }, "<qsl_sent:1>n <qsl_rcvd:1>n", ""},
        {"Получено", [](QsoRecord &r) { r.qslState = QslReceived; }, "<qsl_sent:1>n <qsl_rcvd:1>y", ""},
        {"Отправлено", [](QsoRecord &r) { r.qslState = QslSent; }, "<qsl_sent:1>y <qsl_rcvd:1>n", ""},
        {"Cyrillic name", [](QsoRecord &r) { r.name = QStringLiteral("Иван"); }, "<name:4>\xC8\xE2\xE0\xED <", ""},
        {"QTH", [](QsoRecord &r) { r.qth = QStringLiteral("Moscow"); }, "<name:4>Ivan <qth:6>Moscow <qsl", ""},
        {"no name", [](QsoRecord &r) { r.name.clear(); }, "<rst_rcvd:2>57 <qsl_sent", "<name:"},
        {"time without ':'", [](QsoRecord &r) { r.time = "0932"; }, "<time_on:4>0932 ", ""},
        {"no time", [](QsoRecord &r) { r.time.clear(); }, "<time_on:4>0000 ", ""},
        {"two-digit year 03", [](QsoRecord &r) { r.date = "15.04.03"; }, "<qso_date:8>20030415 ", ""},
        {"two-digit year 75", [](QsoRecord &r) { r.date = "15.04.75"; }, "<qso_date:8>19750415 ", ""},
    };
    for (const Case &c : cases) {
        QsoRecord r = issueRecord();
        c.change(r);
        WriteLog(path("test.log"), {r});
        const QByteArray body = exportAll(path("test.log"));
        EXPECT_TRUE(body.contains(c.present)) << c.what << ": " << body.toStdString();
        if (!c.absent.isEmpty()) {
            EXPECT_FALSE(body.contains(c.absent)) << c.what << ": " << body.toStdString();
        }
    }
}

TEST_F(AdifExportTest, DeletedAndUnreadableRecordsAreLeftOut) {
    std::vector<QsoRecord> log;
    for (int i = 0; i < 6; ++i) log.push_back(LogQso("K1ABC", "01.02.2020", "10:00", "7.0 Mhz", "CW"));
    log[1].deleteMark = DeleteMarkText;
    log[4].date = "31.02.2020";
    log[5].date = "когда-то";
    WriteLog(path("test.log"), log);
    AdifExportResult r;
    const QByteArray body = exportAll(path("test.log"), &r);
    EXPECT_EQ(body.count("<eor>"), 3);
    EXPECT_EQ(r.exported, 3);
    EXPECT_EQ(r.unreadableDates, (std::vector<qint64>{5, 6}));
}

TEST_F(AdifExportTest, ARangeAndItsRefusals) {
    std::vector<QsoRecord> log;
    for (int i = 1; i <= 10; ++i) log.push_back(LogQso(qPrintable(QStringLiteral("K%1ABC").arg(i)), "01.02.2020", "10:00", "7.0 Mhz", "CW"));
    WriteLog(path("test.log"), log);
    struct Case {
        const char *first, *last;
        AdifExportResult::Status status;
        qint64 exported;
    };
    const Case cases[] = {
        {"5", "4", AdifExportResult::BadRange, 0}, {"", "", AdifExportResult::BadRange, 0},
        {"1", "11", AdifExportResult::BadLast, 0}, {"0", "3", AdifExportResult::Done, 3},
        {"", "10", AdifExportResult::Done, 10},    {"4", "6", AdifExportResult::Done, 3},
    };
    for (const Case &c : cases) {
        const AdifExportResult r = ExportAdifFile(path("test.log"), c.first, c.last);
        EXPECT_EQ(r.status, c.status) << c.first << ".." << c.last;
        EXPECT_EQ(r.exported, c.exported) << c.first << ".." << c.last;
        if (c.status != AdifExportResult::Done) {
            EXPECT_FALSE(QFile::exists(path("test.adi"))) << c.first << ".." << c.last;
        } else {
            const QByteArray body = ReadBytes(r.outputPath);
            EXPECT_EQ(body.count("<eor>"), c.exported);
            if (QByteArrayView(c.first) == "4") {
                EXPECT_TRUE(body.contains("<call:5>K4ABC")) << body.toStdString();
            }
            QFile::remove(r.outputPath);
        }
    }
}

TEST_F(AdifExportTest, AFileThatIsNoLogIsRefused) {
    WriteBytes(path("old.adi"), Header + "<call:5>K1ABC <eor>\r\n");
    const AdifExportResult r = ExportAdifFile(path("old.adi"), "1", "1");
    EXPECT_EQ(r.status, AdifExportResult::Failed);
    EXPECT_TRUE(r.error.contains("old.adi"));
    EXPECT_FALSE(QFile::exists(path("old1.adi")));
}

TEST_F(AdifExportTest, OutputNamesNeverOverwrite) {
    QDir(dir_->path()).mkpath(".local/share/zelmor");
    for (const QString &log : {path("test.log"), path(".local/share/zelmor/test.log")}) {
        WriteLog(log, {issueRecord()});
        const QString folder = log.left(log.lastIndexOf(u'/') + 1);
        const AdifExportResult first = ExportAdifFile(log, "1", "1");
        const AdifExportResult second = ExportAdifFile(log, "1", "1");
        EXPECT_EQ(first.outputPath, folder + "test.adi");
        EXPECT_EQ(second.outputPath, folder + "test1.adi");
        EXPECT_EQ(ExporterOutputName(log, ".adi"), folder + "test2.adi");
        EXPECT_EQ(ReadBytes(first.outputPath), ReadBytes(second.outputPath));
    }
    EXPECT_EQ(ExporterOutputName(path("log.2024.dat"), ".txt"), path("log.txt"));
    EXPECT_EQ(ExporterOutputName(path("noext"), ".adi"), path("noext.adi"));
}

// The grid rows of an import, as the window keeps them.
ImportRowStore Rows(std::initializer_list<const char *> calls) {
    ImportRowStore rows;
    int n = 0;
    for (const char *call : calls) {
        const QByteArray number = QByteArray::number(++n);
        QByteArrayView cells[ImportRowStore::Columns];
        cells[ImportColumn::Number] = number;
        cells[ImportColumn::Call] = call;
        cells[ImportColumn::Name] = "\xC8\xE2\xE0\xED";
        cells[ImportColumn::Date] = "01.02.2020";
        cells[ImportColumn::Band] = "14  Mhz";
        cells[ImportColumn::Country] = "Canada";
        cells[ImportColumn::Qsl] = "\xCE\xF2\xEF\xF0\xE0\xE2\xE8\xF2\xFC"; // "Отправить"
        rows.append(cells, ImportRowStore::Columns);
    }
    return rows;
}

TEST_F(AdifExportTest, SavedRowsContinueTheLogsNumbering) {
    WriteLog(path("test.log"), {issueRecord(), issueRecord(), issueRecord()});
    LogFileName = path("test.log");
    OpenLog();
    const GridSaveResult r = AppendGridRowsToLog(Rows({"A1", "", "B2", "C3"}), path("test.log"));
    ASSERT_EQ(r.status, GridSaveResult::Saved) << r.error.toStdString();
    EXPECT_EQ(r.written, 3);
    const auto log = ReadAllRecords<QsoRecord>(path("test.log"));
    ASSERT_EQ(log.size(), 6u);
    const char *calls[] = {"A1", "B2", "C3"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(log[3 + i].number, QString::number(4 + i));
        EXPECT_EQ(log[3 + i].call, calls[i]);
        EXPECT_EQ(log[3 + i].qslState, QslToSend);
        EXPECT_TRUE(log[3 + i].points.isEmpty() && log[3 + i].deleteMark.isEmpty() && log[3 + i].longitude.isEmpty());
    }
    // The name as the file holds it: length 4, then cp1251.
    const QByteArray raw = RecordIO::Read(path("test.log"), QsoRecord::Size, 3);
    EXPECT_EQ(raw.mid(22, 5), QByteArray("\x04\xC8\xE2\xE0\xED"));
    // The current log's columns grew with the records.
    ASSERT_EQ(LogColumns.size(), 6);
    EXPECT_EQ(LogColumns.indexesOfCall("B2"), (std::vector<qint64>{4}));
    EXPECT_EQ(LogColumns.LogQslFlags[4], QStringLiteral("О"));
    EXPECT_EQ(LogRecordIndex, 5);
}

TEST_F(AdifExportTest, SaveTargetsAndRefusals) {
    // ".log" only for a name without an extension; an existing file is the
    // target and is appended to, never emptied.
    WriteLog(path("mylog.log"), {issueRecord()});
    EXPECT_EQ(GridSaveTarget(path("mylog")), path("mylog.log"));
    EXPECT_EQ(GridSaveTarget(path("new")), path("new.log"));
    EXPECT_EQ(GridSaveTarget(path("new.dat")), path("new.dat"));
    ASSERT_EQ(AppendGridRowsToLog(Rows({"A1"}), GridSaveTarget(path("mylog"))).status, GridSaveResult::Saved);
    EXPECT_EQ(RecordIO::Count(path("mylog.log"), QsoRecord::Size), 2);
    EXPECT_TRUE(LogColumns.LogCalls.isEmpty()); // not the current log

    // A file that is not a log is refused and keeps every byte.
    WriteBytes(path("export.adi"), Header + "<call:2>A1<eor>\r\n");
    const GridSaveResult refused = AppendGridRowsToLog(Rows({"A1"}), path("export.adi"));
    EXPECT_EQ(refused.status, GridSaveResult::NotALog);
    EXPECT_EQ(ReadBytes(path("export.adi")), Header + "<call:2>A1<eor>\r\n");

    // A read-only target keeps its size (root writes anyway: not checked then).
    if (geteuid() != 0) {
        QFile::setPermissions(path("mylog.log"), QFileDevice::ReadOwner);
        EXPECT_EQ(AppendGridRowsToLog(Rows({"B2"}), path("mylog.log")).status, GridSaveResult::Failed);
        EXPECT_EQ(QFileInfo(path("mylog.log")).size(), 2 * QsoRecord::Size);
        QFile::setPermissions(path("mylog.log"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }
}

TEST_F(AdifExportTest, AFailedSaveCutsTheLogBackAndLeavesTheColumns) {
    WriteLog(path("test.log"), {issueRecord(), issueRecord()});
    LogFileName = path("test.log");
    OpenLog();
    const QByteArray before = ReadBytes(path("test.log"));
    // The disk fills up half-way through the batch.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = rlim_t(before.size() + QsoRecord::Size + 100);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const GridSaveResult r = AppendGridRowsToLog(Rows({"A1", "B2", "C3"}), path("test.log"));
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, SIG_DFL);
    EXPECT_EQ(r.status, GridSaveResult::Failed);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(ReadBytes(path("test.log")), before);
    EXPECT_EQ(LogColumns.size(), 2);
    EXPECT_TRUE(LogColumns.indexesOfCall("A1").empty());
}

TEST_F(AdifExportTest, ExportImportAndSaveGiveTheLogBack) {
    std::vector<QsoRecord> log;
    const char *states[] = {"Не отправлять", "Отправить", "Отправлено", "Получено", "Отпр. и получ."};
    const char *bands[] = {"136Khz", "1.8 Mhz", "14  Mhz", "430Mhz", "1.2 Ghz"};
    const char *modes[] = {"SSB", "CW", "RTTY", "FM", "PSK"};
    for (int i = 0; i < 5; ++i) {
        QsoRecord r = LogQso(qPrintable(QStringLiteral("UA3AB%1").arg(i)), qPrintable(QStringLiteral("0%1.03.2004").arg(i + 1)),
                             qPrintable(QStringLiteral("1%1:4%1").arg(i)), bands[i], modes[i], states[i]);
        r.name = i % 2 ? QStringLiteral("Иван") : QStringLiteral("Ivan");
        r.qth = i % 2 ? QStringLiteral("Москва") : QString();
        r.rstSent = QString::number(51 + i);
        r.rstReceived = QString::number(599 - i);
        log.push_back(r);
    }
    WriteLog(path("test.log"), log);
    const AdifExportResult exported = ExportAdifFile(path("test.log"), "1", "5");
    ASSERT_EQ(exported.status, AdifExportResult::Done);
    const AdifImportResult imported = ImportAdifFile(exported.outputPath, tables, rows);
    ASSERT_TRUE(imported.error.isEmpty()) << imported.error.toStdString();
    ASSERT_EQ(AppendGridRowsToLog(rows, path("back.log")).written, 5);
    const auto back = ReadAllRecords<QsoRecord>(path("back.log"));
    ASSERT_EQ(back.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const QsoRecord &a = log[i], &b = back[i];
        EXPECT_EQ(b.number, QString::number(i + 1));
        for (auto field : {&QsoRecord::call, &QsoRecord::date, &QsoRecord::time, &QsoRecord::band, &QsoRecord::mode,
                           &QsoRecord::rstSent, &QsoRecord::rstReceived, &QsoRecord::name, &QsoRecord::qth,
                           &QsoRecord::qslState})
            EXPECT_EQ(b.*field, a.*field) << "record " << i;
        EXPECT_EQ(b.country, "European Russia");
        EXPECT_EQ(b.regionNumber, "170");
    }
}

TEST_F(AdifExportTest, CraftedFilesThroughALogMatchTheGoldenExport) {
    for (const char *file : {"cp1251.adi", "utf8_bom.adi", "utf8_chars.adi"}) {
        const AdifImportResult r = ImportAdifFile(Crafted(file), tables, rows);
        ASSERT_TRUE(r.error.isEmpty()) << file << ": " << r.error.toStdString();
        ASSERT_EQ(AppendGridRowsToLog(rows, path("round.log")).written, 1) << file;
    }
    const AdifExportResult r = ExportAdifFile(path("round.log"), "1", "3");
    ASSERT_EQ(r.status, AdifExportResult::Done);
    const QByteArray golden = ReadBytes(Crafted("roundtrip.golden.adi"));
    ASSERT_FALSE(golden.isEmpty());
    EXPECT_EQ(ReadBytes(r.outputPath), golden);
}

} // namespace
} // namespace zelmor::test
