#include "station/greyline.h"

#include "common/logdate.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/bearing.h"
#include "logbook/utcclock.h"
#include "platform/dialogs.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <cmath>

namespace zelmor {

bool MapPointListStartsWithOwnStation = false;

QColor ColourFromBgr(unsigned bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

// ---- cells ------------------------------------------------------------------

SunCell ClassifyElevation(double elevation) {
    if (elevation >= SunriseElevation) return SunCell::Day;
    if (elevation >= -6.0) return SunCell::Twilight;
    return SunCell::Night;
}

double CellElevation(int x, int y, const SunPosition &sun) {
    const QPointF at = MapPixelToLonLat(x + 1, y + 1);
    return SunElevation(at.x(), at.y(), sun);
}

SunCell CellAt(int x, int y, const SunPosition &sun) { return ClassifyElevation(CellElevation(x, y, sun)); }

GreylineCounts ShadeGreyline(QImage &map, const SunPosition &sun, const std::function<void(int x)> &columnDone) {
    constexpr double rad = 3.14159265358979323846 / 180.0;
    // sin h = sin(lat) sin(decl) + cos(lat) cos(decl) cos(lon - sub): the
    // latitude terms once per row, the longitude term once per column.
    std::vector<double> rowSin, rowCos;
    for (int y = GreylineFirstY; y <= GreylineLastY; y += GreylineStep) {
        const double lat = MapPixelToLonLat(0, y + 1).y() * rad;
        rowSin.push_back(std::sin(lat) * std::sin(sun.declination * rad));
        rowCos.push_back(std::cos(lat) * std::cos(sun.declination * rad));
    }
    const double sinDay = std::sin(SunriseElevation * rad), sinTwilight = std::sin(-6.0 * rad);
    GreylineCounts counts;
    QPainter painter(&map);
    for (int x = GreylineFirstX; x <= GreylineLastX; x += GreylineStep) {
        const double c = std::cos((MapPixelToLonLat(x + 1, 0).x() - sun.subsolarLongitude) * rad);
        int row = 0;
        for (int y = GreylineFirstY; y <= GreylineLastY; y += GreylineStep, ++row) {
            const double s = rowSin[row] + rowCos[row] * c;
            if (s >= sinDay) {
                ++counts.day;
            } else if (s >= sinTwilight) {
                ++counts.twilight;
                painter.fillRect(x, y, 2, 2, TwilightDot);
            } else {
                ++counts.night;
                painter.fillRect(x, y, 2, 2, NightDot);
            }
        }
        if (columnDone) columnDone(x);
    }
    return counts;
}

QDateTime GreylineInstant(const QString &utcDate, const QString &utcTime, const QString &offset,
                          const QDateTime &pcNow) {
    const auto date = ParseLogDate(utcDate);
    const QTime time = QTime::fromString(Trim(utcTime), QStringLiteral("H:mm"));
    if (date && time.isValid()) return QDateTime(*date, time, Qt::UTC);
    if (const auto utc = ComputeUtcDateTime(offset, pcNow)) {
        const QDate d = QDate::fromString(utc->date, QStringLiteral("dd.MM.yyyy"));
        const QTime t = QTime::fromString(utc->time, QStringLiteral("HH:mm")).addSecs(pcNow.time().second());
        return QDateTime(d, t, Qt::UTC);
    }
    return pcNow.toUTC();
}

// ---- the picture --------------------------------------------------------------

QImage LoadMapPicture(const QString &path) {
    QImage black(MapWidth, MapHeight, QImage::Format_RGB32);
    black.fill(Qt::black);
    if (!QFileInfo(path).isFile()) {
        ShowMissingFile(QStringLiteral(" map.bmp"));
        return black;
    }
    QImageReader reader(path);
    QImage picture = reader.read();
    if (picture.isNull()) {
        ShowErrorBox(QStringLiteral("Не удалось прочитать карту \"map.bmp\""));
        return black;
    }
    if (picture.size() != QSize(MapWidth, MapHeight))
        picture = picture.scaled(MapWidth, MapHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return picture.convertToFormat(QImage::Format_RGB32);
}

void MapCanvas::reset(const QImage &base) {
    image_ = base.copy();
    items_.clear();
}

std::vector<MapDrawItem> MapCanvas::itemsOf(MapDrawItem::Kind kind) const {
    std::vector<MapDrawItem> out;
    for (const auto &i : items_)
        if (i.kind == kind) out.push_back(i);
    return out;
}

namespace {
QFont LabelFont() {
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSize(8);
    f.setBold(true);
    return f;
}
} // namespace

MapPainter::MapPainter(MapCanvas &canvas) : canvas_(canvas), painter_(&canvas.image_) {
    painter_.setFont(LabelFont());
    ascent_ = QFontMetrics(painter_.font()).ascent();
}

void MapPainter::marker(QPoint topLeft, const QColor &pen, const QColor &brush) {
    painter_.setPen(pen);
    if (brush.isValid()) painter_.setBrush(brush);
    else painter_.setBrush(Qt::NoBrush);
    // The region from (x, y) to (x + 6, y + 6), right and bottom edges
    // excluded, outlined within: a 6 x 6 square whose corners are arcs of a
    // 10 x 10 ellipse.
    painter_.drawRoundedRect(QRectF(topLeft.x() + 0.5, topLeft.y() + 0.5, 5, 5), 5, 5);
    canvas_.items_.push_back({MapDrawItem::Marker, topLeft, {}, pen, brush, {}});
}

void MapPainter::line(QPoint from, QPoint to, const QColor &colour) {
    painter_.setPen(colour);
    painter_.drawLine(from, to);
    canvas_.items_.push_back({MapDrawItem::Line, from, to, colour, {}, {}});
}

void MapPainter::label(QPoint topLeft, const QString &text, const QColor &colour, const QColor &background) {
    if (text.isEmpty()) return;
    if (background.isValid()) {
        const QRect r = QFontMetrics(painter_.font()).boundingRect(text);
        painter_.fillRect(QRect(topLeft, QSize(r.width() + 1, QFontMetrics(painter_.font()).height())), background);
    }
    painter_.setPen(colour);
    painter_.drawText(topLeft.x(), topLeft.y() + ascent_, text);
    canvas_.items_.push_back({MapDrawItem::Label, topLeft, {}, colour, background, text});
}

namespace {
const QColor kRed(255, 0, 0), kYellow(255, 255, 0), kAqua(0, 255, 255), kBlue(0, 0, 255), kWhite(255, 255, 255),
    kBlack(0, 0, 0);
constexpr QPoint kCentre(2, 2); // a marker's middle from its top-left

void LineFromHome(MapPainter &p, const std::optional<QPoint> &home, QPoint pixel) {
    if (!home || *home == pixel) return;
    p.line(*home + kCentre, pixel + kCentre, kYellow);
}
} // namespace

void DrawStationPoint(MapPainter &p, QPoint pixel, const QColor &colour, const QString &call, const QString &country,
                      const QString &distance) {
    p.marker(pixel, colour, kBlack);
    p.label(pixel + QPoint(-20, 5), call, kYellow);
    p.label(pixel + QPoint(-20, 18), country, kYellow);
    p.label(pixel + QPoint(-20, 31), distance, kYellow);
}

void PlotMapPoint(MapPainter &p, std::optional<QPoint> &home, const QString &longitude, const QString &latitude,
                  bool isHome, bool labels, const QString &call, const QString &country) {
    if (Trim(longitude).isEmpty() || Trim(latitude).isEmpty()) return;
    const auto lon = ParseDecimal(longitude), lat = ParseDecimal(latitude);
    if (!lon || !lat) return;
    const QPoint pixel = MapPixel(*lon, *lat);
    if (isHome) home = pixel;
    p.marker(pixel, kRed, kRed);
    LineFromHome(p, home, pixel);
    if (labels && !isHome) {
        p.label(pixel + QPoint(-40, 5), call, kAqua, kBlue);
        p.label(pixel + QPoint(-40, 18), country, kAqua, kBlue);
    }
}

void RedrawMapPoints(MapPainter &p, const QStringList &entries, bool firstIsHome, bool labels) {
    std::optional<QPoint> home;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString &e = entries[i];
        const qsizetype c1 = e.indexOf(u','), c2 = c1 < 0 ? -1 : e.indexOf(u',', c1 + 1),
                        c3 = c2 < 0 ? -1 : e.indexOf(u',', c2 + 1);
        if (c3 < 0) continue;
        bool okX = false, okY = false;
        const QPoint pixel(e.left(c1).toInt(&okX), e.mid(c1 + 1, c2 - c1 - 1).toInt(&okY));
        if (!okX || !okY) continue;
        const bool isHome = i == 0 && firstIsHome;
        if (isHome) home = pixel;
        p.marker(pixel, isHome ? kBlack : kRed, isHome ? kWhite : kRed);
        LineFromHome(p, home, pixel);
        if (labels) {
            p.label(pixel + QPoint(-40, 5), e.mid(c2 + 1, c3 - c2 - 1), kAqua);
            p.label(pixel + QPoint(-40, 18), e.mid(c3 + 1), kAqua);
        }
    }
}

// ---- the day's QSOs -------------------------------------------------------------

DayQsos ReadDayQsos(const QString &logPath, const QDate &today) {
    DayQsos out;
    const qint64 count = RecordIO::Count(logPath, QsoRecord::Size);
    if (count < 0) RecordIO::ReadMany(logPath, QsoRecord::Size, {0}); // throws the system's reason
    // Backwards in blocks that grow: a day's QSOs cost a read or two, and a
    // log whose last record is of another day costs one small read.
    qint64 next = count - 1;
    qint64 block = 16;
    while (next >= 0) {
        std::vector<qint64> indexes;
        for (qint64 i = next; i >= 0 && i > next - block; --i) indexes.push_back(i);
        const auto records = RecordIO::ReadMany(logPath, QsoRecord::Size, indexes);
        for (const QByteArray &bytes : records) {
            ++out.recordsRead;
            const char *b = bytes.constData();
            const auto date = ParseLogDate(ReadTextField(b, {74, 10}));
            if (!date || *date > today) continue;
            if (*date < today) return out;
            if (ReadTextField(b, QsoField::DeleteMark) == DeleteMarkText) continue;
            const QsoRecord r = DecodeRecord<QsoRecord>(b);
            if (Trim(r.latitude).isEmpty() || !ParseDecimal(r.longitude) || !ParseDecimal(r.latitude)) continue;
            out.qsos.push_back({r.call, r.country, r.longitude, r.latitude});
        }
        next -= block;
        block = std::min<qint64>(block * 4, 4096);
    }
    return out;
}

} // namespace zelmor
