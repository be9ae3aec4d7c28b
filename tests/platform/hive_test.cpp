#include "common/codepage.h"
#include "platform/hive.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelmor;

namespace {
QString Text(const std::optional<HiveValue> &v) { return v ? v->text : QStringLiteral("<none>"); }

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void WriteAll(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}
QStringList AsideFiles(const QString &dir, const QString &pattern) {
    return QDir(dir).entryList({pattern}, QDir::Files, QDir::Name);
}

// What a registry editor writes besides strings and dwords, and two lines
// an older writer of ours got wrong: the hive must give all of it back.
const char kForeignLines[] =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n"
    "@=\"default\"\r\n"
    "\"bin\"=hex:01,02,03\r\n"
    "\"path\"=hex(2):25,54,45,4d,50,25,00\r\n"
    "\"list\"=hex(7):61,00,62,00,\\\r\n"
    "  00\r\n"
    "\"broken\"=dword:zz\r\n"
    "\"long\"=hex(1):cf,f0,e8,e2,\\\r\n"
    "  e5,f2,00\r\n"
    "\"BAND\"=\"14  Mhz\"\r\n";
} // namespace

TEST(Hive, LinesItDoesNotParseSurviveAWriteAndContinuedTextReadsWhole) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    WriteAll(path, kForeignLines);
    SettingsHive hive(path);
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "long")), "Привет");
    EXPECT_FALSE(hive.value("Software\\zelmor\\qso", "broken"));
    EXPECT_EQ(hive.valueNames("Software\\zelmor\\qso"), (std::vector<QString>{"long", "BAND"}));

    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "BAND", HiveValue::string("7.0 Mhz")));
    const QString text = FromCp1251(ReadAll(path));
    for (const char *line : {"@=\"default\"\r\n", "\"bin\"=hex:01,02,03\r\n", "\"path\"=hex(2):25,54,45,4d,50,25,00\r\n",
                             "\"list\"=hex(7):61,00,62,00,\\\r\n  00\r\n", "\"broken\"=dword:zz\r\n"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(line))) << line << "\n" << text.toStdString();
    EXPECT_TRUE(text.contains("\"BAND\"=\"7.0 Mhz\"\r\n"));

    // A write of a kept line's name replaces that line: one value, no double.
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "broken", HiveValue::dword(5)));
    const QString after = FromCp1251(ReadAll(path));
    EXPECT_FALSE(after.contains("dword:zz"));
    EXPECT_EQ(after.count("\"broken\"="), 1);
    EXPECT_EQ(SettingsHive(path).value("Software\\zelmor\\qso", "broken")->number, 5);
}

// A kept line that ends in "\" as hex data runs on (found by fuzzing): only
// an indented line continues it, so the key after it keeps its values and
// the file does not change from one write to the next.
TEST(Hive, AKeptLineEndingInABackslashSwallowsNoKey) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    WriteAll(path, "REGEDIT4\r\n\r\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n"
                   "\"odd\"=hex:01,\\\r\n"
                   "\r\n"
                   "[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qsl]\r\n"
                   "\"BAND\"=\"14  Mhz\"\r\n"
                   "=\"C:\\");
    SettingsHive hive(path);
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qsl", "BAND")), "14  Mhz");
    EXPECT_FALSE(hive.value("Software\\zelmor\\qso", "BAND"));
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
    const QByteArray once = ReadAll(path);
    EXPECT_TRUE(once.contains("\"odd\"=hex:01,\\\r\n")) << once.constData();
    ASSERT_TRUE(SettingsHive(path).setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
    EXPECT_EQ(ReadAll(path), once);
    EXPECT_EQ(Text(SettingsHive(path).value("Software\\zelmor\\qsl", "BAND")), "14  Mhz");
}

// A string value ends at its first NUL, as a registry string does, in
// either form (found by fuzzing: the text changed from one save to the next).
TEST(Hive, AStringEndsAtItsFirstNulInEitherForm) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    static const char file[] = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n"
                               "\"quoted\"=\"C:\\\\ham\x01\0\0tail\"\r\n"
                               "\"hex\"=hex(1):43,3a,01,00,00,41,00\r\n";
    WriteAll(path, QByteArray(file, sizeof file - 1));
    SettingsHive hive(path);
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "quoted")), QStringLiteral("C:\\ham\x01"));
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "hex")), QStringLiteral("C:\x01"));
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
    SettingsHive again(path);
    EXPECT_EQ(Text(again.value("Software\\zelmor\\qso", "quoted")), QStringLiteral("C:\\ham\x01"));
    EXPECT_EQ(again.exportText(), hive.exportText());
}

TEST(Hive, AUtf16ExportIsReadAndCopiedAsideBeforeTheFirstWrite) {
    test::Clock().time = QDateTime(QDate(2026, 12, 10), QTime(13, 5, 9));
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.reg");
    const QString v5 = QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n"
                                      "[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n"
                                      "\"Ветеран\"=dword:00000001\r\n"
                                      "\"BAND\"=\"14  Mhz\"\r\n");
    QByteArray bytes("\xFF\xFE");
    bytes.append(reinterpret_cast<const char *>(v5.utf16()), v5.size() * 2);
    WriteAll(path, bytes);

    SettingsHive hive(path);
    EXPECT_TRUE(hive.keyExists("Software\\zelmor"));
    EXPECT_EQ(hive.value("Software\\zelmor\\qso", "ветеран")->number, 1);
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "BAND")), "14  Mhz");
    EXPECT_EQ(ReadAll(path), bytes) << "reading changes nothing";
    EXPECT_TRUE(AsideFiles(dir.path(), "*.v5-*").isEmpty());

    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
    EXPECT_EQ(AsideFiles(dir.path(), "*.v5-*"), QStringList{"registry.reg.v5-20261210-130509"});
    EXPECT_EQ(ReadAll(dir.filePath("registry.reg.v5-20261210-130509")), bytes);
    const QByteArray now = ReadAll(path);
    EXPECT_TRUE(now.startsWith("REGEDIT4\r\n"));
    EXPECT_TRUE(FromCp1251(now).contains("\"Ветеран\"=dword:00000001"));
    // Copied once, not at every write.
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("SSB")));
    EXPECT_EQ(AsideFiles(dir.path(), "*.v5-*").size(), 1);
}

TEST(Hive, AnUnreadableFileIsRenamedAsideBeforeAnyWriteAndTheOperatorToldOnce) {
    QString deep = QStringLiteral("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE");
    for (int i = 0; i < 30000; ++i) deep += QStringLiteral("\\a");
    deep += QStringLiteral("]\r\n\"x\"=\"1\"\r\n");
    const struct {
        const char *what;
        QByteArray bytes;
    } cases[] = {
        {"no header", QByteArray("[HKEY_LOCAL_MACHINE\\Software\\zelmor]\r\n\"a\"=\"b\"\r\n")},
        {"binary", QByteArray("\x00\x01\x02garbage", 10)},
        {"UTF-16 with an old header", QByteArray("\xFF\xFER\0E\0", 6)},
        {"30,000 nested keys", deep.toLatin1()},
    };
    test::Clock().time = QDateTime(QDate(2026, 12, 10), QTime(9, 1, 2));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath("registry.reg");
        WriteAll(path, c.bytes);
        test::Dialogs().calls.clear();
        SettingsHive hive(path);
        EXPECT_FALSE(hive.keyExists("Software\\zelmor")) << "a first start follows";
        EXPECT_EQ(test::Dialogs().messages().size(), 1u);
        EXPECT_EQ(ReadAll(path), c.bytes) << "nothing moves before a write";

        ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "BAND", HiveValue::string("14  Mhz")));
        ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("SSB")));
        EXPECT_EQ(AsideFiles(dir.path(), "*.unread-*"), QStringList{"registry.reg.unread-20261210-090102"});
        EXPECT_EQ(ReadAll(dir.filePath("registry.reg.unread-20261210-090102")), c.bytes);
        EXPECT_TRUE(ReadAll(path).startsWith("REGEDIT4\r\n"));
        EXPECT_EQ(test::Dialogs().messages().size(), 1u);
        EXPECT_EQ(Text(SettingsHive(path).value("Software\\zelmor\\qso", "mode")), "SSB");
    }
}

TEST(Hive, ABatchSavesOnceAtItsEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    SettingsHive hive(path);
    {
        SettingsHive::Batch outer(&hive);
        for (int i = 0; i < 50; ++i) hive.setValue("Software\\zelmor\\qso", QString("v%1").arg(i), HiveValue::dword(i));
        {
            SettingsHive::Batch inner(&hive);
            hive.setValue("Software\\zelmor\\qsl", "x", HiveValue::string("y"));
        }
        EXPECT_FALSE(QFileInfo::exists(path)) << "the inner end saves nothing";
        EXPECT_EQ(hive.value("Software\\zelmor\\qso", "v7")->number, 7) << "reads inside see the batch";
    }
    SettingsHive other(path);
    EXPECT_EQ(other.valueNames("Software\\zelmor\\qso").size(), 50u);
    EXPECT_EQ(Text(other.value("Software\\zelmor\\qsl", "x")), "y");
}

// A write that runs out of room (a file-size limit stands in for a full
// disk) leaves the old file whole and says it failed.
TEST(Hive, AWriteThatRunsOutOfRoomLeavesTheOldFileAndFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    {
        SettingsHive hive(path);
        SettingsHive::Batch batch(&hive);
        for (int i = 0; i < 200; ++i) hive.setValue("Software\\zelmor\\qso", QString("value %1").arg(i), HiveValue::dword(i));
    }
    const QByteArray before = ReadAll(path);
    ASSERT_GT(before.size(), 5000);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        setrlimit(RLIMIT_FSIZE, &limit);
        SettingsHive hive(path);
        const bool stored = hive.setValue("Software\\zelmor\\qso", "value 1", HiveValue::string("changed"));
        // In the operator's language, with the system's reason.
        const bool reported = hive.lastError().startsWith(QStringLiteral("Настройки не сохранены")) &&
                              hive.lastError().endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)));
        const bool kept = Text(hive.value("Software\\zelmor\\qso", "value 1")) != "changed";
        _exit(!stored && reported && kept ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the write must fail, say why and keep the old value";
    EXPECT_EQ(ReadAll(path), before);
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files) == QStringList{"r.reg"}) << "no temporary file left";
}


TEST(Hive, NamesCompareCaseInsensitivelyAndKeepTheFirstSpelling) {
    QTemporaryDir dir;
    SettingsHive hive(dir.filePath("r.reg"));
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "BAND", HiveValue::string("14  Mhz")));
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "DATE ГОД", HiveValue::string("2024")));
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\qso", "Ветеран", HiveValue::dword(1)));
    EXPECT_EQ(Text(hive.value("software\\ZELMOR\\QSO\\", "band")), "14  Mhz");
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "date год")), "2024");
    ASSERT_TRUE(hive.value("Software\\zelmor\\qso", "ВЕТЕРАН"));
    EXPECT_EQ(hive.value("Software\\zelmor\\qso", "ветеран")->number, 1);
    // A second writer with other case changes the value, not the spelling.
    ASSERT_TRUE(hive.setValue("Software\\zelmor\\QSO", "band", HiveValue::string("7.0 Mhz")));
    EXPECT_EQ(hive.valueNames("Software\\zelmor\\qso"), (std::vector<QString>{"BAND", "DATE ГОД", "Ветеран"}));
    EXPECT_TRUE(hive.keyExists("Software\\zelmor"));
    EXPECT_FALSE(hive.keyExists("Software\\other"));
}

TEST(Hive, FileIsRegedit4InCp1251AndASecondObjectSeesEveryValue) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    SettingsHive a(path);
    a.setValue("Software\\zelmor\\qso", "запись в файл", HiveValue::dword(112));
    a.setValue("Software\\zelmor\\qso", "path", HiveValue::string("C:\\log\\\"a\""));
    a.setValue("Software\\zelmor\\главное", "шрифт", HiveValue::string("Текст"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString text = FromCp1251(f.readAll());
    EXPECT_TRUE(text.startsWith("REGEDIT4\r\n"));
    EXPECT_TRUE(text.contains("[HKEY_LOCAL_MACHINE\\Software\\zelmor\\qso]\r\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("\"запись в файл\"=dword:00000070\r\n"));
    EXPECT_TRUE(text.contains("\"path\"=\"C:\\\\log\\\\\\\"a\\\"\"\r\n")) << text.toStdString();

    SettingsHive b(path);
    EXPECT_EQ(b.value("Software\\zelmor\\qso", "запись в файл")->number, 112);
    EXPECT_EQ(Text(b.value("Software\\zelmor\\qso", "path")), "C:\\log\\\"a\"");
    EXPECT_EQ(Text(b.value("Software\\zelmor\\главное", "шрифт")), "Текст");
    // And a later write through b shows through a.
    b.setValue("Software\\zelmor\\qso", "GMT", HiveValue::string("-3"));
    EXPECT_EQ(Text(a.value("Software\\zelmor\\qso", "GMT")), "-3");
}

TEST(Hive, TextWithLineBreaksSurvivesAsHex) {
    QTemporaryDir dir;
    SettingsHive a(dir.filePath("r.reg"));
    a.setValue("Software\\zelmor\\таймер", "информ0", HiveValue::string("две\r\nстроки"));
    SettingsHive b(dir.filePath("r.reg"));
    EXPECT_EQ(Text(b.value("Software\\zelmor\\таймер", "информ0")), "две\r\nстроки");
}

TEST(Hive, ReadOnlyHiveReadsAndRefusesWrites) {
    QTemporaryDir dir;
    const QString path = dir.filePath("r.reg");
    SettingsHive(path).setValue("Software\\zelmor\\qso", "BAND", HiveValue::string("14  Mhz"));
    QFile::setPermissions(path, QFile::ReadOwner);
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner);
    SettingsHive hive(path);
    const bool root = QFile(path).open(QIODevice::WriteOnly | QIODevice::Append); // root ignores permissions
    EXPECT_EQ(hive.readOnly(), !root);
    if (!root) {
        EXPECT_TRUE(hive.readOnlyNotice().contains("изменения настроек не будут сохранены"));
        EXPECT_FALSE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
        EXPECT_FALSE(hive.value("Software\\zelmor\\qso", "mode"));
        EXPECT_FALSE(hive.createKey("Software\\zelmor\\new"));
        EXPECT_FALSE(hive.keyExists("Software\\zelmor\\new"));
    }
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "BAND")), "14  Mhz");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
