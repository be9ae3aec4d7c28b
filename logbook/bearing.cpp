#include "logbook/bearing.h"

#include <algorithm>
#include <cmath>

namespace zelmor {

namespace {
constexpr double kDegPerRad = 57.295779513082320877;
constexpr double kKmPerDegree = 111.13;
constexpr double kKmPerMile = 1.61;
} // namespace

std::optional<BearingResult> ComputeBearing(double ownLat, double ownLon, double lat, double lon) {
    if (ownLat == lat && ownLon == lon) return std::nullopt;
    const double f0 = ownLat / kDegPerRad, l0 = ownLon / kDegPerRad, f1 = lat / kDegPerRad, l1 = lon / kDegPerRad;
    const double delta = l1 - l0;
    // The same course as the tangent formula of old, without its divisions:
    // no division by zero on the equator or at a pole, and due east or west
    // comes out as 90 or 270.
    double a = std::atan2(std::sin(delta) * std::cos(f1),
                          std::cos(f0) * std::sin(f1) - std::sin(f0) * std::cos(f1) * std::cos(delta)) * kDegPerRad;
    if (a < 0) a += 360.0;
    int bearing = static_cast<int>(a);
    if (bearing >= 360) bearing -= 360;

    double c = std::sin(f1) * std::sin(f0) + std::cos(f0) * std::cos(f1) * std::cos(delta);
    c = std::clamp(c, -1.0, 1.0);
    BearingResult r;
    r.bearing = bearing;
    r.reverse = bearing >= 180 ? bearing - 180 : bearing + 180;
    r.km = static_cast<int>(std::acos(c) * kDegPerRad * kKmPerDegree);
    r.mi = static_cast<int>(r.km / kKmPerMile);
    r.distanceText = QStringLiteral("%1 km (%2 mi)").arg(r.km).arg(r.mi);
    return r;
}

QString MaidenheadLocator(double lon, double lat) {
    if (!(lon >= -180.0 && lon <= 180.0 && lat >= -90.0 && lat <= 90.0)) return QString();
    static const char *letters = "ABCDEFGHIJKLMNOPQRSTUVWX";
    const double e = lon + 180.0, f = lat * 2.0 + 180.0;
    const int g = static_cast<int>(e), h = static_cast<int>(f);
    const int l = g - 20 * (g / 20), m = h - 20 * (h / 20);
    const int q = l - 2 * (l / 2), r = m - 2 * (m / 2);
    const int subLon = std::min(23, static_cast<int>((e - g + q) * 12));
    const int subLat = std::min(23, static_cast<int>((f - h + r) * 12));
    QString out;
    out += QLatin1Char(letters[std::min(23, g / 20)]);
    out += QLatin1Char(letters[std::min(23, h / 20)]);
    out += QString::number(l / 2);
    out += QString::number(m / 2);
    out += QLatin1Char(letters[subLon]);
    out += QLatin1Char(letters[subLat]);
    return out;
}

QPoint MapPixel(double lon, double lat) {
    int x = static_cast<int>(lon / 20.0 * 38.0 + 328.0);
    int y = static_cast<int>(lat / -20.0 * 38.0 + 189.0);
    const int d = std::abs(x - 328) / 18;
    if (x > 328) x += d;
    else if (x < 328) x -= d;
    const int e = std::abs(y - 189) / 10;
    if (y > 189) y += e;
    else if (y < 189) y -= e;
    return {x, y};
}

QPointF MapPixelToLonLat(double x, double y) {
    constexpr double pixelsPerDegree = 38.0 / 20.0;
    return {(x - 328.0) * 18.0 / 19.0 / pixelsPerDegree, -(y - 189.0) * 10.0 / 11.0 / pixelsPerDegree};
}

} // namespace zelmor
