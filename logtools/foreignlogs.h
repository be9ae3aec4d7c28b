#pragma once
// The readers of other loggers' files: each turns the file's bytes into rows
// of the import grid (21 cp1251 cells, the country cells from the look-up)
// appended to the row store. No widgets; the window's handlers clear the
// rows, call a reader and show its outcome.
#include "logtools/foreignimport.h"

namespace zelmor {

// MixW2 text log: one QSO per line, fields separated by ';'.
ForeignImportResult ReadMixw2Log(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress = {});
// One MixW2 line into the row being built (its cells emptied first).
void ParseMixw2Line(QByteArrayView line, ForeignRowBuilder &row);

// AALOG fixed-column text log; the first two lines are a header.
ForeignImportResult ReadAalogLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress = {});
// SWISLOG binary log of 128-byte blocks, the first a header.
ForeignImportResult ReadSwislogDat(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress = {});
// LOGPLUS dBASE III log; deleted records are left out and counted.
ForeignImportResult ReadLogplusDbf(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress = {});
// QZ5WW log of 78-byte records.
ForeignImportResult ReadQz5wwLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress = {});
// QZ4W contest log "log.dat".
ForeignImportResult ReadQz4wLogDat(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress = {});
// LOG-EQF fixed-column text log; the first line is a header.
ForeignImportResult ReadLogEqfLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                  const ImportProgress &progress = {});
// LOG-EQF ASCII export, fields separated by ','.
ForeignImportResult ReadLogEqfCommas(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                     const ImportProgress &progress = {});

} // namespace zelmor
