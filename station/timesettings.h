#pragma once
// The stored values of the UTC offset and the reminders: the one place their
// names are spelled.
#include "station/reminders.h"

#include <vector>

namespace zelmor {

// "GMT" (zelmor\qso, string).
void StoreUtcOffset(const QString &offset);

// "кол" (zelmor\таймер, integer), then "дата"n, "время"n, "информ"n
// (strings) for n = 0 .. кол - 1.
std::vector<ReminderRow> ReadReminderRows();
void StoreReminderRows(const std::vector<ReminderRow> &rows);

// "звук таймера" (zelmor\главное, bool).
bool ReadReminderSound();
void StoreReminderSound(bool on);

} // namespace zelmor
