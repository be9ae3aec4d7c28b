#include "station/timesettings.h"

#include "logbook/settingsstore.h"

namespace zelmor {

namespace {
const QString kTimer = QStringLiteral("zelmor\\таймер");
// A count beyond this is a damaged value, not reminders.
constexpr qint32 kMaxRows = 1000;
} // namespace

void StoreUtcOffset(const QString &offset) {
    RegWriteValue(0, QStringLiteral("zelmor\\qso"), QStringLiteral("GMT"), 0, offset);
}

std::vector<ReminderRow> ReadReminderRows() {
    const qint32 count = qBound(0, RegReadInteger(kTimer, QStringLiteral("кол")), kMaxRows);
    std::vector<ReminderRow> rows;
    for (qint32 n = 0; n < count; ++n) {
        const QString i = QString::number(n);
        rows.push_back({RegReadString(kTimer, QStringLiteral("дата") + i), RegReadString(kTimer, QStringLiteral("время") + i),
                        RegReadString(kTimer, QStringLiteral("информ") + i)});
    }
    return rows;
}

void StoreReminderRows(const std::vector<ReminderRow> &rows) {
    for (size_t n = 0; n < rows.size(); ++n) {
        const QString i = QString::number(n);
        RegWriteValue(0, kTimer, QStringLiteral("дата") + i, 0, rows[n].date);
        RegWriteValue(0, kTimer, QStringLiteral("время") + i, 0, rows[n].time);
        RegWriteValue(0, kTimer, QStringLiteral("информ") + i, 0, rows[n].info);
    }
    RegWriteValue(1, kTimer, QStringLiteral("кол"), qint32(rows.size()), QString());
}

bool ReadReminderSound() { return RegReadBool(QStringLiteral("zelmor\\главное"), QStringLiteral("звук таймера")); }

void StoreReminderSound(bool on) { RegWriteBool(QStringLiteral("zelmor\\главное"), QStringLiteral("звук таймера"), on); }

} // namespace zelmor
