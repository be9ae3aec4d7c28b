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
    setStyleSheet(QStringLiteral("Twaz9b { background: #dfe8f2; }"));
    WatchActivations();

    Image1 = new QLabel(QStringLiteral("   WAZ - 9 band"), this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, width(), 30);
    Image1->setStyleSheet(QStringLiteral("background: #2a4d7a; color: white; font-weight: bold;"));
    new WindowDrag(Image1);
    auto *close = NewPictureButton(this, "ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"));
    close->setGeometry(width() - 36, 3, 26, 24);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    strw = new TStringGrid(19, 41, this);
    strw->setObjectName(QStringLiteral("strw"));
    strw->horizontalHeader()->setMinimumSectionSize(12); // the narrow "Y" columns
    strw->setGeometry(10, 36, 580, 300);
    strw->setColWidth(0, 44);
    for (int col = 1; col <= 18; ++col) strw->setColWidth(col, col % 2 ? 30 : 20);

    Chart1 = NewAwardChartView(this, "Chart1");
    Chart1->setGeometry(10, 342, 580, 196);
    Gauge1 = new QProgressBar(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setTextVisible(false);
    Gauge1->setGeometry(10, 544, 580, 8);
}

void Twaz9b::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    activationOfShow_ = true;
    FormActivate();
}

void Twaz9b::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    // The show has counted already; later activations from another of our
    // windows count again.
    if (activationOfShow_) {
        activationOfShow_ = false;
        return;
    }
    if (ActivatedFromOwnWindow(this)) FormActivate();
}

void Twaz9b::FormActivate() {
    SetWindowMask(this, WindowRegion(RoundRectRegion(0, 0, width(), height(), 24, 24)));
    CountWazZones();
}

void Twaz9b::CountWazZones() {
    StringGridModel &g = strw->model();
    g.setCell(0, 0, QStringLiteral("Зоны"));
    for (int k = 0; k < AwardBandCount; ++k) {
        g.setCell(1 + 2 * k, 0, AwardBandLabels[size_t(k)]);
        g.setCell(2 + 2 * k, 0, QStringLiteral("Y"));
    }
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
