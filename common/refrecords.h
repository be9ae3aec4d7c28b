#pragma once
// The record layouts of the reference data files. One codec per layout: the
// loaders, the editors, the importers and the data tools all use these.
#include "common/recordfile.h"

#include <QString>
#include <array>

namespace zelmor {

// "dx/world.dat": one record per prefix; the record number is the country's
// index everywhere in memory.
struct CountryRecord {
    static constexpr int Size = 180;
    QString prefix, country, waz, itu, latitude, longitude, time, continent, commonPrefix, dxcc, wae, alternatives;
    static const std::array<FieldOf<CountryRecord>, 12> Fields;
};
inline const std::array<FieldOf<CountryRecord>, 12> CountryRecord::Fields = {{
    {0, 14, &CountryRecord::prefix},
    {15, 40, &CountryRecord::country},
    {56, 5, &CountryRecord::waz},
    {62, 5, &CountryRecord::itu},
    {68, 10, &CountryRecord::latitude},
    {79, 10, &CountryRecord::longitude},
    {90, 10, &CountryRecord::time},
    {101, 20, &CountryRecord::continent},
    {122, 10, &CountryRecord::commonPrefix},
    {133, 2, &CountryRecord::dxcc},
    {136, 2, &CountryRecord::wae},
    {139, 40, &CountryRecord::alternatives},
}};

// "russia22.dat" (coordinate A = longitude, B = latitude), "ucraina.dat" and
// "Kaz_tan.dat" (A = latitude, B = longitude).
struct RegionRecord {
    static constexpr int Size = 79;
    QString key, name, waz, itu, number, coordinateA, coordinateB, obl, utc;
    static const std::array<FieldOf<RegionRecord>, 9> Fields;
};
inline const std::array<FieldOf<RegionRecord>, 9> RegionRecord::Fields = {{
    {0, 5, &RegionRecord::key},
    {6, 30, &RegionRecord::name},
    {37, 5, &RegionRecord::waz},
    {43, 5, &RegionRecord::itu},
    {49, 5, &RegionRecord::number},
    {55, 5, &RegionRecord::coordinateA},
    {61, 5, &RegionRecord::coordinateB},
    {67, 5, &RegionRecord::obl},
    {73, 5, &RegionRecord::utc},
}};

// "brasil.dat". The look-up compares the first three key bytes whatever the
// length byte says, so the raw key bytes are kept too.
struct BrazilRegionRecord {
    static constexpr int Size = 59;
    QString key, name;
    static const std::array<FieldOf<BrazilRegionRecord>, 2> Fields;
};
inline const std::array<FieldOf<BrazilRegionRecord>, 2> BrazilRegionRecord::Fields = {{
    {0, 5, &BrazilRegionRecord::key},
    {6, 52, &BrazilRegionRecord::name},
}};

// "names1.dat", sorted by call.
struct CallNameRecord {
    static constexpr int Size = 26;
    QString call, firstName;
    static const std::array<FieldOf<CallNameRecord>, 2> Fields;
};
inline const std::array<FieldOf<CallNameRecord>, 2> CallNameRecord::Fields = {{
    {0, 12, &CallNameRecord::call},
    {13, 12, &CallNameRecord::firstName},
}};

// "name/name.bas", "name/qth.bas": an empty text is a free slot.
struct NameListRecord {
    static constexpr int Size = 21;
    QString text;
    static const std::array<FieldOf<NameListRecord>, 1> Fields;
};
inline const std::array<FieldOf<NameListRecord>, 1> NameListRecord::Fields = {{
    {0, 20, &NameListRecord::text},
}};

// "qslmng.mng", sorted by call on the first two characters.
struct QslManagerRecord {
    static constexpr int Size = 39;
    QString call, manager;
    static const std::array<FieldOf<QslManagerRecord>, 2> Fields;
};
inline const std::array<FieldOf<QslManagerRecord>, 2> QslManagerRecord::Fields = {{
    {0, 13, &QslManagerRecord::call},
    {14, 24, &QslManagerRecord::manager},
}};

// "vet.dat".
struct VeteranRecord {
    static constexpr int Size = 44;
    QString number, call, name, points;
    static const std::array<FieldOf<VeteranRecord>, 4> Fields;
};
inline const std::array<FieldOf<VeteranRecord>, 4> VeteranRecord::Fields = {{
    {0, 6, &VeteranRecord::number},
    {7, 15, &VeteranRecord::call},
    {23, 15, &VeteranRecord::name},
    {39, 4, &VeteranRecord::points},
}};

// "dig.dat", "agb.dat", "srvs.dat", "rcc.dat", "hfc.dat", "kdr.dat".
struct ClubMemberRecord {
    static constexpr int Size = 39;
    QString number, call, name;
    static const std::array<FieldOf<ClubMemberRecord>, 3> Fields;
};
inline const std::array<FieldOf<ClubMemberRecord>, 3> ClubMemberRecord::Fields = {{
    {0, 6, &ClubMemberRecord::number},
    {7, 15, &ClubMemberRecord::call},
    {23, 15, &ClubMemberRecord::name},
}};

// "dx/iota.dat": an empty reference marks a free slot.
struct IslandRecord {
    static constexpr int Size = 164;
    QString reference, prefix, name;
    static const std::array<FieldOf<IslandRecord>, 3> Fields;
};
inline const std::array<FieldOf<IslandRecord>, 3> IslandRecord::Fields = {{
    {0, 5, &IslandRecord::reference},
    {6, 6, &IslandRecord::prefix},
    {13, 150, &IslandRecord::name},
}};

// "adres.inx": call, then a 32-bit little-endian record number into "adres.adr".
struct PostalIndexRecord {
    static constexpr int Size = 20;
    QString call;
    qint32 addressIndex = 0;
    static const std::array<FieldOf<PostalIndexRecord>, 2> Fields;
};
inline const std::array<FieldOf<PostalIndexRecord>, 2> PostalIndexRecord::Fields = {{
    {0, 15, &PostalIndexRecord::call},
    Int32Field(16, &PostalIndexRecord::addressIndex),
}};

// "adres.adr".
struct PostalAddressRecord {
    static constexpr int Size = 123;
    QString part1, part2, part3;
    static const std::array<FieldOf<PostalAddressRecord>, 3> Fields;
};
inline const std::array<FieldOf<PostalAddressRecord>, 3> PostalAddressRecord::Fields = {{
    {0, 10, &PostalAddressRecord::part1},
    {11, 10, &PostalAddressRecord::part2},
    {22, 100, &PostalAddressRecord::part3},
}};

// "mail/adrbox.dat", the address book: record i is row i of its list. The
// address keeps its line breaks as CR LF.
struct AddressBookRecord {
    static constexpr int Size = 297;
    QString call, name, address;
    static const std::array<FieldOf<AddressBookRecord>, 3> Fields;
};
inline const std::array<FieldOf<AddressBookRecord>, 3> AddressBookRecord::Fields = {{
    {0, 14, &AddressBookRecord::call},
    {15, 30, &AddressBookRecord::name},
    {46, 250, &AddressBookRecord::address},
}};

// A sender address of the envelope window ("mail\mail.dat"), kept under an
// entry name; an empty entry name marks a deleted slot. The address is the
// lines of the address box joined by CR LF.
struct SenderAddressRecord {
    static constexpr int Size = 619;
    QString entry, name, postcode, address;
    static const std::array<FieldOf<SenderAddressRecord>, 4> Fields;
};
inline const std::array<FieldOf<SenderAddressRecord>, 4> SenderAddressRecord::Fields = {{
    {0, 100, &SenderAddressRecord::entry},
    {101, 250, &SenderAddressRecord::name},
    {352, 10, &SenderAddressRecord::postcode},
    {363, 255, &SenderAddressRecord::address},
}};

} // namespace zelmor
