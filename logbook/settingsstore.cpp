#include "logbook/settingsstore.h"

#include "common/text.h"
#include "platform/paths.h"

#include <QDir>
#include <memory>

namespace zelmor {

SettingsHive *SettingsRegistry = nullptr;
std::function<void()> WriteDefaultSettingsDialogHook;

namespace {
std::unique_ptr<SettingsHive> g_hive;

QString KeyOf(const QString &subkey) { return QStringLiteral("Software\\") + subkey; }

// Without a store every read gives the kind's empty value.
SettingsHive *Hive() { return SettingsRegistry; }

void WriteString(const QString &subkey, const QString &name, const QString &v) {
    if (auto *h = Hive()) h->setValue(KeyOf(subkey), name, HiveValue::string(v));
}
void WriteDword(const QString &subkey, const QString &name, qint32 v) {
    if (auto *h = Hive()) h->setValue(KeyOf(subkey), name, HiveValue::dword(v));
}
} // namespace

void CreateSettingsRegistry(const QString &path) {
    g_hive = std::make_unique<SettingsHive>(path);
    SettingsRegistry = g_hive.get();
}

void ReleaseSettingsRegistry() {
    SettingsRegistry = nullptr;
    g_hive.reset();
}

QString RegReadString(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return QString();
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteString(subkey, name, QString());
        return QString();
    }
    if (v->kind == HiveKind::Dword) return QString::number(v->number);
    return v->text;
}

qint32 RegReadInteger(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return 0;
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteDword(subkey, name, 0);
        return 0;
    }
    if (v->kind == HiveKind::String) return ParseInteger(v->text).value_or(0);
    return v->number;
}

bool RegReadBool(const QString &subkey, const QString &name) {
    auto *h = Hive();
    if (!h) return false;
    const auto v = h->value(KeyOf(subkey), name);
    if (!v) {
        WriteDword(subkey, name, 0);
        return false;
    }
    if (v->kind == HiveKind::String) return ParseInteger(v->text).value_or(0) != 0;
    return v->number != 0;
}

void RegWriteBool(const QString &subkey, const QString &name, bool value) { WriteDword(subkey, name, value ? 1 : 0); }

void RegWriteValue(int kind, const QString &subkey, const QString &name, qint32 intValue, const QString &stringValue) {
    if (kind == 1) WriteDword(subkey, name, intValue);
    else if (kind == 0) WriteString(subkey, name, stringValue);
}

bool SettingsKeyExists() { return Hive() && Hive()->keyExists(QStringLiteral("Software\\zelmor")); }

void WriteDefaultSettings() {
    const QString qso = QStringLiteral("zelmor\\qso"), main = QStringLiteral("zelmor\\главное"),
                  menu = QStringLiteral("zelmor\\qso\\menu"), find = QStringLiteral("zelmor\\поиск"),
                  report = QStringLiteral("zelmor\\отчет"), qsl = QStringLiteral("zelmor\\qsl");
    auto S = [](const QString &k, const char *n, const QString &v) { RegWriteValue(0, k, QString::fromUtf8(n), 0, v); };
    auto N = [](const QString &k, const char *n, qint32 v) { RegWriteValue(1, k, QString::fromUtf8(n), v, QString()); };
    auto B = [](const QString &k, const char *n) { RegWriteBool(k, QString::fromUtf8(n), true); };

    S(main, "LPT", QStringLiteral("1"));
    N(qso, "cw по умолч.", 50);
    N(qso, "cw ускоренно", 37);
    N(qso, "PTT", 100);
    B(qso, "таб повторов");
    B(qso, "dig");
    B(qso, "Ветеран");
    B(menu, "диаграмма1");
    B(menu, "диаграмма5");
    B(qso, "строка-name");
    B(qso, "строка-QTH");
    B(qso, "таб.поиск.по перв. символ.");
    B(qso, "Ru_En");
    N(qso, "запись в файл", 112); // F1: the save-QSO hot key
    B(main, "com2");
    B(main, "FT-840");
    B(main, "главное окно");
    B(main, "qso окно");
    B(find, "колонка-call");
    B(find, "колонка-name");
    B(find, "колонка-qth");
    B(find, "колонка-date");
    B(find, "колонка-utc");
    B(find, "колонка-rsts");
    B(find, "колонка-qsl");
    S(qso, "GMT", QStringLiteral("0"));
    S(qso, "BAND", QStringLiteral("14  Mhz"));
    S(qso, "mode", QStringLiteral("SSB"));
    S(qso, "обход ENTER", QStringLiteral("CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,"));
    S(qso, "filelog", (ProgramDir.isEmpty() ? QDir::currentPath() : ProgramDir) + QStringLiteral("/test.log"));
    N(qso, "form-height", 487);
    N(qso, "form-width", 796);
    N(qso, "form-top", 85);
    N(qso, "form-left", 5);
    S(report, "fontnam", QStringLiteral("ms sans serif"));
    S(report, "fontsiz", QStringLiteral("9"));
    S(report, "fontcol", QStringLiteral("0"));
    B(qso, "mixer11");
    B(qso, "mixer12");
    B(qso, "mixer13");
    B(qso, "mixer14");
    S(main, "шрифт на конверт", QStringLiteral("time new roman"));
    S(qsl, "максQSO", QStringLiteral("1"));
    B(qsl, "отправить Qsl");

    // The log grid loads its widths (each read creates "размер колонки"N as
    // 0, and 0 means 80 pixels), then stores which columns are shown.
    for (int n = 0; n < LogGridColumnCount; ++n) {
        const qint32 stored = RegReadInteger(qso, QStringLiteral("размер колонки") + QString::number(n));
        const int width = stored == 0 ? 80 : stored;
        RegWriteValue(1, qso, QStringLiteral("колонка-") + QString::number(n), width != 0 ? 1 : 0, QString());
    }
    for (int n = 0; n <= 20; ++n) RegWriteValue(1, qsl, QStringLiteral("данные") + QString::number(n), 20, QString());

    if (WriteDefaultSettingsDialogHook) WriteDefaultSettingsDialogHook();
}

bool DetectFirstStart() {
    if (!Hive() || SettingsKeyExists()) return false;
    WriteDefaultSettings();
    return true;
}

} // namespace zelmor
