#pragma once
// The import window's handlers of the other loggers' formats and of the two
// text exports: each reads the window's controls, calls its reader or
// writer and shows the outcome.
namespace zelmor {

class Timport;

void ImportMixw2(Timport &w);
void ImportAalog(Timport &w);
void ImportSwislog(Timport &w);
void ImportLogplusDbf(Timport &w);
void ImportQz5wwLog(Timport &w);
void ImportQz4wLog(Timport &w);
void ImportLogEqfLog(Timport &w);
void ImportLogEqfCommas(Timport &w);
void LoadLogForInfoImport(Timport &w);
void ExportLogToText(Timport &w);
void ExportContestToText(Timport &w);

// Fills the window's converter hooks with the handlers above, on `import`.
void ConnectForeignConverters();

} // namespace zelmor
