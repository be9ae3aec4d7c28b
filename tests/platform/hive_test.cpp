#include "common/codepage.h"
#include "platform/hive.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {
QString Text(const std::optional<HiveValue> &v) { return v ? v->text : QStringLiteral("<none>"); }
} // namespace

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
    if (!root) {
        EXPECT_FALSE(hive.setValue("Software\\zelmor\\qso", "mode", HiveValue::string("CW")));
        EXPECT_FALSE(hive.value("Software\\zelmor\\qso", "mode"));
        EXPECT_FALSE(hive.createKey("Software\\zelmor\\new"));
        EXPECT_FALSE(hive.keyExists("Software\\zelmor\\new"));
    }
    EXPECT_EQ(Text(hive.value("Software\\zelmor\\qso", "BAND")), "14  Mhz");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
