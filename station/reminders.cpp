#include "station/reminders.h"

#include "common/text.h"


namespace zelmor {

namespace {
// Digits 0-9 only, one to `maxLen` of them.
std::optional<int> Digits(QStringView s, qsizetype minLen, qsizetype maxLen) {
    if (s.size() < minLen || s.size() > maxLen) return std::nullopt;
    int v = 0;
    for (QChar c : s) {
        if (c < u'0' || c > u'9') return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

// Wall-clock readings compared as they stand: a change of daylight saving
// time is a clock step like any other.
QDateTime Wall(const QDate &d, const QTime &t) { return QDateTime(d, t, Qt::UTC); }

QString Key(const ReminderRow &r) { return Trim(r.date) + u'\n' + Trim(r.time) + u'\n' + Trim(r.info); }
} // namespace

std::optional<QDate> ParseReminderDate(QStringView text) {
    const QString t = Trim(text);
    const auto parts = QStringView(t).split(u'.');
    if (parts.size() != 3) return std::nullopt;
    const auto d = Digits(parts[0], 1, 2), m = Digits(parts[1], 1, 2), y = Digits(parts[2], 4, 4);
    if (!d || !m || !y) return std::nullopt;
    const QDate date(*y, *m, *d);
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::optional<QTime> ParseReminderTime(QStringView text) {
    const QString t = Trim(text);
    const auto parts = QStringView(t).split(u':');
    if (parts.size() != 2 && parts.size() != 3) return std::nullopt;
    const auto h = Digits(parts[0], 1, 2), m = Digits(parts[1], 2, 2);
    const auto s = parts.size() == 3 ? Digits(parts[2], 2, 2) : std::optional<int>(0);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
    return QTime(*h, *m, *s);
}

QString ReminderRowError(int row, const ReminderRow &r) {
    const QString head = QStringLiteral("Напоминание в строке %1: ").arg(row);
    if (!ParseReminderDate(r.date))
        return head + QStringLiteral("дата \"%1\" не распознана (дд.мм.гггг)").arg(Trim(r.date));
    if (!ParseReminderTime(r.time))
        return head + QStringLiteral("время \"%1\" не распознано (чч:мм или чч:мм:сс)").arg(Trim(r.time));
    return QString();
}

std::vector<ReminderRow> CompactReminderRows(const std::vector<ReminderRow> &rows) {
    std::vector<ReminderRow> out;
    for (const ReminderRow &r : rows)
        if (!Trim(r.date).isEmpty()) out.push_back({Trim(r.date), Trim(r.time), Trim(r.info)});
    if (out.empty()) out.push_back({});
    return out;
}

ReminderCheckResult CheckReminders(const std::vector<ReminderRow> &rows, const QDateTime &now,
                                   ReminderCheckState &state) {
    ReminderCheckResult out;
    const QDateTime wallNow = Wall(now.date(), now.time());
    const QDateTime previous = state.previous.value_or(wallNow);
    const bool first = !state.upcomingListed;
    QStringList unreadable;
    for (size_t i = 0; i < rows.size(); ++i) {
        const ReminderRow &r = rows[i];
        if (Trim(r.date).isEmpty()) continue;
        const auto d = ParseReminderDate(r.date);
        const auto t = ParseReminderTime(r.time);
        if (!d || !t) {
            unreadable << QString::number(i + 1);
            continue;
        }
        const QDateTime at = Wall(*d, *t);
        const QString time = Trim(r.time), info = Trim(r.info);
        if (first && *d == wallNow.date() && wallNow < at)
            out.lines << Trim(r.date) + QStringLiteral("   ") + time + QStringLiteral("    ") + info;
        if (at.addSecs(-60) < wallNow && at > previous) {
            const QString key = Key(r);
            if (state.fired.contains(key)) continue;
            state.fired.insert(key);
            const QString notice = time + QStringLiteral("  ") + info;
            out.lines << notice;
            out.notices << notice;
            out.ring = true;
        }
    }
    if (first && !unreadable.isEmpty())
        out.status = (unreadable.size() == 1 ? QStringLiteral("Напоминание в строке %1 не распознано")
                                             : QStringLiteral("Напоминания в строках %1 не распознаны"))
                         .arg(unreadable.join(QStringLiteral(", ")));
    state.upcomingListed = true;
    state.previous = wallNow;
    return out;
}

} // namespace zelmor
