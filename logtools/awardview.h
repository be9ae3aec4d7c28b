#pragma once
// What the award and statistics windows share on screen: their bar charts
// drawn from the plain chart models, dragging by a
// background picture, picture buttons and the progress bars of a count.
#include "logbook/barchart.h"
#include "logtools/awardtables.h"

#include <QObject>
#include <QPoint>
#include <QString>
#include <vector>

class QChartView;
class QProgressBar;
class QPushButton;
class QWidget;

namespace zelmor {

// Redraws a chart view: one category per worked bar, the worked bars red and
// the confirmed ones blue, no animation.
// A small chart gets a smaller `labelPoints` for its axis labels.
void DrawAwardChart(QChartView *view, const std::vector<Bar> &worked, const std::vector<Bar> &confirmed,
                    const QString &axisTitle = QString(), int labelPoints = 0);
QChartView *NewAwardChartView(QWidget *parent, const char *name);

// A count's progress on the window's bar and, while the start-up runs, on the
// launcher's.
AwardProgress GaugeProgress(QProgressBar *own);

// A flat captioned button standing for a pair of pictures: it looks pressed
// while held.
QPushButton *NewPictureButton(QWidget *parent, const char *name, const QString &caption, const QString &hint);

// Moves the window of `handle` while the left button drags on it: the
// window's corner keeps its distance to the cursor from the press on.
class WindowDrag : public QObject {
public:
    explicit WindowDrag(QWidget *handle);
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QWidget *handle_;
    QPoint offset_;
    bool dragging_ = false;
};

} // namespace zelmor
