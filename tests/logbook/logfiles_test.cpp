// Whole log files without windows: backup names, the purge with its backup,
// contest conversion, the checks of a chosen file, and that no failure (a
// full disk, a read-only log, a kill at any moment) loses a byte.
#include "common/codepage.h"
#include "logbook/logfile.h"
#include "logbook/logfiledialogs.h"
#include "logbook/logfiles.h"
#include "platform/dialogs.h"
#include "tests/logbook/logfilesfixture.h"
#include "tests/testsupport.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStorageInfo>
#include <chrono>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace zelmor;
using namespace zelmor::test;

namespace {

class LogFilesTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("logs");
    }
    QString logs(const QString &name) const { return path("logs/" + name); }
    QMap<QString, QByteArray> folder() const { return FolderBytes(path("logs")); }
};

// n records, every tenth marked deleted; what the purge must make of them.
struct BigLog {
    QByteArray old, purged;
};
BigLog MakeBigLog(int n) {
    BigLog log;
    log.old.reserve(qsizetype(n) * QsoRecord::Size);
    qint64 kept = 0;
    const QByteArray live = LoggedQso("UA", "1"), deleted = LoggedQso("UA", "1", true);
    for (int i = 0; i < n; ++i) {
        QByteArray r = Renumbered(i % 10 == 3 ? deleted : live, i + 1);
        WriteTextField(r.data(), QsoField::Call, QStringLiteral("UA%1").arg(i));
        log.old += r;
        if (i % 10 != 3) log.purged += Renumbered(r, ++kept);
    }
    return log;
}

} // namespace

TEST(BackupNames, TheBaseIsTheFileNameUpToItsFirstDot) {
    const struct {
        const char *log;
        int number;
        const char *backup;
    } cases[] = {
        {"/logs/test.log", 0, "/logs/test.bak"},
        {"/logs/test.log", 2, "/logs/test2.bak"},
        {"/home/u/.zelmor/test.log", 0, "/home/u/.zelmor/test.bak"},
        {"/home/u/my.logs/2024log.dat", 1, "/home/u/my.logs/2024log1.bak"},
        {"/logs/journal", 0, "/logs/journal.bak"},
        {"test.log", 3, "test3.bak"},
    };
    for (const auto &c : cases) EXPECT_EQ(BackupNameFor(c.log, c.number), c.backup) << c.log << " " << c.number;
}

TEST_F(LogFilesTest, PurgeKeepsTheOldLogAsItsFirstFreeBackup) {
    const QByteArray a = LoggedQso("UA3AAA", "1"), b = LoggedQso("UA3BBB", "2", true), c = LoggedQso("UA3CCC", "3");
    const QByteArray a1 = LoggedQso("UA3AAA", "1"), c2 = Renumbered(LoggedQso("UA3CCC", "2"), 2);
    const struct Case {
        const char *log;
        std::vector<const char *> present; // backups there before
        QByteArray old, purged;
        const char *backup;
    } cases[] = {
        {"test.log", {"test.bak", "test1.bak"}, a + b + c, a + Renumbered(c, 2), "test2.bak"},
        {"test.log", {}, a1 + c2, a1 + c2, "test.bak"},
        {"test.log", {}, QByteArray(), QByteArray(), "test.bak"},
        {".zelmor/test.log", {}, a + c, a + Renumbered(c, 2), ".zelmor/test.bak"},
    };
    for (const Case &k : cases) {
        SCOPED_TRACE(k.log);
        QDir(path("logs")).removeRecursively();
        QDir(dir_->path()).mkpath("logs/.zelmor");
        PutFile(logs(k.log), k.old);
        QMap<QString, QByteArray> others;
        for (const char *name : k.present) {
            others.insert(name, "an older backup " + QByteArray(name));
            PutFile(logs(name), others[name]);
        }

        std::vector<std::pair<qint64, qint64>> progress;
        const PurgeResult r =
            PurgeDeletedRecords(logs(k.log), [&](qint64 done, qint64 total) { progress.emplace_back(done, total); });

        EXPECT_EQ(r.backup, logs(k.backup));
        EXPECT_EQ(FileBytes(logs(k.backup)), k.old);
        EXPECT_EQ(FileBytes(logs(k.log)), k.purged);
        EXPECT_EQ(r.kept, k.purged.size() / QsoRecord::Size);
        EXPECT_EQ(r.removed, (k.old.size() - k.purged.size()) / QsoRecord::Size);
        for (auto it = others.cbegin(); it != others.cend(); ++it) EXPECT_EQ(FileBytes(logs(it.key())), it.value());
        // Nothing else is left in the folder.
        QStringList expected = {QFileInfo(k.log).fileName(), QFileInfo(k.backup).fileName()};
        for (const char *name : k.present) expected << name;
        const QString sub = QFileInfo(logs(k.log)).absolutePath();
        QStringList there = QDir(sub).entryList(QDir::Files | QDir::Hidden);
        expected.sort();
        there.sort();
        EXPECT_EQ(there, expected);
        if (!k.old.isEmpty()) {
            ASSERT_FALSE(progress.empty());
            const qint64 total = k.old.size() / QsoRecord::Size;
            EXPECT_EQ(progress.back(), std::make_pair(total, total));
        }
    }
}

TEST_F(LogFilesTest, PurgeKeepsTheLogsPermissionsAndPurgesALinkedLogWhereItLies) {
    const QByteArray a = LoggedQso("UA3AAA", "1"), b = LoggedQso("UA3BBB", "2", true);
    PutFile(logs("real.log"), a + b);
    QFile::setPermissions(logs("real.log"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    ASSERT_TRUE(QFile::link(logs("real.log"), path("link.log")));

    const PurgeResult r = PurgeDeletedRecords(path("link.log"));

    EXPECT_EQ(r.backup, logs("real.bak"));
    EXPECT_TRUE(QFileInfo(path("link.log")).isSymLink());
    EXPECT_EQ(FileBytes(path("link.log")), a);
    EXPECT_EQ(FileBytes(logs("real.bak")), a + b);
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(logs("real.log")).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(LogFilesTest, AContestFileBecomesQsosCutToTheLogsFields) {
    const QByteArray x = LoggedQso("K1XX", "1"), y = LoggedQso("K2YY", "2");
    PutFile(logs("test.log"), x + y);
    const QByteArray country40 = "Federal Republic of Germany and the rest";
    ASSERT_EQ(country40.size(), 40);
    QByteArray first = ContestBytes({.number = "17", .call = "RA3ABCDEFGHIJKLMNOP", .date = "05.01.2003",
                                     .time = "12:34", .band = "14  Mhz", .mode = "CW", .sent = "59912345678",
                                     .received = "599001", .exchange = "001 MOSCOW", .points = "3",
                                     .country = country40, .waz = "123456", .itu = "29", .region = "123",
                                     .mult1 = "UA3", .mult2 = "EU"});
    QByteArray second = ContestBytes({.number = "18", .call = "UA9XYZ", .date = "06.01.2003", .time = "00:01",
                                      .band = "7.0 Mhz", .mode = "SSB", .sent = "59", .received = "57",
                                      .country = "Asiatic Russia", .waz = "17", .itu = "30", .deleteMark = "Delet",
                                      .region = "45"});
    // A length byte above its room is clamped to the room.
    second[ContestField::Mode.offset] = char(200);
    second.replace(ContestField::Mode.offset + 1, 10, QByteArray("SSB\0\0\0\0\0\0\0", 10));
    PutFile(logs("c.tst"), first + second);

    std::vector<std::pair<qint64, qint64>> progress;
    EXPECT_EQ(AppendContestFileToLog(logs("c.tst"), logs("test.log"),
                                     [&](qint64 d, qint64 t) { progress.emplace_back(d, t); }),
              2);

    const QByteArray after = FileBytes(logs("test.log"));
    ASSERT_EQ(after.size(), 4 * QsoRecord::Size);
    EXPECT_EQ(after.left(2 * QsoRecord::Size), x + y);
    QsoRecord third;
    third.number = "3";
    third.call = "RA3ABCDEFGHIJK";
    third.date = "05.01.2003";
    third.time = "12:34";
    third.band = "14  Mhz";
    third.mode = "CW";
    third.rstSent = "5991234";
    third.rstReceived = "599001";
    third.waz = "12345";
    third.itu = "29";
    third.country = QString::fromLatin1(country40.left(30));
    third.qslState = QslToSend;
    third.regionNumber = "123";
    QsoRecord fourth;
    fourth.number = "4";
    fourth.call = "UA9XYZ";
    fourth.date = "06.01.2003";
    fourth.time = "00:01";
    fourth.band = "7.0 Mhz";
    fourth.mode = QStringLiteral("SSB") + QString(7, QChar(0));
    fourth.rstSent = "59";
    fourth.rstReceived = "57";
    fourth.waz = "17";
    fourth.itu = "30";
    fourth.country = "Asiatic Russia";
    fourth.qslState = QslToSend;
    fourth.deleteMark = DeleteMarkText;
    fourth.regionNumber = "45";
    // Every field not copied is empty, and nothing of the contest file's
    // other bytes comes along.
    EXPECT_EQ(after.mid(2 * QsoRecord::Size, QsoRecord::Size), EncodeRecord(third));
    EXPECT_EQ(after.mid(3 * QsoRecord::Size), EncodeRecord(fourth));
    EXPECT_EQ(progress.back(), std::make_pair(qint64(2), qint64(2)));
}

TEST_F(LogFilesTest, OnlyFilesOfTheLayoutAreLogsOrContestFiles) {
    const QByteArray log = LoggedQso("UA3AAA", "1");
    QByteArray damagedFurtherOn = log + LoggedQso("UA3BBB", "2");
    damagedFurtherOn[QsoRecord::Size + QsoField::Call.offset] = char(255);
    QByteArray badFirst = log;
    badFirst[QsoField::RegionNumber.offset] = char(6);
    QByteArray adif("<ADIF_VER:5>3.1.0 <EOH>");
    adif.resize(QsoRecord::Size, ' ');
    const struct {
        const char *name;
        QByteArray bytes;
        bool isLog;
    } files[] = {
        {"text.log", QByteArray(100, 'a'), false},
        {"adif.log", adif, false},
        {"badfirst.log", badFirst, false},
        {"half.log", log + log.left(100), false},
        {"empty.log", QByteArray(), true},
        {"one.log", log, true},
        {"damaged.log", damagedFurtherOn, true},
    };
    for (const auto &f : files) {
        PutFile(logs(f.name), f.bytes);
        EXPECT_EQ(LogFileProblem(logs(f.name)), f.isLog ? QString() : NotALogText + logs(f.name)) << f.name;
        EXPECT_EQ(FileBytes(logs(f.name)), f.bytes) << f.name;
    }
    EXPECT_EQ(LogFileProblem(logs("gone.log")), MissingFileText(" " + logs("gone.log")));
    QDir(path("logs")).mkdir("folder.log");
    EXPECT_TRUE(LogFileProblem(logs("folder.log")).startsWith("Не удаётся прочитать файл " + logs("folder.log")));

    PutFile(logs("two.tst"), QByteArray(2 * ContestRecord::Size, '\0'));
    PutFile(logs("odd.tst"), QByteArray(ContestRecord::Size + 1, '\0'));
    EXPECT_EQ(ContestFileProblem(logs("two.tst")), QString());
    EXPECT_EQ(ContestFileProblem(logs("odd.tst")), NotAContestFileText + logs("odd.tst"));
    EXPECT_THROW(AppendContestFileToLog(logs("odd.tst"), logs("one.log")), IoError);
    EXPECT_EQ(FileBytes(logs("one.log")), log);
}

TEST_F(LogFilesTest, TheSameFileUnderAnyName) {
    PutFile(logs("test.log"), QByteArray());
    PutFile(logs("other.log"), QByteArray());
    ASSERT_TRUE(QFile::link(logs("test.log"), logs("sym.log")));
    ASSERT_EQ(::link(QFile::encodeName(logs("test.log")).constData(), QFile::encodeName(logs("hard.log")).constData()), 0);
    QDir::setCurrent(path("logs"));
    const struct {
        const char *name;
        bool same;
    } cases[] = {{"test.log", true},      {"./test.log", true}, {"sym.log", true}, {"hard.log", true},
                 {"../logs/test.log", true}, {"other.log", false}, {"gone.log", false}};
    for (const auto &c : cases) EXPECT_EQ(IsSameFile(c.name, logs("test.log")), c.same) << c.name;
    EXPECT_TRUE(IsSameFile(logs("gone.log"), logs("gone.log")));
}

TEST_F(LogFilesTest, CreateNeverOverwrites) {
    EXPECT_TRUE(CreateEmptyLog(logs("new.log")));
    EXPECT_TRUE(QFileInfo(logs("new.log")).isFile());
    EXPECT_EQ(QFileInfo(logs("new.log")).size(), 0);
    PutFile(logs("kept.log"), "keep me");
    EXPECT_FALSE(CreateEmptyLog(logs("kept.log")));
    EXPECT_EQ(FileBytes(logs("kept.log")), "keep me");
    ASSERT_TRUE(QFile::link(logs("nowhere"), logs("dangling.log")));
    EXPECT_FALSE(CreateEmptyLog(logs("dangling.log")));
    EXPECT_FALSE(QFileInfo::exists(logs("nowhere")));
    EXPECT_THROW(CreateEmptyLog(logs("no/such/folder.log")), IoError);
}

TEST_F(LogFilesTest, AShortDiskIsToldHowMuchIsMissing) {
    const QStorageInfo storage(path("logs"));
    ASSERT_TRUE(storage.isValid());
    EXPECT_EQ(SpaceProblem(logs("test.log"), 1), QString());
    const QString text = SpaceProblem(logs("test.log"), storage.bytesAvailable() + (qint64(50) << 20));
    EXPECT_TRUE(text.startsWith("Недостаточно места на диске для " + logs("test.log") + ": не хватает ")) << text.toStdString();
    EXPECT_TRUE(text.endsWith(" МБ")) << text.toStdString();
}

// A full disk: the child's files cannot grow past the limit. Every file
// stays as it was, no temporary file is left, and one message says why.
TEST_F(LogFilesTest, AFullDiskChangesNoFile) {
    const BigLog log = MakeBigLog(1000);
    PutFile(logs("test.log"), log.old);
    PutFile(logs("other.log"), MakeBigLog(1000).old);
    PutFile(logs("test.bak"), "an older backup");
    LogFileName = logs("test.log");
    const auto before = folder();
    const auto oneMessage = [] {
        const auto m = test::Dialogs().messages();
        return m.size() == 1 && m[0].caption == "ERROR" && m[0].text.contains("не изменён") ? 0 : 10 + int(m.size());
    };

    // The merge fails half way through its write.
    EXPECT_EQ(RunInChild(
                  [&] {
                      test::Dialogs().fileAnswers = {logs("other.log")};
                      MergeLog();
                      return oneMessage();
                  },
                  1500 * QsoRecord::Size),
              0);
    EXPECT_EQ(folder(), before);
    // The purge fails writing the new file.
    EXPECT_EQ(RunInChild(
                  [&] {
                      PurgeCurrentLog();
                      return oneMessage();
                  },
                  200 * QsoRecord::Size),
              0);
    EXPECT_EQ(folder(), before);
    // A contest conversion, the same.
    PutFile(logs("c.tst"), QByteArray(1000 * ContestRecord::Size, '\0'));
    const auto withContest = folder();
    EXPECT_EQ(RunInChild(
                  [&] {
                      test::Dialogs().fileAnswers = {QString(), logs("c.tst")};
                      ConvertContestLog();
                      return oneMessage();
                  },
                  1500 * QsoRecord::Size),
              0);
    EXPECT_EQ(folder(), withContest);
}

TEST_F(LogFilesTest, AReadOnlyLogIsNeitherMergedIntoNorPurged) {
    const BigLog log = MakeBigLog(20);
    PutFile(logs("test.log"), log.old);
    PutFile(logs("other.log"), log.old);
    ASSERT_TRUE(QFile::setPermissions(logs("test.log"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    LogFileName = logs("test.log");
    const auto before = folder();
    const QStringList expected = {"Журнал защищён от записи: " + logs("test.log")};

    test::Dialogs().fileAnswers = {logs("other.log")};
    MergeLog();
    PurgeCurrentLog();
    QStringList texts;
    for (const auto &m : test::Dialogs().messages()) texts << m.text;
    EXPECT_EQ(texts, expected + expected);
    EXPECT_EQ(folder(), before);
    EXPECT_EQ(LogFileName, logs("test.log"));
}

// A helper program purges a log and is killed at random moments: the log's
// name holds the whole old log or the whole new one, and a backup, if there
// is one, is the whole old log.
TEST_F(LogFilesTest, APurgeKilledAtAnyMomentLosesNothing) {
    const BigLog log = MakeBigLog(50000);
    // Each helper has a folder of its own, holding the old log.
    auto folderOf = [&](int k) { return path(QStringLiteral("kill%1").arg(k)); };
    auto prepare = [&](int k) {
        QDir(folderOf(k)).removeRecursively();
        QDir(dir_->path()).mkpath(folderOf(k));
        QFile f(folderOf(k) + "/test.log");
        return f.open(QIODevice::WriteOnly) && f.write(log.old) == log.old.size();
    };
    auto waitForLine = [](QProcess &p, const QByteArray &line) {
        while (!p.canReadLine())
            if (!p.waitForReadyRead(60000)) return false;
        return p.readLine().trimmed() == line;
    };
    // Helpers loaded side by side; each purges when it is told to go.
    auto startAll = [&](std::vector<std::unique_ptr<QProcess>> &ps, int first, int n) {
        for (int k = first; k < first + n; ++k) {
            if (!prepare(k)) return false;
            ps.push_back(std::make_unique<QProcess>());
            ps.back()->start(QStringLiteral(ZELMOR_PURGE_HELPER), {folderOf(k) + "/test.log"});
        }
        for (auto &p : ps)
            if (!p->waitForStarted(60000) || !waitForLine(*p, "ready")) return false;
        return true;
    };

    // Once to the end: how long a purge takes here.
    std::vector<std::unique_ptr<QProcess>> whole;
    ASSERT_TRUE(startAll(whole, 0, 1));
    QElapsedTimer t;
    t.start();
    whole[0]->write("go\n");
    ASSERT_TRUE(waitForLine(*whole[0], "done")) << whole[0]->readAllStandardError().toStdString();
    const qint64 span = qMax<qint64>(1, t.nsecsElapsed() / 1000);
    ASSERT_TRUE(whole[0]->waitForFinished(60000));
    ASSERT_EQ(FileBytes(folderOf(0) + "/test.log"), log.purged);
    ASSERT_EQ(FileBytes(folderOf(0) + "/test.bak"), log.old);

    const unsigned seed = 20240521;
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<qint64> moment(0, span + span / 2);
    int oldSeen = 0, newSeen = 0;
    const int kills = 20, together = 5;
    for (int first = 1; first <= kills; first += together) {
        std::vector<std::unique_ptr<QProcess>> ps;
        ASSERT_TRUE(startAll(ps, first, together));
        for (int j = 0; j < together; ++j) {
            const int k = first + j;
            const qint64 at = moment(random);
            SCOPED_TRACE("kill " + std::to_string(k) + " after " + std::to_string(at) + " us");
            ps[size_t(j)]->write("go\n");
            ps[size_t(j)]->waitForBytesWritten(60000);
            std::this_thread::sleep_for(std::chrono::microseconds(at));
            ps[size_t(j)]->kill();
            ASSERT_TRUE(ps[size_t(j)]->waitForFinished(60000));
            const QByteArray now = FileBytes(folderOf(k) + "/test.log");
            ASSERT_TRUE(now == log.old || now == log.purged) << "the log holds " << now.size() << " bytes";
            (now == log.old ? oldSeen : newSeen)++;
            for (const QString &name : QDir(folderOf(k)).entryList({"*.bak"}, QDir::Files))
                ASSERT_EQ(FileBytes(folderOf(k) + "/" + name), log.old) << name.toStdString();
        }
    }
    std::printf("purge %lld us; after a kill the old log %d times, the new log %d times\n", (long long)span, oldSeen,
                newSeen);
}
