#pragma once
// The reminder window: dated reminders that the launcher checks every two
// seconds.
#include "platform/stringgrid.h"
#include "station/reminders.h"

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace zelmor {

class Ttime_r : public QWidget {
    Q_OBJECT
public:
    explicit Ttime_r(QWidget *parent = nullptr);

    // Row 0 "Date", "Time", "Info"; reminders from row 1, and always one
    // empty row after the last.
    TStringGrid *strtimer;
    QPlainTextEdit *Memo3;       // the notices
    QPushButton *SpeedButton1;   // "Запись"
    int UpcomingListed = 0;      // today's coming reminders were listed
    ReminderCheckState CheckState;

    // The grid's rows from 1 on, empty ones too.
    std::vector<ReminderRow> Rows() const;
    // Replaces the grid's rows.
    void SetRows(const std::vector<ReminderRow> &rows);
    // "Запись": every row that has a date must read; then the rows with a
    // date are stored, the grid compacted and the check (re)started.
    // Returns whether it stored.
    bool SpeedButton1Click();
    // The launcher's check, every 2 s.
    void CheckReminders();
    // The stored reminders into the grid, the notice list emptied: a new
    // run's state. The settings loader's step for them.
    void LoadReminders();
    QStringList Memo3Lines() const;

private:
    void keepOneEmptyRow();
    bool adjusting_ = false;
};

extern Ttime_r *time_r;

} // namespace zelmor
