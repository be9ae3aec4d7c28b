#pragma once
// The QSO window's log grid over the log file: where a page starts, the
// texts of one row, the column layout, and the in-place changes of one
// record (rewrite of changed fields, delete, restore, call and band
// correction). No widget code: the window reads its controls, calls these
// and shows what they return.
#include "common/qsorecord.h"

#include <QString>
#include <array>
#include <bitset>
#include <optional>

namespace zelmor {

class TStringGrid;

inline constexpr int LogGridRecordRows = 9; // rows 1..9 below the header row
inline constexpr int LogGridColumns = 20;

// Header texts, each with its leading blanks.
extern const std::array<QString, LogGridColumns> LogGridHeaders;

// The paging step of the held paging pictures: 100 at start, 10 at a press,
// 10 more at every page.
extern int PageStep;
// The number of the QSO being edited (its record index + 1).
extern int EditedQsoNumber;

// Slider geometry, in the window coordinates the paging formulas use: the
// slider's top runs between SliderTopMin and SliderTopMax.
inline constexpr int SliderWeightBase = 462;
inline constexpr int SliderDivisor = 108;
inline constexpr int SliderTopMin = 355;
inline constexpr int SliderTopMax = 461;

enum PageMode : int { PageByStep = 0, PageBySlider = 1, PageLast = 2 };

// The index of the record the bottom row shows after paging, or none when
// nothing is redrawn. `bottomIndex` is the record of the bottom row (none
// when that row is empty), `current` the current record index, `count` the
// log's records, `pageStep` the step after this page's growth, `sliderTop`
// the slider's top.
std::optional<qint64> LogGridPageStart(int mode, int step, std::optional<qint64> bottomIndex, qint64 current,
                                       qint64 count, int pageStep, int sliderTop);

// Field numbers of QsoRecord::Fields.
enum QsoFieldNo : int {
    FieldNumber, FieldCall, FieldName, FieldQth, FieldDate, FieldTime, FieldBand, FieldMode,
    FieldRstReceived, FieldRstSent, FieldPoints, FieldInfo, FieldWaz, FieldItu, FieldCountry,
    FieldQslState, FieldLocator, FieldVia, FieldIota, FieldFrequency, FieldLongitude, FieldLatitude,
    FieldDeleteMark, FieldRegion, QsoFieldCount
};
using QsoFieldMask = std::bitset<QsoFieldCount>;

// The record field each grid column shows (reports sent before received,
// the locator before the info).
inline constexpr std::array<int, LogGridColumns> LogGridColumnField = {
    FieldNumber, FieldCall, FieldName, FieldQth, FieldDate, FieldTime, FieldBand,
    FieldMode, FieldRstSent, FieldRstReceived, FieldPoints, FieldLocator, FieldInfo, FieldWaz,
    FieldItu, FieldCountry, FieldQslState, FieldVia, FieldIota, FieldFrequency};

QString &FieldText(QsoRecord &r, int field);
const QString &FieldText(const QsoRecord &r, int field);
bool IsDeleted(const QsoRecord &r);

// The 20 cell texts of a record's row; a deleted record shows its number only.
std::array<QString, LogGridColumns> LogGridCells(const QsoRecord &r);

// The fields whose texts differ.
QsoFieldMask ChangedFields(const QsoRecord &a, const QsoRecord &b);

// Writes the fields of `texts` named in `mask` into record `index`, each cut
// to its capacity; every other byte stays as stored. One read and, when the
// mask is not empty, one write of that record. Returns the record as now
// stored. Throws IoError when the record cannot be read or written; nothing
// is written then.
QsoRecord RewriteLogRecordFields(const QString &path, qint64 index, const QsoRecord &texts, QsoFieldMask mask);
// The delete mark "Delet", or the empty mark back.
QsoRecord MarkLogRecordDeleted(const QString &path, qint64 index, bool deleted);
// The call, zones, country, locator and region of a call correction.
QsoRecord CorrectLogRecordCall(const QString &path, qint64 index, const QString &call, const QString &waz,
                               const QString &itu, const QString &country, const QString &locator,
                               const QString &regionCode);
QsoRecord SetLogRecordBand(const QString &path, qint64 index, const QString &band);

// LogColumns entry `index` as a fresh OpenLog would build it from `stored`.
void SetLogColumnsEntry(qint64 index, const QsoRecord &stored);

// Column layout of the log grid, through the stored values.
// Every column: its stored width, or 80.
void LoadLogGridColumnWidths(TStringGrid &grid);
// Columns 1..19: stored width or 80, 0 when stored as hidden.
void LoadLogGridColumnLayout(TStringGrid &grid);
// Every column's shown flag: 1 when its width is not 0.
void SaveLogGridColumnFlags(const TStringGrid &grid);

} // namespace zelmor
