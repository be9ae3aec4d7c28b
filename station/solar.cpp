#include "station/solar.h"

#include <algorithm>
#include <cmath>

namespace zelmor {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kRad = kPi / 180.0;

double Sin(double deg) { return std::sin(deg * kRad); }
double Cos(double deg) { return std::cos(deg * kRad); }

double Normalise360(double deg) {
    deg = std::fmod(deg, 360.0);
    return deg < 0 ? deg + 360.0 : deg;
}

double Normalise180(double deg) {
    deg = Normalise360(deg + 180.0) - 180.0;
    return deg;
}

// Days since noon of 1 January 4713 BC, at the UTC instant.
double JulianDay(const QDate &date, double utcHours) { return double(date.toJulianDay()) - 0.5 + utcHours / 24.0; }

SunPosition PositionAt(const QDate &date, double utcHours) {
    const double t = (JulianDay(date, utcHours) - 2451545.0) / 36525.0; // Julian centuries from J2000
    const double meanLongitude = Normalise360(280.46646 + t * (36000.76983 + t * 0.0003032));
    const double meanAnomaly = 357.52911 + t * (35999.05029 - 0.0001537 * t);
    const double eccentricity = 0.016708634 - t * (0.000042037 + 0.0000001267 * t);
    const double centre = Sin(meanAnomaly) * (1.914602 - t * (0.004817 + 0.000014 * t)) +
                          Sin(2 * meanAnomaly) * (0.019993 - 0.000101 * t) + Sin(3 * meanAnomaly) * 0.000289;
    const double trueLongitude = meanLongitude + centre;
    const double omega = 125.04 - 1934.136 * t;
    const double apparentLongitude = trueLongitude - 0.00569 - 0.00478 * Sin(omega);
    const double meanObliquity = 23.0 + (26.0 + (21.448 - t * (46.815 + t * (0.00059 - t * 0.001813))) / 60.0) / 60.0;
    const double obliquity = meanObliquity + 0.00256 * Cos(omega);

    SunPosition p;
    p.declination = std::asin(Sin(obliquity) * Sin(apparentLongitude)) / kRad;
    const double y = std::pow(std::tan(obliquity / 2 * kRad), 2);
    const double eot = y * Sin(2 * meanLongitude) - 2 * eccentricity * Sin(meanAnomaly) +
                       4 * eccentricity * y * Sin(meanAnomaly) * Cos(2 * meanLongitude) -
                       0.5 * y * y * Sin(4 * meanLongitude) - 1.25 * eccentricity * eccentricity * Sin(2 * meanAnomaly);
    p.equationOfTime = 4.0 * eot / kRad;
    p.subsolarLongitude = Normalise180(-15.0 * (utcHours - 12.0 + p.equationOfTime / 60.0));
    return p;
}
} // namespace

SunPosition SolarPosition(const QDateTime &utc) {
    // The wall-clock reading is the UTC reading; no zone conversion.
    const QTime t = utc.time();
    const double hours = t.hour() + t.minute() / 60.0 + (t.second() + t.msec() / 1000.0) / 3600.0;
    return PositionAt(utc.date(), hours);
}

double SunElevation(double lon, double lat, const SunPosition &sun) {
    const double s = Sin(lat) * Sin(sun.declination) + Cos(lat) * Cos(sun.declination) * Cos(lon - sun.subsolarLongitude);
    return std::asin(std::clamp(s, -1.0, 1.0)) / kRad;
}

SunriseSunset SunriseSunsetAt(double lon, double lat, const QDate &date) {
    SunriseSunset out;
    // Each event is found where the sun stands at that event: start from the
    // local noon and take the sun's place at the last estimate until it stays.
    auto event = [&](double sign, double &hours) -> bool {
        double t = 12.0 - lon / 15.0;
        for (int i = 0; i < 5; ++i) {
            const SunPosition p = PositionAt(date, t);
            const double cosH = (Sin(SunriseElevation) - Sin(lat) * Sin(p.declination)) / (Cos(lat) * Cos(p.declination));
            if (cosH > 1.0) {
                out.kind = SunriseSunset::PolarNight;
                return false;
            }
            if (cosH < -1.0) {
                out.kind = SunriseSunset::PolarDay;
                return false;
            }
            const double hourAngle = std::acos(cosH) / kRad;
            const double noon = 12.0 - lon / 15.0 - p.equationOfTime / 60.0;
            t = noon + sign * hourAngle / 15.0;
        }
        hours = std::fmod(t, 24.0);
        if (hours < 0) hours += 24.0;
        return true;
    };
    if (!event(-1.0, out.sunrise) || !event(+1.0, out.sunset)) return out;
    out.kind = SunriseSunset::Normal;
    return out;
}

QString FormatHourFraction(double hours) {
    const int h = int(hours);
    // The tiny margin keeps a value such as 6.3, stored as 6.2999..., at
    // 30 hundredths.
    const int hundredths = int((hours - h) * 100.0 + 1e-9);
    const int minutes = int(hundredths * 0.6);
    return QStringLiteral("%1:%2").arg(h).arg(minutes, 2, 10, QLatin1Char('0'));
}

} // namespace zelmor
