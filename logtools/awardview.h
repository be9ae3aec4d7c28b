#pragma once
// What the award and statistics windows share on screen: their bar charts
// drawn from the plain chart models, picture buttons and the progress bars
// of a count.
#include "logbook/barchart.h"
#include "logtools/awardtables.h"
#include "platform/activation.h"
#include "platform/stringgrid.h"
#include "platform/windowshape.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <vector>

class QChartView;
class QEvent;
class QLabel;
class QProgressBar;
class QPushButton;
class QRect;
class QWidget;

namespace zelmor {

// Redraws a chart view: one category per worked bar, the worked bars red and
// the confirmed ones blue, no animation.
// `labelPoints` sets a smaller size for the axis labels, where they would
// not fit.
void DrawAwardChart(QChartView *view, const std::vector<Bar> &worked, const std::vector<Bar> &confirmed,
                    const QString &axisTitle = QString(), int labelPoints = 0);
QChartView *NewAwardChartView(QWidget *parent, const char *name);

// A count's progress on the window's bar and, while the start-up runs, on the
// launcher's.
AwardProgress GaugeProgress(QProgressBar *own);

// A flat captioned button standing for a pair of pictures: it looks pressed
// while held.
QPushButton *NewPictureButton(QWidget *parent, const char *name, const QString &caption, const QString &hint);

// The frame the award tables share: a background, a title strip with the
// caption that drags the window and carries a close button. Returns the strip.
QLabel *DecorateAwardWindow(QWidget *window, const QString &caption);
// The window's outline: its client area with rounded corners.
void ShapeAwardWindow(QWidget *window);
QProgressBar *NewAwardGauge(QWidget *parent, const QRect &place);
// A grid of a name column and nine band pairs (count, "Y"), headed "1.8" to
// "28" and "Y".
TStringGrid *NewBandGrid(QWidget *parent, const char *name, int rows, int nameWidth, const QRect &place);

} // namespace zelmor
