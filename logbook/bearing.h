#pragma once
// Great-circle bearing and distance from the own station, the Maidenhead
// locator and the map pixel of a station.
#include <QPoint>
#include <QPointF>
#include <QString>
#include <optional>

namespace zelmor {

struct BearingResult {
    int bearing = 0; // whole degrees 0..359
    int reverse = 0;
    int km = 0;
    int mi = 0;
    QString distanceText; // "<km> km (<mi> mi)"
};

// No value when the two positions are equal. Coordinates in decimal degrees,
// north and east positive.
std::optional<BearingResult> ComputeBearing(double ownLat, double ownLon, double lat, double lon);

// Six characters, or empty for coordinates out of range.
QString MaidenheadLocator(double lon, double lat);

// The station's pixel on the 689 x 361 world map: 38 pixels per 20 degrees
// around (328, 189), stretched away from the centre.
QPoint MapPixel(double lon, double lat);
// The longitude and latitude a map pixel stands for: MapPixel taken back,
// its stretch undone as the continuous factors 19/18 and 11/10. The map
// picture is drawn with it, so what lands on a pixel is what the picture
// shows there.
QPointF MapPixelToLonLat(double x, double y);

} // namespace zelmor
