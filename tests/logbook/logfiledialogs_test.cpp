// The launcher's log-file labels and the start-up's purge, with every window
// created offscreen and the dialogs answered by the fake: which dialogs are
// asked, which log becomes current, what is stored and shown.
#include "tests/logbook/qsowindow_fixture.h"

#include "logbook/del_file.h"
#include "logbook/logfiledialogs.h"
#include "logbook/logfiles.h"
#include "logbook/settingscatalogue.h"
#include "platform/paths.h"
#include "tests/logbook/logfilesfixture.h"

#include <QLabel>
#include <QProgressBar>
#include <unistd.h>

using namespace zelmor;
using namespace zelmor::test;

namespace {

class LogFileDialogsTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        // The club lists the log's re-reading loads, so that only this
        // code's messages are seen.
        for (const char *club : {"dig.dat", "vet.dat", "agb.dat", "hfc.dat", "rcc.dat", "kdr.dat", "srvs.dat"})
            RecordIO::Touch(path(club));
        LogFileName = path("test.log");
        putLog("test.log", {LoggedQso("K1XX", "1"), LoggedQso("K2YY", "2")});
        OpenLog();
        StartupHook.activdxcc = [this] { ++awards_[0]; };
        StartupHook.RefreshDxccTables = [this] { ++awards_[1]; };
        StartupHook.FillIotaTable = [this] { ++awards_[2]; };
        test::Dialogs().calls.clear();
    }
    void putLog(const QString &name, const std::vector<QByteArray> &records) { PutFile(path(name), Joined(records)); }
    static void files(std::initializer_list<QString> answers) {
        for (const QString &a : answers) test::Dialogs().fileAnswers.push_back(a);
    }
    static std::vector<FakeDialogs::Call> fileDialogs() {
        std::vector<FakeDialogs::Call> out;
        for (const auto &c : test::Dialogs().calls)
            if (c.kind != "message") out.push_back(c);
        return out;
    }
    static QStringList messageTexts() {
        QStringList out;
        for (const auto &m : test::Dialogs().messages()) out << m.caption + ": " + m.text;
        return out;
    }
    static QString stored() { return ReadSettingString(SettingId::LogFile); }
    static QString caption() { return form1->windowTitle(); }
    static QStringList gridNumbers() {
        QStringList out;
        for (int r = 1; r <= 9; ++r) out << form1->str11->cell(0, r);
        return out;
    }
    static void release(QLabel *label) { glawnf->LabelRelease(label); }
    // The program folder's files but the settings.
    QMap<QString, QByteArray> logFiles() const {
        auto all = FolderBytes(dir_->path());
        all.remove("registry.reg");
        return all;
    }
    int awards_[3] = {0, 0, 0};
};

} // namespace

TEST_F(LogFileDialogsTest, CreateMakesANewEmptyLogCurrentAndNeverOverwrites) {
    QDir(dir_->path()).mkpath("dir");
    RefreshLogGrid();
    ASSERT_TRUE(gridNumbers().contains("1"));
    form1->call->setText("UA3ABC");
    files({path("dir/abc")});
    release(glawnf->Label5);

    ASSERT_EQ(fileDialogs().size(), 1u);
    EXPECT_EQ(fileDialogs()[0].kind, "save");
    EXPECT_EQ(fileDialogs()[0].caption, "Создать новый аппаратный журнал");
    EXPECT_EQ(fileDialogs()[0].text, "Аппаратный журнал |*.log");
    EXPECT_TRUE(form1->call->text().isEmpty());
    EXPECT_TRUE(QFileInfo(path("dir/abc.log")).isFile());
    EXPECT_EQ(QFileInfo(path("dir/abc.log")).size(), 0);
    EXPECT_EQ(LogFileName, path("dir/abc.log"));
    EXPECT_EQ(stored(), path("dir/abc.log"));
    EXPECT_EQ(caption(), "QSO " + path("dir/abc.log"));
    EXPECT_EQ(LogColumns.size(), 0);
    EXPECT_EQ(gridNumbers(), QStringList(9, QString()));
    EXPECT_EQ((std::vector<int>(awards_, awards_ + 3)), (std::vector<int>{1, 1, 1}));

    // An existing file chosen in the dialog gets ".log" all the same.
    files({path("dir/abc.log")});
    release(glawnf->Label5);
    EXPECT_TRUE(QFileInfo(path("dir/abc.log.log")).isFile());
    EXPECT_EQ(stored(), path("dir/abc.log.log"));

    // A name whose log exists is asked again; cancelled, nothing is made.
    const auto before = FolderBytes(path("dir"));
    test::Dialogs().calls.clear();
    files({path("dir/abc"), QString()});
    release(glawnf->Label5);
    ASSERT_EQ(fileDialogs().size(), 2u);
    EXPECT_EQ(fileDialogs()[1].caption, "Файл существует");
    EXPECT_EQ(FolderBytes(path("dir")), before);
    EXPECT_EQ(stored(), path("dir/abc.log.log"));
    EXPECT_EQ(LogFileName, path("dir/abc.log.log"));
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(LogFileDialogsTest, OpenMakesTheChosenLogCurrentAndRefusesOtherFiles) {
    putLog("other.log", {LoggedQso("UA3AAA", "1"), LoggedQso("UA3BBB", "2", true), LoggedQso("UA3CCC", "3")});
    glawnf->Gauge1->setValue(glawnf->Gauge1->maximum());
    files({path("other.log")});
    release(glawnf->Label6);

    ASSERT_EQ(fileDialogs().size(), 1u);
    EXPECT_EQ(fileDialogs()[0].kind, "open");
    EXPECT_EQ(fileDialogs()[0].caption, "Открыть аппаратный журнал");
    EXPECT_EQ(fileDialogs()[0].text, "Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log");
    EXPECT_EQ((std::vector<int>(awards_, awards_ + 3)), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(LogFileName, path("other.log"));
    EXPECT_EQ(stored(), path("other.log"));
    EXPECT_EQ(caption(), "QSO " + path("other.log"));
    EXPECT_EQ(glawnf->Gauge1->value(), 0);
    EXPECT_EQ(LogCalls, (QStringList{"UA3AAA", "", "UA3CCC"}));
    EXPECT_EQ(QDir::currentPath(), ProgramDir);

    // Cancelled: the current log is read again, nothing is stored.
    WriteSetting(SettingId::LogFile, "as it was");
    AppendRecord(path("other.log"), QsoRecord{});
    files({QString()});
    release(glawnf->Label6);
    EXPECT_EQ(LogColumns.size(), 4);
    EXPECT_EQ(stored(), "as it was");
    EXPECT_EQ(LogFileName, path("other.log"));

    // Files of another layout are refused and keep their bytes.
    QByteArray adif("<ADIF_VER:5>3.1.0 <EOH>");
    adif.resize(QsoRecord::Size, ' ');
    PutFile(path("text.log"), QByteArray(100, 't'));
    PutFile(path("adif.log"), adif);
    const auto before = logFiles();
    test::Dialogs().calls.clear();
    files({path("text.log")});
    release(glawnf->Label6);
    files({path("adif.log")});
    release(glawnf->Label6);
    files({path("gone.log")});
    release(glawnf->Label6);
    EXPECT_EQ(messageTexts(), (QStringList{"ERROR: " + NotALogText + path("text.log"),
                                           "ERROR: " + NotALogText + path("adif.log"),
                                           "ERROR: " + MissingFileText(" " + path("gone.log"))}));
    EXPECT_EQ(logFiles(), before);
    EXPECT_EQ(LogFileName, path("other.log"));
    EXPECT_EQ(stored(), "as it was");
}

TEST_F(LogFileDialogsTest, MergeAppendsTheOtherLogRenumbered) {
    const QByteArray x = FileBytes(path("test.log"));
    const QByteArray a = LoggedQso("UA3AAA", "1"), b = LoggedQso("UA3BBB", "2", true), c = LoggedQso("UA3CCC", "3");
    putLog("other.log", {a, b, c});
    files({path("other.log")});
    release(glawnf->Label24);

    ASSERT_EQ(fileDialogs().size(), 1u);
    EXPECT_EQ(fileDialogs()[0].text, "Обьеденяемый файл(.dat)|*log.dat|Обьеденяемый файл(.log)|*.log");
    EXPECT_EQ(FileBytes(path("test.log")), x + Renumbered(a, 3) + Renumbered(b, 4) + Renumbered(c, 5));
    const auto records = ReadAllRecords<QsoRecord>(path("test.log"));
    QStringList numbers;
    for (const auto &r : records) numbers << r.number;
    EXPECT_EQ(numbers, (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(records[3].deleteMark, DeleteMarkText);
    EXPECT_EQ(LogCalls, (QStringList{"K1XX", "K2YY", "UA3AAA", "", "UA3CCC"}));
    for (const LogColumn *l : {&LogBands, &LogCountries, &LogModes, &LogQslFlags}) EXPECT_EQ(l->size(), 5);
    EXPECT_EQ((std::vector<int>(awards_, awards_ + 3)), (std::vector<int>{1, 1, 1}));
    EXPECT_TRUE(gridNumbers().contains("5"));
    EXPECT_EQ(glawnf->Gauge1->value(), 0);
    EXPECT_EQ(FileBytes(path("other.log")), a + b + c);
    EXPECT_TRUE(messageTexts().isEmpty()) << messageTexts().join("\n").toStdString();
}

TEST_F(LogFileDialogsTest, TheCurrentLogUnderAnyNameIsAskedAgain) {
    const QByteArray before = FileBytes(path("test.log"));
    ASSERT_TRUE(QFile::link(path("test.log"), path("sym.log")));
    ASSERT_EQ(::link(QFile::encodeName(path("test.log")).constData(), QFile::encodeName(path("hard.log")).constData()), 0);
    files({"test.log", path("test.log"), path("sym.log"), path("hard.log"), QString()});
    release(glawnf->Label24);

    const QString again = "Какой файл????" "(.dat)|*log.dat|Какой файл????" "(.log)|*.log";
    ASSERT_EQ(fileDialogs().size(), 5u);
    for (size_t i = 1; i < 5; ++i) EXPECT_EQ(fileDialogs()[i].text, again) << i;
    EXPECT_EQ(FileBytes(path("test.log")), before);
    EXPECT_EQ(LogColumns.size(), 2);
    EXPECT_EQ((std::vector<int>(awards_, awards_ + 3)), (std::vector<int>{0, 0, 0}));
}

TEST_F(LogFileDialogsTest, ContestConversionGoesIntoTheLogChosenFirst) {
    PutFile(path("c.tst"), ContestBytes({.number = "1", .call = "DL1AB", .date = "05.01.2003", .band = "14  Mhz",
                                         .mode = "CW"}) +
                               ContestBytes({.number = "2", .call = "DL2CD", .date = "05.01.2003"}));
    putLog("other.log", {LoggedQso("UA3AAA", "1")});
    const QString contestFilter = "Контестовый Файл(.dat)|*.tst|Контестовый Файл(.tst)|*.tst";

    // The first choice takes the records and becomes current; the closing
    // choice is cancelled.
    files({path("other.log"), path("c.tst"), QString()});
    release(glawnf->Label25);
    ASSERT_EQ(fileDialogs().size(), 3u);
    EXPECT_EQ(fileDialogs()[0].text, "Апаратный журнал(.dat)|*log.dat|Апаратный журнал(.log)|*.log");
    EXPECT_EQ(fileDialogs()[1].text, contestFilter);
    EXPECT_EQ(fileDialogs()[2].text, ChooseLogFilter);
    EXPECT_EQ(fileDialogs()[2].caption, "");
    EXPECT_EQ(LogFileName, path("other.log"));
    EXPECT_EQ(stored(), path("other.log"));
    EXPECT_EQ(caption(), "QSO " + path("other.log"));
    EXPECT_EQ(LogCalls, (QStringList{"UA3AAA", "DL1AB", "DL2CD"}));
    EXPECT_EQ(RecordIO::Count(path("test.log"), QsoRecord::Size), 2);
    EXPECT_EQ((std::vector<int>(awards_, awards_ + 3)), (std::vector<int>{1, 1, 1}));

    // The first choice cancelled: into the current log; the closing choice
    // then makes another log current.
    test::Dialogs().calls.clear();
    files({QString(), path("c.tst"), path("test.log")});
    release(glawnf->Label25);
    EXPECT_EQ(RecordIO::Count(path("other.log"), QsoRecord::Size), 5);
    EXPECT_EQ(ReadRecord<QsoRecord>(path("other.log"), 4).number, "5");
    EXPECT_EQ(LogFileName, path("test.log"));
    EXPECT_EQ(stored(), path("test.log"));
    EXPECT_EQ(caption(), "QSO " + path("test.log"));
    EXPECT_EQ(LogColumns.size(), 2);

    // A contest file of another size is refused; the current log stays.
    PutFile(path("bad.tst"), QByteArray(700, '\0'));
    const auto before = logFiles();
    test::Dialogs().calls.clear();
    files({QString(), path("bad.tst")});
    release(glawnf->Label25);
    EXPECT_EQ(messageTexts(), QStringList{"ERROR: " + NotAContestFileText + path("bad.tst")});
    EXPECT_EQ(logFiles(), before);
    EXPECT_EQ(LogFileName, path("test.log"));
}

TEST_F(LogFileDialogsTest, TheStartUpPurgesOnItsWindowsBar) {
    StartupHook.PurgeDeletedRecords = PurgeCurrentLog;
    const QByteArray a = LoggedQso("UA3AAA", "1"), b = LoggedQso("UA3BBB", "2", true), c = LoggedQso("UA3CCC", "3");
    putLog("test.log", {a, b, c});
    Nastroy->del_f->setChecked(true);
    test::Dialogs().answers.push_back(MbYes);
    del_file->Gauge1->setValue(0);
    int maximumSeen = 0;
    QObject::connect(del_file->Gauge1, &QProgressBar::valueChanged,
                     [&](int) { maximumSeen = qMax(maximumSeen, del_file->Gauge1->maximum()); });
    for (const StartupStep &s : StartupSequence())
        if (QLatin1String(s.name) == "PurgeDeletedRecords") s.run();

    EXPECT_EQ(FileBytes(path("test.log")), a + Renumbered(c, 2));
    EXPECT_EQ(FileBytes(path("test.bak")), a + b + c);
    EXPECT_EQ(LogFileName, path("test.log"));
    EXPECT_EQ(maximumSeen, 3);
    EXPECT_EQ(del_file->Gauge1->maximum(), 3);
    EXPECT_EQ(del_file->Gauge1->value(), 0);
    EXPECT_FALSE(del_file->isVisible());
}

TEST_F(LogFileDialogsTest, AnEditInProgressEndsAndWritesNothingIntoTheNextLog) {
    putLog("other.log", {LoggedQso("UA3AAA", "1"), LoggedQso("UA3BBB", "2")});
    const QByteArray other = FileBytes(path("other.log"));
    auto startEdit = [] {
        RefreshLogGrid();
        form1->str11->setRow(int(gridNumbers().indexOf("1")) + 1);
        form1->N2Click();
        ASSERT_EQ(EditMode, 1);
        form1->name1->setText("Changed");
    };
    auto saveEdit = [] {
        test::Dialogs().answers.push_back(MbYes);
        form1->N34Click();
    };

    // Open: the edit of test.log's record 1 does not land in other.log.
    startEdit();
    files({path("other.log")});
    release(glawnf->Label6);
    EXPECT_EQ(EditMode, 0);
    EXPECT_FALSE(form1->n34->isEnabled());
    saveEdit();
    EXPECT_EQ(FileBytes(path("other.log")), other);

    // Merge: the log after it is what the merge made.
    startEdit();
    files({path("test.log")});
    release(glawnf->Label24);
    EXPECT_EQ(EditMode, 0);
    const QByteArray merged = FileBytes(path("other.log"));
    ASSERT_EQ(merged.size(), 4 * QsoRecord::Size);
    saveEdit();
    EXPECT_EQ(FileBytes(path("other.log")), merged);
}
