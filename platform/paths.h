#pragma once
// Data-file names are written Windows-style ("dx\world.dat", "Kaz_tan.dat"):
// "\" separates folders and names compare case-insensitively. These resolve
// them on a case-sensitive file system.
#include <QString>
#include <QStringList>

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

// Where the program keeps its data and logs, wherever it is started from:
// $ZELMOR_HOME when set, else $XDG_DATA_HOME/zelmor (~/.local/share/zelmor).
QString DefaultProgramDir();
// The shipped program folder: share/zelmor beside an installed binary, else
// the source tree's data/ of a build, else the install prefix's; empty when
// none exists.
QString ShippedDataDir();
// Copies into `to` every file of `from` (subfolders too) that `to` lacks;
// never replaces a file that is there. Returns the texts of the failures,
// each naming the file and the system's reason.
QStringList CopyMissingFiles(const QString &from, const QString &to);

} // namespace zelmor
