#pragma once
// The QSO window's country list: the grid `strw` of prefix (column 0) and
// country (column 1), one row per prefix of "world.dat", sorted; searched by
// the beginning of a country name or by the longest leading part of a call
// that is a prefix, and turned back into the table's record of the chosen
// row.
#include "common/refrecords.h"

#include <QStringView>
#include <optional>

namespace zelmor {

class StringGridModel;

inline constexpr int CountryListPrefixColumn = 0;
inline constexpr int CountryListCountryColumn = 1;

// The first row whose cell in `column` begins with the text (exact,
// case-sensitive; a shorter cell never matches); -1 for an empty text or no
// match. Every row of the grid is looked at.
int FindCountryRowByText(const StringGridModel &strw, QStringView text, int column);
// The last row whose cell in `column` equals the longest leading part of the
// text that any cell equals; -1 for an empty text or no match.
int FindCountryRowIncremental(const StringGridModel &strw, QStringView text, int column);

// The table's record of a row: the first whose prefix and country both
// equal the row's, else the last record of the row's country; none when no
// record has the country. Throws IoError when the table cannot be read.
std::optional<CountryRecord> CountryRecordOfRow(const QString &worldPath, const QString &prefix,
                                                const QString &country);

} // namespace zelmor
