#pragma once
// Where the sun stands: NOAA's solar-position algorithm (after Meeus), good
// to about 0.01 degree for this century, and what follows from it for a
// place on the ground.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace zelmor {

struct SunPosition {
    double declination = 0;       // degrees, north positive: the subsolar latitude
    double equationOfTime = 0;    // minutes, apparent minus mean solar time
    double subsolarLongitude = 0; // degrees, east positive, -180..180
};

// The sun at a UTC instant (a time of any other zone is taken as UTC).
SunPosition SolarPosition(const QDateTime &utc);

// The sun's elevation above the horizon in degrees at longitude `lon` and
// latitude `lat` (degrees, east and north positive), without refraction.
double SunElevation(double lon, double lat, const SunPosition &sun);

// The elevation of the sun's centre at sunrise and sunset: refraction and
// the sun's radius.
inline constexpr double SunriseElevation = -0.833;

struct SunriseSunset {
    enum Kind { Normal, PolarDay, PolarNight } kind = Normal;
    double sunrise = 0; // UTC hours 0..24, for Normal only
    double sunset = 0;
};
// Sunrise and sunset near the local noon of `date` (a UTC date).
SunriseSunset SunriseSunsetAt(double lon, double lat, const QDate &date);

// Hours as the time of day "h:mm": the minutes from the first two decimals
// (5.5 gives "5:30", 13.99 gives "13:59").
QString FormatHourFraction(double hours);

} // namespace zelmor
