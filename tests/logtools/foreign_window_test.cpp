// The other loggers' formats through the import window: a file converted and
// saved to a log, bad input named in one box with no log written, LOGPLUS
// info files merged into a log in place, and the two text exports.
#include "app/allwindows.h"
#include "common/contestrecord.h"
#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/startup.h"
#include "logbook/stationprofile.h"
#include "logtools/import.h"
#include "tests/logtools/foreignfixture.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

namespace zelmor::test {
namespace {

class ForeignWindowTest : public AdifTest {
protected:
    void SetUp() override {
        AdifTest::SetUp();
        WriteLog(path("test.log"), {LogQso("K1ABC", "01.02.2020", "10:00", "7.0 Mhz", "CW")});
        CreateAllWindows();
        glawnf->Timer6->stop();
        StartupHook = {};
        LogFileName = QStringLiteral("test.log");
        OpenLog();
        StartupDone = 1;
        Dialogs().calls.clear();
    }
    void TearDown() override {
        RefreshLogGrid = nullptr;
        ImportHook = {};
        DestroyAllWindows();
        AdifTest::TearDown();
    }
    void convert(QAction *item, const QString &source) {
        item->trigger();
        import->Edit1->setText(source);
        import->SpeedButton2Click();
        import->Timer1Timer();
    }
    void saveTo(const QString &target) {
        Dialogs().fileAnswers.push_back(target);
        import->N4Click();
    }
    QString copyFixture(const char *format, const char *name) {
        const QString to = path(QString::fromLatin1(name));
        QFile::remove(to);
        EXPECT_TRUE(QFile::copy(ForeignDir(format) + "/" + name, to));
        return to;
    }
    std::vector<QsoRecord> logRecords(const QString &p) { return ReadAllRecords<QsoRecord>(p); }
};

TEST_F(ForeignWindowTest, SwislogFileGoesThroughTheGridIntoALog) {
    convert(import->SWIS1, copyFixture("swislog", "basic.dat"));
    EXPECT_FALSE(import->Panel1->isVisibleTo(import));
    EXPECT_EQ(import->StreModel->rows().size(), 4);
    EXPECT_EQ(import->Stre->rowCount(), 4 + 2);
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].caption, "SWISLOG");
    EXPECT_TRUE(Dialogs().messages()[0].text.contains("строка таблицы 4")) << Dialogs().messages()[0].text.toStdString();

    saveTo(path("new"));
    EXPECT_EQ(import->Edit2->text(), path("new.log"));
    const QByteArray bytes = ReadBytes(path("new.log"));
    ASSERT_EQ(bytes.size(), 4 * QsoRecord::Size);
    const QsoRecord first = DecodeRecord<QsoRecord>(bytes.constData());
    EXPECT_EQ(first.number, "1");
    EXPECT_EQ(first.call, "UA3ABC");
    EXPECT_EQ(first.date, "15.04.2003");
    EXPECT_EQ(first.band, "14  Mhz");
    EXPECT_EQ(first.qslState, "Отпр. и получ.");
    EXPECT_EQ(first.locator, "KO85");
    EXPECT_EQ(first.regionNumber, "170");
    EXPECT_EQ(ReadRawField(bytes.constData(), {145, 160}), QByteArray("\xEF\xF0\xE8\xE2\xE5\xF2"));
}

TEST_F(ForeignWindowTest, MixW2LeavesTwoBlankRowsAndEveryImportClearsTheRowsFirst) {
    convert(import->Mixw2, copyFixture("mixw2", "basic.log"));
    EXPECT_EQ(import->StreModel->rows().size(), 3);
    EXPECT_EQ(import->Stre->rowCount(), 3 + 3);
    convert(import->QZ4W1, copyFixture("qz4w", "log.dat"));
    EXPECT_EQ(import->StreModel->rows().size(), 4);
    EXPECT_EQ(import->Stre->rowCount(), 4 + 2);
}

TEST_F(ForeignWindowTest, BadInputShowsOneErrorKeepsTheRowsBeforeAndWritesNoLog) {
    const QByteArray log = ReadBytes(path("test.log"));
    QByteArray swis = ReadBytes(ForeignDir("swislog") + "/basic.dat");
    swis.chop(88);
    WriteBytes(path("cut.dat"), swis);
    convert(import->SWIS1, path("cut.dat"));
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_TRUE(Dialogs().messages()[0].text.startsWith("SWISLOG: запись 4: файл обрезан (40 байт из 128)"))
        << Dialogs().messages()[0].text.toStdString();
    EXPECT_EQ(import->StreModel->rows().size(), 3);

    // An unreadable source: its own error, and the grid keeps what it had.
    Dialogs().calls.clear();
    convert(import->AALOG1, path("none.log"));
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_TRUE(Dialogs().messages()[0].text.startsWith(path("none.log")));
    EXPECT_EQ(import->StreModel->rows().size(), 3);

    // The commas import does nothing unless its own item is ticked.
    import->Edit1->setText(copyFixture("commas", "basic.dat"));
    ImportHook.ImportLogEqfCommas();
    EXPECT_EQ(import->StreModel->rows().size(), 3);
    EXPECT_EQ(ReadBytes(path("test.log")), log);
}

class LogplusInfoTest : public ForeignWindowTest {
protected:
    void SetUp() override {
        ForeignWindowTest::SetUp();
        QsoRecord a = LogQso("UA3ABC", "15.04.2003", "12:34", "14  Mhz", "SSB");
        a.info = "tnx";
        a.iota = "EU-001";
        a.qslVia = "UA3MGR";
        a.frequency = "14200";
        QsoRecord b = LogQso("UA9XBB", "16.04.2003", "08:00", "7.0 Mhz", "CW");
        QsoRecord c = LogQso("RA1AA", "17.04.2003", "09:00", "7.0 Mhz", "CW");
        c.deleteMark = "Delet";
        WriteLog(path("info.log"), {a, b, c});
        QDir(dir_->path()).mkpath("lp");
        QByteArray first = "\x88\xa2\xa0\xad"; // "Иван" in cp866
        WriteBytes(path("lp/UA3ABC.LP"), first + "\x1A" + "junk after the end");
        QByteArray second;
        for (int i = 0; i < 180; ++i) second.append(char('A' + i % 26));
        WriteBytes(path("lp/ua9xbb.lp"), second);
        WriteBytes(path("lp/other.txt"), "not listed");
        secondText = second.left(161);
    }
    void loadAndMerge() {
        convert(import->LOGPLUS2, path("info.log"));
        ASSERT_TRUE(import->Panel3->isVisibleTo(import));
        EXPECT_TRUE(import->Panel1->isVisibleTo(import));
        Dialogs().fileAnswers.push_back(path("lp"));
        import->Dir1Click();
        ASSERT_EQ(import->Fil1->count(), 2);
        import->SpeedButton6Click();
        EXPECT_FALSE(import->Panel3->isVisibleTo(import));
        EXPECT_FALSE(import->Panel1->isVisibleTo(import));
    }
    QByteArray secondText;
};

TEST_F(LogplusInfoTest, TextsJoinTheInfoOfTheirCallsAndTheSameLogChangesOnlyThose) {
    loadAndMerge();
    const ImportRowStore &rows = import->StreModel->rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(import->Stre->rowCount(), 2 + 1);
    EXPECT_EQ(rows.cell(0, ImportColumn::Info), "tnx Иван");
    EXPECT_EQ(rows.cellBytes(1, ImportColumn::Info), QByteArrayView(secondText));
    EXPECT_EQ(rows.cell(0, ImportColumn::Iota), "EU-001");
    EXPECT_EQ(rows.cell(0, ImportColumn::Via), "UA3MGR");
    EXPECT_EQ(rows.cell(0, ImportColumn::Frequency), "14200");

    const QByteArray before = ReadBytes(path("info.log"));
    saveTo(path("info.log"));
    const QByteArray after = ReadBytes(path("info.log"));
    ASSERT_EQ(after.size(), before.size());
    for (qsizetype i = 0; i < before.size(); ++i) {
        const qsizetype inRecord = i % QsoRecord::Size;
        const bool info = inRecord >= 145 && inRecord < 306 && i / QsoRecord::Size < 2;
        if (!info) ASSERT_EQ(after[i], before[i]) << "byte " << i;
    }
    const std::vector<QsoRecord> log = logRecords(path("info.log"));
    EXPECT_EQ(log[0].info, "tnx Иван");
    EXPECT_EQ(log[1].info, QString::fromLatin1(secondText.left(160)));
    EXPECT_TRUE(Dialogs().messages().empty());

    // A second save changes nothing more.
    saveTo(path("info.log"));
    EXPECT_EQ(ReadBytes(path("info.log")), after);
}

TEST_F(LogplusInfoTest, AnotherLogGetsTheRowsAppendedWithIotaViaAndFrequency) {
    loadAndMerge();
    saveTo(path("other"));
    const std::vector<QsoRecord> log = logRecords(path("other.log"));
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].call, "UA3ABC");
    EXPECT_EQ(log[0].info, "tnx Иван");
    EXPECT_EQ(log[0].iota, "EU-001");
    EXPECT_EQ(log[0].qslVia, "UA3MGR");
    EXPECT_EQ(log[0].frequency, "14200");
    EXPECT_EQ(log[1].call, "UA9XBB");
}

TEST_F(LogplusInfoTest, RecordsChangedSinceTheLoadAreLeftWithAMessage) {
    loadAndMerge();
    // Since the load: UA3ABC's record deleted, UA9XBB's holding another call.
    std::vector<QsoRecord> log = logRecords(path("info.log"));
    log[0].deleteMark = "Delet";
    log[1].call = "UA9ZZZ";
    WriteAllRecords<QsoRecord>(path("info.log"), log);
    // A row typed below the loaded ones is not appended to the source log.
    import->StreModel->setCell(ImportColumn::Number, 3, "3");
    import->StreModel->setCell(ImportColumn::Call, 3, "UA1ZZZ");
    const QByteArray before = ReadBytes(path("info.log"));
    saveTo(path("info.log"));
    EXPECT_EQ(ReadBytes(path("info.log")), before);
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_TRUE(Dialogs().messages()[0].text.contains("добавленные в таблицу (1)"));
    EXPECT_TRUE(Dialogs().messages()[0].text.contains("QSO № 1 удалено")) << Dialogs().messages()[0].text.toStdString();
    EXPECT_TRUE(Dialogs().messages()[0].text.contains("QSO № 2: в журнале другой позывной"));
}

TEST_F(LogplusInfoTest, TheCurrentLogStaysInStepAndAnotherCurrentLogStopsTheRewrite) {
    LogFileName = path("info.log");
    OpenLog();
    loadAndMerge();
    LogFileName = QStringLiteral("test.log");
    OpenLog();
    Dialogs().calls.clear(); // the missing name lists
    const QByteArray before = ReadBytes(path("info.log"));
    saveTo(path("info.log"));
    EXPECT_EQ(ReadBytes(path("info.log")), before);
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_TRUE(Dialogs().messages()[0].text.startsWith("Открыт другой журнал"));

    LogFileName = path("info.log");
    OpenLog();
    Dialogs().calls.clear();
    saveTo(path("info.log"));
    EXPECT_TRUE(Dialogs().messages().empty());
    EXPECT_EQ(logRecords(path("info.log"))[0].info, "tnx Иван");
    EXPECT_EQ(LogColumns.size(), 3);
    EXPECT_EQ(LogCalls[0], "UA3ABC");
}

TEST_F(ForeignWindowTest, TextExportsWriteBesideTheSourceAndShowThePath) {
    import->Zelmor1->trigger();
    import->Edit1->setText(path("test.log"));
    import->SpeedButton2Click();
    import->Timer1Timer();
    EXPECT_EQ(import->Edit2->text(), path("test.txt"));
    EXPECT_TRUE(ReadBytes(path("test.txt")).startsWith("1,K1ABC,"));

    ContestRecord c;
    c.number = "1";
    c.call = "UA3ABC";
    c.date = "05.01.2003";
    c.band = "14  Mhz";
    c.mode = "CW";
    WriteAllRecords<ContestRecord>(path("test.tst"), {c});
    Clock().time = QDateTime(QDate(2024, 3, 1), QTime(10, 0));
    StationProfile.call = "RA3AAA";
    import->Edit3->setText("RDXC");
    import->QZ4W2->trigger();
    import->Edit1->setText(path("test.tst"));
    import->SpeedButton2Click();
    import->Timer1Timer();
    EXPECT_EQ(import->Edit2->text(), path("test.dat"));
    EXPECT_TRUE(ReadBytes(path("test.dat")).startsWith("2024 RDXC RA3AAA\r\n"));
    EXPECT_TRUE(Dialogs().messages().empty());
}

} // namespace
} // namespace zelmor::test
