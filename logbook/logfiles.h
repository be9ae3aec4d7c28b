#pragma once
// Work on whole log files: create, check, merge, contest conversion and the
// purge of deleted records with a numbered backup. Plain functions over
// paths; none opens a dialog. Each reads and writes in large blocks through
// one open per file, and a copied record keeps its bytes but for the number.
//
// Nothing is ever lost: a merge or conversion that fails cuts the log back
// to what it was, a purge that fails leaves the log and every other file as
// they were, and the IoError says why in the operator's words.
#include "common/recordfile.h"

#include <QString>
#include <functional>

namespace zelmor {

// Records done of the total, about every 1 % and at the end.
using LogProgress = std::function<void(qint64 done, qint64 total)>;

// Backup number `number` of a log, in its folder: the file name up to its
// first "." (the whole name when it has none), the number unless it is 0,
// then ".bak". "/home/u/.zelmor/test.log", 2 -> "/home/u/.zelmor/test2.bak".
QString BackupNameFor(const QString &logPath, int number = 0);

// Creates an empty log, never over an existing file: false when a file of
// that name exists (it is not touched). Throws IoError.
bool CreateEmptyLog(const QString &path);

// The same file, however it is named: a relative or absolute path, a
// symbolic or a hard link.
bool IsSameFile(const QString &a, const QString &b);

// Empty when `path` can be used as a log of this layout, else the message
// for the operator: missing, unreadable, or not a log (its size is not a
// whole number of records, or its first record has a length byte above its
// field's capacity). Only the first record is looked at: a log with a
// damaged record further on is still a log.
QString LogFileProblem(const QString &path);
// The same for a contest file: its size must be a whole number of records.
QString ContestFileProblem(const QString &path);
// Empty when the log's permission bits let it be written, whoever runs the
// program (root too).
QString ReadOnlyProblem(const QString &path);
// Empty when the folder of `path` has room for `bytes` more.
QString SpaceProblem(const QString &path, qint64 bytes);

inline const QString NotALogText = QStringLiteral("Файл не является аппаратным журналом: ");
inline const QString NotAContestFileText = QStringLiteral("Файл не является контестовым журналом: ");

// Appends every record of the log `source`, deleted ones too, after the last
// whole record of the log `target`, numbered on from its record count. The
// source's count is fixed before the copy. All or nothing; returns the
// number of records appended. Throws IoError.
qint64 AppendLogFile(const QString &source, const QString &target, const LogProgress &progress = {});

// Appends the records of a contest file to the log `target` as QSOs: call,
// date, time, band, mode, reports, zones, country, delete mark and region
// number from the contest record, each cut to its log field; QSL state
// "Отправить"; every other field empty. All or nothing; returns the number
// of records appended. Throws IoError.
qint64 AppendContestFileToLog(const QString &contest, const QString &target, const LogProgress &progress = {});

struct PurgeResult {
    QString backup; // the old log, kept under its first free backup name
    qint64 kept = 0;
    qint64 removed = 0;
};

// The live records of the first `count` records of `source`, renumbered from
// 1, appended to `out`.
PurgeResult CopyLiveRecords(const QString &source, qint64 count, RecordIO::ReplacementFile &out,
                            const LogProgress &progress = {});

// Drops the records marked deleted from the log. The kept records go to a
// new file in the log's folder, synced; the old log is kept as its first free
// backup (a hard link, or a synced copy where the file system has none);
// then the new file takes the log's name in one rename. At every moment the
// log's name holds the whole old log or the whole new one. A failure
// removes what this run made and throws IoError.
PurgeResult PurgeDeletedRecords(const QString &logPath, const LogProgress &progress = {});

} // namespace zelmor
