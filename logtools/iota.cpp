#include "logtools/iota.h"

#include "logbook/logfile.h"
#include "logtools/awardview.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/windowshape.h"

#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace zelmor {

TIOTA *IOTA = nullptr;

namespace {
// Where slot i stands: its row, and the first column of its half.
int SlotRow(size_t i) { return int(i / 2) + 1; }
int SlotColumn(size_t i) { return i % 2 ? 5 : 0; }
} // namespace

TIOTA::TIOTA(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("IOTA"));
    setWindowTitle(QStringLiteral("IOTA"));
    resize(760, 580);
    Image1 = DecorateAwardWindow(this, windowTitle());

    striota = new TStringGrid(10, 2, this);
    striota->setObjectName(QStringLiteral("striota"));
    striota->horizontalHeader()->setMinimumSectionSize(12); // the narrow "Y" columns
    striota->setGeometry(10, 36, 560, 530);
    for (int half = 0; half < 2; ++half) {
        // The bold "Остров" whole, and both halves within the grid.
        striota->setColWidth(half * 5 + 0, 58);
        striota->setColWidth(half * 5 + 1, 42);
        striota->setColWidth(half * 5 + 2, 134);
        striota->setColWidth(half * 5 + 3, 18);
        striota->setColWidth(half * 5 + 4, 18);
    }
    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(576, 36, 174, 400);
    Gauge1 = NewAwardGauge(this, QRect(740, 446, 10, 120));
}

void TIOTA::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    ShapeAwardWindow(this);
    DrawAwardChart(Chart1, Series1, Series2);
}

void TIOTA::FillIotaTable() {
    std::optional<std::vector<IotaSlot>> read;
    try {
        read = ReadIotaSlots(DataPath(QStringLiteral("dx\\iota.dat")));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    if (!read) {
        ShowMissingFile(QStringLiteral(" Iota.dat"));
        return;
    }
    islands_ = std::move(*read);
    StringGridModel &g = striota->model();
    // A shorter list than the last one leaves none of its islands behind.
    g.clearRows(1);
    for (size_t i = 0; i < islands_.size(); ++i) {
        g.setCell(SlotColumn(i) + 0, SlotRow(i), islands_[i].reference);
        g.setCell(SlotColumn(i) + 1, SlotRow(i), islands_[i].prefix);
        g.setCell(SlotColumn(i) + 2, SlotRow(i), islands_[i].name);
    }
    g.setRowCount(islands_.empty() ? 2 : SlotRow(islands_.size() - 1) + 1);
    CountIotaIslands();
}

void TIOTA::CountIotaIslands() {
    try {
        zelmor::CountIotaIslands(islands_, LogFilePath(), GaugeProgress(Gauge1));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
    }
    writeMarks();
    const AwardChart chart = IotaChart(islands_);
    Series1 = chart.worked;
    Series2 = chart.confirmed;
    if (isVisible()) DrawAwardChart(Chart1, Series1, Series2);
}

void TIOTA::writeMarks() {
    StringGridModel &g = striota->model();
    g.setCell(0, 0, QStringLiteral("Остров"));
    for (size_t i = 0; i < islands_.size(); ++i) {
        g.setCell(SlotColumn(i) + 3, SlotRow(i), islands_[i].worked ? QStringLiteral("Y") : QString());
        g.setCell(SlotColumn(i) + 4, SlotRow(i), islands_[i].confirmed ? QStringLiteral("Y") : QString());
    }
}

} // namespace zelmor
