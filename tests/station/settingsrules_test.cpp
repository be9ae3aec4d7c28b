// The small rules of the settings dialog and loader, over plain values.
#include "station/catsettings.h"
#include "station/settingsrules.h"

#include <gtest/gtest.h>

using namespace zelmor;

TEST(SettingsRules, SpeedPanelsLptAndTheKenwoodSpeedBox) {
    for (auto [ms, text] : {std::pair{50, "120"}, {37, "146"}, {30, "160"}, {100, "20"}}) EXPECT_EQ(CwSpeedText(ms), text) << ms;

    const LptAddresses one = LptChoice("1");
    EXPECT_EQ((std::tuple{one.data, one.status, one.control, one.lpt1}), (std::tuple{quint16(0x378), quint16(0x379), quint16(0x37A), true}));
    for (const char *other : {"2", "", " 1", "01"}) {
        const LptAddresses two = LptChoice(other);
        EXPECT_EQ((std::tuple{two.data, two.status, two.control, two.lpt1}), (std::tuple{quint16(0x278), quint16(0x279), quint16(0x27A), false}))
            << '"' << other << '"';
    }

    const struct {
        bool kenwood;
        const char *stored, *shown;
    } speeds[] = {{false, "9600", "4800"}, {false, "", "4800"}, {true, "", "4800"}, {true, "2400", "2400"}, {true, "1200", "1200"}};
    for (const auto &c : speeds) EXPECT_EQ(CatSpeedShown(c.kenwood, c.stored).toStdString(), c.shown) << c.kenwood << ' ' << c.stored;
}


TEST(SettingsRules, PlacementKeepsWindowsWithinReach) {
    const std::vector<QRect> two = {QRect(0, 0, 1600, 1000), QRect(1600, 0, 1280, 1024)};
    const QRect primary(0, 30, 1600, 970);
    const QSize qso(770, 600);
    const struct {
        QPoint stored;
        bool search;
        QPoint placed;
    } cases[] = {
        {{5, 85}, false, {5, 85}},
        {{2000, 100}, false, {2000, 100}},  // on the second screen
        {{-650, 85}, false, {-650, 85}},    // 120 columns still on screen
        {{-700, 85}, false, {0, 30}},       // 70: out of reach
        {{5, 980}, false, {0, 30}},         // 20 rows showing
        {{3000, 100}, false, {0, 30}},
        {{40, 700}, true, {40, 0}},         // the search window's own rule first
        {{-20, 100}, true, {0, 100}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(PlaceWindow(c.stored, qso, c.search, two, primary), c.placed) << c.stored.x() << ',' << c.stored.y();
    }
    EXPECT_EQ(PlaceWindow({5000, 5000}, qso, false, {}, primary), QPoint(5000, 5000)) << "no screen known: left as stored";
}

TEST(SettingsRules, ColumnsPositionsMarkerAndFolders) {
    EXPECT_EQ(ColumnWidthRule(150, false), 0);
    EXPECT_EQ(ColumnWidthRule(0, true), 80);
    EXPECT_EQ(ColumnWidthRule(33, true), 33);

    std::array<qint32, 21> t{};
    t.fill(-1);
    QslPositionSources s;
    for (int n = 0; n < 19; ++n) s.data[size_t(n)] = 100 + n;
    s.vertical = "60";
    s.horizontal = "abc"; // not a whole number: the entry stays
    AssembleQslPositions(t, s);
    EXPECT_EQ(t[0], 100);
    EXPECT_EQ(t[18], 118);
    EXPECT_EQ(t[19], 60);
    EXPECT_EQ(t[20], -1);
    s.vertical1 = 240;
    s.horizontal1 = 0;
    AssembleQslPositions(t, s);
    EXPECT_EQ(t[19], 240);
    EXPECT_EQ(t[20], 0);

    EXPECT_EQ(ClampToBlockPanel({400, 2}), QPoint(300, 8));
    EXPECT_EQ(ClampBlockMarker(ClampToBlockPanel({200, 150})), QPoint(126, 134));
    EXPECT_EQ(ClampBlockMarker(ClampToBlockPanel({0, 0})), QPoint(10, 8));
    EXPECT_EQ(OriginEntry(10), 120);
    EXPECT_EQ(OriginBar(245), 20);

    EXPECT_EQ(FolderWithSeparator("/media/cd"), "/media/cd/");
    EXPECT_EQ(FolderWithSeparator("/"), "/");
    EXPECT_EQ(FolderWithSeparator("D:\\"), "D:\\");
    EXPECT_EQ(FolderWithSeparator(""), "");
}

// The blanks and the Cyrillic "МР" stand as the radio's window always showed them.
TEST(SettingsRules, TheCatWindowCaptionPerModel) {
    const std::pair<RadioModel, const char *> captions[] = {
        {RadioModel::ft840, "Управление трансивером  FT-840"},
        {RadioModel::ft890, "Управление трансивером  FT-890"},
        {RadioModel::ft990, "Управление трансивером  FT-990"},
        {RadioModel::ft990_2, "Управление трансивером FT-990 (2)"},
        {RadioModel::ft920, "Управление трансивером  FT-920"},
        {RadioModel::ft1000mp, "Управление трансивером  FT-1000\u041c\u0420"},
        {RadioModel::kenwood1, "Управление трансивером KENWOOD"},
    };
    for (const auto &[model, caption] : captions) EXPECT_EQ(CatWindowCaption(model).toStdString(), caption);
}
