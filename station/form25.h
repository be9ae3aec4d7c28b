#pragma once
// The greyline world map: the map picture with night and twilight for the
// QSO time, the own station, the stations worked since the start and the
// day's QSOs from the log. Frameless, cut to a rectangle, dragged by its
// background.
#include "station/greyline.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTimer;

namespace zelmor {

// A pie-shaped progress gauge.
class TPieGauge : public QWidget {
    Q_OBJECT
public:
    explicit TPieGauge(QWidget *parent = nullptr);
    int maximum() const { return maximum_; }
    int value() const { return value_; }
    void setMaximum(int m);
    void setValue(int v);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int maximum_ = 100, value_ = 0;
};

// Shows a canvas's picture.
class TMapImage : public QWidget {
    Q_OBJECT
public:
    TMapImage(const MapCanvas &canvas, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    const MapCanvas &canvas_;
};

class TForm25 : public QWidget {
    Q_OBJECT
public:
    explicit TForm25(QWidget *parent = nullptr);

    QFrame *Shape1;     // black background
    QLabel *Image2;     // the drag surface
    TMapImage *Image1;  // the map with the points
    TPieGauge *Gauge1;  // shading progress, shown while shading
    QTimer *Timer1;     // 200 ms, once: F11's shading
    QMenu *PopupMenu1;
    QAction *N1, *QSO1, *QSO2, *QSO3, *QSO4, *N3;

    // The shaded map; Image1 shows a copy of it with the points.
    QImage MapBitmap;
    MapCanvas Canvas;
    int ShowQsoPointsOnly = 0;
    // The own station's pixel of the last PlotTodaysQsos.
    std::optional<QPoint> HomePixel;

    // Rebuilds MapBitmap for the QSO window's UTC date and time and shows it.
    void DrawGreylineMap();
    // The own station and the day's QSOs from the log, with or without calls
    // and countries. Returns the records read.
    qint64 PlotTodaysQsos(bool labels);
    // Every entry of MapPointList again.
    void RedrawMapPoints();
    // The QSO window's mark of a station: pixel already pushed, colour
    // 0x00BBGGRR.
    void DrawMapPoint(int x, int y, unsigned colour, const QString &call, const QString &country,
                      const QString &distance);
    // What activation does: the region, the bare shaded map, the station
    // being entered in red.
    void FormActivate();
    // The window region (4, 23)-(727, 415), in window coordinates.
    static QRegion WindowRegion();

    void N1Click();
    void Timer1Timer();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showCanvas();
    std::optional<QPoint> dragFrom_;
};

extern TForm25 *Form25;

} // namespace zelmor
