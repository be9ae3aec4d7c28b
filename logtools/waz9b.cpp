#include "logtools/waz9b.h"

#include "logbook/logfile.h"
#include "logtools/awardtables.h"
#include "logtools/awardview.h"
#include "platform/activation.h"
#include "platform/dialogs.h"
#include "platform/windowshape.h"

#include <QChartView>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace zelmor {

Twaz9b *waz9b = nullptr;

Twaz9b::Twaz9b(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("waz9b"));
    setWindowTitle(QStringLiteral("WAZ - 9 band"));
    resize(600, 560);
    WatchActivations();
    Image1 = DecorateAwardWindow(this, windowTitle());
    strw = NewBandGrid(this, "strw", 41, 44, QRect(10, 36, 580, 300));
    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(10, 342, 580, 196);
    Gauge1 = NewAwardGauge(this, QRect(10, 544, 580, 8));
}

void Twaz9b::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activation_.shown();
    FormActivate();
}

void Twaz9b::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (activation_.runsOn(this, e)) FormActivate();
}

void Twaz9b::FormActivate() {
    ShapeAwardWindow(this);
    CountWazZones();
}

void Twaz9b::CountWazZones() {
    StringGridModel &g = strw->model();
    g.setCell(0, 0, QStringLiteral("Зоны"));
    for (int z = 1; z <= WazZoneCount; ++z) g.setCell(0, z, QString::number(z));
    WazTable zones{};
    try {
        zones = zelmor::CountWazZones(LogFilePath(), GaugeProgress(Gauge1));
    } catch (const IoError &e) {
        ShowErrorBox(e.text());
        return;
    }
    for (int z = 1; z <= WazZoneCount; ++z)
        for (int k = 0; k < AwardBandCount; ++k) {
            const AwardCell &c = zones[size_t(z)][size_t(k)];
            g.setCell(1 + 2 * k, z, c.count ? QString::number(c.count) : QString());
            g.setCell(2 + 2 * k, z, c.confirmed ? QStringLiteral("Y") : QString());
        }
    const AwardChart chart = WazChart(zones);
    Series2 = chart.worked;
    Series1 = chart.confirmed;
    if (isVisible()) DrawAwardChart(Chart1, Series2, Series1);
}

} // namespace zelmor
