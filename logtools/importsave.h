#pragma once
// Saving the import grid's rows to a log: every record is built first and the
// batch is appended in one write, so a failure leaves the log as it was.
#include "logtools/importrows.h"

#include <QString>

namespace zelmor {

// The target of a name chosen in the save dialog: ".log" is added only to a
// name without an extension, and an existing file of that name is the target.
QString GridSaveTarget(const QString &chosen);

struct GridSaveResult {
    enum Status { Saved, NotALog, Failed } status = Saved;
    qint64 firstNumber = 0; // QSO number of the first record written
    qint64 written = 0;
    QString error;
};

// Appends the rows (up to the first whose number cell is empty; rows without
// a call are passed over) to the log at `target`, numbered on from its record
// count. A file whose size is not a whole number of records is refused. When
// `target` is the current log, LogColumns grow by the records written.
GridSaveResult AppendGridRowsToLog(const ImportRowStore &rows, const QString &target);

// The same target as the current log, whatever the spelling of the path.
bool IsCurrentLog(const QString &path);

} // namespace zelmor
