#pragma once
// The greyline map's plain parts: which cells of the map lie in night or
// twilight at an instant, the map picture, and the markers of stations drawn
// over it, kept as a list of what was drawn as well as in the picture.
#include "station/solar.h"

#include <QColor>
#include <QDate>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zelmor {

// Set when entry 0 of MapPointList is the own station, as the start-up puts
// it there; without it no entry is drawn as home and no lines are drawn.
extern bool MapPointListStartsWithOwnStation;

// Colours 0x00BBGGRR.
QColor ColourFromBgr(unsigned bgr);

// ---- cells ------------------------------------------------------------------

enum class SunCell { Day, Twilight, Night };
// Day from the sun's centre at sunrise height up, civil twilight down to -6.
SunCell ClassifyElevation(double elevation);

// The grid: a cell every 3 pixels, x = 0 .. 690 and y = 20 .. 359, each
// judged at its dot's centre (x + 1, y + 1) and painted as a 2 x 2 dot.
inline constexpr int GreylineFirstX = 0, GreylineLastX = 690, GreylineFirstY = 20, GreylineLastY = 359;
inline constexpr int GreylineStep = 3;
inline const QColor NightDot{0x80, 0x80, 0x80};
inline const QColor TwilightDot{0xC0, 0xC0, 0xC0};

double CellElevation(int x, int y, const SunPosition &sun);
SunCell CellAt(int x, int y, const SunPosition &sun);

struct GreylineCounts {
    int day = 0, twilight = 0, night = 0;
};
// Dots for every night and twilight cell into `map`; `columnDone` after each
// column with its x.
GreylineCounts ShadeGreyline(QImage &map, const SunPosition &sun, const std::function<void(int x)> &columnDone = {});

// The instant the map is drawn for: the QSO window's UTC date and time when
// both read as such; else the PC clock through the UTC offset; else, with an
// offset that does not parse, the PC clock's own UTC.
QDateTime GreylineInstant(const QString &utcDate, const QString &utcTime, const QString &offset,
                          const QDateTime &pcNow);

// ---- the picture --------------------------------------------------------------

inline constexpr int MapWidth = 689, MapHeight = 361;
// "map.bmp" at the map's size. Missing: the missing-file message; unreadable:
// an error box; both give a black picture.
QImage LoadMapPicture(const QString &path);

// One thing drawn over the map.
struct MapDrawItem {
    enum Kind { Marker, Line, Label } kind = Marker;
    QPoint at;         // marker: its top-left (x, y), drawn to (x + 6, y + 6); label: top-left of the text
    QPoint to;         // line: its end (it starts at `at`)
    QColor pen;        // outline, line or text colour
    QColor brush;      // marker fill, or a label's background; invalid: none
    QString text;
};

// What Image1 shows: a copy of the map with the points on it, and the list
// of what was drawn since the copy was taken.
class MapCanvas {
public:
    void reset(const QImage &base);
    const QImage &image() const { return image_; }
    const std::vector<MapDrawItem> &items() const { return items_; }
    std::vector<MapDrawItem> itemsOf(MapDrawItem::Kind kind) const;

private:
    friend class MapPainter;
    QImage image_;
    std::vector<MapDrawItem> items_;
};

// Draws onto a canvas with one painter for a whole batch.
class MapPainter {
public:
    explicit MapPainter(MapCanvas &canvas);
    // A rounded square from (x, y) to (x + 6, y + 6), corner 10 x 10.
    void marker(QPoint topLeft, const QColor &pen, const QColor &brush);
    void line(QPoint from, QPoint to, const QColor &colour);
    // Bold text placed by its top-left corner.
    void label(QPoint topLeft, const QString &text, const QColor &colour, const QColor &background = QColor());

private:
    MapCanvas &canvas_;
    QPainter painter_;
    int ascent_ = 0;
};

// The three kinds of station marks.
// A station saved or entered (the QSO window's own plotting): outline in
// `colour`, black fill, call, country and distance in yellow below it.
void DrawStationPoint(MapPainter &p, QPoint pixel, const QColor &colour, const QString &call, const QString &country,
                      const QString &distance);
// A station of the day's log: red, a yellow line from home, and with labels
// its call and country in aqua on blue. Nothing when the coordinates do not
// parse or the latitude is empty. `home` is set by the own station's call.
void PlotMapPoint(MapPainter &p, std::optional<QPoint> &home, const QString &longitude, const QString &latitude,
                  bool isHome, bool labels, const QString &call = QString(), const QString &country = QString());
// Every "x,y,call,country" entry again; entry 0 as home only when
// `firstIsHome`.
void RedrawMapPoints(MapPainter &p, const QStringList &entries, bool firstIsHome, bool labels);

// ---- the day's QSOs -------------------------------------------------------------

struct DayQso {
    QString call, country, longitude, latitude;
};
struct DayQsos {
    std::vector<DayQso> qsos; // last record first
    qint64 recordsRead = 0;
};
// The live records dated `today`, read from the last record back to the
// first one dated earlier. Records marked deleted, with dates that do not
// read or lie after today, or with coordinates that do not parse or an empty
// latitude are passed over. Throws IoError when the log cannot be read.
DayQsos ReadDayQsos(const QString &logPath, const QDate &today);

} // namespace zelmor
