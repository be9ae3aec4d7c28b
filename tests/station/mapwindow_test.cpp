// The greyline map window with every other window around it, on the shipped
// map picture and a fixture log built with the codecs.
#include "app/wiring.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/parallelport.h"
#include "station/form25.h"
#include "station/greyline.h"
#include "common/text.h"
#include "logbook/bearing.h"
#include "tests/logbook/qsowindow_fixture.h"

#include <QAction>
#include <QFile>
#include <QProgressBar>

namespace zelmor::test {
namespace {

QsoRecord Qso(const char *date, const char *call, const char *lat, const char *lon, const char *country = "") {
    QsoRecord r;
    r.date = date;
    r.time = "12:00";
    r.call = call;
    r.latitude = lat;
    r.longitude = lon;
    r.country = country;
    return r;
}

class MapWindowTest : public QsoWindowTest {
protected:
    void SetUp() override {
        QsoWindowTest::SetUp();
        StationProfile.latitude = "59,94";
        StationProfile.longitude = "30,31";
        MapPointListStartsWithOwnStation = false;
        ASSERT_TRUE(QFile::copy(SourceDir() + "/data/map.bmp", path("map.bmp")));
        map_ = QImage(path("map.bmp")).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(map_.size(), QSize(MapWidth, MapHeight));
    }
    // The QSO window's UTC fields, as the clock fills them.
    static void utcFields(const QString &date, const QString &time) {
        form1->data2->setText(date);
        form1->tim->setText(time);
    }
    // What the shading of `base` at this UTC instant gives.
    static QImage shaded(QImage base, const QDateTime &utc) {
        ShadeGreyline(base, SolarPosition(utc));
        return base;
    }
    static std::vector<QPoint> markers() {
        std::vector<QPoint> out;
        for (const auto &i : Form25->Canvas.itemsOf(MapDrawItem::Marker)) out.push_back(i.at);
        return out;
    }
    static QStringList labelsAt(QPoint p) {
        QStringList out;
        for (const auto &i : Form25->Canvas.itemsOf(MapDrawItem::Label))
            if (i.at == p) out << i.text;
        return out;
    }
    QImage map_;
};

const QDateTime kSummer(QDate(2024, 6, 20), QTime(20, 51), Qt::UTC);
// Activations and the one-shot timer wait for the event, not for a time: a
// loaded machine may take long to deliver it.
constexpr int kLoadedDeadlineMs = 30000;

TEST_F(MapWindowTest, DrawsTheSunOfTheQsoWindowsUtcTimeOrOfTheClock) {
    const QImage expected = shaded(map_, kSummer);
    struct Case {
        const char *what, *date, *time, *offset;
        QDateTime pc;
    };
    const Case cases[] = {
        {"the QSO window's fields", "20.06.2024", "20:51", "0", QDateTime(QDate(2024, 1, 1), QTime(3, 0))},
        {"a time that does not read: the clock and the offset", "20.06.2024", "ab:cd", "-3",
         QDateTime(QDate(2024, 6, 20), QTime(23, 51))},
        {"the clock across midnight", "", "", "3", QDateTime(QDate(2024, 6, 20), QTime(17, 51))},
        {"an offset that does not parse: the clock's own UTC", "", "", "x",
         QDateTime(QDate(2024, 6, 20), QTime(23, 51), Qt::OffsetFromUTC, 3 * 3600)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        utcFields(c.date, c.time);
        gmtf->utc->setText(c.offset);
        Clock().time = c.pc;
        Form25->DrawGreylineMap();
        EXPECT_EQ(Form25->MapBitmap, expected);
        EXPECT_EQ(Form25->Canvas.image(), expected);
        EXPECT_EQ(Form25->MapBitmap.pixel(402, 74), 0xFF808080);
        EXPECT_EQ(Form25->MapBitmap.pixel(403, 75), 0xFF808080);
        EXPECT_EQ(Form25->MapBitmap.pixel(600, 110), map_.pixel(600, 110));
        EXPECT_FALSE(Form25->Gauge1->isVisible());
    }
    EXPECT_TRUE(Dialogs().messages().empty());
}

TEST_F(MapWindowTest, DrawingDuringTheStartUpCountsTheLaunchersGaugeDown) {
    StartupDone = 0;
    utcFields("20.06.2024", "20:51");
    std::vector<int> seen;
    QObject::connect(glawnf->Gauge1, &QProgressBar::valueChanged, [&](int v) { seen.push_back(v); });
    Form25->DrawGreylineMap();
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(glawnf->Gauge1->maximum(), 690);
    EXPECT_EQ(seen.front(), 690);
    EXPECT_EQ(seen[seen.size() - 2], 3); // the next to last column
    EXPECT_EQ(seen.back(), 0);
    EXPECT_EQ(glawnf->Gauge1->value(), 0);
    EXPECT_TRUE(std::is_sorted(seen.rbegin(), seen.rend()));
}

TEST_F(MapWindowTest, AMissingOrUnreadablePictureIsToldOnceAndTheMapDrawnOnBlack) {
    utcFields("20.06.2024", "20:51");
    QImage black(MapWidth, MapHeight, QImage::Format_RGB32);
    black.fill(Qt::black);
    const QImage expected = shaded(black, kSummer);

    QFile::remove(path("map.bmp"));
    Form25->DrawGreylineMap();
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].text, "Нет файла \" map.bmp\"");
    EXPECT_EQ(Form25->MapBitmap, expected);

    Dialogs().clear();
    QFile f(path("map.bmp"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("BM not a picture");
    f.close();
    Form25->DrawGreylineMap();
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_EQ(Dialogs().messages()[0].text, "Не удалось прочитать карту \"map.bmp\"");
    EXPECT_EQ(Dialogs().messages()[0].caption, "ERROR");
    EXPECT_EQ(Form25->MapBitmap, expected);

    Dialogs().clear();
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(path("map.bmp"), "BMP"));
    Form25->DrawGreylineMap();
    EXPECT_TRUE(Dialogs().messages().empty());
    EXPECT_EQ(Form25->MapBitmap.size(), QSize(MapWidth, MapHeight));
    EXPECT_EQ(Form25->MapBitmap.pixel(600, 110), qRgb(0, 255, 0));
}

TEST_F(MapWindowTest, TodaysQsosAreTheLiveUtcRecordsOfTodayReadFromTheEnd) {
    WriteAllRecords<QsoRecord>(path("test.log"), {
        Qso("19.05.2024", "UA1AAA", "59,9", "30,3"),
        Qso("19.06.2024", "UA1BBB", "59,9", "30,3"),
        Qso("20.06.2024", "UA3AAA", "55,75", "37,62", "European Russia"),
        [] { auto r = Qso("20.06.2024", "UA3DEL", "10,0", "10,0"); r.deleteMark = "Delet"; return r; }(),
        Qso("20.06.2024", "UA3NOL", "", "10,0"),
        Qso("31.13.2024", "UA3BAD", "20,0", "20,0"),
        Qso("20.06.2024", "K1ABC", "40,7", "-74,0", "United States"),
        Qso("21.06.2024", "UA3TOM", "30,0", "30,0"),
    });
    // The PC's local date is already the 21st; UTC is still the 20th.
    utcFields("20.06.2024", "23:10");
    Clock().time = QDateTime(QDate(2024, 6, 21), QTime(2, 10));
    Form25->DrawGreylineMap();

    EXPECT_EQ(Form25->PlotTodaysQsos(false), 7);
    // Home first, then from the last record back.
    EXPECT_EQ(markers(), (std::vector<QPoint>{{388, 64}, {180, 104}, {402, 73}}));
    EXPECT_TRUE(Form25->Canvas.itemsOf(MapDrawItem::Label).empty());
    const auto lines = Form25->Canvas.itemsOf(MapDrawItem::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].at, QPoint(390, 66));
    EXPECT_EQ(lines[0].to, QPoint(182, 106));

    Form25->QSO2->trigger(); // F9
    EXPECT_EQ(markers().size(), 3u);
    EXPECT_EQ(labelsAt({140, 109}), QStringList{"K1ABC"});
    EXPECT_EQ(labelsAt({140, 122}), QStringList{"United States"});
    EXPECT_EQ(labelsAt({348, 59}), QStringList{}); // none at home
    for (const auto &l : Form25->Canvas.itemsOf(MapDrawItem::Label)) {
        EXPECT_EQ(l.pen, QColor(0, 255, 255));
        EXPECT_EQ(l.brush, QColor(0, 0, 255));
    }
    EXPECT_TRUE(Dialogs().messages().empty());
}

TEST_F(MapWindowTest, TodaysQsosOfALogThatCannotBeOpenedShowTheErrorAndTheOwnStation) {
    QDir(path(".")).mkdir("log.dir");
    LogFileName = "log.dir";
    utcFields("20.06.2024", "12:00");
    Form25->PlotTodaysQsos(false);
    ASSERT_EQ(Dialogs().messages().size(), 1u);
    EXPECT_FALSE(Dialogs().messages()[0].text.isEmpty());
    EXPECT_EQ(markers(), std::vector<QPoint>{QPoint(388, 64)});

    // An empty log: the own station alone, no box.
    Dialogs().clear();
    LogFileName = "test.log";
    WriteAllRecords<QsoRecord>(path("test.log"), {});
    EXPECT_EQ(Form25->PlotTodaysQsos(true), 0);
    EXPECT_EQ(markers(), std::vector<QPoint>{QPoint(388, 64)});
    EXPECT_TRUE(Dialogs().messages().empty());
}

TEST_F(MapWindowTest, RedrawShowsHomeOnlyWhenTheOwnStationIsThere) {
    MapPointList = {"388,64,,", "180,104,K1ABC,United States"};
    MapPointListStartsWithOwnStation = true;
    Form25->PlotTodaysQsos(true); // something to be cleared by QSO3

    Form25->QSO4->trigger();
    const auto &items = Form25->Canvas.items();
    ASSERT_GE(items.size(), 4u);
    const std::vector<MapDrawItem> redraw(items.end() - 5, items.end());
    EXPECT_EQ(redraw[0].kind, MapDrawItem::Marker);
    EXPECT_EQ(redraw[0].at, QPoint(388, 64));
    EXPECT_EQ(redraw[0].pen, QColor(Qt::black));
    EXPECT_EQ(redraw[0].brush, QColor(Qt::white));
    EXPECT_EQ(redraw[1].kind, MapDrawItem::Marker);
    EXPECT_EQ(redraw[1].at, QPoint(180, 104));
    EXPECT_EQ(redraw[1].brush, QColor(Qt::red));
    EXPECT_EQ(redraw[2].kind, MapDrawItem::Line);
    EXPECT_EQ(redraw[2].at, QPoint(390, 66));
    EXPECT_EQ(redraw[2].to, QPoint(182, 106));
    EXPECT_EQ(redraw[2].pen, QColor(Qt::yellow));
    EXPECT_EQ(redraw[3].text, "K1ABC");
    EXPECT_EQ(redraw[3].at, QPoint(140, 109));
    EXPECT_EQ(redraw[4].text, "United States");
    EXPECT_FALSE(redraw[4].brush.isValid()); // clear background
    EXPECT_EQ(Form25->Canvas.image().pixel(182, 106), qRgb(255, 255, 0));

    Form25->QSO3->trigger();
    EXPECT_EQ(Form25->ShowQsoPointsOnly, 1);
    EXPECT_EQ(markers(), (std::vector<QPoint>{{388, 64}, {180, 104}}));
    EXPECT_EQ(Form25->Canvas.itemsOf(MapDrawItem::Line).size(), 1u);
    EXPECT_TRUE(Form25->Canvas.itemsOf(MapDrawItem::Label).empty());

    // Without own coordinates at the start the first entry is a station like
    // any other: no home, no lines.
    MapPointListStartsWithOwnStation = false;
    MapPointList = {"180,104,K1ABC,United States", "402,73,UA3AAA,European Russia"};
    Form25->RedrawMapPoints();
    EXPECT_EQ(markers(), (std::vector<QPoint>{{180, 104}, {402, 73}}));
    for (const auto &m : Form25->Canvas.itemsOf(MapDrawItem::Marker)) EXPECT_EQ(m.brush, QColor(Qt::red));
    EXPECT_TRUE(Form25->Canvas.itemsOf(MapDrawItem::Line).empty());
}

TEST_F(MapWindowTest, ActivationDrawsTheStationBeingEnteredWithoutAddingIt) {
    utcFields("20.06.2024", "20:51");
    Form25->DrawGreylineMap();
    analyse("UA9XYZ");
    ASSERT_FALSE(DxLongitude.isEmpty());
    showWindow();
    MapPointList = {"388,64,,"};
    for (int i = 0; i < 5; ++i) {
        Form25->show();
        Form25->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Form25, kLoadedDeadlineMs));
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1, kLoadedDeadlineMs));
    }
    Form25->Canvas.reset(Form25->MapBitmap); // what the activation draws, alone
    Form25->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form25, kLoadedDeadlineMs));
    EXPECT_EQ(MapPointList, QStringList{"388,64,,"});
    const QPoint at = MapPixel(*ParseDecimal(DxLongitude), *ParseDecimal(DxLatitude));
    EXPECT_EQ(markers(), std::vector<QPoint>{at});
    const auto m = Form25->Canvas.itemsOf(MapDrawItem::Marker)[0];
    EXPECT_EQ(m.pen, QColor(Qt::red));
    EXPECT_EQ(m.brush, QColor(Qt::black));
    EXPECT_EQ(labelsAt(at + QPoint(-20, 5)), QStringList{"UA9XYZ"});
    EXPECT_EQ(labelsAt(at + QPoint(-20, 18)), QStringList{"Asiatic Russia"});
    EXPECT_EQ(Form25->mask(), QRegion(0, 1, 723, 392));

    // A saved station is marked in aqua and remembered.
    form1->PlotStationOnMap(DxLongitude, DxLatitude, 0xFFFF00);
    EXPECT_EQ(MapPointList.size(), 2);
    EXPECT_EQ(Form25->Canvas.itemsOf(MapDrawItem::Marker).back().pen, QColor(0, 255, 255));
    EXPECT_EQ(labelsAt(at + QPoint(-20, 31)), (QStringList{DxDistance, DxDistance})); // over the red one
}

TEST_F(MapWindowTest, FunctionKeysWorkTheMenu) {
    WriteAllRecords<QsoRecord>(path("test.log"), {Qso("20.06.2024", "K1ABC", "40,7", "-74,0", "United States")});
    utcFields("20.06.2024", "20:51");
    Form25->show();
    Form25->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form25, kLoadedDeadlineMs));
    QTest::keyClick(Form25, Qt::Key_F12);
    EXPECT_EQ(markers().size(), 2u);
    EXPECT_TRUE(Form25->Canvas.itemsOf(MapDrawItem::Label).empty());
    QTest::keyClick(Form25, Qt::Key_F9);
    EXPECT_EQ(labelsAt({140, 109}), QStringList{"K1ABC"});
    QTest::keyClick(Form25, Qt::Key_F11);
    EXPECT_TRUE(Form25->Timer1->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!Form25->Timer1->isActive(), kLoadedDeadlineMs);
    EXPECT_EQ(Form25->MapBitmap, shaded(map_, kSummer));
    QTest::keyClick(Form25, Qt::Key_Escape);
    EXPECT_FALSE(Form25->isVisible());
}

class MapStartupTest : public MapWindowTest {
protected:
    void SetUp() override {
        MapWindowTest::SetUp();
        oldRegistry_ = qgetenv("ZELMOR_REGISTRY");
        qputenv("ZELMOR_REGISTRY", path("registry.reg").toLocal8Bit());
        ReleaseSettingsRegistry();
        platform::install(&port_);
        ConnectWindows();
        StartupHook.LoadCountryTable = nullptr; // loaded already
        OpenLogReloadLists = nullptr;           // no club files here
        StartupDone = 0;
        ResetStartupState();
    }
    void TearDown() override {
        platform::install(static_cast<ParallelPort *>(nullptr));
        qputenv("ZELMOR_REGISTRY", oldRegistry_);
        MapWindowTest::TearDown();
    }
    FakeParallelPort port_;
    QByteArray oldRegistry_;
};

TEST_F(MapStartupTest, AMissingPictureDoesNotStopTheStartUpAndTheOwnStationIsHome) {
    QFile::remove(path("map.bmp"));
    // The own station comes from the settings at start-up.
    StartupHook.LoadSettings = [] {
        WriteSetting(SettingId::StationLatitude, "59,94");
        WriteSetting(SettingId::StationLongitude, "30,31");
    };
    EXPECT_TRUE(RunStartupSequence());
    EXPECT_EQ(StartupDone, 1);
    // The other data files of the start-up are not in this folder either:
    // only the map's message counts here.
    QStringList mapMessages;
    for (const auto &m : Dialogs().messages())
        if (m.text.contains("map.bmp")) mapMessages << m.text;
    EXPECT_EQ(mapMessages, QStringList{"Нет файла \" map.bmp\""});
    EXPECT_EQ(MapPointList.size(), 1);
    EXPECT_TRUE(MapPointListStartsWithOwnStation);
    ASSERT_EQ(markers(), std::vector<QPoint>{QPoint(388, 64)});
    EXPECT_EQ(Form25->Canvas.itemsOf(MapDrawItem::Marker)[0].pen, QColor(Qt::white));
}

} // namespace
} // namespace zelmor::test
