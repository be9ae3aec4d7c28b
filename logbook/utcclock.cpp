#include "logbook/utcclock.h"

#include "common/text.h"

namespace zelmor {

std::optional<UtcDateTime> ComputeUtcDateTime(const QString &offsetText, const QDateTime &pcNow) {
    const auto hours = ParseInteger(offsetText);
    if (!hours) return std::nullopt;
    // Shift the wall-clock time itself, so a change of daylight saving time on
    // the PC never moves the result by an hour.
    const QTime t = pcNow.time();
    constexpr int day = 24 * 60;
    int minutes = t.hour() * 60 + t.minute() + *hours * 60;
    QDate date = pcNow.date();
    while (minutes < 0) {
        minutes += day;
        date = date.addDays(-1);
    }
    while (minutes >= day) {
        minutes -= day;
        date = date.addDays(1);
    }
    return UtcDateTime{QTime(minutes / 60, minutes % 60).toString(QStringLiteral("HH:mm")),
                       date.toString(QStringLiteral("dd.MM.yyyy"))};
}

QString ValidatedUtcOffset(const QString &offsetText) {
    if (offsetText == QLatin1String("+")) return QString();
    if (offsetText.isEmpty() || offsetText == QLatin1String("-")) return offsetText;
    if (const auto v = ParseInteger(offsetText)) {
        if (*v > 12) return QStringLiteral("12");
        if (*v < -12) return QStringLiteral("-12");
    }
    return offsetText;
}

} // namespace zelmor
