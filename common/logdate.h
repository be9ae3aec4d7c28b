#pragma once
// Dates as the log stores them: "dd.mm.yyyy", or "dd.mm.yy" in logs of older
// versions. One rule for every reader (search, sort, exports, importers): a
// two-digit year yy is 19yy when yy >= 50, otherwise 20yy.
#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace zelmor {

// 19yy for yy >= 50, else 20yy.
int ExpandTwoDigitYear(int yy);

// The date of "dd.mm.yyyy" or "dd.mm.yy" exactly; no value for any other
// form ("12.05.20  " is a half-typed year) or an impossible date
// ("31.02.2024", "  .  .    ").
std::optional<QDate> ParseLogDate(QStringView text);
// The same over the stored cp1251 bytes, as yyyymmdd; 0 when not a date.
// Lets a scan of a million records compare dates without decoding text.
int LogDateNumber(QByteArrayView bytes);
inline int LogDateNumber(const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); }

// "yyyy.mm.dd" of a stored date; the text itself when it is not a date.
QString DateSortKey(QStringView text);

// "hh:mm" with hours 0-23 and minutes 0-59.
bool IsLogTime(QStringView text);

} // namespace zelmor
