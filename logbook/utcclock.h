#pragma once
// The QSO window's UTC date and time from the PC clock and the UTC offset
// setting (whole hours by which UTC is ahead of the PC clock, -12..12).
#include <QDateTime>
#include <QString>
#include <optional>

namespace zelmor {

struct UtcDateTime {
    QString time; // "HH:mm"
    QString date; // "dd.MM.yyyy"
};

// No value when the offset is empty or not a whole number ("+3" and "+12"
// are numbers; a lone "-" is not).
std::optional<UtcDateTime> ComputeUtcDateTime(const QString &offsetText, const QDateTime &pcNow);
// "+" becomes empty; a number above 12 becomes "12", below -12 "-12".
QString ValidatedUtcOffset(const QString &offsetText);

} // namespace zelmor
