#include "station/time_r.h"

#include "common/text.h"
#include "logbook/glawnf.h"
#include "logbook/qsostate.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "station/nastroy.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace zelmor {

Ttime_r *time_r = nullptr;

Ttime_r::Ttime_r(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("time_r"));
    setWindowTitle(QStringLiteral("time_r"));
    strtimer = new TStringGrid(3, 2, this);
    strtimer->setObjectName(QStringLiteral("strtimer"));
    strtimer->model().setFixedRows(1);
    strtimer->model().setEditable(true);
    const int widths[3] = {68, 39, 223};
    for (int c = 0; c < 3; ++c) strtimer->setColWidth(c, widths[c]);
    Memo3 = new QPlainTextEdit(this);
    Memo3->setObjectName(QStringLiteral("Memo3"));
    Memo3->setReadOnly(true);
    SpeedButton1 = new QPushButton(QStringLiteral("Запись"), this);
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(strtimer, 3);
    layout->addWidget(Memo3, 1);
    layout->addWidget(SpeedButton1);
    connect(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(&strtimer->model(), &QAbstractItemModel::dataChanged, this, [this] { keepOneEmptyRow(); });
}

std::vector<ReminderRow> Ttime_r::Rows() const {
    std::vector<ReminderRow> rows;
    for (int r = 1; r < strtimer->rowCount(); ++r)
        rows.push_back({strtimer->cell(0, r), strtimer->cell(1, r), strtimer->cell(2, r)});
    return rows;
}

void Ttime_r::SetRows(const std::vector<ReminderRow> &rows) {
    adjusting_ = true;
    strtimer->model().clearRows(1);
    strtimer->setRowCount(int(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = int(i) + 1;
        strtimer->setCell(0, r, rows[i].date);
        strtimer->setCell(1, r, rows[i].time);
        strtimer->setCell(2, r, rows[i].info);
    }
    adjusting_ = false;
    int last = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        if (!(rows[i] == ReminderRow{})) last = int(i) + 1;
    strtimer->setRowCount(last + 2);
}

void Ttime_r::keepOneEmptyRow() {
    if (adjusting_) return;
    int last = 0; // the last row with any text
    for (int r = 1; r < strtimer->rowCount(); ++r)
        for (int c = 0; c < 3; ++c)
            if (!strtimer->cell(c, r).isEmpty()) last = r;
    // Edits only add the row; "Запись" compacts the rows.
    if (strtimer->rowCount() < last + 2) {
        adjusting_ = true;
        strtimer->setRowCount(last + 2);
        adjusting_ = false;
    }
}

namespace {
// As many as the settings table has room for.
int MaxReminders() { return Setting(SettingId::ReminderDate).last + 1; }

std::vector<ReminderRow> ReadReminderRows() {
    const int count = qMin(LoadSetting(SettingId::ReminderCount).number, MaxReminders());
    std::vector<ReminderRow> rows;
    for (int n = 0; n < count; ++n)
        rows.push_back({LoadSetting(SettingId::ReminderDate, n).text, LoadSetting(SettingId::ReminderTime, n).text,
                        LoadSetting(SettingId::ReminderInfo, n).text});
    return rows;
}

// The rows first, the count last, all in one save of the settings file.
void StoreReminderRows(const std::vector<ReminderRow> &rows) {
    SettingsBatch batch;
    for (size_t n = 0; n < rows.size(); ++n) {
        WriteSetting(SettingId::ReminderDate, rows[n].date, int(n));
        WriteSetting(SettingId::ReminderTime, rows[n].time, int(n));
        WriteSetting(SettingId::ReminderInfo, rows[n].info, int(n));
    }
    WriteSetting(SettingId::ReminderCount, qint32(rows.size()));
}
} // namespace

bool Ttime_r::SpeedButton1Click() {
    const std::vector<ReminderRow> rows = Rows();
    QStringList errors;
    int dated = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (Trim(rows[i].date).isEmpty()) continue;
        ++dated;
        QString e = ReminderRowError(int(i) + 1, rows[i]);
        QChar bad;
        if (e.isEmpty() && !FitsCp1251(rows[i].info, &bad))
            e = QStringLiteral("Напоминание в строке %1: знак \"%2\" нельзя записать в настройки").arg(i + 1).arg(bad);
        if (!e.isEmpty()) errors << e;
    }
    if (dated > MaxReminders()) errors << QStringLiteral("Напоминаний больше %1: не записаны").arg(MaxReminders());
    if (!errors.isEmpty()) {
        ShowErrorBox(errors.join(u'\n'));
        return false;
    }
    const std::vector<ReminderRow> stored = CompactReminderRows(rows);
    StoreReminderRows(stored);
    SetRows(stored);
    if (glawnf && !glawnf->Timer5->isActive()) glawnf->Timer5->start();
    return true;
}

void Ttime_r::CheckReminders() {
    const ReminderCheckResult r = zelmor::CheckReminders(Rows(), platform::clock().now(), CheckState);
    UpcomingListed = CheckState.upcomingListed ? 1 : 0;
    for (const QString &line : r.lines) Memo3->appendPlainText(line);
    if (!r.status.isEmpty()) StatusText = r.status;
    if (r.notices.isEmpty()) return;
    StatusText = r.notices.last();
    if (!isVisible()) {
        // A notice must not take the focus from the QSO being typed; opened
        // by the operator, the window takes it as any other.
        setAttribute(Qt::WA_ShowWithoutActivating);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
    }
    // No sound device or no file: the notice stands without it.
    if (r.ring && Nastroy && Nastroy->n50->isChecked()) platform::sound().play(DataPath(QStringLiteral("rin.wav")));
}

void Ttime_r::LoadReminders() {
    Memo3->clear();
    CheckState = {};
    UpcomingListed = 0;
    SetRows(ReadReminderRows());
}

QStringList Ttime_r::Memo3Lines() const {
    const QString text = Memo3->toPlainText();
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

} // namespace zelmor
