#include "logbook/localtime.h"

#include "common/text.h"

#include <cmath>

namespace zelmor {

std::optional<QString> StationLocalTime(const QString &stationOffset, const QString &utcOffsetSetting, QTime pcTime) {
    const auto behind = ParseDecimal(stationOffset);
    if (!behind) return std::nullopt;
    const double ahead = ParseDecimal(utcOffsetSetting).value_or(0.0);
    const double d = ahead - *behind;
    // Whole minutes; the time of day wraps modulo 24 hours whatever the offset.
    const qint64 minutes = std::llround(d * 60.0);
    constexpr qint64 day = 24 * 60;
    qint64 m = (pcTime.hour() * 60 + pcTime.minute() + minutes) % day;
    if (m < 0) m += day;
    return QStringLiteral("%1:%2").arg(m / 60).arg(m % 60, 2, 10, QLatin1Char('0'));
}

} // namespace zelmor
