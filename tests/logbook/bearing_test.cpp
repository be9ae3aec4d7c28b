#include "logbook/bearing.h"

#include <gtest/gtest.h>

using namespace zelmor;

TEST(Bearing, CoursesAndDistancesFromMoscow) {
    struct Case { double lat, lon; int bearing, reverse; const char *distance; };
    const Case cases[] = {
        {38.0, -97.0, 325, 145, "8736 km (5426 mi)"},
        {-33.87, 151.21, 92, 272, "14487 km (8998 mi)"},
        {65.75, 37.62, 0, 180, "1111 km (690 mi)"},   // due north
        {45.75, 37.62, 180, 0, "1111 km (690 mi)"},   // due south
    };
    for (const auto &c : cases) {
        const auto r = ComputeBearing(55.75, 37.62, c.lat, c.lon);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->bearing, c.bearing) << c.lat << "," << c.lon;
        EXPECT_EQ(r->reverse, c.reverse);
        EXPECT_EQ(r->distanceText, c.distance);
    }
}

TEST(Bearing, EdgesOfTheFormulas) {
    EXPECT_FALSE(ComputeBearing(55.75, 37.62, 55.75, 37.62)); // the own position
    // Along the equator due east and west: no division by zero.
    auto east = ComputeBearing(0, 0, 0, 10);
    ASSERT_TRUE(east);
    EXPECT_EQ(east->bearing, 90);
    EXPECT_EQ(ComputeBearing(0, 10, 0, 0)->bearing, 270);
    // 120 degrees of arc: the distance itself, not its supplement.
    EXPECT_EQ(ComputeBearing(0, 0, 0, 120)->km, 13335);
    // Antipodes: the arc cosine's argument is clamped.
    EXPECT_EQ(ComputeBearing(10, 20, -10, -160)->km, 20003);
    EXPECT_TRUE(ComputeBearing(90, 0, -20, 30));
}

TEST(Bearing, Locators) {
    struct Case { double lon, lat; const char *loc; };
    const Case cases[] = {
        {0, 0, "JJ00AA"}, {37.62, 55.75, "KO85TS"}, {-97.0, 38.0, "EM18MA"}, {151.21, -33.87, "QF56OD"},
        {-0.5, 0.5, "IJ90SM"}, {180, 90, "SS00AA"}, {-180, -90, "AA00AA"}, {181, 0, ""}, {0, -90.5, ""},
    };
    for (const auto &c : cases) EXPECT_EQ(MaidenheadLocator(c.lon, c.lat), c.loc) << c.lon << "," << c.lat;
}

TEST(Bearing, MapPixels) {
    EXPECT_EQ(MapPixel(37.62, 55.75), QPoint(402, 73));
    EXPECT_EQ(MapPixel(0, 0), QPoint(328, 189));
    EXPECT_EQ(MapPixel(180, -90), QPoint(689, 377));
    EXPECT_EQ(MapPixel(-74.0, 40.7), QPoint(180, 104));
}
