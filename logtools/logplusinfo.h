#pragma once
// LOGPLUS keeps a text per worked call in files "<call>.lp". This brings
// those texts into a log's info fields: the log is loaded into the import
// grid, the texts are appended to the rows of their calls, and the grid is
// saved back: in place into the same log (only the info fields that changed),
// or appended to another log.
#include "logtools/foreignimport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace zelmor {

// Where the grid's rows came from when they were loaded from a log. The
// record index of each row is kept here, out of the grid's reach.
struct InfoImportSource {
    QString logPath;        // empty: the grid holds no loaded log
    bool wasCurrent = false; // the log was the current log at the load
    std::vector<qint64> recordIndex;
    void clear() {
        logPath.clear();
        wasCurrent = false;
        recordIndex.clear();
    }
    // The grid still holds the rows of the load (rows typed below them
    // may follow).
    bool holds(const ImportRowStore &rows) const {
        return !logPath.isEmpty() && rows.size() >= qsizetype(recordIndex.size());
    }
};

// Two names of one file: the same absolute path, or the same file once
// links are resolved.
bool SameLogFile(const QString &a, const QString &b);

struct InfoLoadResult {
    qint64 rows = 0;
    qint64 deleted = 0;
    QString error;
};
// Appends every live record of the log as a row: number, call, name, QTH,
// country, date, time, band, mode, region, RST received and sent, ITU, info,
// WAZ, points, QSL, locator, IOTA, VIA and frequency.
InfoLoadResult LoadLogForInfo(const QString &logPath, ImportRowStore &rows, InfoImportSource &source,
                              const ImportProgress &progress = {});

// The "*.lp" files of the folder, any case, sorted by name.
QStringList ListInfoFiles(const QString &folder);
// The text of an info file: its first bytes up to the first byte 26, at most
// 161, those from 32 up, converted from cp866.
QByteArray ReadInfoText(const QString &path, QString *error = nullptr);

struct InfoMergeResult {
    qint64 rowsExtended = 0;
    QString error; // a file that could not be read; the others are merged
};
// Appends each file's text, after one blank, to the info of every row whose
// call equals the file's name up to its first '.', upper-cased.
InfoMergeResult MergeInfoFiles(ImportRowStore &rows, const QString &folder, const QStringList &files);

struct InfoSaveResult {
    qint64 rewritten = 0;
    QStringList left; // one text per row left as it was
    QString error;
};
// Writes the info cells that differ from the log's records back into the
// source log, record by record; each record is read again first and left,
// with a text, when it is now deleted, holds another call, or the source was
// the current log and another log is current now. Nothing is appended.
InfoSaveResult SaveInfoInPlace(const ImportRowStore &rows, const InfoImportSource &source);

} // namespace zelmor
