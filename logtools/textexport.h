#pragma once
// The log and a contest file written out as text: the log as one line of 17
// comma-separated fields per QSO, a contest file as the fixed-column listing
// of the QZ4W contest logger. Both over paths, no widgets; cp1251 with CR LF.
#include "logtools/foreignimport.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zelmor {

struct TextExportResult {
    bool ok = false;
    QString outputPath;
    qint64 lines = 0; // QSO lines written
    QString error;
    // Contest records (from 1) whose date was written as stored because its
    // month is not a number of a month.
    std::vector<qint64> unreadableDates;
};

// The 17 fields of a log record joined by ','; a field holding ',', '"', CR
// or LF is quoted with its '"' doubled. Ends with CR LF.
void AppendLogTextLine(QByteArray &out, const char *record);
// Writes every live record of the log beside it as "<name>.txt" (the next
// number when the name is taken). The file is removed when the export fails.
TextExportResult ExportLogToText(const QString &logPath, const ImportProgress &progress = {});

// "Jan" ... "Dec".
extern const char *const ContestMonthNames[12];
// The band figure of the listing ("20" for "14  Mhz"); empty for a text that
// is none of the log's bands.
QByteArray ContestBandFigure(QByteArrayView band);
// Inserts each value at its column (from 1) into 79 blanks in column order,
// each insertion pushing what stands right of it further right, and cuts the
// line to 79 characters.
QByteArray ContestColumns(const QByteArrayView (&values)[11]);
// The listing's line of one contest record; `dateOk` false when its date was
// written as stored.
QByteArray ContestTextLine(const char *record, bool *dateOk = nullptr);
// The five head lines: year, contest name and own call; two blank lines;
// the titles; the dashes.
QByteArray ContestHead(int year, const QString &contestName, const QString &ownCall);
// Writes the live records of the contest file as "<name>.dat" beside it.
TextExportResult ExportContestToText(const QString &contestPath, int year, const QString &contestName,
                                     const QString &ownCall, const ImportProgress &progress = {});

} // namespace zelmor
