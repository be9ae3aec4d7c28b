// The settings catalogue: the table against the tables of values it was
// written from, the first start through its rows, and how a row takes a
// stored value that is missing, of another kind or out of range.
#include "app/allwindows.h"
#include "logbook/form1.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "station/settingsloader.h"
#include "tests/testsupport.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSet>
#include <algorithm>

using namespace zelmor;

namespace {

// subkey|name|kind|default, as the tables of values give them. "{a..b}" is a
// family with that index range, "{n}" one bounded by a count value.
const char kTables[] = R"(
zelmor\qso|GMT|S|0
zelmor\qso|BAND|S|14  Mhz
zelmor\qso|mode|S|SSB
zelmor\qso|vid_qso|S|
zelmor\qso|filelog|S|{ProgramDir}/test.log
zelmor\qso|обход ENTER|S|CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,
zelmor\qso|путь к файлу EXE|S|
zelmor\qso|cw по умолч.|N|50
zelmor\qso|cw ускоренно|N|37
zelmor\qso|PTT|N|100
zelmor\qso|запись в файл|N|112
zelmor\qso|DELET CALL|N|0
zelmor\qso|запись через ENTER|B|0
zelmor\qso|Ru_En|B|1
zelmor\qso|автом MODE|B|0
zelmor\qso|Name_qth|B|0
zelmor\qso|qslmng|B|0
zelmor\qso|qslRotat|B|0
zelmor\qso|таб повторов|B|1
zelmor\qso|таб.поиск.по перв. символ.|B|1
zelmor\qso|rxtx_1|B|0
zelmor\qso|rxtx_call|B|0
zelmor\qso|dig|B|1
zelmor\qso|Ветеран|B|1
zelmor\qso|agb|B|0
zelmor\qso|kdr|B|0
zelmor\qso|hfc|B|0
zelmor\qso|rcc|B|0
zelmor\qso|srvs|B|0
zelmor\qso|строка-name|B|1
zelmor\qso|строка-QTH|B|1
zelmor\qso|строка-time|B|0
zelmor\qso|строка-date|B|0
zelmor\qso|строка-band|B|0
zelmor\qso|строка-mode|B|0
zelmor\qso|строка-qsl|B|0
zelmor\qso|строка-rsts|B|0
zelmor\qso|строка-rstr|B|0
zelmor\qso|строка-Очки|B|0
zelmor\qso|строка-via|B|0
zelmor\qso|строка-iota|B|0
zelmor\qso|строка-freq|B|0
zelmor\qso|строка-qthl|B|0
zelmor\qso|Звук повтора|B|0
zelmor\qso|Звук страны|B|0
zelmor\qso|Звук для повтора|S|
zelmor\qso|Звук для нов страны|S|
zelmor\qso|CW строка{1..12}|S|
zelmor\qso|ком строка{1..4}|B|0
zelmor\qso|ком строка №{1..10}|S|
zelmor\qso|DATE?|B|0
zelmor\qso|DATE месяц|S|
zelmor\qso|DATE ГОД|S|
zelmor\qso|F{2..7}|S|
zelmor\qso|mixer{1..4}|N|0
zelmor\qso|mixer11|B|1
zelmor\qso|mixer12|B|1
zelmor\qso|mixer13|B|1
zelmor\qso|mixer14|B|1
zelmor\qso|form-top|N|85
zelmor\qso|form-left|N|5
zelmor\qso|form-height|N|487
zelmor\qso|form-width|N|796
zelmor\qso|размер колонки{0..19}|N|0
zelmor\qso|колонка-{0..19}|N|0
zelmor\qso\qsl|qsl_band|B|0
zelmor\qso\qsl|кол QSO|S|
zelmor\qso\qsl|QSL кроме свое. страны|B|0
zelmor\qso\qsl|qsl _dx|B|0
zelmor\qso\menu|диаграмма1|B|1
zelmor\qso\menu|диаграмма3|B|0
zelmor\qso\menu|диаграмма4|B|0
zelmor\qso\menu|диаграмма5|B|1
zelmor\qso\menu|диаграмма6|B|0
zelmor\главное|com1|B|0
zelmor\главное|com2|B|1
zelmor\главное|com3|B|0
zelmor\главное|com4|B|0
zelmor\главное|FT-840|B|1
zelmor\главное|FT-890|B|0
zelmor\главное|FT-990|B|0
zelmor\главное|FT-990_2|B|0
zelmor\главное|FT-920|B|0
zelmor\главное|FT-1000MP|B|0
zelmor\главное|Kenwood|B|0
zelmor\главное|Skorost|S|
zelmor\главное|LPT|S|1
zelmor\главное|cw_ssb|B|0
zelmor\главное|notb|B|0
zelmor\главное|del_f|B|0
zelmor\главное|звук таймера|B|0
zelmor\главное|RXTX окно|B|0
zelmor\главное|главное окно|B|1
zelmor\главное|qso окно|B|1
zelmor\главное|soundblaster|B|0
zelmor\главное|шрифт на конверт|S|time new roman
zelmor\главное|цвет на конверт|N|0
zelmor\главное|form-top|N|0
zelmor\главное|form-left|N|0
zelmor\qsl|получено Qsl|B|0
zelmor\qsl|отправлено Qsl|B|0
zelmor\qsl|отправить Qsl|B|1
zelmor\qsl|кроме своей|B|0
zelmor\qsl|Повт отпр Qsl|B|0
zelmor\qsl|Повт отпр Qsl1|B|0
zelmor\qsl|максQSO|S|1
zelmor\qsl|ориентировка|N|0
zelmor\qsl|данные{0..20}|N|20
zelmor\qsl|вертикаль1|N|0
zelmor\qsl|горизонталь1|N|0
zelmor\qsl|вертикаль|S|
zelmor\qsl|горизонталь|S|
zelmor\qsl|qsl_file|S|
zelmor\qsl|tqsl|B|0
zelmor\qsl|tqsli|B|0
zelmor\qsl|tqsln|B|0
zelmor\qsl|qsl5|B|0
zelmor\qsl|obratstr|B|0
zelmor\qsl|qsledit|B|0
zelmor\qsl|n31|B|0
zelmor\qsl|qq1ax1|B|0
zelmor\qsl|qq2bxy1|B|0
zelmor\qsl|qq3cx1|B|0
zelmor\qsl|qq4dx1|B|0
zelmor\qsl|qq5ex1|B|0
zelmor\qsl|qq6fx11|B|0
zelmor\qsl|qq6fx21|B|0
zelmor\qsl|qq7gx1|B|0
zelmor\qsl|lichnay|B|0
zelmor\qsl|цвет верхней|N|0
zelmor\qsl|размер верхней|N|0
zelmor\qsl|шрифт верхней|S|
zelmor\qsl|цвет средней|N|0
zelmor\qsl|размер средней|N|0
zelmor\qsl|шрифт средней|S|
zelmor\qsl|цвет нижней|N|0
zelmor\qsl|размер нижней|N|0
zelmor\qsl|шрифт нижней|S|
zelmor\qsl|form-top|N|0
zelmor\qsl|form-left|N|0
zelmor\colbook|colbook|S|
zelmor\colbook|Colbook_CD|S|
zelmor\таймер|кол|N|0
zelmor\таймер|дата{n}|S|
zelmor\таймер|время{n}|S|
zelmor\таймер|информ{n}|S|
zelmor\ant|ant{1..10}|S|
zelmor\award|кол дипломов|N|0
zelmor\award|award{n}|S|
zelmor\award|преф{n}|S|
zelmor\award|3знак{n}|S|
zelmor\award|Суф{n}|S|
zelmor\award|кол QSO{n}|S|
zelmor\award|кол очков{n}|S|
zelmor\award|подс очков{n}|B|0
zelmor\award|Повторы{n}|B|0
zelmor\award|Date{n}|S|
zelmor\award|info{n}|S|
zelmor\award|ФИО{n}|S|
zelmor\отчет|fontnam|S|ms sans serif
zelmor\отчет|fontsiz|S|9
zelmor\отчет|fontcol|S|0
zelmor\отчет|font{1..5}|S|
zelmor\поиск|размер колонки{0..23}|N|0
zelmor\поиск|колонка-{0..23}|N|1
zelmor\поиск|колонка-call|B|1
zelmor\поиск|колонка-name|B|1
zelmor\поиск|колонка-qth|B|1
zelmor\поиск|колонка-ochk|B|0
zelmor\поиск|колонка-date|B|1
zelmor\поиск|колонка-utc|B|1
zelmor\поиск|колонка-rsts|B|1
zelmor\поиск|колонка-qsl|B|1
zelmor\поиск|колонка-rstr|B|0
zelmor\поиск|колонка-qthl|B|0
zelmor\поиск|колонка-mode|B|0
zelmor\поиск|колонка-band|B|0
zelmor\поиск|колонка-страна|B|0
zelmor\поиск|колонка-waz|B|0
zelmor\поиск|колонка-info|B|0
zelmor\поиск|колонка-itu|B|0
zelmor\posta|x1|N|0
zelmor\posta|y1|N|0
zelmor\posta|posta4|S|
zelmor\BMP|BMP1|S|
zelmor\BMP|BMP2|S|
zelmor\adbox|form-top|N|0
zelmor\adbox|form-left|N|0
zelmor\map|form-top|N|0
zelmor\map|form-left|N|0
zelmor\news|form-top|N|0
zelmor\news|form-left|N|0
zelmor\qsl_edit|form-top|N|0
zelmor\qsl_edit|form-left|N|0
zelmor\find|form-top|N|0
zelmor\find|form-left|N|0
zelmor\station|call|S|
zelmor\station|name|S|
zelmor\station|name_lat|S|
zelmor\station|address|S|
zelmor\station|e-mail|S|
zelmor\station|latitude|S|
zelmor\station|longitude|S|
zelmor\station|itu|S|
zelmor\station|waz|S|
zelmor\station|country|S|
zelmor\station|continent|S|
)";

// The first-start table, in its order.
const char kFirstStart[] = R"(
zelmor\главное|LPT|S|1
zelmor\qso|cw по умолч.|N|50
zelmor\qso|cw ускоренно|N|37
zelmor\qso|PTT|N|100
zelmor\qso|таб повторов|B|1
zelmor\qso|dig|B|1
zelmor\qso|Ветеран|B|1
zelmor\qso\menu|диаграмма1|B|1
zelmor\qso\menu|диаграмма5|B|1
zelmor\qso|строка-name|B|1
zelmor\qso|строка-QTH|B|1
zelmor\qso|таб.поиск.по перв. символ.|B|1
zelmor\qso|Ru_En|B|1
zelmor\qso|запись в файл|N|112
zelmor\главное|com2|B|1
zelmor\главное|FT-840|B|1
zelmor\главное|главное окно|B|1
zelmor\главное|qso окно|B|1
zelmor\поиск|колонка-call|B|1
zelmor\поиск|колонка-name|B|1
zelmor\поиск|колонка-qth|B|1
zelmor\поиск|колонка-date|B|1
zelmor\поиск|колонка-utc|B|1
zelmor\поиск|колонка-rsts|B|1
zelmor\поиск|колонка-qsl|B|1
zelmor\qso|GMT|S|0
zelmor\qso|BAND|S|14  Mhz
zelmor\qso|mode|S|SSB
zelmor\qso|обход ENTER|S|CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,
zelmor\qso|filelog|S|{ProgramDir}/test.log
zelmor\qso|form-height|N|487
zelmor\qso|form-width|N|796
zelmor\qso|form-top|N|85
zelmor\qso|form-left|N|5
zelmor\отчет|fontnam|S|ms sans serif
zelmor\отчет|fontsiz|S|9
zelmor\отчет|fontcol|S|0
zelmor\qso|mixer11|B|1
zelmor\qso|mixer12|B|1
zelmor\qso|mixer13|B|1
zelmor\qso|mixer14|B|1
zelmor\главное|шрифт на конверт|S|time new roman
zelmor\qsl|максQSO|S|1
zelmor\qsl|отправить Qsl|B|1
)";

QStringList Lines(const char *text) { return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts); }

QString Notation(const SettingRow &r) {
    QString name = QString::fromUtf8(r.name);
    if (IsFamily(r))
        name += r.count != SettingId::Count ? QStringLiteral("{n}") : QStringLiteral("{%1..%2}").arg(r.first).arg(r.last);
    return QStringLiteral("%1|%2|%3|%4").arg(QString::fromUtf8(r.subkey), name, QChar(char(r.kind)), QString::fromUtf8(r.fallback));
}

std::optional<HiveValue> Raw(SettingId id, int index = -1) {
    return SettingsRegistry->value(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index));
}
void Store(SettingId id, int index, const HiveValue &v) {
    ASSERT_TRUE(SettingsRegistry->setValue(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index), v));
}

class SettingsCatalogueTest : public test::ProgramFolderTest {};

} // namespace

TEST(SettingsCatalogue, RowsAreTheTablesOfValues) {
    QStringList table;
    for (const SettingRow &r : SettingsCatalogue()) table << Notation(r);
    QStringList expected = Lines(kTables);
    for (const QString &line : expected) EXPECT_TRUE(table.contains(line)) << "missing: " << line.toStdString();
    for (const QString &line : table) EXPECT_TRUE(expected.contains(line)) << "not in the tables: " << line.toStdString();
    EXPECT_EQ(table.size(), expected.size());

    QStringList firstStart;
    for (SettingId id : FirstStartRows()) firstStart << Notation(Setting(id));
    EXPECT_EQ(firstStart, Lines(kFirstStart));
    for (int i = 0; i < int(FirstStartRows().size()); ++i) EXPECT_EQ(Setting(FirstStartRows()[i]).firstStart, i + 1);
}

TEST(SettingsCatalogue, EveryStoredNameBelongsToOneRowAndEveryLoadedRowHasATarget) {
    QSet<QString> seen;
    for (const SettingRow &r : SettingsCatalogue()) {
        SCOPED_TRACE(Notation(r).toStdString());
        EXPECT_EQ(&Setting(r.id), &r) << "rows stand in the order of their ids";
        const int first = IsFamily(r) ? r.first : -1, last = IsFamily(r) ? std::min(r.last, 40) : -1;
        for (int i = first; i <= last; ++i) {
            const QString key = (SettingSubkey(r.id) + u'|' + SettingName(r.id, i)).toUpper();
            EXPECT_FALSE(seen.contains(key)) << "named twice: " << key.toStdString();
            seen.insert(key);
            if (r.step > 0) EXPECT_FALSE(SettingTarget(r.id, i).isEmpty());
        }
    }
    // The loader's order: by step, the order inside a step kept.
    const auto order = LoaderOrder();
    EXPECT_TRUE(std::is_sorted(order.begin(), order.end(),
                               [](SettingId a, SettingId b) { return Setting(a).step < Setting(b).step; }));
    const auto at = [&](SettingId id) { return std::find(order.begin(), order.end(), id) - order.begin(); };
    EXPECT_LT(at(SettingId::Ft840), at(SettingId::Ft1000mp));
    EXPECT_LT(at(SettingId::Ft890), at(SettingId::Kenwood));
    EXPECT_LT(at(SettingId::Kenwood), at(SettingId::Com1));
    EXPECT_LT(at(SettingId::QslOriginXLegacy), at(SettingId::QslOriginYLegacy));
}

TEST(SettingsCatalogue, FamilyMembersHaveTheirOwnNamesAndTargets) {
    const struct {
        SettingId id;
        int index;
        const char *name, *target;
    } cases[] = {
        {SettingId::CwText, 6, "CW строка6", "fcw/cwEdit6"},
        {SettingId::CwText, 7, "CW строка7", "fcw/cwf2"},
        {SettingId::CwText, 12, "CW строка12", "fcw/cwf7"},
        {SettingId::CommandText, 10, "ком строка №10", "fcw/comstrcw100"},
        {SettingId::CommandOn, 1, "ком строка1", "Nastroy/cwcom10"},
        {SettingId::VoiceFile, 2, "F2", "Nastroy/Edit22"},
        {SettingId::VoiceFile, 4, "F4", "Nastroy/Edit30"},
        {SettingId::AntennaName, 10, "ant10", "Ant/an10"},
        {SettingId::LogGridShown, 0, "колонка-0", "form1/str11"},
        {SettingId::ReminderInfo, 123, "информ123", "time_r/strtimer"},
        {SettingId::Band, -1, "BAND", "form1/cb1"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(SettingName(c.id, c.index), QString::fromUtf8(c.name));
        EXPECT_EQ(SettingTarget(c.id, c.index), QString::fromUtf8(c.target));
    }
}

TEST_F(SettingsCatalogueTest, AFirstStartStoresEveryDefaultInItsKindAndTheLook) {
    WriteDefaultSettingsDialogHook = WriteDefaultDialogSettings;
    ASSERT_TRUE(DetectFirstStart());
    WriteDefaultSettingsDialogHook = nullptr;
    for (SettingId id : FirstStartRows()) {
        SCOPED_TRACE(Notation(Setting(id)).toStdString());
        const auto v = Raw(id);
        ASSERT_TRUE(v);
        if (Setting(id).kind == SettingKind::S) {
            EXPECT_EQ(v->kind, HiveKind::String);
            EXPECT_EQ(v->text, SettingDefaultText(id));
        } else {
            EXPECT_EQ(v->kind, HiveKind::Dword);
            EXPECT_EQ(v->number, SettingDefaultNumber(id));
        }
    }
    EXPECT_EQ(Raw(SettingId::LogFile)->text, path("test.log"));
    EXPECT_EQ(Raw(SettingId::Look)->text, "Авангард");
    // Every value of the whole table then loads clean: no default had to
    // stand in for a stored value.
    SettingsBatch batch;
    for (const SettingRow &r : SettingsCatalogue())
        EXPECT_FALSE(LoadSetting(r.id, IsFamily(r) ? r.first : -1).defaulted) << Notation(r).toStdString();
}

TEST_F(SettingsCatalogueTest, AStoredValueOfAnotherKindOrOutOfRangeLoadsAsTheDefaultAndStays) {
    const struct {
        SettingId id;
        int index;
        HiveValue stored;
        const char *text;
        qint32 number;
        bool defaulted;
    } cases[] = {
        {SettingId::Ptt, -1, HiveValue::dword(250), "250", 250, false},
        {SettingId::Ptt, -1, HiveValue::string("250"), "250", 250, false},
        {SettingId::Ptt, -1, HiveValue::string("250 ms"), "100", 100, true},
        {SettingId::Ptt, -1, HiveValue::dword(5000), "100", 100, true},
        {SettingId::Ptt, -1, HiveValue::dword(0), "100", 100, true},
        {SettingId::CwNormal, -1, HiveValue::dword(29), "50", 50, true},
        {SettingId::CwFast, -1, HiveValue::dword(100), "100", 100, false},
        {SettingId::RuEn, -1, HiveValue::string("0"), "0", 0, false},
        {SettingId::RuEn, -1, HiveValue::string("yes"), "1", 1, true},
        {SettingId::RuEn, -1, HiveValue::dword(7), "1", 1, false}, // any non-zero number is true
        {SettingId::Gmt, -1, HiveValue::dword(-3), "-3", -3, false},
        {SettingId::SaveKey, -1, HiveValue::dword(0x4044), "16452", 0x4044, false},
        {SettingId::SaveKey, -1, HiveValue::dword(0x1044), "112", 112, true},
        {SettingId::SaveKey, -1, HiveValue::dword(0x4000), "112", 112, true},
        {SettingId::SaveKey, -1, HiveValue::dword(0), "112", 112, true},
        {SettingId::ClearCallKey, -1, HiveValue::dword(0), "0", 0, false},
        {SettingId::ClearCallKey, -1, HiveValue::dword(0x8000 | 0x2000 | 0x71), "41073", 0xA071, false},
        {SettingId::StickerGap, -1, HiveValue::dword(421), "0", 0, true},
        {SettingId::QslPerCard, -1, HiveValue::string("0"), "1", 0, true},
        {SettingId::QslPerCard, -1, HiveValue::string(""), "", 0, false},
        {SettingId::QslPerCard, -1, HiveValue::string("99"), "99", 0, false},
        {SettingId::QslData, 14, HiveValue::dword(9), "20", 20, true},
        {SettingId::QslData, 14, HiveValue::dword(126), "126", 126, false},
        {SettingId::QslData, 15, HiveValue::dword(135), "20", 20, true},
        {SettingId::QslData, 3, HiveValue::dword(-400), "-400", -400, false},
        {SettingId::MixerLevel, 2, HiveValue::dword(65536), "0", 0, true},
        {SettingId::ReminderCount, -1, HiveValue::dword(2000000000), "0", 0, true},
        {SettingId::AwardCount, -1, HiveValue::dword(-1), "0", 0, true},
        {SettingId::LogGridWidth, 4, HiveValue::dword(-5), "0", 0, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 = %2%3").arg(SettingName(c.id, c.index), c.stored.text).arg(c.stored.number).toStdString());
        Store(c.id, c.index, c.stored);
        const LoadedSetting got = LoadSetting(c.id, c.index);
        EXPECT_EQ(got.text, QString::fromUtf8(c.text));
        if (Setting(c.id).kind != SettingKind::S) EXPECT_EQ(got.number, c.number);
        EXPECT_EQ(got.defaulted, c.defaulted);
        const auto raw = Raw(c.id, c.index);
        ASSERT_TRUE(raw);
        EXPECT_EQ(raw->kind, c.stored.kind) << "the stored value stays as it was";
        EXPECT_EQ(raw->text, c.stored.text);
        EXPECT_EQ(raw->number, c.stored.number);
    }
}

TEST_F(SettingsCatalogueTest, AMissingValueIsCreatedAsItsRowSays) {
    // As the store does.
    EXPECT_EQ(LoadSetting(SettingId::CatSpeed).text, "");
    EXPECT_EQ(Raw(SettingId::CatSpeed)->kind, HiveKind::String);
    EXPECT_EQ(LoadSetting(SettingId::Ptt).number, 0);
    EXPECT_EQ(Raw(SettingId::Ptt)->kind, HiveKind::Dword);
    // A search-grid column never stored shows, and is created shown.
    const LoadedSetting shown = LoadSetting(SettingId::SearchGridShown, 21);
    EXPECT_EQ(shown.number, 1);
    EXPECT_EQ(Raw(SettingId::SearchGridShown, 21)->number, 1);
    // The personal-format origin is taken only when stored.
    EXPECT_FALSE(LoadSetting(SettingId::QslOriginY).present);
    EXPECT_FALSE(Raw(SettingId::QslOriginY));
}

TEST_F(SettingsCatalogueTest, WritesStoreTheRowsKindAndRefuseWhatCannotBeStored) {
    EXPECT_TRUE(WriteSetting(SettingId::Ptt, QStringLiteral("300")));
    EXPECT_EQ(Raw(SettingId::Ptt)->kind, HiveKind::Dword);
    EXPECT_EQ(Raw(SettingId::Ptt)->number, 300);
    EXPECT_TRUE(WriteSetting(SettingId::FieldTime, qint32(5)));
    EXPECT_EQ(Raw(SettingId::FieldTime)->number, 1);
    EXPECT_TRUE(WriteSetting(SettingId::QslPerCard, qint32(3)));
    EXPECT_EQ(Raw(SettingId::QslPerCard)->text, "3");
    EXPECT_TRUE(WriteSetting(SettingId::Look, "Классический"));
    EXPECT_EQ(Raw(SettingId::Look)->text, "Классический");
    EXPECT_TRUE(WriteSetting(SettingId::Gmt, "?")) << "a real question mark is text like any other";

    EXPECT_FALSE(WriteSetting(SettingId::Ptt, QStringLiteral("fast")));
    EXPECT_EQ(Raw(SettingId::Ptt)->number, 300);
    EXPECT_FALSE(WriteSetting(SettingId::AntennaName, "x", 11)) << "outside the family";
    EXPECT_FALSE(Raw(SettingId::AntennaName, 11));
    EXPECT_TRUE(test::Dialogs().messages().empty());

    // A path cp1251 cannot hold is not stored as "?", and the operator hears of it.
    EXPECT_TRUE(WriteSetting(SettingId::CallbookFile, "/home/ivan/cb.dbf"));
    EXPECT_FALSE(WriteSetting(SettingId::CallbookFile, "/home/jürgen/cb.dbf"));
    EXPECT_EQ(Raw(SettingId::CallbookFile)->text, "/home/ivan/cb.dbf");
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("jürgen"));
}

TEST_F(SettingsCatalogueTest, TheLoaderReadsThroughTheRowsAndSaysWhenTheStoredLogIsMissing) {
    CreateAllWindows();
    ASSERT_TRUE(DetectFirstStart());
    ASSERT_TRUE(WriteSetting(SettingId::Band, "7.0 Mhz"));
    StatusText.clear();
    LoadSettings();
    EXPECT_EQ(form1->cb1->text(), "7.0 Mhz");
    EXPECT_EQ(LogFileName, "test.log");
    EXPECT_EQ(StatusText, "") << "the first start's own log is not missing, only not made yet";

    // Loading a hive that holds every value it reads stores nothing.
    const QString file = SettingsRegistry->filePath();
    const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    const QDateTime mtime = QFileInfo(file).lastModified();
    LoadSettings();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_EQ(QFileInfo(file).lastModified(), mtime);

    ASSERT_TRUE(WriteSetting(SettingId::LogFile, path("gone.log")));
    LoadSettings();
    EXPECT_EQ(LogFileName, "test.log");
    EXPECT_TRUE(StatusText.contains("gone.log")) << StatusText.toStdString();
    EXPECT_EQ(Raw(SettingId::LogFile)->text, path("gone.log")) << "the stored name stays";
    DestroyAllWindows();
}
