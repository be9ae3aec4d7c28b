#pragma once
// Data-file names are written Windows-style ("dx\world.dat", "Kaz_tan.dat"):
// "\" separates folders and names compare case-insensitively. These resolve
// them on a case-sensitive file system.
#include <QString>

namespace zelmor {

// The program folder: current from start-up on; bare data-file names resolve
// against it.
extern QString ProgramDir;

// `name` relative to `base` (or absolute), each component matched
// case-insensitively against what exists; components that do not exist are
// kept as written, so the result also names a file still to be created.
QString ResolvePath(const QString &name, const QString &base);
// ResolvePath against ProgramDir (the current folder when it is not set).
QString DataPath(const QString &name);

} // namespace zelmor
