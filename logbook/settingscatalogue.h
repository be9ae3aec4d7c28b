#pragma once
// Every value of the settings tree, one declarative row each: where it is
// stored, its kind and default, its row of the first-start table, its step
// in the start-up loader, what shows it and who writes it. No value name is
// spelled anywhere else in the program: readers and writers name a row.
//
// A family ("размер колонки"N, "CW строка"N, "award"N ...) is one row with an
// index range; the index follows the name in decimal, with no blank. A family
// bounded by a count value ("дата"N by "кол") names that count's row.
//
// Pure data and the store's operations: no window header. Targets are
// window-qualified names ("Nastroy/tfreq", "form1/cb1", "QSL/tqsl"), since the
// windows reuse control names, or a registered global ("global/LogFileName").
#include <QString>
#include <vector>

namespace zelmor {

// One id per row, in table order.
enum class SettingId : int {
    // zelmor\qso
    Gmt, Band, Mode, Look, LogFile, EnterOrder, ExePath,
    CwNormal, CwFast, Ptt, SaveKey, ClearCallKey, SaveWithEnter,
    RuEn, AutoMode, NameQth, QslManager, QslRotate, RepeatTable, FirstCharSearch,
    RxtxOnCommand, RxtxWhileCall,
    ClubDig, ClubVeteran, ClubAgb, ClubKdr, ClubHfc, ClubRcc, ClubSrvs,
    FieldName, FieldQth, FieldTime, FieldDate, FieldBand, FieldMode, FieldQsl, FieldRsts, FieldRstr,
    FieldPoints, FieldVia, FieldIota, FieldFreq, FieldQthl,
    RepeatSoundOn, NewCountrySoundOn, RepeatSound, NewCountrySound,
    CwText, CommandOn, CommandText,
    KeepDate, DateMonth, DateYear, VoiceFile,
    MixerLevel, MixerLine1, MixerLine2, MixerLine3, MixerLine4,
    QsoTop, QsoLeft, QsoHeight, QsoWidth, LogGridWidth, LogGridShown,
    // zelmor\qso\qsl
    QslBand, QslThreshold, QslNotOwn, QslDx,
    // zelmor\qso\menu
    Chart1, Chart3, Chart4, Chart5, Chart6,
    // zelmor\главное
    Com1, Com2, Com3, Com4,
    Ft840, Ft890, Ft990, Ft990_2, Ft920, Ft1000mp, Kenwood,
    CatSpeed, Lpt, CwWithMode, Compact, PurgeAtStart, ReminderSound, CatAtStart,
    LauncherAutoHide, QsoAtStart, SoundCard, EnvelopeFont, EnvelopeColour, LauncherTop, LauncherLeft,
    // zelmor\qsl
    QslReceived, QslSent, QslToSend, QslNotOwnCountry, QslResend, QslResend1,
    QslPerCard, StickerGap, QslData, QslOriginY, QslOriginX, QslOriginYLegacy, QslOriginXLegacy, QslLayout,
    FmtTqsl, FmtTqsli, FmtTqsln, FmtQsl5, FmtBack, FmtEditor, FmtN31,
    FmtQQ1AX, FmtQQ2BXY, FmtQQ3CX, FmtQQ4DX, FmtQQ5EX, FmtQQ6FX1, FmtQQ6FX2, FmtQQ7GX, FmtPersonal,
    CardTopColour, CardTopSize, CardTopFont, CardMiddleColour, CardMiddleSize, CardMiddleFont,
    CardBottomColour, CardBottomSize, CardBottomFont,
    QslTop, QslLeft,
    // zelmor\colbook
    CallbookFile, CallbookCd,
    // zelmor\таймер
    ReminderCount, ReminderDate, ReminderTime, ReminderInfo,
    // zelmor\ant
    AntennaName,
    // zelmor\award
    AwardCount, AwardName, AwardPrefixes, AwardThird, AwardFourth, AwardQsos, AwardPoints,
    AwardCountPoints, AwardRepeats, AwardDate, AwardAddress, AwardCertifier,
    // zelmor\отчет
    ReportFontName, ReportFontSize, ReportFontColour, ReportFonts,
    // zelmor\поиск
    SearchGridWidth, SearchGridShown,
    SearchColCall, SearchColName, SearchColQth, SearchColPoints, SearchColDate, SearchColUtc, SearchColRsts,
    SearchColQsl, SearchColRstr, SearchColQthl, SearchColMode, SearchColBand, SearchColCountry, SearchColWaz,
    SearchColInfo, SearchColItu,
    // zelmor\posta, zelmor\BMP
    EnvelopeX, EnvelopeY, EnvelopeStart, EnvelopePicture, EditorPicture,
    // window places
    AdboxTop, AdboxLeft, MapTop, MapLeft, NewsTop, NewsLeft, QslEditTop, QslEditLeft, FindTop, FindLeft,
    // zelmor\station
    StationCall, StationName, StationNameLatin, StationAddress, StationEmail, StationLatitude,
    StationLongitude, StationItu, StationWaz, StationCountry, StationContinent,
    Count
};

enum class SettingKind : char { S = 'S', B = 'B', N = 'N' };

// How the value meets its target.
enum class SettingCodec : unsigned char {
    None,        // no control: read or written by its owner only
    Check,       // check box checked state
    Radio,       // radio button of a group: a click writes every member
    MenuItem,    // checked state of a menu item
    Text,        // edit or panel text
    Combo,       // combo box text
    Position,    // up-down, track bar or scroll bar position
    HotKey,      // shortcut code: virtual key + 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
    LptChoice,   // "1" LPT1, anything else LPT2
    Global,      // a global of the program
    Place,       // a window's top or left
    ColumnWidth, // grid column width, 0 = not stored (80 pixels)
    ColumnShown, // grid column shown (1) or hidden (0)
    GridCell,    // a cell of a grid row per index
    ListItem,    // an item of a list per index
    Caption,     // a button's caption
};

// When the value is written.
enum class SettingWrite : unsigned char {
    Click,      // the control's click
    Change,     // any change of the control, programmatic ones too
    Exit,       // the control losing the focus
    Group,      // any member of the radio group becoming checked writes all
    Owner,      // the window that owns the value, at its moment
    ShutDown,   // window places and column widths at shut-down
    FirstStart, // only the first-start table
    Never,      // nothing writes it
};

// What a read of a missing value does.
enum class SettingMissing : unsigned char {
    Empty,   // created as ""/false/0, as the store does
    Default, // loads as the row's default and is created so
    Skip,    // not created; the loader keeps what it has
};

struct SettingRow {
    SettingId id;
    const char *subkey;      // below "Software\" ("zelmor\qso")
    const char *name;        // a family's stem
    SettingKind kind;
    const char *fallback;    // default as text ("" / "0" / "1" / "50");
                             // "{ProgramDir}" stands for the program folder
    int firstStart = 0;      // row 1-44 of the first-start table, 0 none
    int step = 0;            // step of the start-up loader, 0 not loaded there
    int order = 0;           // order inside the step where it matters
    const char *target = ""; // "window/control" or "global/Name"; a family
                             // lists one per index ("a|b|c") or uses "%1"
    SettingCodec codec = SettingCodec::None;
    qint32 min = 1, max = 0; // accepted numbers (S: "" or a number); min > max: any
    SettingWrite written = SettingWrite::Change;
    const char *loadEffect = "";   // named effect run after loading
    const char *changeEffect = ""; // named effect run after a change
    int first = -1, last = -1;     // family index range; -1 for one value
    SettingId count = SettingId::Count; // family bounded by this count row
    SettingMissing missing = SettingMissing::Empty;
};

// The table, indexed by SettingId.
const std::vector<SettingRow> &SettingsCatalogue();
const SettingRow &Setting(SettingId id);
inline bool IsFamily(const SettingRow &r) { return r.first >= 0; }

// The stored value name: the row's name, or its stem + index.
QString SettingName(SettingId id, int index = -1);
QString SettingSubkey(SettingId id);
// The target of one value: "window/control" or "global/Name".
QString SettingTarget(SettingId id, int index = -1);
// The default as stored: text, or the number of an N or B row.
QString SettingDefaultText(SettingId id);
qint32 SettingDefaultNumber(SettingId id);
// Accepted range for one value (a family may narrow it for one index);
// false when any number is accepted.
bool SettingRange(SettingId id, int index, qint32 &min, qint32 &max);
// The rows of loader steps in load order: by step, then order, then table.
std::vector<SettingId> LoaderOrder();
// Rows 1-44 of the first-start table, in that order.
std::vector<SettingId> FirstStartRows();

// Plain store reads through a row: a missing value is created with
// ""/false/0 as the store does.
QString ReadSettingString(SettingId id, int index = -1);
qint32 ReadSettingInteger(SettingId id, int index = -1);
bool ReadSettingBool(SettingId id, int index = -1);

// A value as the loader takes it: converted to the row's kind when the stored
// form is clean (dword <-> decimal text, "0"/"1" for a bool), the row's
// default when it is not or is out of range (one stderr line each; the stored
// value stays as it is). `present` is false only for a Skip row's missing
// value, which is not created.
struct LoadedSetting {
    QString text;
    qint32 number = 0;
    bool present = true;
    bool defaulted = false; // the stored value was unusable
    bool on() const { return number != 0; }
};
LoadedSetting LoadSetting(SettingId id, int index = -1);
// The check alone, on a number: in range and, for a hot key, a valid code.
bool SettingNumberValid(SettingId id, int index, qint32 n);

// Writes one value in the row's kind: text into an N or B row must be a
// whole number; a number into an S row is stored as decimal text; a B row
// stores 0 or 1. A text that cp1251 cannot hold is refused (never stored as
// "?") and the operator told through the dialogs seam. False when refused
// or when the store could not be written.
bool WriteSetting(SettingId id, const QString &text, int index = -1);
bool WriteSetting(SettingId id, const char *text, int index = -1);
bool WriteSetting(SettingId id, qint32 number, int index = -1);
bool WriteSetting(SettingId id, bool on, int index = -1);

// True when every character of the text exists in cp1251.
bool FitsCp1251(const QString &text, QChar *first = nullptr);

} // namespace zelmor
