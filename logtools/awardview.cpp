#include "logtools/awardview.h"

#include "common/text.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "platform/activation.h"
#include "platform/windowshape.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QValueAxis>
#include <QPushButton>
#include <algorithm>
#include <climits>
#include <cmath>

namespace zelmor {

QChartView *NewAwardChartView(QWidget *parent, const char *name) {
    auto *view = new QChartView(new QChart, parent);
    view->setObjectName(QLatin1String(name));
    view->chart()->legend()->hide();
    view->chart()->setAnimationOptions(QChart::NoAnimation);
    view->chart()->setMargins(QMargins(2, 2, 2, 2));
    view->setRenderHint(QPainter::Antialiasing, false);
    return view;
}

void DrawAwardChart(QChartView *view, const std::vector<Bar> &worked, const std::vector<Bar> &confirmed,
                    const QString &axisTitle, int labelPoints) {
    QChart *c = view->chart();
    c->removeAllSeries();
    for (QAbstractAxis *a : c->axes()) {
        c->removeAxis(a);
        delete a;
    }
    if (worked.empty()) return;
    QStringList categories;
    // The axis labels are rich text: a label of two words takes two lines
    // rather than being cut under a narrow bar.
    for (const Bar &b : worked) categories << Trim(b.label).toHtmlEscaped().replace(u' ', QStringLiteral("<br>"));
    auto *series = new QBarSeries;
    double top = 1;
    for (const std::vector<Bar> *bars : {&worked, &confirmed}) {
        auto *set = new QBarSet(bars == &worked ? QStringLiteral("QSO") : QStringLiteral("QSL"));
        set->setColor(bars == &worked ? AwardWorkedColour : AwardConfirmedColour);
        set->setBorderColor(set->color());
        for (size_t i = 0; i < worked.size(); ++i) {
            const double v = i < bars->size() ? (*bars)[i].value : 0;
            *set << v;
            top = std::max(top, v);
        }
        series->append(set);
    }
    c->addSeries(series);
    auto *x = new QBarCategoryAxis;
    x->append(categories);
    c->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto *y = new QValueAxis;
    // A low chart has room for fewer value labels.
    const double step = std::max(1.0, std::ceil(top / (view->height() < 120 ? 2 : 4)));
    y->setRange(0, std::ceil(top / step) * step);
    y->setTickType(QValueAxis::TicksDynamic);
    y->setTickAnchor(0);
    y->setTickInterval(step);
    y->setLabelFormat(QStringLiteral("%d"));
    if (!axisTitle.isEmpty()) y->setTitleText(axisTitle);
    if (labelPoints > 0) {
        QFont f = x->labelsFont();
        f.setPointSize(labelPoints);
        x->setLabelsFont(f);
        y->setLabelsFont(f);
    }
    c->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

AwardProgress GaugeProgress(QProgressBar *own) {
    return [own](qint64 value, qint64 maximum) {
        const int max = int(std::min<qint64>(std::max<qint64>(maximum, 1), INT_MAX));
        const int v = int(std::clamp<qint64>(value, 0, max));
        for (QProgressBar *bar : {own, StartupDone == 0 && glawnf ? glawnf->Gauge1 : nullptr}) {
            if (!bar) continue;
            bar->setMaximum(max);
            bar->setValue(v);
        }
    };
}

QPushButton *NewPictureButton(QWidget *parent, const char *name, const QString &caption, const QString &hint) {
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setFlat(true);
    b->setToolTip(hint);
    b->setStyleSheet(QStringLiteral("QPushButton { color: white; background: #3c6aa5; border: 1px solid #9cc;"
                                    " padding: 2px 6px; } QPushButton:pressed { background: #1c3a60; }"));
    b->adjustSize();
    return b;
}

QLabel *DecorateAwardWindow(QWidget *window, const QString &caption) {
    window->setStyleSheet(QStringLiteral("#%1 { background: #dfe8f2; }").arg(window->objectName()));
    auto *strip = new QLabel(QStringLiteral("   ") + caption, window);
    strip->setObjectName(QStringLiteral("Image1"));
    strip->setGeometry(0, 0, window->width(), 30);
    strip->setStyleSheet(QStringLiteral("background: #2a4d7a; color: white; font-weight: bold;"));
    new WindowDrag(strip);
    auto *close = NewPictureButton(window, "ImageClose", QStringLiteral("×"), QStringLiteral("Закрыть"));
    close->setGeometry(window->width() - 36, 3, 26, 24);
    QObject::connect(close, &QPushButton::clicked, window, &QWidget::hide);
    return strip;
}

void ShapeAwardWindow(QWidget *window) {
    SetWindowMask(window, WindowRegion(RoundRectRegion(0, 0, window->width(), window->height(), 24, 24)));
}

QProgressBar *NewAwardGauge(QWidget *parent, const QRect &place) {
    auto *gauge = new QProgressBar(parent);
    gauge->setObjectName(QStringLiteral("Gauge1"));
    gauge->setTextVisible(false);
    if (place.height() > place.width()) gauge->setOrientation(Qt::Vertical);
    gauge->setGeometry(place);
    return gauge;
}

TStringGrid *NewBandGrid(QWidget *parent, const char *name, int rows, int nameWidth, const QRect &place) {
    auto *grid = new TStringGrid(1 + 2 * AwardBandCount, rows, parent);
    grid->setObjectName(QLatin1String(name));
    grid->horizontalHeader()->setMinimumSectionSize(12); // the narrow "Y" columns
    grid->setGeometry(place);
    grid->setColWidth(0, nameWidth);
    StringGridModel &g = grid->model();
    for (int k = 0; k < AwardBandCount; ++k) {
        grid->setColWidth(1 + 2 * k, 30);
        grid->setColWidth(2 + 2 * k, 20);
        g.setCell(1 + 2 * k, 0, AwardBandLabels[size_t(k)]);
        g.setCell(2 + 2 * k, 0, QStringLiteral("Y"));
    }
    return grid;
}

} // namespace zelmor
