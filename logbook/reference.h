#pragma once
// The in-memory lists built from the reference files at start-up and at each
// log opening, and the loaders that fill them. A loader whose file cannot be
// opened says so (except for "names1.dat") and leaves its list as it was.
#include <QStringList>
#include <array>

namespace zelmor {

class StringGridModel;

extern QStringList PrefixList;         // prefix of every world.dat record, record order
extern QStringList PrefixCountryList;  // "prefix$country" cut at 55 chars, sorted; non-empty prefixes only
extern QStringList DxccCountryList;    // country of every record whose DXCC field is exactly "*"
extern QStringList CallNameList;       // names1.dat calls, record order (empty calls keep their index)
extern QStringList FirstNameList, QthNameList; // non-empty texts of name.bas / qth.bas

enum class Club { Dig, Veteran, Agb, Kdr, Hfc, Rcc, Srvs };
struct ClubInfo {
    Club club;
    const char *file;        // bare name in the program folder
    const char *displayName; // as the missing-file message shows it
    const char *tag;         // what the QSO window writes before the member number
};
// In the look-up order DIG, veterans, AGB, KDR, HFC, RCC, СРВС.
const std::array<ClubInfo, 7> &Clubs();
const ClubInfo &ClubOf(Club c);

struct ClubCallListsT {
    std::array<QStringList, 7> lists; // indexed by Club
    QStringList &of(Club c) { return lists[size_t(c)]; }
    const QStringList &of(Club c) const { return lists[size_t(c)]; }
};
extern ClubCallListsT ClubCallLists;

// "dx\world.dat" into PrefixList, PrefixCountryList and DxccCountryList, then
// PrefixCountryList into strw (nullptr: no grid), one row per entry.
// false after the missing-file message.
bool LoadCountryTable(StringGridModel *strw);
// "names1.dat" into CallNameList; silent when the file is missing.
void LoadNamesFile();
// "name\name.bas" / "name\qth.bas": the list is emptied first, so opening
// logs one after another does not pile up copies.
void LoadNameBase();
void LoadQthBase();
// Empties the club's list, then adds the call of every record.
void LoadMemberList(Club c);
// What opening a log reloads: the name and QTH bases, then the clubs in the
// order "dig.dat", "vet.dat", "agb.dat", "hfc.dat", "rcc.dat", "kdr.dat",
// "srvs.dat".
void ReloadLogLists();
// "vet.dat" into the settings grid from row 1 (row 0 is the header row):
// columns number, call, name, points; row count = records + 10. Returns the
// record count (0 after the missing-file message).
int ShowVeteranList(StringGridModel &strvet);
// Empties every list here.
void ClearReferenceLists();

} // namespace zelmor
