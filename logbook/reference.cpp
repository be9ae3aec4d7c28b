#include "logbook/reference.h"

#include "common/codepage.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace zelmor {

QStringList PrefixList;
QStringList PrefixCountryList;
QStringList DxccCountryList;
QStringList CallNameList;
QStringList FirstNameList, QthNameList;
ClubCallListsT ClubCallLists;

const std::array<ClubInfo, 7> &Clubs() {
    static const std::array<ClubInfo, 7> clubs = {{
        {Club::Dig, "dig.dat", " DIG.dat", " DIG-№"},
        {Club::Veteran, "vet.dat", " Vet.dat", " Ветеран-№"},
        {Club::Agb, "agb.dat", " agb.dat", " AGB-№"},
        {Club::Kdr, "kdr.dat", " kdr.dat", " KDR-№"},
        {Club::Hfc, "hfc.dat", " hfc.dat", " HFC-№"},
        {Club::Rcc, "rcc.dat", " rcc.dat", " RCC-№"},
        {Club::Srvs, "srvs.dat", " srvs.dat", " СРВС-№"},
    }};
    return clubs;
}

const ClubInfo &ClubOf(Club c) {
    for (const ClubInfo &info : Clubs())
        if (info.club == c) return info;
    return Clubs().front();
}

namespace {

constexpr qsizetype PrefixCountryWidth = 55;

// Every record of the file, or nothing after the missing-file message (no
// message when displayName is empty). A file that exists but cannot be read
// counts as missing: the operator can do nothing else about either.
template <class R>
std::optional<std::vector<R>> ReadReferenceFile(const QString &name, const QString &displayName) {
    const QString path = DataPath(name);
    if (RecordIO::Exists(path)) {
        try {
            return ReadAllRecords<R>(path);
        } catch (const IoError &) {
        }
    }
    if (!displayName.isEmpty()) ShowMissingFile(displayName);
    return std::nullopt;
}

// With the program's one comparator, the cp1251 bytes taken once per entry:
// "$" before the digits, the digits before the letters, Latin before
// Cyrillic, case ignored; equal keys keep their record order.
void SortPrefixCountryList(QStringList &list) {
    std::vector<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(size_t(list.size()));
    for (const QString &s : list) keyed.emplace_back(ToCp1251(s), s);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return CompareCp1251Text(a.first, b.first) < 0; });
    list.clear();
    for (auto &k : keyed) list << k.second;
}

void LoadNameListFile(const QString &name, const QString &displayName, QStringList &list) {
    const auto records = ReadReferenceFile<NameListRecord>(name, displayName);
    if (!records) return;
    list.clear();
    for (const NameListRecord &r : *records)
        if (!Trim(r.text).isEmpty()) list << r.text;
}

} // namespace

bool LoadCountryTable(StringGridModel *strw) {
    const auto records = ReadReferenceFile<CountryRecord>(QStringLiteral("dx\\world.dat"), QStringLiteral(" World.dat"));
    if (!records) return false;
    PrefixList.clear();
    PrefixCountryList.clear();
    DxccCountryList.clear();
    for (const CountryRecord &r : *records) {
        PrefixList << r.prefix;
        // A record without a prefix (an editor's deletion leaves one) keeps
        // its index in PrefixList but gives the country list no empty row,
        // which would sort first.
        if (!Trim(r.prefix).isEmpty()) PrefixCountryList << Left(r.prefix + u'$' + r.country, PrefixCountryWidth);
        if (r.dxcc == u"*") DxccCountryList << r.country;
    }
    SortPrefixCountryList(PrefixCountryList);
    if (strw) {
        // Filled while it has no rows, so that its view hears of the
        // thousands of new cells once rather than cell by cell.
        strw->setRowCount(0);
        strw->clearRows(0);
        for (int row = 0; row < PrefixCountryList.size(); ++row) {
            const QString &s = PrefixCountryList[row];
            const qsizetype cut = s.indexOf(u'$');
            strw->setCell(0, row, cut < 0 ? s : s.left(cut));
            strw->setCell(1, row, cut < 0 ? QString() : s.mid(cut + 1));
        }
        strw->setRowCount(int(PrefixCountryList.size()));
    }
    return true;
}

void LoadNamesFile() {
    const auto records = ReadReferenceFile<CallNameRecord>(QStringLiteral("names1.dat"), QString());
    if (!records) return;
    CallNameList.clear();
    for (const CallNameRecord &r : *records) CallNameList << r.call;
}

void LoadNameBase() { LoadNameListFile(QStringLiteral("name\\name.bas"), QStringLiteral(" Name.bas"), FirstNameList); }

void LoadQthBase() { LoadNameListFile(QStringLiteral("name\\qth.bas"), QStringLiteral(" Qth.bas"), QthNameList); }

void LoadMemberList(Club c) {
    const ClubInfo &info = ClubOf(c);
    const QString name = QString::fromLatin1(info.file);
    const QString displayName = QString::fromUtf8(info.displayName);
    QStringList calls;
    if (c == Club::Veteran) {
        const auto records = ReadReferenceFile<VeteranRecord>(name, displayName);
        if (!records) return;
        for (const VeteranRecord &r : *records) calls << r.call;
    } else {
        const auto records = ReadReferenceFile<ClubMemberRecord>(name, displayName);
        if (!records) return;
        for (const ClubMemberRecord &r : *records) calls << r.call;
    }
    ClubCallLists.of(c) = calls;
}

void ReloadLogLists() {
    LoadNameBase();
    LoadQthBase();
    for (Club c : {Club::Dig, Club::Veteran, Club::Agb, Club::Hfc, Club::Rcc, Club::Kdr, Club::Srvs}) LoadMemberList(c);
}

int ShowVeteranList(StringGridModel &strvet) {
    const auto records = ReadReferenceFile<VeteranRecord>(QStringLiteral("vet.dat"), QStringLiteral(" Vet.dat"));
    if (!records) return 0;
    const int n = int(records->size());
    strvet.clearRows(1);
    strvet.setRowCount(n + 10);
    for (int i = 0; i < n; ++i) {
        const VeteranRecord &r = (*records)[size_t(i)];
        strvet.setCell(0, i + 1, r.number);
        strvet.setCell(1, i + 1, r.call);
        strvet.setCell(2, i + 1, r.name);
        strvet.setCell(3, i + 1, r.points);
    }
    return n;
}

void ClearReferenceLists() {
    PrefixList.clear();
    PrefixCountryList.clear();
    DxccCountryList.clear();
    CallNameList.clear();
    FirstNameList.clear();
    QthNameList.clear();
    for (QStringList &l : ClubCallLists.lists) l.clear();
}

} // namespace zelmor
