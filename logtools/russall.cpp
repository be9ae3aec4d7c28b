#include "logtools/russall.h"

#include "logbook/logfile.h"
#include "logtools/awardtables.h"
#include "logtools/awardview.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/windowshape.h"
#include "platform/paths.h"

#include <QChartView>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace zelmor {

Trussall *russall = nullptr;

Trussall::Trussall(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("russall"));
    setWindowTitle(QStringLiteral("RUSS-ALL"));
    resize(720, 600);
    WatchActivations();
    Image1 = DecorateAwardWindow(this, windowTitle());
    strrus = NewBandGrid(this, "strrus", 91, 190, QRect(10, 36, 700, 340));
    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(10, 382, 700, 196);
    Gauge1 = NewAwardGauge(this, QRect(10, 584, 700, 8));
}

void Trussall::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activation_.shown();
    FormActivate();
}

void Trussall::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

void Trussall::FormActivate() {
    ShapeAwardWindow(this);
    StringGridModel &g = strrus->model();
    for (int r = 1; r <= RegionCount; ++r)
        for (int col = 1; col <= 18; ++col) g.setCell(col, r, QString());
    g.setCell(0, 0, QStringLiteral("Области России"));
}

void Trussall::ShowRegionList() {
    show();
    raise();
    std::optional<RegionNames> names;
    try {
        names = ReadRegionNames(DataPath(QStringLiteral("russia22.dat")));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    if (!names) {
        ShowMissingFile(QStringLiteral(" Russia22.dat"));
        return;
    }
    StringGridModel &g = strrus->model();
    for (int n = 0; n < RegionCount; ++n) g.setCell(0, n + 1, (*names)[size_t(n)]);
    CountRussianRegions();
}

void Trussall::CountRussianRegions() {
    RegionTable regions{};
    try {
        regions = zelmor::CountRussianRegions(LogFilePath(), GaugeProgress(Gauge1));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    StringGridModel &g = strrus->model();
    RegionNames names;
    for (int n = 0; n < RegionCount; ++n) {
        names[size_t(n)] = g.cell(0, n + 1);
        for (int k = 0; k < AwardBandCount; ++k) {
            const AwardCell &c = regions[size_t(n)][size_t(k)];
            g.setCell(1 + 2 * k, n + 1, c.count ? QString::number(c.count) : QString());
            g.setCell(2 + 2 * k, n + 1, c.confirmed ? QStringLiteral("Y") : QString());
        }
    }
    const AwardChart chart = RegionChart(names, regions);
    Series1 = chart.worked;
    Series2 = chart.confirmed;
    if (isVisible()) DrawAwardChart(Chart1, Series1, Series2);
}

} // namespace zelmor
