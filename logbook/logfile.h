#pragma once
// The current log: a file of 457-byte QsoRecords, and the in-memory columns
// that mirror five of its fields for the checks, statistics and awards.
#include "common/qsorecord.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelmor {

// Path of the current log; a bare name resolves in the program folder.
extern QString LogFileName;
// The one record buffer through which the log is read and written.
extern QsoRecord LogRecord;
// The current record index; after an append, the record just written.
extern qint64 LogRecordIndex;
// 0 until the start-up has loaded the log, then 1.
extern int StartupDone;

// Readers use the lists directly. Writers go through append and setEntry,
// which keep the look-up index right: the checks that run on every typed call
// find the records of a call or a country without a pass over a million
// entries.
struct LogColumnLists {
    QStringList LogCalls;     // "" for a record marked deleted
    QStringList LogBands;
    QStringList LogCountries;
    QStringList LogModes;
    QStringList LogQslFlags;  // one-letter QSL codes
    qsizetype size() const { return LogCalls.size(); }
    void clear();
    void append(const QString &call, const QString &band, const QString &country, const QString &mode,
                const QString &qslFlag);
    // An in-place edit of record i.
    void setEntry(qint64 i, const QString &call, const QString &band, const QString &country, const QString &mode,
                  const QString &qslFlag);

    // Record indexes, ascending.
    const std::vector<qint64> &indexesOfCall(const QString &call) const;
    const std::vector<qint64> &indexesOfCountry(const QString &country) const;
    std::vector<qint64> indexesOfCallsBeginningWith(QStringView prefix) const;
    // Builds the index anew (OpenLog; lists filled by hand).
    void rebuildIndex() const;

private:
    void ensureIndex() const;
    void indexAdd(qint64 i) const;
    void indexRemove(qint64 i) const;
    mutable QHash<QString, std::vector<qint64>> byCall_, byCountry_;
    mutable QStringList sortedCalls_; // the distinct calls, sorted
    mutable qsizetype indexed_ = -1;  // entries the index covers; -1: none
};
extern LogColumnLists LogColumns;
inline QStringList &LogCalls = LogColumns.LogCalls;
inline QStringList &LogBands = LogColumns.LogBands;
inline QStringList &LogCountries = LogColumns.LogCountries;
inline QStringList &LogModes = LogColumns.LogModes;
inline QStringList &LogQslFlags = LogColumns.LogQslFlags;

// The reports saving falls back on while a report field shows its
// placeholder; both "59" at start.
struct DefaultRstPairValue {
    QString received = QStringLiteral("59");
    QString sent = QStringLiteral("59");
};
extern DefaultRstPairValue DefaultRstPair;

inline const QString RstReceivedPlaceholder = QStringLiteral("RSTr");
inline const QString RstSentPlaceholder = QStringLiteral("RSTs");
inline const QString PointsPlaceholder = QStringLiteral("Очки");

// The QSO window's entry values as WriteQsoRecord takes them.
struct QsoEntry {
    QString call, name, qth, date, time, band, mode, rstSent, rstReceived, points, info;
    QString waz, itu, country, longitude, latitude, qslState, locator, via, frequency, iota, regionCode;
};

// The record an append writes at `index`: placeholders replaced, blanks
// removed from the call, an empty QSL state stored as "Не отправлять",
// every text cut to its field.
QsoRecord BuildQsoRecord(const QsoEntry &entry, qint64 index);

// Rebuilds LogColumns from the current log. A missing log is created empty.
// Throws IoError.
void OpenLog();
// Appends the entry as a new record and grows LogColumns by what was stored.
// Does nothing while EditMode is set. Throws IoError; a failed append leaves
// LogColumns as they were.
void WriteQsoRecord(const QsoEntry &entry);
// The record count of `path`; when it is missing, offers the choose-log
// dialog and returns 0.
qint64 CountLogRecords(const QString &path);
// The resolved path of the current log.
QString LogFilePath();

// Hooks filled by the windows and later subsystems.
// OpenLog step 1: reload the name, QTH and club lists.
extern std::function<void()> OpenLogReloadLists;
// OpenLog step 3: refill the band boxes.
extern std::function<void()> OpenLogFillBandBoxes;
// The launcher's progress bar while the log loads: value, maximum.
extern std::function<void(qint64, qint64)> LogLoadProgress;
// WriteQsoRecord step 7: mark the station on the map (longitude, latitude,
// colour 0x00BBGGRR).
extern std::function<void(const QString &, const QString &, unsigned)> MarkStationOnMap;
// CountLogRecords: the QSO window's caption.
extern std::function<void(const QString &)> SetQsoWindowCaption;

} // namespace zelmor
