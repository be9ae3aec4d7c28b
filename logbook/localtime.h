#pragma once
// The worked station's local time from its country's time value (hours its
// local time is behind UTC) and the UTC offset setting (hours UTC is ahead of
// the PC clock).
#include <QString>
#include <QTime>
#include <optional>

namespace zelmor {

// The local time as "H:mm" (24-hour clock, wrapping round midnight), or no
// value when the station's offset text is empty or not a number. An offset
// setting that is not a number counts as 0.
std::optional<QString> StationLocalTime(const QString &stationOffset, const QString &utcOffsetSetting, QTime pcTime);

} // namespace zelmor
