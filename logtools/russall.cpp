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
    setStyleSheet(QStringLiteral("Trussall { background: #dfe8f2; }"));
    WatchActivations();

    Image1 = new QLabel(QStringLiteral("   RUSS-ALL"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, width(), 30);
    Image1->setStyleSheet(QStringLiteral("background: #2a4d7a; color: white; font-weight: bold;"));
    new WindowDrag(Image1);
    auto *close = NewPictureButton(this, "ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"));
    close->setGeometry(width() - 36, 3, 26, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    strrus = new TStringGrid(19, 91, this);
    strrus->setObjectName(QStringLiteral("strrus"));
    strrus->horizontalHeader()->setMinimumSectionSize(12); // the narrow "Y" columns
    strrus->setGeometry(10, 36, 700, 340);
    strrus->setColWidth(0, 190);
    for (int col = 1; col <= 18; ++col) strrus->setColWidth(col, col % 2 ? 30 : 20);

    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(10, 382, 700, 196);
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(10, 584, 700, 8);
}

void Trussall::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activationOfShow_ = true;
    FormActivate();
}

void Trussall::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    // The activation that follows a show must not empty what the launcher
    // has just counted into the window.
    if (activationOfShow_) {
        activationOfShow_ = false;
        return;
    }
    if (ActivatedFromOwnWindow(this)) FormActivate();
}

void Trussall::FormActivate() {
    SetWindowMask(this, WindowRegion(RoundRectRegion(0, 0, width(), height(), 24, 24)));
    StringGridModel &g = strrus->model();
    for (int r = 1; r <= RegionCount; ++r)
        for (int col = 1; col <= 18; ++col) g.setCell(col, r, QString());
    g.setCell(0, 0, QStringLiteral("Области России"));
    for (int k = 0; k < AwardBandCount; ++k) {
        g.setCell(1 + 2 * k, 0, AwardBandLabels[size_t(k)]);
        g.setCell(2 + 2 * k, 0, QStringLiteral("Y"));
    }
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
