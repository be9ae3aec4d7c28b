#pragma once
// The country of an imported row, from "dx/world.dat" and "russia22.dat" read
// once per import. Unlike the QSO window's analysis, the last of equal
// prefixes wins, and the longest prefix that has a record decides.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>

namespace zelmor {

class RowCountryTables {
public:
    // Reads both files; false (and `missing` = the display name of the file,
    // as the missing-file message shows it) when one cannot be read.
    bool load(const QString &worldPath, const QString &regionsPath, QString *missing = nullptr);
    // Tables given directly (tools, tests): trimmed cp1251 keys.
    void addCountry(const QByteArray &prefix, const QByteArray &country, const QByteArray &waz, const QByteArray &itu);
    void addRegion(const QByteArray &key, const QByteArray &number);

    struct Country {
        QByteArray country, waz, itu;
    };
    const Country *country(QByteArrayView prefix) const;
    const QByteArray *regionNumber(QByteArrayView key) const;
    qsizetype longestPrefix() const { return longest_; }

private:
    QHash<QByteArray, Country> countries_; // trimmed prefix -> its last record
    QHash<QByteArray, QByteArray> regions_; // trimmed key -> its first record's number
    qsizetype longest_ = 0;
};

struct RowCountry {
    bool found = false;
    QByteArray country, waz, itu;
    QByteArray region; // empty when the call has none
};

// Country, zones and (for Russian calls of four characters or more beginning
// "UA", "UE" or "R") the region number of a call, upper case, blanks removed,
// cp1251.
RowCountry LookupCountryForRow(const RowCountryTables &tables, QByteArrayView call);

// Import grid columns the look-up fills.
namespace ImportColumn {
inline constexpr int Number = 0, Call = 1, Name = 2, Qth = 3, Country = 4, Date = 5, Time = 6, Band = 7, Mode = 8,
                     Region = 9, RstReceived = 10, RstSent = 11, Itu = 12, Info = 13, Waz = 14, Points = 15,
                     Qsl = 16, Locator = 17, Iota = 18, Via = 19, Frequency = 20;
}

} // namespace zelmor
