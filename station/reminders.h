#pragma once
// Dated reminders: reading their cells, checking them every few seconds,
// and the rows as they are stored. No window here: the check takes the rows
// and the time and says what to show and whether to ring.
#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>
#include <vector>

namespace zelmor {

struct ReminderRow {
    QString date, time, info;
    bool operator==(const ReminderRow &) const = default;
};

// "d.M.yyyy": day and month of one or two digits, a four-digit year.
std::optional<QDate> ParseReminderDate(QStringView text);
// "H:mm" or "H:mm:ss".
std::optional<QTime> ParseReminderTime(QStringView text);

// What is wrong with a row that has a date, as the operator is told, or
// empty when it reads. `row` is its grid row.
QString ReminderRowError(int row, const ReminderRow &r);

// The rows that have a date, trimmed, in order; none gives one empty row.
std::vector<ReminderRow> CompactReminderRows(const std::vector<ReminderRow> &rows);

// What the check keeps from one tick to the next.
struct ReminderCheckState {
    std::optional<QDateTime> previous; // the time of the last check
    QSet<QString> fired;               // the reminders that have rung
    bool upcomingListed = false;       // today's coming reminders were listed
};

struct ReminderCheckResult {
    QStringList lines;   // for the notice list, in order
    QStringList notices; // the reminders that fire now: time + "  " + info
    bool ring = false;   // one sound for all that fire
    QString status;      // rows that do not read, named at the first check
};

// One tick at `now` (the PC's local time). A reminder at T fires at the
// first check where T - 60 s < now and T > the previous check's time (the
// first check counts as its own previous), and never again while its date,
// time and info stay the same; so once in its minute, also across midnight,
// and late rather than never when the clock jumps or the PC sleeps.
ReminderCheckResult CheckReminders(const std::vector<ReminderRow> &rows, const QDateTime &now,
                                   ReminderCheckState &state);

} // namespace zelmor
