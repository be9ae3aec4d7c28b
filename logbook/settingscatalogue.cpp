#include "logbook/settingscatalogue.h"

#include "common/codepage.h"
#include "common/text.h"
#include "logbook/settingsstore.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

namespace zelmor {

namespace {
const char kQso[] = "zelmor\\qso";
const char kQsoQsl[] = "zelmor\\qso\\qsl";
const char kQsoMenu[] = "zelmor\\qso\\menu";
const char kMain[] = "zelmor\\главное";
const char kQsl[] = "zelmor\\qsl";
const char kColbook[] = "zelmor\\colbook";
const char kTimer[] = "zelmor\\таймер";
const char kAnt[] = "zelmor\\ant";
const char kAward[] = "zelmor\\award";
const char kReport[] = "zelmor\\отчет";
const char kFind[] = "zelmor\\поиск";
const char kPosta[] = "zelmor\\posta";
const char kBmp[] = "zelmor\\BMP";
const char kAdbox[] = "zelmor\\adbox";
const char kMap[] = "zelmor\\map";
const char kNews[] = "zelmor\\news";
const char kQslEdit[] = "zelmor\\qsl_edit";
const char kFindPlace[] = "zelmor\\find";
const char kStation[] = "zelmor\\station";

constexpr SettingKind S = SettingKind::S, B = SettingKind::B, N = SettingKind::N;
using C = SettingCodec;
using W = SettingWrite;

// Order that matters, for the loader built on these rows:
// - first-start detection runs before any read: it judges the hive as
//   opened, and a read creates "Software\zelmor";
// - the whole load runs before the purge question (del_f), the UTC timer,
//   opening the log, the CAT link (n22) and any window showing;
// - inside it, by step: the look (14) before the placement (33); the radio
//   model and port (26) and "Skorost" (27) before the CAT speed rule (29);
//   "soundblaster" (31) before the mixer (32); "данные" before
//   "горизонталь"/"вертикаль" before the block marker (40, 41);
// - radio groups load with exclusivity off: none true leaves none checked,
//   the last true loaded wins.
std::vector<SettingRow> BuildTable() {
    using enum SettingId;
    return {
        {.id = Gmt, .subkey = kQso, .name = "GMT", .kind = S, .fallback = "0", .firstStart = 26, .step = 13, .order = 1, .target = "gmtf/utc", .codec = C::Text, .written = W::Owner},
        {.id = Band, .subkey = kQso, .name = "BAND", .kind = S, .fallback = "14  Mhz", .firstStart = 27, .step = 13, .order = 2, .target = "form1/cb1", .codec = C::Combo, .written = W::Owner, .changeEffect = "bandComplete"},
        {.id = Mode, .subkey = kQso, .name = "mode", .kind = S, .fallback = "SSB", .firstStart = 28, .step = 13, .order = 3, .target = "form1/cb2", .codec = C::Combo, .written = W::Owner},
        // The first start stores "Авангард" (the dialog's first-start step), so it shows that look at once.
        {.id = Look, .subkey = kQso, .name = "vid_qso", .kind = S, .fallback = "", .step = 14, .target = "Nastroy/vid_qso", .codec = C::Combo, .written = W::Change, .loadEffect = "applyLook"},
        // A name of no existing file loads "test.log", and the operator is told; the stored name stays.
        {.id = LogFile, .subkey = kQso, .name = "filelog", .kind = S, .fallback = "{ProgramDir}/test.log", .firstStart = 30, .step = 20, .target = "global/LogFileName", .codec = C::Global, .written = W::Owner, .loadEffect = "logFileFallback"},
        {.id = EnterOrder, .subkey = kQso, .name = "обход ENTER", .kind = S, .fallback = "CALL,NAME,QTH,VIA,DATE,TIME,RSTR,RSTS,BAND,MODE,QSL,IOTA,FREQ,POINTS,QTHL,CALL,", .firstStart = 29, .step = 17, .order = 1, .target = "Nastroy/eentr", .codec = C::Text, .written = W::Change},
        {.id = ExePath, .subkey = kQso, .name = "путь к файлу EXE", .kind = S, .fallback = "", .step = 17, .order = 2, .target = "Nastroy/Edit7", .codec = C::Text, .written = W::Change},
        {.id = CwNormal, .subkey = kQso, .name = "cw по умолч.", .kind = N, .fallback = "50", .firstStart = 2, .step = 2, .order = 1, .target = "Nastroy/updo", .codec = C::Position, .min = 30, .max = 100, .written = W::Click, .loadEffect = "speedPanel", .changeEffect = "keyerTimer1"},
        {.id = CwFast, .subkey = kQso, .name = "cw ускоренно", .kind = N, .fallback = "37", .firstStart = 3, .step = 2, .order = 2, .target = "Nastroy/updo1", .codec = C::Position, .min = 30, .max = 100, .written = W::Click, .loadEffect = "speedPanel", .changeEffect = "keyerTimer3"},
        {.id = Ptt, .subkey = kQso, .name = "PTT", .kind = N, .fallback = "100", .firstStart = 4, .step = 12, .target = "Nastroy/UpDo10", .codec = C::Position, .min = 1, .max = 3000, .written = W::Click, .loadEffect = "pttDelay", .changeEffect = "pttDelay"},
        {.id = SaveKey, .subkey = kQso, .name = "запись в файл", .kind = N, .fallback = "112", .firstStart = 14, .step = 3, .order = 1, .target = "Nastroy/wKey1", .codec = C::HotKey, .min = 1, .max = 0xffff, .written = W::Exit},
        {.id = ClearCallKey, .subkey = kQso, .name = "DELET CALL", .kind = N, .fallback = "0", .step = 3, .order = 2, .target = "Nastroy/delcall", .codec = C::HotKey, .min = 0, .max = 0xffff, .written = W::Exit, .loadEffect = "callMenuShortcut", .changeEffect = "callMenuShortcut"},
        {.id = SaveWithEnter, .subkey = kQso, .name = "запись через ENTER", .kind = B, .fallback = "0", .step = 19, .order = 4, .target = "Nastroy/enterc", .codec = C::Check, .written = W::Click},
        {.id = RuEn, .subkey = kQso, .name = "Ru_En", .kind = B, .fallback = "1", .firstStart = 13, .step = 4, .order = 1, .target = "Nastroy/ru_en", .codec = C::Check, .written = W::Click},
        {.id = AutoMode, .subkey = kQso, .name = "автом MODE", .kind = B, .fallback = "0", .step = 4, .order = 2, .target = "Nastroy/avtmode", .codec = C::Check, .written = W::Click},
        {.id = NameQth, .subkey = kQso, .name = "Name_qth", .kind = B, .fallback = "0", .step = 8, .order = 1, .target = "Nastroy/Name_qth", .codec = C::Check, .written = W::Click},
        {.id = QslManager, .subkey = kQso, .name = "qslmng", .kind = B, .fallback = "0", .step = 28, .order = 7, .target = "Nastroy/mngpoisk", .codec = C::Check, .written = W::Click},
        {.id = QslRotate, .subkey = kQso, .name = "qslRotat", .kind = B, .fallback = "0", .step = 28, .order = 8, .target = "Nastroy/n15", .codec = C::Check, .written = W::Click},
        {.id = RepeatTable, .subkey = kQso, .name = "таб повторов", .kind = B, .fallback = "1", .firstStart = 5, .step = 31, .order = 2, .target = "Nastroy/n24", .codec = C::Check, .written = W::Click},
        {.id = FirstCharSearch, .subkey = kQso, .name = "таб.поиск.по перв. символ.", .kind = B, .fallback = "1", .firstStart = 12, .step = 27, .order = 3, .target = "Nastroy/n26", .codec = C::Check, .written = W::Click},
        {.id = RxtxOnCommand, .subkey = kQso, .name = "rxtx_1", .kind = B, .fallback = "0", .step = 26, .order = 12, .target = "Nastroy/rxtx_1", .codec = C::Check, .written = W::Click},
        {.id = RxtxWhileCall, .subkey = kQso, .name = "rxtx_call", .kind = B, .fallback = "0", .step = 26, .order = 13, .target = "Nastroy/rxtx_call", .codec = C::Check, .written = W::Click},
        {.id = ClubDig, .subkey = kQso, .name = "dig", .kind = B, .fallback = "1", .firstStart = 6, .step = 10, .order = 1, .target = "Nastroy/cdig", .codec = C::Check, .written = W::Click},
        {.id = ClubVeteran, .subkey = kQso, .name = "Ветеран", .kind = B, .fallback = "1", .firstStart = 7, .step = 10, .order = 2, .target = "Nastroy/cvet", .codec = C::Check, .written = W::Click},
        {.id = ClubAgb, .subkey = kQso, .name = "agb", .kind = B, .fallback = "0", .step = 4, .order = 3, .target = "Nastroy/cagb", .codec = C::Check, .written = W::Click},
        {.id = ClubKdr, .subkey = kQso, .name = "kdr", .kind = B, .fallback = "0", .step = 4, .order = 4, .target = "Nastroy/ckdr", .codec = C::Check, .written = W::Click},
        {.id = ClubHfc, .subkey = kQso, .name = "hfc", .kind = B, .fallback = "0", .step = 4, .order = 5, .target = "Nastroy/chfc", .codec = C::Check, .written = W::Click},
        {.id = ClubRcc, .subkey = kQso, .name = "rcc", .kind = B, .fallback = "0", .step = 4, .order = 6, .target = "Nastroy/crcc", .codec = C::Check, .written = W::Click},
        {.id = ClubSrvs, .subkey = kQso, .name = "srvs", .kind = B, .fallback = "0", .step = 4, .order = 7, .target = "Nastroy/Csrvs", .codec = C::Check, .written = W::Click},
        // "строка-time", "-date", "-QTH", "-name", "-Очки" are written as integers 0/1: the same stored form.
        {.id = FieldName, .subkey = kQso, .name = "строка-name", .kind = B, .fallback = "1", .firstStart = 10, .step = 10, .order = 3, .target = "Nastroy/tname", .codec = C::Check, .written = W::Click},
        {.id = FieldQth, .subkey = kQso, .name = "строка-QTH", .kind = B, .fallback = "1", .firstStart = 11, .step = 10, .order = 4, .target = "Nastroy/tqth", .codec = C::Check, .written = W::Click},
        {.id = FieldTime, .subkey = kQso, .name = "строка-time", .kind = B, .fallback = "0", .step = 10, .order = 5, .target = "Nastroy/tim1", .codec = C::Check, .written = W::Click},
        {.id = FieldDate, .subkey = kQso, .name = "строка-date", .kind = B, .fallback = "0", .step = 10, .order = 6, .target = "Nastroy/tdata1", .codec = C::Check, .written = W::Click},
        {.id = FieldBand, .subkey = kQso, .name = "строка-band", .kind = B, .fallback = "0", .step = 10, .order = 7, .target = "Nastroy/tcb2", .codec = C::Check, .written = W::Click},
        {.id = FieldMode, .subkey = kQso, .name = "строка-mode", .kind = B, .fallback = "0", .step = 10, .order = 8, .target = "Nastroy/tcb3", .codec = C::Check, .written = W::Click},
        {.id = FieldQsl, .subkey = kQso, .name = "строка-qsl", .kind = B, .fallback = "0", .step = 10, .order = 9, .target = "Nastroy/tqsl", .codec = C::Check, .written = W::Click},
        {.id = FieldRsts, .subkey = kQso, .name = "строка-rsts", .kind = B, .fallback = "0", .step = 10, .order = 10, .target = "Nastroy/trsts", .codec = C::Check, .written = W::Click},
        {.id = FieldRstr, .subkey = kQso, .name = "строка-rstr", .kind = B, .fallback = "0", .step = 10, .order = 11, .target = "Nastroy/trst", .codec = C::Check, .written = W::Click},
        {.id = FieldPoints, .subkey = kQso, .name = "строка-Очки", .kind = B, .fallback = "0", .step = 10, .order = 12, .target = "Nastroy/toch", .codec = C::Check, .written = W::Click},
        {.id = FieldVia, .subkey = kQso, .name = "строка-via", .kind = B, .fallback = "0", .step = 10, .order = 13, .target = "Nastroy/Tvia", .codec = C::Check, .written = W::Click},
        {.id = FieldIota, .subkey = kQso, .name = "строка-iota", .kind = B, .fallback = "0", .step = 10, .order = 14, .target = "Nastroy/tiota", .codec = C::Check, .written = W::Click},
        {.id = FieldFreq, .subkey = kQso, .name = "строка-freq", .kind = B, .fallback = "0", .step = 10, .order = 15, .target = "Nastroy/tfreq", .codec = C::Check, .written = W::Click},
        {.id = FieldQthl, .subkey = kQso, .name = "строка-qthl", .kind = B, .fallback = "0", .step = 10, .order = 16, .target = "Nastroy/Cqthl", .codec = C::Check, .written = W::Click},
        {.id = RepeatSoundOn, .subkey = kQso, .name = "Звук повтора", .kind = B, .fallback = "0", .step = 15, .order = 2, .target = "Nastroy/povmidi", .codec = C::Check, .written = W::Click},
        {.id = NewCountrySoundOn, .subkey = kQso, .name = "Звук страны", .kind = B, .fallback = "0", .step = 15, .order = 3, .target = "Nastroy/Newworld", .codec = C::Check, .written = W::Click},
        {.id = RepeatSound, .subkey = kQso, .name = "Звук для повтора", .kind = S, .fallback = "", .step = 15, .order = 1, .target = "Nastroy/Edit15", .codec = C::Text, .written = W::Change},
        {.id = NewCountrySound, .subkey = kQso, .name = "Звук для нов страны", .kind = S, .fallback = "", .step = 15, .order = 4, .target = "Nastroy/Edit16", .codec = C::Text, .written = W::Change},
        // cwEdit1-6 are F2-F7, cwf2-cwf7 are F8-F12 and Alt+F12.
        {.id = CwText, .subkey = kQso, .name = "CW строка", .kind = S, .fallback = "", .step = 16, .order = 1, .target = "fcw/cwEdit1|fcw/cwEdit2|fcw/cwEdit3|fcw/cwEdit4|fcw/cwEdit5|fcw/cwEdit6|fcw/cwf2|fcw/cwf3|fcw/cwf4|fcw/cwf5|fcw/cwf6|fcw/cwf7", .codec = C::Text, .written = W::Owner, .first = 1, .last = 12},
        {.id = CommandOn, .subkey = kQso, .name = "ком строка", .kind = B, .fallback = "0", .step = 16, .order = 2, .target = "Nastroy/cwcom10|Nastroy/cwcom11|Nastroy/cwcom12|Nastroy/cwcom13", .codec = C::Check, .written = W::Click, .first = 1, .last = 4},
        {.id = CommandText, .subkey = kQso, .name = "ком строка №", .kind = S, .fallback = "", .step = 16, .order = 3, .target = "fcw/comstrcw10|fcw/comstrcw20|fcw/comstrcw30|fcw/comstrcw40|fcw/comstrcw50|fcw/comstrcw60|fcw/comstrcw70|fcw/comstrcw80|fcw/comstrcw90|fcw/comstrcw100", .codec = C::Text, .written = W::Owner, .first = 1, .last = 10},
        {.id = KeepDate, .subkey = kQso, .name = "DATE?", .kind = B, .fallback = "0", .step = 19, .order = 1, .target = "Nastroy/data23", .codec = C::Check, .written = W::Click},
        {.id = DateMonth, .subkey = kQso, .name = "DATE месяц", .kind = S, .fallback = "", .step = 19, .order = 2, .target = "Nastroy/Edit4", .codec = C::Text, .written = W::Change},
        {.id = DateYear, .subkey = kQso, .name = "DATE ГОД", .kind = S, .fallback = "", .step = 19, .order = 3, .target = "Nastroy/Edit8", .codec = C::Text, .written = W::Change},
        {.id = VoiceFile, .subkey = kQso, .name = "F", .kind = S, .fallback = "", .step = 7, .target = "Nastroy/Edit22|Nastroy/Edit29|Nastroy/Edit30|Nastroy/Edit31|Nastroy/Edit32|Nastroy/Edit33", .codec = C::Text, .written = W::Owner, .first = 2, .last = 7},
        // Read only when "soundblaster" is set; the mixer's own level replaces the stored one.
        {.id = MixerLevel, .subkey = kQso, .name = "mixer", .kind = N, .fallback = "0", .step = 32, .order = 1, .target = "global/MixerLevels", .codec = C::Global, .min = 0, .max = 0xffff, .written = W::Owner, .loadEffect = "mixerLevels", .first = 1, .last = 4},
        {.id = MixerLine1, .subkey = kQso, .name = "mixer11", .kind = B, .fallback = "1", .firstStart = 38, .step = 32, .order = 2, .target = "form1/tlin", .codec = C::Check, .written = W::Click, .loadEffect = "mixerLine"},
        {.id = MixerLine2, .subkey = kQso, .name = "mixer12", .kind = B, .fallback = "1", .firstStart = 39, .step = 32, .order = 3, .target = "form1/tob1", .codec = C::Check, .written = W::Click, .loadEffect = "mixerLine"},
        {.id = MixerLine3, .subkey = kQso, .name = "mixer13", .kind = B, .fallback = "1", .firstStart = 40, .step = 32, .order = 4, .target = "form1/tob2", .codec = C::Check, .written = W::Click, .loadEffect = "mixerLine"},
        {.id = MixerLine4, .subkey = kQso, .name = "mixer14", .kind = B, .fallback = "1", .firstStart = 41, .step = 32, .order = 5, .target = "form1/tmc", .codec = C::Check, .written = W::Click, .loadEffect = "mixerLine"},
        {.id = QsoTop, .subkey = kQso, .name = "form-top", .kind = N, .fallback = "85", .firstStart = 33, .step = 33, .order = 1, .target = "form1", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = QsoLeft, .subkey = kQso, .name = "form-left", .kind = N, .fallback = "5", .firstStart = 34, .step = 33, .order = 2, .target = "form1", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = QsoHeight, .subkey = kQso, .name = "form-height", .kind = N, .fallback = "487", .firstStart = 31, .target = "form1", .codec = C::Place, .written = W::ShutDown},
        {.id = QsoWidth, .subkey = kQso, .name = "form-width", .kind = N, .fallback = "796", .firstStart = 32, .target = "form1", .codec = C::Place, .written = W::ShutDown},
        {.id = LogGridWidth, .subkey = kQso, .name = "размер колонки", .kind = N, .fallback = "0", .step = 6, .order = 1, .target = "form1/str11", .codec = C::ColumnWidth, .min = 0, .max = 0x7fffffff, .written = W::ShutDown, .first = 0, .last = 19},
        {.id = LogGridShown, .subkey = kQso, .name = "колонка-", .kind = N, .fallback = "0", .step = 6, .order = 2, .target = "form1/str11", .codec = C::ColumnShown, .written = W::Owner, .first = 0, .last = 19},
        {.id = QslBand, .subkey = kQsoQsl, .name = "qsl_band", .kind = B, .fallback = "0", .step = 11, .order = 1, .target = "Nastroy/qslf1", .codec = C::Check, .written = W::Click},
        {.id = QslThreshold, .subkey = kQsoQsl, .name = "кол QSO", .kind = S, .fallback = "", .step = 9, .order = 2, .target = "Nastroy/eqslf1", .codec = C::Text, .written = W::Change},
        {.id = QslNotOwn, .subkey = kQsoQsl, .name = "QSL кроме свое. страны", .kind = B, .fallback = "0", .step = 11, .order = 2, .target = "Nastroy/qslf2", .codec = C::Check, .written = W::Click},
        {.id = QslDx, .subkey = kQsoQsl, .name = "qsl _dx", .kind = B, .fallback = "0", .step = 11, .order = 3, .target = "Nastroy/qslf3", .codec = C::Check, .written = W::Click},
        {.id = Chart1, .subkey = kQsoMenu, .name = "диаграмма1", .kind = B, .fallback = "1", .firstStart = 8, .step = 18, .order = 1, .target = "form1/D_QSO1", .codec = C::MenuItem, .written = W::Owner, .changeEffect = "redrawCharts"},
        {.id = Chart3, .subkey = kQsoMenu, .name = "диаграмма3", .kind = B, .fallback = "0", .step = 18, .order = 2, .target = "form1/D_QSO2", .codec = C::MenuItem, .written = W::Owner, .changeEffect = "redrawCharts"},
        {.id = Chart4, .subkey = kQsoMenu, .name = "диаграмма4", .kind = B, .fallback = "0", .step = 18, .order = 3, .target = "form1/D_QSL3", .codec = C::MenuItem, .written = W::Owner, .changeEffect = "redrawCharts"},
        {.id = Chart5, .subkey = kQsoMenu, .name = "диаграмма5", .kind = B, .fallback = "1", .firstStart = 9, .step = 18, .order = 4, .target = "form1/D_DXCC1", .codec = C::MenuItem, .written = W::Owner, .changeEffect = "redrawCharts"},
        {.id = Chart6, .subkey = kQsoMenu, .name = "диаграмма6", .kind = B, .fallback = "0", .step = 18, .order = 5, .target = "form1/D_DXCC2", .codec = C::MenuItem, .written = W::Owner, .changeEffect = "redrawCharts"},
        // Radio groups: any member becoming checked writes every member.
        {.id = Com1, .subkey = kMain, .name = "com1", .kind = B, .fallback = "0", .step = 26, .order = 8, .target = "Nastroy/om1", .codec = C::Radio, .written = W::Group, .loadEffect = "catPort", .changeEffect = "catPort"},
        {.id = Com2, .subkey = kMain, .name = "com2", .kind = B, .fallback = "1", .firstStart = 15, .step = 26, .order = 9, .target = "Nastroy/om2", .codec = C::Radio, .written = W::Group, .loadEffect = "catPort", .changeEffect = "catPort"},
        {.id = Com3, .subkey = kMain, .name = "com3", .kind = B, .fallback = "0", .step = 26, .order = 10, .target = "Nastroy/om3", .codec = C::Radio, .written = W::Group, .loadEffect = "catPort", .changeEffect = "catPort"},
        {.id = Com4, .subkey = kMain, .name = "com4", .kind = B, .fallback = "0", .step = 26, .order = 11, .target = "Nastroy/om4", .codec = C::Radio, .written = W::Group, .loadEffect = "catPort", .changeEffect = "catPort"},
        {.id = Ft840, .subkey = kMain, .name = "FT-840", .kind = B, .fallback = "1", .firstStart = 16, .step = 26, .order = 1, .target = "Nastroy/ft840", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Ft890, .subkey = kMain, .name = "FT-890", .kind = B, .fallback = "0", .step = 26, .order = 6, .target = "Nastroy/ft890", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Ft990, .subkey = kMain, .name = "FT-990", .kind = B, .fallback = "0", .step = 26, .order = 4, .target = "Nastroy/ft990", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Ft990_2, .subkey = kMain, .name = "FT-990_2", .kind = B, .fallback = "0", .step = 26, .order = 5, .target = "Nastroy/ft990_2", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Ft920, .subkey = kMain, .name = "FT-920", .kind = B, .fallback = "0", .step = 26, .order = 3, .target = "Nastroy/ft920", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Ft1000mp, .subkey = kMain, .name = "FT-1000MP", .kind = B, .fallback = "0", .step = 26, .order = 2, .target = "Nastroy/ft1000mp", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = Kenwood, .subkey = kMain, .name = "Kenwood", .kind = B, .fallback = "0", .step = 26, .order = 7, .target = "Nastroy/kenwood1", .codec = C::Radio, .written = W::Group, .loadEffect = "catCaption", .changeEffect = "catCaption"},
        {.id = CatSpeed, .subkey = kMain, .name = "Skorost", .kind = S, .fallback = "", .step = 27, .order = 2, .target = "Nastroy/skorost", .codec = C::Combo, .written = W::Change, .loadEffect = "catSpeed"},
        {.id = Lpt, .subkey = kMain, .name = "LPT", .kind = S, .fallback = "1", .firstStart = 1, .step = 23, .target = "Nastroy/RadioButton1|Nastroy/RadioButton3", .codec = C::LptChoice, .written = W::Group, .loadEffect = "lptPorts", .changeEffect = "lptPorts"},
        {.id = CwWithMode, .subkey = kMain, .name = "cw_ssb", .kind = B, .fallback = "0", .step = 1, .order = 2, .target = "Nastroy/cw_ssb", .codec = C::Check, .written = W::Click},
        {.id = Compact, .subkey = kMain, .name = "notb", .kind = B, .fallback = "0", .step = 8, .order = 3, .target = "Nastroy/Notb", .codec = C::Check, .written = W::Click},
        {.id = PurgeAtStart, .subkey = kMain, .name = "del_f", .kind = B, .fallback = "0", .step = 8, .order = 2, .target = "Nastroy/del_f", .codec = C::Check, .written = W::Click},
        {.id = ReminderSound, .subkey = kMain, .name = "звук таймера", .kind = B, .fallback = "0", .step = 22, .target = "Nastroy/n50", .codec = C::Check, .written = W::Click},
        {.id = CatAtStart, .subkey = kMain, .name = "RXTX окно", .kind = B, .fallback = "0", .step = 25, .order = 3, .target = "Nastroy/n22", .codec = C::Check, .written = W::Click},
        {.id = LauncherAutoHide, .subkey = kMain, .name = "главное окно", .kind = B, .fallback = "1", .firstStart = 17, .step = 25, .order = 1, .target = "Nastroy/glaw1", .codec = C::Check, .written = W::Click},
        {.id = QsoAtStart, .subkey = kMain, .name = "qso окно", .kind = B, .fallback = "1", .firstStart = 18, .step = 25, .order = 2, .target = "Nastroy/qso2", .codec = C::Check, .written = W::Click},
        {.id = SoundCard, .subkey = kMain, .name = "soundblaster", .kind = B, .fallback = "0", .step = 31, .order = 1, .target = "Nastroy/n21", .codec = C::Check, .written = W::Click},
        {.id = EnvelopeFont, .subkey = kMain, .name = "шрифт на конверт", .kind = S, .fallback = "time new roman", .firstStart = 42, .step = 24, .order = 2, .target = "global/EnvelopeFontName", .codec = C::Global, .written = W::Owner},
        {.id = EnvelopeColour, .subkey = kMain, .name = "цвет на конверт", .kind = N, .fallback = "0", .step = 24, .order = 1, .target = "global/EnvelopeFontColour", .codec = C::Global, .written = W::Owner},
        {.id = LauncherTop, .subkey = kMain, .name = "form-top", .kind = N, .fallback = "0", .target = "glawnf", .codec = C::Place, .written = W::ShutDown},
        {.id = LauncherLeft, .subkey = kMain, .name = "form-left", .kind = N, .fallback = "0", .target = "glawnf", .codec = C::Place, .written = W::ShutDown},
        {.id = QslReceived, .subkey = kQsl, .name = "получено Qsl", .kind = B, .fallback = "0", .step = 28, .order = 5, .target = "Nastroy/qso_2", .codec = C::Check, .written = W::Click},
        {.id = QslSent, .subkey = kQsl, .name = "отправлено Qsl", .kind = B, .fallback = "0", .step = 28, .order = 4, .target = "Nastroy/qso1", .codec = C::Check, .written = W::Click},
        {.id = QslToSend, .subkey = kQsl, .name = "отправить Qsl", .kind = B, .fallback = "1", .firstStart = 44, .step = 28, .order = 3, .target = "Nastroy/qsl3", .codec = C::Check, .written = W::Click},
        {.id = QslNotOwnCountry, .subkey = kQsl, .name = "кроме своей", .kind = B, .fallback = "0", .step = 28, .order = 6, .target = "Nastroy/n9", .codec = C::Check, .written = W::Click},
        {.id = QslResend, .subkey = kQsl, .name = "Повт отпр Qsl", .kind = B, .fallback = "0", .step = 28, .order = 2, .target = "Nastroy/qsobanda1", .codec = C::Check, .written = W::Click},
        {.id = QslResend1, .subkey = kQsl, .name = "Повт отпр Qsl1", .kind = B, .fallback = "0", .step = 28, .order = 1, .target = "Nastroy/No_qso", .codec = C::Check, .written = W::Click},
        {.id = QslPerCard, .subkey = kQsl, .name = "максQSO", .kind = S, .fallback = "1", .firstStart = 43, .step = 9, .order = 1, .target = "Nastroy/edit20", .codec = C::Text, .min = 1, .max = 99, .written = W::Change},
        {.id = StickerGap, .subkey = kQsl, .name = "ориентировка", .kind = N, .fallback = "0", .step = 39, .target = "Nastroy/updown1", .codec = C::Position, .min = 0, .max = 420, .written = W::Change, .loadEffect = "gapText", .changeEffect = "stickerRows"},
        // Entries 0-18 load from here; 19 and 20 from the origin values below.
        {.id = QslData, .subkey = kQsl, .name = "данные", .kind = N, .fallback = "20", .step = 40, .order = 1, .target = "global/QslPositionTable", .codec = C::Global, .written = W::Owner, .loadEffect = "positionEntries0to18", .first = 0, .last = 20},
        // The origin in 1/12 preview pixel: taken only when stored (not created), else the legacy strings.
        {.id = QslOriginY, .subkey = kQsl, .name = "вертикаль1", .kind = N, .fallback = "0", .step = 40, .order = 4, .target = "Nastroy/sy", .codec = C::Position, .written = W::Change, .loadEffect = "positionEntry19", .changeEffect = "originPreview", .missing = SettingMissing::Skip},
        {.id = QslOriginX, .subkey = kQsl, .name = "горизонталь1", .kind = N, .fallback = "0", .step = 40, .order = 5, .target = "Nastroy/sx", .codec = C::Position, .written = W::Change, .loadEffect = "positionEntry20", .changeEffect = "originPreview", .missing = SettingMissing::Skip},
        {.id = QslOriginYLegacy, .subkey = kQsl, .name = "вертикаль", .kind = S, .fallback = "", .step = 40, .order = 3, .target = "global/QslPositionTable", .codec = C::Global, .written = W::Never, .loadEffect = "positionEntry19"},
        {.id = QslOriginXLegacy, .subkey = kQsl, .name = "горизонталь", .kind = S, .fallback = "", .step = 40, .order = 2, .target = "global/QslPositionTable", .codec = C::Global, .written = W::Never, .loadEffect = "positionEntry20"},
        {.id = QslLayout, .subkey = kQsl, .name = "qsl_file", .kind = S, .fallback = "", .step = 36, .target = "qsl_edit/qsl_box", .codec = C::Combo, .written = W::Owner, .loadEffect = "qslLayoutPath"},
        {.id = FmtTqsl, .subkey = kQsl, .name = "tqsl", .kind = B, .fallback = "0", .step = 37, .order = 2, .target = "QSL/tqsl", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtTqsli, .subkey = kQsl, .name = "tqsli", .kind = B, .fallback = "0", .step = 37, .order = 3, .target = "QSL/tqsli", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtTqsln, .subkey = kQsl, .name = "tqsln", .kind = B, .fallback = "0", .step = 37, .order = 4, .target = "QSL/tqsln", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQsl5, .subkey = kQsl, .name = "qsl5", .kind = B, .fallback = "0", .step = 37, .order = 5, .target = "QSL/qsl5", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtBack, .subkey = kQsl, .name = "obratstr", .kind = B, .fallback = "0", .step = 37, .order = 15, .target = "QSL/obratstr", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtEditor, .subkey = kQsl, .name = "qsledit", .kind = B, .fallback = "0", .step = 37, .order = 1, .target = "QSL/QSLedit", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtN31, .subkey = kQsl, .name = "n31", .kind = B, .fallback = "0", .step = 37, .order = 14, .target = "QSL/N31", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ1AX, .subkey = kQsl, .name = "qq1ax1", .kind = B, .fallback = "0", .step = 37, .order = 6, .target = "QSL/QQ1AX1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ2BXY, .subkey = kQsl, .name = "qq2bxy1", .kind = B, .fallback = "0", .step = 37, .order = 7, .target = "QSL/QQ2BXY1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ3CX, .subkey = kQsl, .name = "qq3cx1", .kind = B, .fallback = "0", .step = 37, .order = 8, .target = "QSL/QQ3CX1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ4DX, .subkey = kQsl, .name = "qq4dx1", .kind = B, .fallback = "0", .step = 37, .order = 9, .target = "QSL/QQ4DX1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ5EX, .subkey = kQsl, .name = "qq5ex1", .kind = B, .fallback = "0", .step = 37, .order = 10, .target = "QSL/QQ5EX1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ6FX1, .subkey = kQsl, .name = "qq6fx11", .kind = B, .fallback = "0", .step = 37, .order = 11, .target = "QSL/QQ6FX11", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ6FX2, .subkey = kQsl, .name = "qq6fx21", .kind = B, .fallback = "0", .step = 37, .order = 12, .target = "QSL/QQ6FX21", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtQQ7GX, .subkey = kQsl, .name = "qq7gx1", .kind = B, .fallback = "0", .step = 37, .order = 13, .target = "QSL/QQ7GX1", .codec = C::MenuItem, .written = W::Owner},
        {.id = FmtPersonal, .subkey = kQsl, .name = "lichnay", .kind = B, .fallback = "0", .target = "QSL/Lichnay", .codec = C::MenuItem, .written = W::Owner},
        {.id = CardTopColour, .subkey = kQsl, .name = "цвет верхней", .kind = N, .fallback = "0", .step = 38, .order = 1, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardTopSize, .subkey = kQsl, .name = "размер верхней", .kind = N, .fallback = "0", .step = 38, .order = 2, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardTopFont, .subkey = kQsl, .name = "шрифт верхней", .kind = S, .fallback = "", .step = 38, .order = 3, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardMiddleColour, .subkey = kQsl, .name = "цвет средней", .kind = N, .fallback = "0", .step = 38, .order = 4, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardMiddleSize, .subkey = kQsl, .name = "размер средней", .kind = N, .fallback = "0", .step = 38, .order = 5, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardMiddleFont, .subkey = kQsl, .name = "шрифт средней", .kind = S, .fallback = "", .step = 38, .order = 6, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardBottomColour, .subkey = kQsl, .name = "цвет нижней", .kind = N, .fallback = "0", .step = 38, .order = 7, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardBottomSize, .subkey = kQsl, .name = "размер нижней", .kind = N, .fallback = "0", .step = 38, .order = 8, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = CardBottomFont, .subkey = kQsl, .name = "шрифт нижней", .kind = S, .fallback = "", .step = 38, .order = 9, .target = "global/CardFonts", .codec = C::Global, .written = W::Owner},
        {.id = QslTop, .subkey = kQsl, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 3, .target = "QSL", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = QslLeft, .subkey = kQsl, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 4, .target = "QSL", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = CallbookFile, .subkey = kColbook, .name = "colbook", .kind = S, .fallback = "", .step = 27, .order = 1, .target = "Nastroy/Edit3", .codec = C::Text, .written = W::Change, .changeEffect = "callbookIndex"},
        {.id = CallbookCd, .subkey = kColbook, .name = "Colbook_CD", .kind = S, .fallback = "", .step = 1, .order = 1, .target = "Nastroy/Edit21", .codec = C::Text, .written = W::Change},
        {.id = ReminderCount, .subkey = kTimer, .name = "кол", .kind = N, .fallback = "0", .step = 21, .order = 1, .target = "time_r/strtimer", .codec = C::Global, .min = 0, .max = 1000, .written = W::Owner, .loadEffect = "reminderRows"},
        // Members 0 to "кол" - 1.
        {.id = ReminderDate, .subkey = kTimer, .name = "дата", .kind = S, .fallback = "", .step = 21, .order = 2, .target = "time_r/strtimer", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = ReminderCount},
        {.id = ReminderTime, .subkey = kTimer, .name = "время", .kind = S, .fallback = "", .step = 21, .order = 3, .target = "time_r/strtimer", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = ReminderCount},
        {.id = ReminderInfo, .subkey = kTimer, .name = "информ", .kind = S, .fallback = "", .step = 21, .order = 4, .target = "time_r/strtimer", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = ReminderCount},
        {.id = AntennaName, .subkey = kAnt, .name = "ant", .kind = S, .fallback = "", .step = 42, .target = "Ant/an%1", .codec = C::Caption, .written = W::Owner, .first = 1, .last = 10},
        {.id = AwardCount, .subkey = kAward, .name = "кол дипломов", .kind = N, .fallback = "0", .step = 34, .order = 1, .target = "award/awardBox", .codec = C::Global, .min = 0, .max = 1000, .written = W::Owner},
        // Members 0 to "кол дипломов" - 1; the per-award values below live in the award window.
        {.id = AwardName, .subkey = kAward, .name = "award", .kind = S, .fallback = "", .step = 34, .order = 2, .target = "award/awardBox", .codec = C::ListItem, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        // The three lists of a slot are the condition grid's columns 1 to 3.
        {.id = AwardPrefixes, .subkey = kAward, .name = "преф", .kind = S, .fallback = "", .target = "award/str1", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardThird, .subkey = kAward, .name = "3знак", .kind = S, .fallback = "", .target = "award/str1", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardFourth, .subkey = kAward, .name = "Суф", .kind = S, .fallback = "", .target = "award/str1", .codec = C::GridCell, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardQsos, .subkey = kAward, .name = "кол QSO", .kind = S, .fallback = "", .target = "award/edit2", .codec = C::Text, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardPoints, .subkey = kAward, .name = "кол очков", .kind = S, .fallback = "", .target = "award/Edit1", .codec = C::Text, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardCountPoints, .subkey = kAward, .name = "подс очков", .kind = B, .fallback = "0", .target = "award/podsBox", .codec = C::Check, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardRepeats, .subkey = kAward, .name = "Повторы", .kind = B, .fallback = "0", .target = "award/povbox", .codec = C::Check, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardDate, .subkey = kAward, .name = "Date", .kind = S, .fallback = "", .target = "award/awdate", .codec = C::Text, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardAddress, .subkey = kAward, .name = "info", .kind = S, .fallback = "", .target = "award/info1", .codec = C::Text, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = AwardCertifier, .subkey = kAward, .name = "ФИО", .kind = S, .fallback = "", .target = "award/Edit3", .codec = C::Text, .written = W::Owner, .first = 0, .last = 999, .count = AwardCount},
        {.id = ReportFontName, .subkey = kReport, .name = "fontnam", .kind = S, .fallback = "ms sans serif", .firstStart = 35, .step = 43, .order = 1, .target = "global/ReportFont", .codec = C::Global, .written = W::Owner},
        {.id = ReportFontSize, .subkey = kReport, .name = "fontsiz", .kind = S, .fallback = "9", .firstStart = 36, .step = 43, .order = 2, .target = "global/ReportFont", .codec = C::Global, .written = W::Owner},
        {.id = ReportFontColour, .subkey = kReport, .name = "fontcol", .kind = S, .fallback = "0", .firstStart = 37, .step = 43, .order = 3, .target = "global/ReportFont", .codec = C::Global, .written = W::Owner},
        {.id = ReportFonts, .subkey = kReport, .name = "font", .kind = S, .fallback = "", .step = 43, .order = 4, .target = "global/ReportFontNames", .codec = C::Global, .written = W::Owner, .first = 1, .last = 5},
        {.id = SearchGridWidth, .subkey = kFind, .name = "размер колонки", .kind = N, .fallback = "0", .step = 35, .order = 1, .target = "poisk/Str", .codec = C::ColumnWidth, .min = 0, .max = 0x7fffffff, .written = W::ShutDown, .first = 0, .last = 23},
        // Created as shown: a column never stored must not vanish from the search grid.
        {.id = SearchGridShown, .subkey = kFind, .name = "колонка-", .kind = N, .fallback = "1", .step = 35, .order = 2, .target = "poisk/Str", .codec = C::ColumnShown, .min = 0, .max = 1, .written = W::Owner, .first = 0, .last = 23, .missing = SettingMissing::Default},
        {.id = SearchColCall, .subkey = kFind, .name = "колонка-call", .kind = B, .fallback = "1", .firstStart = 19, .target = "poisk/pcall", .codec = C::Check, .written = W::Click},
        {.id = SearchColName, .subkey = kFind, .name = "колонка-name", .kind = B, .fallback = "1", .firstStart = 20, .target = "poisk/pname", .codec = C::Check, .written = W::Click},
        {.id = SearchColQth, .subkey = kFind, .name = "колонка-qth", .kind = B, .fallback = "1", .firstStart = 21, .target = "poisk/pqth", .codec = C::Check, .written = W::Click},
        {.id = SearchColPoints, .subkey = kFind, .name = "колонка-ochk", .kind = B, .fallback = "0", .target = "poisk/pochk", .codec = C::Check, .written = W::Click},
        {.id = SearchColDate, .subkey = kFind, .name = "колонка-date", .kind = B, .fallback = "1", .firstStart = 22, .target = "poisk/pdate", .codec = C::Check, .written = W::Click},
        {.id = SearchColUtc, .subkey = kFind, .name = "колонка-utc", .kind = B, .fallback = "1", .firstStart = 23, .target = "poisk/putc", .codec = C::Check, .written = W::Click},
        {.id = SearchColRsts, .subkey = kFind, .name = "колонка-rsts", .kind = B, .fallback = "1", .firstStart = 24, .target = "poisk/prsts", .codec = C::Check, .written = W::Click},
        {.id = SearchColQsl, .subkey = kFind, .name = "колонка-qsl", .kind = B, .fallback = "1", .firstStart = 25, .target = "poisk/pqsl", .codec = C::Check, .written = W::Click},
        {.id = SearchColRstr, .subkey = kFind, .name = "колонка-rstr", .kind = B, .fallback = "0", .target = "poisk/prstr", .codec = C::Check, .written = W::Click},
        {.id = SearchColQthl, .subkey = kFind, .name = "колонка-qthl", .kind = B, .fallback = "0", .target = "poisk/pqthl", .codec = C::Check, .written = W::Click},
        {.id = SearchColMode, .subkey = kFind, .name = "колонка-mode", .kind = B, .fallback = "0", .target = "poisk/pmode", .codec = C::Check, .written = W::Click},
        {.id = SearchColBand, .subkey = kFind, .name = "колонка-band", .kind = B, .fallback = "0", .target = "poisk/pband", .codec = C::Check, .written = W::Click},
        {.id = SearchColCountry, .subkey = kFind, .name = "колонка-страна", .kind = B, .fallback = "0", .target = "poisk/pwor", .codec = C::Check, .written = W::Click},
        {.id = SearchColWaz, .subkey = kFind, .name = "колонка-waz", .kind = B, .fallback = "0", .target = "poisk/pwaz", .codec = C::Check, .written = W::Click},
        {.id = SearchColInfo, .subkey = kFind, .name = "колонка-info", .kind = B, .fallback = "0", .target = "poisk/pinfo", .codec = C::Check, .written = W::Click},
        {.id = SearchColItu, .subkey = kFind, .name = "колонка-itu", .kind = B, .fallback = "0", .target = "poisk/pitu", .codec = C::Check, .written = W::Click},
        {.id = EnvelopeX, .subkey = kPosta, .name = "x1", .kind = N, .fallback = "0", .target = "Posta/Sleft1", .codec = C::Position, .written = W::Owner},
        {.id = EnvelopeY, .subkey = kPosta, .name = "y1", .kind = N, .fallback = "0", .target = "Posta/Stop1", .codec = C::Position, .written = W::Owner},
        {.id = EnvelopeStart, .subkey = kPosta, .name = "posta4", .kind = S, .fallback = "", .target = "Posta", .codec = C::None, .written = W::Never},
        {.id = EnvelopePicture, .subkey = kBmp, .name = "BMP1", .kind = S, .fallback = "", .target = "Posta", .codec = C::None, .written = W::Owner},
        {.id = EditorPicture, .subkey = kBmp, .name = "BMP2", .kind = S, .fallback = "", .target = "Bmp_edit", .codec = C::None, .written = W::Owner},
        {.id = AdboxTop, .subkey = kAdbox, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 3, .target = "adbox", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = AdboxLeft, .subkey = kAdbox, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 4, .target = "adbox", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = MapTop, .subkey = kMap, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 7, .target = "Form25", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = MapLeft, .subkey = kMap, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 8, .target = "Form25", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = NewsTop, .subkey = kNews, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 9, .target = "Form20", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = NewsLeft, .subkey = kNews, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 10, .target = "Form20", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = QslEditTop, .subkey = kQslEdit, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 11, .target = "qsl_edit", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = QslEditLeft, .subkey = kQslEdit, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 12, .target = "qsl_edit", .codec = C::Place, .written = W::ShutDown, .loadEffect = "placeWindow"},
        {.id = FindTop, .subkey = kFindPlace, .name = "form-top", .kind = N, .fallback = "0", .step = 33, .order = 13, .target = "poisk", .codec = C::Place, .written = W::ShutDown, .loadEffect = "keepOnScreen"},
        {.id = FindLeft, .subkey = kFindPlace, .name = "form-left", .kind = N, .fallback = "0", .step = 33, .order = 14, .target = "poisk", .codec = C::Place, .written = W::ShutDown, .loadEffect = "keepOnScreen"},
        // The own station, read by LoadStationProfile before the log is opened.
        {.id = StationCall, .subkey = kStation, .name = "call", .kind = S, .fallback = "", .target = "global/StationProfile.call", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationName, .subkey = kStation, .name = "name", .kind = S, .fallback = "", .target = "global/StationProfile.name", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationNameLatin, .subkey = kStation, .name = "name_lat", .kind = S, .fallback = "", .target = "global/StationProfile.name_lat", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationAddress, .subkey = kStation, .name = "address", .kind = S, .fallback = "", .target = "global/StationProfile.address", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationEmail, .subkey = kStation, .name = "e-mail", .kind = S, .fallback = "", .target = "global/StationProfile.e-mail", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationLatitude, .subkey = kStation, .name = "latitude", .kind = S, .fallback = "", .target = "global/StationProfile.latitude", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationLongitude, .subkey = kStation, .name = "longitude", .kind = S, .fallback = "", .target = "global/StationProfile.longitude", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationItu, .subkey = kStation, .name = "itu", .kind = S, .fallback = "", .target = "global/StationProfile.itu", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationWaz, .subkey = kStation, .name = "waz", .kind = S, .fallback = "", .target = "global/StationProfile.waz", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationCountry, .subkey = kStation, .name = "country", .kind = S, .fallback = "", .target = "global/StationProfile.country", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
        {.id = StationContinent, .subkey = kStation, .name = "continent", .kind = S, .fallback = "", .target = "global/StationProfile.continent", .codec = C::Text, .written = W::Owner, .loadEffect = "stationProfile"},
    };
}

// Narrower ranges of single family members: the block marker's entries.
struct IndexRange {
    SettingId id;
    int index;
    qint32 min, max;
};
const IndexRange kIndexRanges[] = {
    {SettingId::QslData, 14, 10, 126},
    {SettingId::QslData, 15, 8, 134},
};

struct Names {
    std::vector<QString> subkey, name;
};
const Names &NameCache() {
    static const Names names = [] {
        Names n;
        for (const SettingRow &r : SettingsCatalogue()) {
            n.subkey.push_back(QString::fromUtf8(r.subkey));
            n.name.push_back(QString::fromUtf8(r.name));
        }
        return n;
    }();
    return names;
}

void Complain(const QString &line) {
    const QByteArray b = line.toLocal8Bit();
    std::fprintf(stderr, "zelmor: %s\n", b.constData());
}

QString Where(SettingId id, int index) { return SettingSubkey(id) + QStringLiteral(" \"") + SettingName(id, index) + u'"'; }

bool IndexOk(const SettingRow &r, int index) {
    if (!IsFamily(r)) return index < 0;
    return index >= r.first && index <= r.last;
}

// A stored text that is a whole number and nothing else.
std::optional<qint32> CleanNumber(const QString &text) {
    const QString t = text.trimmed();
    if (t.isEmpty() || t != text) return std::nullopt;
    bool ok = false;
    const qint32 n = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return n;
}

SettingsHive *Hive() { return SettingsRegistry; }
QString KeyOf(SettingId id) { return QStringLiteral("Software\\") + SettingSubkey(id); }
} // namespace

const std::vector<SettingRow> &SettingsCatalogue() {
    static const std::vector<SettingRow> table = BuildTable();
    return table;
}

const SettingRow &Setting(SettingId id) { return SettingsCatalogue()[static_cast<size_t>(id)]; }

QString SettingSubkey(SettingId id) { return NameCache().subkey[static_cast<size_t>(id)]; }

QString SettingName(SettingId id, int index) {
    const QString &stem = NameCache().name[static_cast<size_t>(id)];
    return IsFamily(Setting(id)) && index >= 0 ? stem + QString::number(index) : stem;
}

QString SettingTarget(SettingId id, int index) {
    const SettingRow &r = Setting(id);
    const QString t = QString::fromUtf8(r.target);
    if (!IsFamily(r) || index < 0) return t;
    if (t.contains(u'|')) {
        const QStringList all = t.split(u'|');
        const int at = index - r.first;
        return at >= 0 && at < all.size() ? all[at] : QString();
    }
    return QString(t).replace(QStringLiteral("%1"), QString::number(index));
}

QString SettingDefaultText(SettingId id) {
    QString t = QString::fromUtf8(Setting(id).fallback);
    if (t.contains(QStringLiteral("{ProgramDir}")))
        t.replace(QStringLiteral("{ProgramDir}"), ProgramDir.isEmpty() ? QDir::currentPath() : ProgramDir);
    return t;
}

qint32 SettingDefaultNumber(SettingId id) { return ParseInteger(SettingDefaultText(id)).value_or(0); }

bool SettingRange(SettingId id, int index, qint32 &min, qint32 &max) {
    for (const IndexRange &r : kIndexRanges)
        if (r.id == id && r.index == index) {
            min = r.min;
            max = r.max;
            return true;
        }
    const SettingRow &row = Setting(id);
    if (row.min > row.max) return false;
    min = row.min;
    max = row.max;
    return true;
}

std::vector<SettingId> LoaderOrder() {
    std::vector<SettingId> ids;
    for (const SettingRow &r : SettingsCatalogue())
        if (r.step > 0) ids.push_back(r.id);
    std::stable_sort(ids.begin(), ids.end(), [](SettingId a, SettingId b) {
        const SettingRow &x = Setting(a), &y = Setting(b);
        return x.step != y.step ? x.step < y.step : x.order < y.order;
    });
    return ids;
}

std::vector<SettingId> FirstStartRows() {
    std::vector<SettingId> ids;
    for (const SettingRow &r : SettingsCatalogue())
        if (r.firstStart > 0) ids.push_back(r.id);
    std::sort(ids.begin(), ids.end(), [](SettingId a, SettingId b) { return Setting(a).firstStart < Setting(b).firstStart; });
    return ids;
}

QString ReadSettingString(SettingId id, int index) { return RegReadString(SettingSubkey(id), SettingName(id, index)); }
qint32 ReadSettingInteger(SettingId id, int index) { return RegReadInteger(SettingSubkey(id), SettingName(id, index)); }
bool ReadSettingBool(SettingId id, int index) { return RegReadBool(SettingSubkey(id), SettingName(id, index)); }

bool SettingNumberValid(SettingId id, int index, qint32 n) {
    const SettingRow &r = Setting(id);
    if (r.codec == C::HotKey) {
        // A virtual key 1-255 with only the three modifier bits; 0 is "no
        // key" where the row allows it.
        if (n == 0) return r.min == 0;
        return n > 0 && (n & ~0xE0FF) == 0 && (n & 0xFF) != 0;
    }
    qint32 lo = 0, hi = 0;
    if (!SettingRange(id, index, lo, hi)) return true;
    return n >= lo && n <= hi;
}

LoadedSetting LoadSetting(SettingId id, int index) {
    const SettingRow &r = Setting(id);
    LoadedSetting out;
    auto useDefault = [&] {
        out.text = SettingDefaultText(id);
        out.number = SettingDefaultNumber(id);
        out.defaulted = true;
    };
    auto *h = Hive();
    const std::optional<HiveValue> v = h ? h->value(KeyOf(id), SettingName(id, index)) : std::nullopt;
    if (!v) {
        switch (r.missing) {
        case SettingMissing::Skip:
            out.present = false;
            return out;
        case SettingMissing::Default:
            useDefault();
            out.defaulted = false;
            if (r.kind == S) WriteSetting(id, out.text, index);
            else WriteSetting(id, out.number, index);
            return out;
        case SettingMissing::Empty:
            if (r.kind == S) out.text = ReadSettingString(id, index);
            else out.number = ReadSettingInteger(id, index), out.text = QString::number(out.number);
            return out;
        }
    }
    if (r.kind == S) {
        out.text = v->kind == HiveKind::Dword ? QString::number(v->number) : v->text;
        if (r.min <= r.max && !out.text.isEmpty()) {
            const auto n = CleanNumber(out.text);
            if (!n || !SettingNumberValid(id, index, *n)) {
                Complain(QStringLiteral("setting %1 = \"%2\" is not a number %3-%4; \"%5\" used")
                             .arg(Where(id, index), out.text)
                             .arg(r.min)
                             .arg(r.max)
                             .arg(SettingDefaultText(id)));
                useDefault();
            }
        }
        return out;
    }
    if (v->kind == HiveKind::Dword) {
        out.number = v->number;
    } else {
        const auto n = CleanNumber(v->text);
        if (!n || (r.kind == B && *n != 0 && *n != 1)) {
            Complain(QStringLiteral("setting %1 = \"%2\" is not %3; %4 used")
                         .arg(Where(id, index), v->text,
                              r.kind == B ? QStringLiteral("\"0\" or \"1\"") : QStringLiteral("a number"),
                              SettingDefaultText(id)));
            useDefault();
            return out;
        }
        out.number = *n;
    }
    if (r.kind == B) out.number = out.number != 0 ? 1 : 0;
    if (!SettingNumberValid(id, index, out.number)) {
        Complain(QStringLiteral("setting %1 = %2 is out of range; %3 used")
                     .arg(Where(id, index))
                     .arg(out.number)
                     .arg(SettingDefaultText(id)));
        useDefault();
        return out;
    }
    out.text = QString::number(out.number);
    return out;
}

bool FitsCp1251(const QString &text, QChar *first) {
    for (QChar c : text) {
        if (c != u'?' && UnicodeToCp1251(c.unicode()) == '?') {
            if (first) *first = c;
            return false;
        }
    }
    return true;
}

bool WriteSetting(SettingId id, const QString &text, int index) {
    const SettingRow &r = Setting(id);
    if (!IndexOk(r, index)) {
        Complain(QStringLiteral("setting %1: index %2 out of the family's range").arg(Where(id, -1)).arg(index));
        return false;
    }
    if (r.kind != S) {
        const auto n = CleanNumber(text);
        if (!n) {
            Complain(QStringLiteral("setting %1: \"%2\" is not a number; not stored").arg(Where(id, index), text));
            return false;
        }
        return WriteSetting(id, *n, index);
    }
    // An edit stores each keystroke: the operator is told once, not again
    // for every character he types after the one that cannot be stored;
    // any text stored in between makes the next refusal news again.
    static std::optional<std::pair<SettingId, int>> refused;
    QChar bad;
    if (!FitsCp1251(text, &bad)) {
        Complain(QStringLiteral("setting %1: \"%2\" has characters cp1251 lacks; not stored").arg(Where(id, index), text));
        if (refused != std::pair{id, index})
            platform::dialogs().messageBox(
                QStringLiteral("ERROR"),
                QStringLiteral("Текст \"%1\" не сохранён в настройках: знак \"%2\" нельзя записать в кодировке Windows-1251.")
                    .arg(text, QString(bad)),
                MsgIcon::Error, MbOk);
        refused = std::pair{id, index};
        return false;
    }
    refused.reset();
    return RegWriteValue(0, SettingSubkey(id), SettingName(id, index), 0, text);
}

bool WriteSetting(SettingId id, const char *text, int index) { return WriteSetting(id, QString::fromUtf8(text), index); }

bool WriteSetting(SettingId id, qint32 number, int index) {
    const SettingRow &r = Setting(id);
    if (!IndexOk(r, index)) {
        Complain(QStringLiteral("setting %1: index %2 out of the family's range").arg(Where(id, -1)).arg(index));
        return false;
    }
    switch (r.kind) {
    case S: return RegWriteValue(0, SettingSubkey(id), SettingName(id, index), 0, QString::number(number));
    case B: return RegWriteBool(SettingSubkey(id), SettingName(id, index), number != 0);
    case N: return RegWriteValue(1, SettingSubkey(id), SettingName(id, index), number, QString());
    }
    return false;
}

bool WriteSetting(SettingId id, bool on, int index) { return WriteSetting(id, qint32(on ? 1 : 0), index); }

} // namespace zelmor
