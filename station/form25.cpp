#include "station/form25.h"

#include "logbook/form1.h"
#include "logbook/glawnf.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "logbook/stationprofile.h"
#include "platform/activation.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/windowshape.h"
#include "station/gmtf.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QTimer>

namespace zelmor {

TForm25 *Form25 = nullptr;

// ---- gauge and picture --------------------------------------------------------

TPieGauge::TPieGauge(QWidget *parent) : QWidget(parent) {}

void TPieGauge::setMaximum(int m) {
    maximum_ = qMax(1, m);
    update();
}

void TPieGauge::setValue(int v) {
    if (v == value_) return;
    value_ = qBound(0, v, maximum_);
    update();
}

void TPieGauge::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawEllipse(r);
    p.setBrush(QColor(0, 0, 128));
    // From twelve o'clock, clockwise.
    p.drawPie(r, 90 * 16, -int(360.0 * 16 * value_ / maximum_));
}

TMapImage::TMapImage(const MapCanvas &canvas, QWidget *parent) : QWidget(parent), canvas_(canvas) {}

void TMapImage::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.drawImage(0, 0, canvas_.image());
}

// ---- the window ---------------------------------------------------------------

namespace {
bool StartupRunning() { return StartupDone != 1; }
} // namespace

TForm25::TForm25(QWidget *parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Form25"));
    setWindowTitle(QStringLiteral("Карта мира"));
    // The design size less the frame the window coordinates assume.
    resize(734 - 2 * ClientOrigin.x(), 422 - ClientOrigin.y() - ClientOrigin.x());

    Shape1 = new QFrame(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(0, 0, 734, 422);
    Shape1->setAutoFillBackground(true);
    QPalette black = Shape1->palette();
    black.setColor(QPalette::Window, Qt::black);
    Shape1->setPalette(black);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 1, 724, 389);
    Image2->setAutoFillBackground(true);
    QPalette frame = Image2->palette();
    frame.setColor(QPalette::Window, QColor(0x20, 0x30, 0x48));
    Image2->setPalette(frame);
    Image2->installEventFilter(this);

    Image1 = new TMapImage(Canvas, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(16, 16, MapWidth, MapHeight);

    Gauge1 = new TPieGauge(this);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setGeometry(45, 288, 65, 65);
    Gauge1->setMaximum(690);
    Gauge1->hide();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(200);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TForm25::Timer1Timer);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, const QString &caption, const QKeySequence &key, auto slot) {
        QAction *a = PopupMenu1->addAction(caption);
        a->setObjectName(QString::fromUtf8(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
            addAction(a); // the keys work while the menu is closed
        }
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    N1 = item("N1", QStringLiteral("Обновить диаграмму Заход\\восход солнца"), QKeySequence(Qt::Key_F11),
              [this] { N1Click(); });
    QSO1 = item("QSO1", QStringLiteral("Отметки о проведенных QSO за день"), QKeySequence(Qt::Key_F12),
                [this] { PlotTodaysQsos(false); });
    QSO2 = item("QSO2", QStringLiteral("Показывать страну и позывной проведенных QSO за день"),
                QKeySequence(Qt::Key_F9), [this] { PlotTodaysQsos(true); });
    QSO3 = item("QSO3", QStringLiteral("Проведенные QSO с момента открытия программы"), QKeySequence(), [this] {
        ShowQsoPointsOnly = 1;
        RedrawMapPoints();
    });
    QSO4 = item("QSO4", QStringLiteral("Страны  проведенных QSO с момента открытия программы"), QKeySequence(),
                [this] {
                    ShowQsoPointsOnly = 0;
                    RedrawMapPoints();
                });
    N3 = item("N3", QStringLiteral("Закрыть"), QKeySequence(Qt::Key_Escape), [this] { hide(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &p) { PopupMenu1->popup(mapToGlobal(p)); });

    MapBitmap = QImage(MapWidth, MapHeight, QImage::Format_RGB32);
    MapBitmap.fill(Qt::black);
    Canvas.reset(MapBitmap);

    WatchActivations();
}

void TForm25::showCanvas() { Image1->update(); }

void TForm25::DrawGreylineMap() {
    // Nothing here may end the start-up: a missing or unreadable picture is
    // told and the map drawn on black.
    QImage map = LoadMapPicture(DataPath(QStringLiteral("map.bmp")));
    QProgressBar *launcherGauge = glawnf ? glawnf->Gauge1 : nullptr;
    const bool startup = StartupRunning();
    Gauge1->setMaximum(690);
    Gauge1->setValue(0);
    Gauge1->show();
    if (launcherGauge && startup) {
        launcherGauge->setRange(0, 690);
        launcherGauge->setValue(690);
    }
    const QDateTime at = GreylineInstant(form1 ? form1->data2->text() : QString(), form1 ? form1->tim->text() : QString(),
                                         gmtf ? gmtf->utc->text() : QString(), platform::clock().now());
    int columns = 0;
    ShadeGreyline(map, SolarPosition(at), [&](int x) {
        Gauge1->setValue(x);
        ++columns;
        if (launcherGauge && startup) launcherGauge->setValue(qMax(0, 690 - 3 * columns));
    });
    MapBitmap = map;
    Canvas.reset(MapBitmap);
    showCanvas();
    Gauge1->setValue(0);
    if (launcherGauge && startup) launcherGauge->setValue(0);
    Gauge1->hide();
}

qint64 TForm25::PlotTodaysQsos(bool labels) {
    Canvas.reset(MapBitmap);
    HomePixel.reset();
    const QDateTime at = GreylineInstant(form1 ? form1->data2->text() : QString(), form1 ? form1->tim->text() : QString(),
                                         gmtf ? gmtf->utc->text() : QString(), platform::clock().now());
    QString error;
    DayQsos day;
    try {
        day = ReadDayQsos(LogFilePath(), at.date());
    } catch (const IoError &e) {
        error = e.text();
    }
    {
        MapPainter p(Canvas);
        PlotMapPoint(p, HomePixel, StationProfile.longitude, StationProfile.latitude, true, labels);
        for (const DayQso &q : day.qsos) PlotMapPoint(p, HomePixel, q.longitude, q.latitude, false, labels, q.call, q.country);
    }
    showCanvas();
    if (!error.isEmpty()) ShowErrorBox(error);
    return day.recordsRead;
}

void TForm25::RedrawMapPoints() {
    if (ShowQsoPointsOnly == 1) Canvas.reset(MapBitmap);
    {
        MapPainter p(Canvas);
        zelmor::RedrawMapPoints(p, MapPointList, MapPointListStartsWithOwnStation, ShowQsoPointsOnly == 0);
    }
    showCanvas();
}

void TForm25::DrawMapPoint(int x, int y, unsigned colour, const QString &call, const QString &country,
                           const QString &distance) {
    {
        MapPainter p(Canvas);
        DrawStationPoint(p, QPoint(x, y), ColourFromBgr(colour), call, country, distance);
    }
    showCanvas();
}

void TForm25::FormActivate() {
    SetWindowMask(this, WindowRegion());
    Canvas.reset(MapBitmap);
    showCanvas();
    // The station being entered, in red, without counting it as plotted.
    if (form1) form1->PlotStationOnMap(DxLongitude, DxLatitude, 0x0000FF, false);
}

QRegion TForm25::WindowRegion() { return RectRegion(4, 23, 727, 415); }

void TForm25::N1Click() {
    if (!Timer1->isActive()) Timer1->start();
}

void TForm25::Timer1Timer() {
    Timer1->stop();
    DrawGreylineMap();
}

void TForm25::showEvent(QShowEvent *e) {
    QWidget::showEvent(e);
    FormActivate();
}

// Not after a box or the context menu (Qt activates the window again after
// each), nor on coming back from another program: that would wipe the points
// just drawn.
void TForm25::changeEvent(QEvent *e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && ActivatedFromOwnWindow(this)) FormActivate();
}

bool TForm25::eventFilter(QObject *watched, QEvent *event) {
    if (watched != Image2) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() != Qt::LeftButton) return false;
        dragFrom_ = me->position().toPoint();
        return true;
    }
    case QEvent::MouseMove:
        if (dragFrom_) {
            // The point pressed stays under the cursor. The framed window's
            // -4 and -22 are its client origin, which a frameless window,
            // starting at its client area, does not have.
            const QPoint cursor = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            move(cursor - *dragFrom_ - Image2->pos());
            return true;
        }
        return false;
    case QEvent::MouseButtonRelease:
        dragFrom_.reset();
        return false;
    default:
        return false;
    }
}

} // namespace zelmor
