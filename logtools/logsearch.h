#pragma once
// Search, sort, in-place edits and "save as log" over the log file. Plain
// functions over a path and values: the search window reads its controls,
// calls these and shows the record indexes they return.
//
// A scan compares the stored cp1251 bytes and builds no text per record, so
// a search of a million records stays well under a second.
#include "common/qsorecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelmor {

// The texts of the criteria panel. An empty text (a date or time editor's
// blank mask, "  .  .    ", counts as empty) is a criterion not used.
struct SearchCriteria {
    QString numberFrom, numberTo; // QSO numbers
    QString dateFrom, dateTo;     // "dd.mm.yyyy"
    QString band, mode;           // equal to the stored text exactly
    QStringList countries;        // the stored country equals one of them
    QString countryPart;          // occurs in the country (case-sensitive); not used while `countries` holds any
    QString qsl, itu, waz;        // equal exactly
    QStringList callPatterns;     // the pattern memo's lines
    QString info, name, qth;      // occur in the field (case-sensitive)
};

struct SearchOutcome {
    std::vector<qint64> indexes;  // record indexes, in file order
    // A criterion that cannot be used (a half-typed or impossible date):
    // nothing was scanned and nothing is listed.
    QString error;
    // Records whose stored date is not a date, while a date criterion was
    // set: they fail it, the scan goes on.
    qint64 unreadableDates = 0;
    QString firstUnreadableNumber; // QSO number of the first of them
};

// Progress of a long scan: records done, records in all.
using ScanProgress = std::function<void(qint64, qint64)>;

// True for a text made of blanks and the mask's separators only.
bool IsBlankMaskText(QStringView text);

// Lists the records that meet every filled criterion; with no criterion
// filled, nothing. The QSO-number range is clamped to the log. Throws IoError.
SearchOutcome SearchLog(const QString &logPath, const SearchCriteria &criteria, const ScanProgress &progress = {});

// The call-pattern rule: lines are tried in order; an empty line, a line
// shorter than the call, or a line of "*" only ends the list (no match); "*"
// matches any character, any other character (upper-cased) must equal the
// call's at its position; a line matches when every position does and at
// least one was not "*".
bool MatchesCallPatterns(const QString &call, const QStringList &lines);
// The same over cp1251 bytes; `upperLines` from PreparePatternLines.
bool MatchesCallPatterns(QByteArrayView call, const std::vector<QByteArray> &upperLines);
std::vector<QByteArray> PreparePatternLines(const QStringList &lines);

// Every record of the log in the order of a search-grid column, stable
// (equal texts keep file order): column 0 by the QSO number's value, the
// date column (4) by date and then time, any other column by its text with
// the one comparator. Throws IoError.
std::vector<qint64> SortLogByColumn(const QString &logPath, int column, const ScanProgress &progress = {});

// The record field a search-grid column shows (the columns follow the
// record's fields one for one).
const FieldOf<QsoRecord> &SearchColumnField(int column);
inline constexpr int SearchColumnCount = 24;
inline constexpr int SearchDeleteMarkColumn = 22;

// The result of an in-place edit of one field.
enum class CellEditResult {
    Written,      // the record was written back
    Unchanged,    // the column has no field, or an empty cell leaves this field as it is
    InvalidDate,  // a date that is not "dd.mm.yyyy": nothing written
    InvalidTime,  // a time that is not "hh:mm": nothing written
    NoRecord,     // the record is not in the log any more: nothing written
};

// Patches the one field of `column` in the record's raw bytes from the cell
// text, by the edit rules: the call, date, time, band, mode, reports, zones,
// country and QSL state keep their stored text when the cell is empty; the
// other fields are emptied. Every byte outside the field stays as it was.
CellEditResult PatchRecordField(QByteArray &record, int column, const QString &cellText);
// Reads record `index` afresh, patches it and writes it back; `stored`
// receives the record as it now stands. Throws IoError.
CellEditResult EditLoggedField(const QString &logPath, qint64 index, int column, const QString &cellText,
                               QsoRecord *stored = nullptr);
// Brings the current log's LogColumns entry of `index` in step with the
// record (the call "" while it is marked deleted).
void UpdateLogColumnsEntry(qint64 index, const QsoRecord &record);

// Saving a listing as a new log.
// The file a listing saved under `chosen` goes to: an existing file, or a
// name that ends in ".log" or "log.dat", as it is; any other name + "log.dat".
QString SaveAsLogPath(const QString &chosen);
// Whether two paths name the same file (resolving links).
bool SameFilePath(const QString &a, const QString &b);
// Replaces `path` atomically with these records (457 bytes each), numbered
// from 1. Throws IoError; a failed write leaves no partial file.
void WriteListingAsLog(const QString &path, QByteArray records);

} // namespace zelmor
