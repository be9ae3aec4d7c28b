// The sun against an independent ephemeris, and the map's cells from it.
#include "logbook/bearing.h"
#include "station/greyline.h"
#include "station/solar.h"
#include "tests/testsupport.h"

#include <cmath>

namespace zelmor::test {
namespace {

QDateTime Utc(int d, int m, int y, int hh, int mm) { return QDateTime(QDate(y, m, d), QTime(hh, mm), Qt::UTC); }

QDateTime Summer() { return Utc(20, 6, 2024, 20, 51); }
QDateTime Winter() { return Utc(21, 12, 2024, 9, 21); }

TEST(SolarPosition, MatchesTheEphemeris) {
    struct Case {
        QDateTime at;
        double lat, lon, eot;
    };
    const Case cases[] = {
        {Utc(20, 3, 2024, 3, 6), 0.00, 135.36, -7.4},    // equinox
        {Summer(), 23.44, -132.30, -1.8},                // solstice, the sun over the Pacific
        {Winter(), -23.44, 39.31, 1.7},                  // solstice
        {Utc(3, 11, 2024, 12, 0), -15.30, -4.11, 16.5},  // the largest equation of time
        {Utc(11, 2, 2024, 12, 0), -14.10, 3.55, -14.2},  // the smallest
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.at.toString(Qt::ISODate).toStdString());
        const SunPosition p = SolarPosition(c.at);
        EXPECT_NEAR(p.declination, c.lat, 0.1);
        EXPECT_NEAR(p.subsolarLongitude, c.lon, 0.1);
        EXPECT_NEAR(p.equationOfTime, c.eot, 0.15);
    }
}

TEST(SolarPosition, SunriseAndSunsetMeetTheEphemerisAndTheSunOfTheCells) {
    struct Case {
        double lon, lat;
        QDate date;
        const char *rise, *set;
    };
    const Case cases[] = {
        {37.62, 55.75, QDate(2024, 6, 20), "0:44", "18:17"}, // Moscow, the short night
        {0, 0, QDate(2025, 3, 24), "6:02", "18:09"},
        {-0.13, 51.5, QDate(2024, 12, 21), "8:03", "15:53"}, // London, the short day
    };
    auto minutes = [](const QString &hm) {
        const auto parts = hm.split(u':');
        return parts[0].toInt() * 60 + parts[1].toInt();
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.rise);
        const SunriseSunset s = SunriseSunsetAt(c.lon, c.lat, c.date);
        ASSERT_EQ(s.kind, SunriseSunset::Normal);
        EXPECT_LE(std::abs(minutes(FormatHourFraction(s.sunrise)) - minutes(c.rise)), 2) << FormatHourFraction(s.sunrise).toStdString();
        EXPECT_LE(std::abs(minutes(FormatHourFraction(s.sunset)) - minutes(c.set)), 2) << FormatHourFraction(s.sunset).toStdString();
        // The same sun the cells are judged by stands at sunrise height then.
        for (double h : {s.sunrise, s.sunset}) {
            const QDateTime at = QDateTime(c.date, QTime(0, 0), Qt::UTC).addMSecs(qint64(h * 3600000.0));
            EXPECT_NEAR(SunElevation(c.lon, c.lat, SolarPosition(at)), SunriseElevation, 0.02);
        }
    }
    EXPECT_EQ(SunriseSunsetAt(25, 70, QDate(2024, 6, 20)).kind, SunriseSunset::PolarDay);
    EXPECT_EQ(SunriseSunsetAt(25, 70, QDate(2024, 12, 21)).kind, SunriseSunset::PolarNight);
}

TEST(SolarPosition, FormatHourFraction) {
    EXPECT_EQ(FormatHourFraction(7.0), "7:00");
    EXPECT_EQ(FormatHourFraction(5.5), "5:30");
    EXPECT_EQ(FormatHourFraction(13.99), "13:59");
    EXPECT_EQ(FormatHourFraction(6.3), "6:18"); // 6.3 is stored as 6.2999...
}

TEST(MapPixelToLonLat, TakesMapPixelBackWithinADegree) {
    for (int lon = -160; lon <= 179; ++lon)
        for (int lat = -80; lat <= 89; ++lat) {
            const QPoint p = MapPixel(lon, lat);
            const QPointF back = MapPixelToLonLat(p.x(), p.y());
            ASSERT_NEAR(back.x(), lon, 1.0) << lon << " " << lat;
            ASSERT_NEAR(back.y(), lat, 1.0) << lon << " " << lat;
        }
}

GreylineCounts Count(const SunPosition &sun) {
    GreylineCounts n;
    for (int x = GreylineFirstX; x <= GreylineLastX; x += GreylineStep)
        for (int y = GreylineFirstY; y <= GreylineLastY; y += GreylineStep) {
            switch (CellAt(x, y, sun)) {
            case SunCell::Day: ++n.day; break;
            case SunCell::Twilight: ++n.twilight; break;
            case SunCell::Night: ++n.night; break;
            }
        }
    return n;
}

void ExpectCounts(const GreylineCounts &n, int day, int twilight, int night) {
    EXPECT_NEAR(n.day, day, 5);
    EXPECT_NEAR(n.twilight, twilight, 5);
    EXPECT_NEAR(n.night, night, 5);
    EXPECT_EQ(n.day + n.twilight + n.night, 26334);
}

TEST(GreylineCells, LieWhereTheSunPutsThem) {
    const SunPosition summer = SolarPosition(Summer());
    ExpectCounts(Count(summer), 12837, 1273, 12224);
    struct Cell {
        int x, y;
        SunCell kind;
        double elevation;
    };
    const Cell cells[] = {
        {402, 74, SunCell::Night, -11.5},   // Russia before its summer dawn
        {501, 74, SunCell::Twilight, -5.1}, // further east, dawn
        {600, 110, SunCell::Day, 12.8},
        {327, 188, SunCell::Night, -999},   // 0/0 at nine in the evening
        {0, 20, SunCell::Day, -999},        // the Bering Strait's midnight sun
    };
    for (const Cell &c : cells) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(CellAt(c.x, c.y, summer), c.kind);
        if (c.elevation > -90) {
            EXPECT_NEAR(CellElevation(c.x, c.y, summer), c.elevation, 0.2);
        }
    }

    const SunPosition winter = SolarPosition(Winter());
    ExpectCounts(Count(winter), 13909, 1273, 11152);
    EXPECT_EQ(CellAt(402, 74, winter), SunCell::Day);
    EXPECT_EQ(CellAt(0, 20, winter), SunCell::Night);
}

TEST(GreylineCells, ShadingDotsTheMapAndCountsWhatItDrew) {
    QImage map(MapWidth, MapHeight, QImage::Format_RGB32);
    map.fill(QColor(10, 20, 30));
    std::vector<int> columns;
    const SunPosition sun = SolarPosition(Summer());
    const GreylineCounts n = ShadeGreyline(map, sun, [&](int x) { columns.push_back(x); });
    const GreylineCounts expected = Count(sun);
    EXPECT_EQ(n.day, expected.day);
    EXPECT_EQ(n.twilight, expected.twilight);
    EXPECT_EQ(n.night, expected.night);
    ASSERT_EQ(columns.size(), 231u);
    EXPECT_EQ(columns.front(), 0);
    EXPECT_EQ(columns.back(), 690);
    EXPECT_EQ(map.pixel(402, 74), NightDot.rgb());
    EXPECT_EQ(map.pixel(403, 75), NightDot.rgb());
    EXPECT_EQ(map.pixel(404, 74), qRgb(10, 20, 30)); // between the dots
    EXPECT_EQ(map.pixel(501, 74), TwilightDot.rgb());
    EXPECT_EQ(map.pixel(600, 110), qRgb(10, 20, 30));
}

} // namespace
} // namespace zelmor::test
