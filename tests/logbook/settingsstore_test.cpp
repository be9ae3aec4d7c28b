#include "logbook/qsostate.h"
#include "logbook/settingsstore.h"
#include "tests/testsupport.h"

#include <QFile>

#include <sys/wait.h>
#include <unistd.h>

using namespace zelmor;

namespace {
class SettingsStoreTest : public test::ProgramFolderTest {};

int CountValues(const QString &subkey) {
    return int(SettingsRegistry->valueNames(QStringLiteral("Software\\") + subkey).size());
}
std::optional<HiveValue> Raw(const QString &subkey, const QString &name) {
    return SettingsRegistry->value(QStringLiteral("Software\\") + subkey, name);
}
} // namespace

TEST_F(SettingsStoreTest, FirstStartWritesTheTableAndTheColumnValues) {
    ASSERT_TRUE(DetectFirstStart());
    // 44 table values, by subkey; 20 + 20 column values; 21 "данные".
    EXPECT_EQ(CountValues("zelmor\\главное"), 6);
    EXPECT_EQ(CountValues("zelmor\\qso"), 24 + 40);
    EXPECT_EQ(CountValues("zelmor\\qso\\menu"), 2);
    EXPECT_EQ(CountValues("zelmor\\поиск"), 7);
    EXPECT_EQ(CountValues("zelmor\\отчет"), 3);
    EXPECT_EQ(CountValues("zelmor\\qsl"), 2 + 21);

    EXPECT_EQ(Raw("zelmor\\qso", "BAND")->text, "14  Mhz");
    EXPECT_EQ(Raw("zelmor\\qso", "запись в файл")->kind, HiveKind::Dword);
    EXPECT_EQ(Raw("zelmor\\qso", "запись в файл")->number, 112);
    EXPECT_EQ(Raw("zelmor\\qso", "таб повторов")->kind, HiveKind::Dword);
    EXPECT_EQ(Raw("zelmor\\главное", "LPT")->kind, HiveKind::String);
    EXPECT_EQ(Raw("zelmor\\qso", "filelog")->text, path("test.log"));
    EXPECT_EQ(Raw("zelmor\\qso", "обход ENTER")->text,
              "CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,");
    for (int n = 0; n < 20; ++n) {
        EXPECT_EQ(Raw("zelmor\\qso", "размер колонки" + QString::number(n))->number, 0);
        EXPECT_EQ(Raw("zelmor\\qso", "колонка-" + QString::number(n))->number, 1);
    }
    for (int n = 0; n <= 20; ++n) EXPECT_EQ(Raw("zelmor\\qsl", "данные" + QString::number(n))->number, 20);
}

TEST_F(SettingsStoreTest, WithTheKeyPresentNothingIsRewrittenAndMissingValuesComeBackEmpty) {
    ASSERT_TRUE(DetectFirstStart());
    RegWriteValue(0, "zelmor\\qso", "BAND", 0, "7.0 Mhz");
    // Delete a table value by rewriting the hive without it.
    const QString file = SettingsRegistry->filePath();
    ReleaseSettingsRegistry();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QByteArray bytes = f.readAll();
    f.close();
    const qsizetype at = bytes.indexOf("\"mode\"=\"SSB\"\r\n");
    ASSERT_GE(at, 0);
    bytes.remove(at, 14);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();

    CreateSettingsRegistry(file);
    EXPECT_FALSE(DetectFirstStart());
    EXPECT_EQ(RegReadString("zelmor\\qso", "band"), "7.0 Mhz");
    EXPECT_FALSE(Raw("zelmor\\qso", "mode"));
    EXPECT_EQ(RegReadString("zelmor\\qso", "mode"), "");
    ASSERT_TRUE(Raw("zelmor\\qso", "mode"));
    EXPECT_EQ(Raw("zelmor\\qso", "mode")->kind, HiveKind::String);
}

TEST_F(SettingsStoreTest, ReadsCreateWhatTheyDoNotFind) {
    EXPECT_EQ(RegReadString("zelmor\\qso\\", "x"), "");
    EXPECT_FALSE(RegReadBool("zelmor\\qso", "b"));
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "n"), 0);
    EXPECT_EQ(Raw("zelmor\\qso", "x")->kind, HiveKind::String);
    EXPECT_EQ(Raw("zelmor\\qso", "b")->kind, HiveKind::Dword);
    EXPECT_EQ(Raw("zelmor\\qso", "n")->kind, HiveKind::Dword);
}

TEST_F(SettingsStoreTest, WriteValueKindsAndBoolsStoredAsIntegers) {
    RegWriteValue(1, "zelmor\\qso", "i", 12, "ignored");
    RegWriteValue(0, "zelmor\\qso", "s", 12, "text");
    RegWriteValue(2, "zelmor\\qso", "none", 12, "text");
    EXPECT_EQ(Raw("zelmor\\qso", "i")->kind, HiveKind::Dword);
    EXPECT_EQ(Raw("zelmor\\qso", "i")->number, 12);
    EXPECT_EQ(Raw("zelmor\\qso", "s")->kind, HiveKind::String);
    EXPECT_EQ(Raw("zelmor\\qso", "s")->text, "text");
    EXPECT_FALSE(Raw("zelmor\\qso", "none"));

    RegWriteValue(1, "zelmor\\qso", "строка-name", 1, "");
    EXPECT_TRUE(RegReadBool("zelmor\\qso", "СТРОКА-NAME"));
    RegWriteBool("zelmor\\qso", "flag", true);
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "flag"), 1);
}

TEST_F(SettingsStoreTest, AValueOfAnotherKindConvertsAndStaysAsStored) {
    RegWriteValue(1, "zelmor\\qso", "n", 42, "");
    RegWriteValue(0, "zelmor\\qso", "s", 0, "17");
    RegWriteValue(0, "zelmor\\qso", "junk", 0, "abc");
    EXPECT_EQ(RegReadString("zelmor\\qso", "n"), "42");
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "s"), 17);
    EXPECT_TRUE(RegReadBool("zelmor\\qso", "s"));
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "junk"), 0);
    EXPECT_EQ(Raw("zelmor\\qso", "n")->kind, HiveKind::Dword);
    EXPECT_EQ(Raw("zelmor\\qso", "junk")->text, "abc");
}

TEST_F(SettingsStoreTest, WithoutAStoreReadsAreEmpty) {
    ReleaseSettingsRegistry();
    EXPECT_EQ(RegReadString("zelmor\\qso", "BAND"), "");
    EXPECT_EQ(RegReadInteger("zelmor\\qso", "x"), 0);
    RegWriteBool("zelmor\\qso", "x", true); // does nothing, does not crash
    EXPECT_FALSE(DetectFirstStart());
}

// Read-only for the program, whoever runs the tests: the check runs in a
// child process as an unprivileged user when the tests run as root.
TEST_F(SettingsStoreTest, AReadOnlySettingsFileIsReadAndTheOperatorToldChangesAreNotKept) {
    RegWriteValue(0, "zelmor\\qso", "BAND", 0, "14  Mhz");
    const QString file = SettingsRegistry->filePath();
    ReleaseSettingsRegistry();
    QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QFile::setPermissions(path(""), QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                                        QFile::ReadGroup | QFile::ExeGroup);
    const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
        StatusText.clear();
        CreateSettingsRegistry(file);
        const bool told = StatusText.contains("не будут сохранены");
        const bool reads = RegReadString("zelmor\\qso", "band") == "14  Mhz";
        const bool refused = !RegWriteValue(0, "zelmor\\qso", "mode", 0, "CW");
        ReleaseSettingsRegistry();
        _exit(told && reads && refused ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    QFile::setPermissions(path(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    CreateSettingsRegistry(file);
}

// A change that does not reach the file (a file-size limit stands in for a
// full disk) is told on the status line once, in the operator's words.
TEST_F(SettingsStoreTest, AFailedWriteIsToldOnTheStatusLineOnce) {
    ASSERT_TRUE(DetectFirstStart());
    const QString file = SettingsRegistry->filePath();
    const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    ASSERT_GT(before.size(), 2048);
    const int rc = test::RunInChild(
        [] {
            StatusText.clear();
            if (RegWriteValue(0, "zelmor\\qso", "BAND", 0, "7.0 Mhz")) return 1;
            const QString told = StatusText;
            if (!told.startsWith(QStringLiteral("Настройки не сохранены")) || told != SettingsRegistry->lastError())
                return 2;
            StatusText.clear();
            { // a batch that fails at its end counts as the same failure
                SettingsBatch batch;
                RegWriteBool("zelmor\\qso", "dig", false);
            }
            if (RegWriteBool("zelmor\\qso", "dig", false) || !StatusText.isEmpty()) return 3;
            return 0;
        },
        2048);
    EXPECT_EQ(rc, 0);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
}
