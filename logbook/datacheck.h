#pragma once
// The data files the program needs, checked once at start-up: the missing
// ones are listed in the check window, whose button ends the program.
#include <QStringList>
#include <array>

namespace zelmor {

// In the order the check window lists them; "\" separates a subfolder.
inline constexpr std::array<const char *, 24> RequiredDataFiles = {
    "russia22.dat", "mail\\adrbox.dat", "brasil.dat",   "dig.dat",       "kdr.dat",     "agb.dat",
    "hfc.dat",      "rcc.dat",          "srvs.dat",     "dx\\iota.dat",  "kaz_tan.dat", "names1.dat",
    "ucraina.dat",  "vet.dat",          "dx\\world.dat", "gbye010.wav",  "rin.wav",     "whoosh.wav",
    "Текущий.wav",  "name\\qth.bas",    "name\\name.bas", "map.bmp",     "no_news.txt", "news.txt",
};

// One line per missing file, in list order: the bare name for a file of the
// program folder, the program folder's path and the name for a file of a
// subfolder. A file counts as present however the case of its name or of
// its folders' names differs.
QStringList MissingDataFiles();

// Fills the check window's list with the missing files and shows it (not
// modal, on top); shows nothing when every file is there.
void CheckDataFiles();

} // namespace zelmor
