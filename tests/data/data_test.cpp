// The shipped program folder, read with the program's own loaders and codecs.
#include "common/codepage.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "common/text.h"
#include "logbook/countrylookup.h"
#include "logbook/datacheck.h"
#include "logbook/localtime.h"
#include "logbook/reference.h"
#include "platform/paths.h"
#include "platform/stringgrid.h"
#include "tests/testsupport.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QtEndian>

using namespace zelmor;

namespace {

QString DataDir() { return test::SourceDir() + QStringLiteral("/data"); }
QString Data(const QString &name) { return ResolvePath(name, DataDir()); }

class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldProgramDir_ = ProgramDir;
        ProgramDir = DataDir();
        test::InstallFakes();
        test::Dialogs().clear();
        ClearReferenceLists();
    }
    void TearDown() override {
        ClearReferenceLists();
        ProgramDir = oldProgramDir_;
    }
    QString oldProgramDir_;
};

std::vector<CountryRecord> World() { return ReadAllRecords<CountryRecord>(Data(QStringLiteral("dx\\world.dat"))); }

double Number(const QString &text) {
    const auto v = ParseDecimal(text);
    EXPECT_TRUE(v.has_value()) << text.toStdString();
    return v.value_or(0.0);
}

// The record numbers of an alternatives field ("12,57,"); -1 for an item that
// is not a number.
std::vector<int> Alternatives(const CountryRecord &r) {
    std::vector<int> numbers;
    for (const QString &item : Trim(r.alternatives).split(u',', Qt::SkipEmptyParts))
        numbers.push_back(ParseInteger(item).value_or(-1));
    return numbers;
}

} // namespace

TEST_F(DataFolderTest, EveryFileOfTheStartUpCheckIsThere) {
    for (const char *name : RequiredDataFiles) EXPECT_TRUE(QFile::exists(Data(QString::fromUtf8(name)))) << name;
    EXPECT_TRUE(QFile::exists(Data(QStringLiteral("qslmng.mng"))));
    EXPECT_TRUE(MissingDataFiles().isEmpty()) << MissingDataFiles().join(u' ').toStdString();
}

TEST_F(DataFolderTest, EveryLoaderReadsTheShippedFilesWithoutComplaint) {
    StringGridModel strw(2, 1);
    StringGridModel strvet(4, 1);
    EXPECT_TRUE(LoadCountryTable(&strw));
    LoadNamesFile();
    ReloadLogLists();
    EXPECT_EQ(ShowVeteranList(strvet), 0);
    EXPECT_TRUE(test::Dialogs().messages().empty());
    EXPECT_EQ(strw.rowCountValue(), PrefixList.size());
    // The bases start with one free slot, the member lists empty.
    EXPECT_TRUE(FirstNameList.isEmpty());
    EXPECT_TRUE(QthNameList.isEmpty());
    EXPECT_EQ(RecordIO::Count(Data(QStringLiteral("name\\name.bas")), NameListRecord::Size), 1);
    for (const ClubInfo &c : Clubs()) EXPECT_TRUE(ClubCallLists.of(c.club).isEmpty()) << c.file;
}

TEST_F(DataFolderTest, EveryCountryRecordParses) {
    const QString path = Data(QStringLiteral("dx\\world.dat"));
    EXPECT_EQ(QFile(path).size() % CountryRecord::Size, 0);
    const auto world = World();
    ASSERT_GT(world.size(), 5000u);
    QSet<QString> prefixes;
    for (const CountryRecord &r : world) {
        SCOPED_TRACE(r.prefix.toStdString() + " " + r.country.toStdString());
        EXPECT_FALSE(r.prefix.isEmpty());
        EXPECT_EQ(StripBlanks(r.prefix), r.prefix);
        EXPECT_FALSE(prefixes.contains(r.prefix)) << "prefix twice";
        prefixes.insert(r.prefix);
        EXPECT_FALSE(r.country.isEmpty());
        EXPECT_FALSE(r.commonPrefix.isEmpty());
        const auto waz = ParseInteger(r.waz), itu = ParseInteger(r.itu);
        ASSERT_TRUE(waz && itu);
        EXPECT_TRUE(*waz >= 1 && *waz <= 40);
        EXPECT_TRUE(*itu >= 1 && *itu <= 90);
        EXPECT_FALSE(r.latitude.contains(u'.'));
        EXPECT_LE(std::abs(Number(r.latitude)), 90.0);
        EXPECT_LE(std::abs(Number(r.longitude)), 180.0);
        EXPECT_LE(std::abs(Number(r.time)), 14.0);
        EXPECT_TRUE(QStringList({"EU", "AS", "AF", "NA", "SA", "OC", "AN"}).contains(r.continent));
        EXPECT_TRUE(r.dxcc.isEmpty() || r.dxcc == u"*");
        // Alternatives: comma-closed numbers of records of other countries.
        EXPECT_TRUE(r.alternatives.isEmpty() || r.alternatives.endsWith(u',')) << r.alternatives.toStdString();
        for (const int n : Alternatives(r)) {
            ASSERT_TRUE(n >= 0 && size_t(n) < world.size()) << r.alternatives.toStdString();
            EXPECT_NE(world[size_t(n)].country, r.country);
        }
    }
}

TEST_F(DataFolderTest, EachDxccEntityHasExactlyOneStarRecord) {
    ASSERT_TRUE(LoadCountryTable(nullptr));
    // 340 DXCC entities in cty.csv; its five WAE-only entities carry no "*".
    EXPECT_EQ(DxccCountryList.size(), 340);
    EXPECT_EQ(QSet<QString>(DxccCountryList.begin(), DxccCountryList.end()).size(), 340);
    QSet<QString> withoutStar;
    for (const CountryRecord &r : World())
        if (!DxccCountryList.contains(r.country)) withoutStar.insert(r.country);
    EXPECT_EQ(withoutStar, QSet<QString>({"African Italy", "Sicily", "European Turkey"}));
}

TEST_F(DataFolderTest, EveryDxccEntityIsFoundByATypedCall) {
    ASSERT_TRUE(LoadCountryTable(nullptr));
    const auto world = World();
    // Some record of the entity, typed as a call (upper case), finds the entity.
    QSet<QString> reached;
    for (const CountryRecord &r : world) {
        if (reached.contains(r.country)) continue;
        const int i = LongestPrefixRecord(PrefixList, r.prefix.toUpper());
        if (i >= 0 && world[size_t(i)].country == r.country) reached.insert(r.country);
    }
    for (const QString &country : DxccCountryList) EXPECT_TRUE(reached.contains(country)) << country.toStdString();
}

TEST_F(DataFolderTest, EntitiesKnownByTheirCallsAloneAreFoundAndOffered) {
    ASSERT_TRUE(LoadCountryTable(nullptr));
    const auto world = World();
    auto recordOf = [&](const char *call) -> const CountryRecord & {
        const int i = LongestPrefixRecord(PrefixList, QString::fromLatin1(call));
        EXPECT_GE(i, 0) << call;
        return world[size_t(std::max(i, 0))];
    };
    auto alternatives = [&](const CountryRecord &r) {
        QStringList countries;
        for (const int n : Alternatives(r)) countries << world[size_t(n)].country;
        return countries;
    };
    struct Case { const char *call, *country; };
    const Case cases[] = {
        {"3Y0J", "Bouvet"}, {"3Y0X", "Peter 1 Island"}, {"VP8ORK", "South Orkney Islands"},
        {"3D2CR", "Conway Reef"}, {"SV2ASP", "Mount Athos"}, {"JD1BCK", "Minami Torishima"},
        // the entities that share the prefix keep the other calls
        {"3Y1ABC", "Antarctica"}, {"VP8ABC", "Falkland Islands"}, {"3D2AB", "Fiji"}, {"SV2ABC", "Greece"},
        {"JD1ABC", "Ogasawara"},
        // a known call that begins with one of those calls still finds its own
        {"SY2AEI/J", "Greece"},
    };
    for (const Case &c : cases) EXPECT_EQ(recordOf(c.call).country, QString::fromLatin1(c.country)) << c.call;

    const QStringList antarctica = alternatives(recordOf("3Y1ABC"));
    EXPECT_TRUE(antarctica.contains(u"Bouvet") && antarctica.contains(u"Peter 1 Island")) << antarctica.join(u',').toStdString();
    EXPECT_TRUE(alternatives(recordOf("VP8ABC")).contains(u"South Orkney Islands"));
    EXPECT_TRUE(alternatives(recordOf("JD1ABC")).contains(u"Minami Torishima"));
    // "SY2A" of Mount Athos also catches ordinary Greek calls: it offers Greece.
    EXPECT_EQ(recordOf("SY2ABC").country, u"Mount Athos");
    EXPECT_TRUE(alternatives(recordOf("SY2ABC")).contains(u"Greece"));
    // A full call carries no doubt.
    EXPECT_TRUE(alternatives(recordOf("VP8ORK")).isEmpty());
}

TEST_F(DataFolderTest, LocalTimeFollowsTodaysOffsets) {
    ASSERT_TRUE(LoadCountryTable(nullptr));
    const auto world = World();
    struct Case { const char *call, *local; };
    const Case cases[] = {
        {"UA3AAA", "15:00"}, {"UA2FAA", "14:00"}, {"TA1ABC", "15:00"}, {"ZP5ABC", "9:00"},
        {"VU2ABC", "17:30"}, {"JA1ABC", "21:00"},
    };
    for (const Case &c : cases) {
        const int i = LongestPrefixRecord(PrefixList, QString::fromLatin1(c.call));
        ASSERT_GE(i, 0) << c.call;
        EXPECT_EQ(StationLocalTime(world[size_t(i)].time, QStringLiteral("0"), QTime(12, 0)), QString::fromLatin1(c.local))
            << c.call;
    }
}

TEST_F(DataFolderTest, CallsFindTheirCountryAndCoordinatesOfTheRightSign) {
    ASSERT_TRUE(LoadCountryTable(nullptr));
    const auto world = World();
    struct Case { const char *call, *country; double minLon, maxLon, minLat, maxLat; };
    const Case cases[] = {
        {"UA3ABC", "European Russia", 20, 60, 40, 70},
        {"UA9ABC", "Asiatic Russia", 60, 180, 40, 80},
        {"W1AW", "United States", -130, -60, 20, 50},
        {"VE3XYZ", "Canada", -140, -50, 40, 70},
        {"JA1ABC", "Japan", 125, 150, 25, 46},
        {"VK9XX", "Christmas Island", 100, 110, -15, -5},
        {"VK2ABC", "Australia", 110, 155, -45, -10},
        {"UR5ABC", "Ukraine", 20, 42, 44, 53},
        {"UN7ABC", "Kazakhstan", 45, 90, 40, 56},
        {"EW1ABC", "Belarus", 23, 33, 51, 57},
        {"PY1ABC", "Brazil", -75, -30, -35, 5},
        {"DL1ABC", "Fed. Rep. of Germany", 5, 16, 47, 56},
        {"ZS6ABC", "South Africa", 15, 35, -35, -20},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.call);
        const int i = LongestPrefixRecord(PrefixList, QString::fromLatin1(c.call));
        ASSERT_GE(i, 0);
        const CountryRecord &r = world[size_t(i)];
        EXPECT_EQ(r.country, QString::fromLatin1(c.country));
        const double lon = Number(r.longitude), lat = Number(r.latitude);
        EXPECT_TRUE(lon >= c.minLon && lon <= c.maxLon) << lon;
        EXPECT_TRUE(lat >= c.minLat && lat <= c.maxLat) << lat;
    }
    // The call-area rule for US zones only works when the table knows "K".
    EXPECT_EQ(FindPrefixRecord(PrefixList, u"K") >= 0, true);
}

TEST_F(DataFolderTest, RussianRegionsAreKeyedNumberedAndPlaced) {
    const auto regions = ReadAllRecords<RegionRecord>(Data(QStringLiteral("russia22.dat")));
    ASSERT_GT(regions.size(), 80u);
    QSet<QString> keys;
    int previous = -1;
    QSet<int> numbers;
    for (const RegionRecord &r : regions) {
        SCOPED_TRACE(r.key.toStdString());
        ASSERT_EQ(r.key.size(), 2);
        EXPECT_TRUE(r.key[0].isDigit() && r.key[1] >= u'A' && r.key[1] <= u'Z');
        EXPECT_FALSE(keys.contains(r.key)) << "key twice";
        keys.insert(r.key);
        EXPECT_FALSE(r.name.isEmpty());
        // One number per oblast, its records together: 0, 1, 2, ... below 90.
        const auto n = ParseInteger(r.number);
        ASSERT_TRUE(n.has_value());
        EXPECT_TRUE(*n == previous || *n == previous + 1);
        EXPECT_LT(*n, 90);
        previous = *n;
        numbers.insert(*n);
        // Coordinate A is the longitude, B the latitude, in five characters.
        EXPECT_LE(r.coordinateA.size(), 5);
        EXPECT_LE(r.coordinateB.size(), 5);
        EXPECT_TRUE(Number(r.coordinateA) >= 19 && Number(r.coordinateA) <= 180);
        EXPECT_TRUE(Number(r.coordinateB) >= 40 && Number(r.coordinateB) <= 82);
        EXPECT_TRUE(ParseInteger(r.waz).has_value() && ParseInteger(r.itu).has_value());
    }
    EXPECT_EQ(numbers.size(), previous + 1);
    const auto moscow = std::find_if(regions.begin(), regions.end(), [](const RegionRecord &r) { return r.key == u"3A"; });
    ASSERT_NE(moscow, regions.end());
    EXPECT_TRUE(moscow->name.contains(QStringLiteral("Москва"))) << moscow->name.toStdString();
    EXPECT_EQ(moscow->coordinateA, QStringLiteral("37,62"));
    EXPECT_EQ(moscow->coordinateB, QStringLiteral("55,75"));
    EXPECT_EQ(moscow->waz, QStringLiteral("16"));
    const auto komi = std::find_if(regions.begin(), regions.end(), [](const RegionRecord &r) { return r.key == u"9X"; });
    ASSERT_NE(komi, regions.end());
    EXPECT_TRUE(komi->name.contains(QStringLiteral("Коми")));
}

TEST_F(DataFolderTest, UkrainianAndKazakhRegionsHoldLatitudeThenLongitude) {
    struct Table { const char *file; double minLat, maxLat, minLon, maxLon; int minRecords; };
    for (const Table &t : {Table{"ucraina.dat", 44, 53, 22, 41, 24}, Table{"Kaz_tan.dat", 40, 56, 46, 88, 18}}) {
        SCOPED_TRACE(t.file);
        const auto regions = ReadAllRecords<RegionRecord>(Data(QString::fromLatin1(t.file)));
        EXPECT_GE(int(regions.size()), t.minRecords);
        QSet<QString> keys;
        for (const RegionRecord &r : regions) {
            ASSERT_EQ(r.key.size(), 1);
            EXPECT_FALSE(keys.contains(r.key));
            keys.insert(r.key);
            EXPECT_FALSE(r.name.isEmpty());
            const double lat = Number(r.coordinateA), lon = Number(r.coordinateB);
            EXPECT_TRUE(lat >= t.minLat && lat <= t.maxLat) << r.key.toStdString() << " " << lat;
            EXPECT_TRUE(lon >= t.minLon && lon <= t.maxLon) << r.key.toStdString() << " " << lon;
        }
    }
}

TEST_F(DataFolderTest, BrazilianStatesAndIslandsUseTheirKeys) {
    const auto states = ReadAllRecords<BrazilRegionRecord>(Data(QStringLiteral("brasil.dat")));
    EXPECT_EQ(states.size(), 27u);
    for (const auto &s : states) EXPECT_EQ(s.key.size(), 3) << s.key.toStdString();
    const auto rj = std::find_if(states.begin(), states.end(), [](const auto &s) { return s.key == u"PY1"; });
    ASSERT_NE(rj, states.end());
    EXPECT_TRUE(rj->name.startsWith(QStringLiteral("Rio de Janeiro")));

    const auto islands = ReadAllRecords<IslandRecord>(Data(QStringLiteral("dx\\iota.dat")));
    ASSERT_GT(islands.size(), 1000u);
    for (const IslandRecord &i : islands) {
        EXPECT_EQ(i.reference.size(), 5);
        EXPECT_EQ(i.reference, i.reference.toUpper());
        EXPECT_FALSE(i.name.isEmpty());
    }
    EXPECT_EQ(islands.front().reference, QStringLiteral("AF001"));
}

TEST_F(DataFolderTest, MapLandsStationsWhereTheProgramDrawsThem) {
    QFile f(Data(QStringLiteral("map.bmp")));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray head = f.read(54);
    ASSERT_EQ(head.left(2), QByteArray("BM"));
    EXPECT_EQ(qFromLittleEndian<quint16>(head.constData() + 28), 24); // bits per pixel
    const QImage map(f.fileName());
    ASSERT_EQ(map.size(), QSize(689, 361));
    // The program's plotting rule, then a look at the colour there.
    auto at = [&](double lon, double lat) {
        int x = int(lon / 20 * 38 + 328), y = int(lat / -20 * 38 + 189);
        const int d = std::abs(x - 328) / 18, e = std::abs(y - 189) / 10;
        x += x > 328 ? d : x < 328 ? -d : 0;
        y += y > 189 ? e : y < 189 ? -e : 0;
        return map.pixelColor(x, y);
    };
    for (auto [lon, lat] : {std::pair{-30.0, 0.0}, {-150.0, -10.0}, {80.0, -20.0}, {-40.0, 40.0}}) {
        const QColor sea = at(lon, lat);
        EXPECT_GT(sea.blue(), sea.red() + 20) << lon << "," << lat;
    }
    for (auto [lon, lat] : {std::pair{10.0, 23.0}, {135.0, -25.0}, {45.0, 22.0}, {-112.0, 33.0}}) {
        const QColor desert = at(lon, lat);
        EXPECT_GT(desert.red(), desert.blue() + 20) << lon << "," << lat;
    }
}

TEST_F(DataFolderTest, SoundsAreShortMonoPcm) {
    for (const char *name : {"gbye010.wav", "rin.wav", "whoosh.wav", "Текущий.wav"}) {
        SCOPED_TRACE(name);
        QFile f(Data(QString::fromUtf8(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QByteArray b = f.readAll();
        ASSERT_GE(b.size(), 44);
        EXPECT_EQ(b.left(4), QByteArray("RIFF"));
        EXPECT_EQ(b.mid(8, 8), QByteArray("WAVEfmt "));
        const char *p = b.constData();
        EXPECT_EQ(qFromLittleEndian<quint16>(p + 20), 1); // PCM
        EXPECT_EQ(qFromLittleEndian<quint16>(p + 22), 1); // mono
        const quint32 rate = qFromLittleEndian<quint32>(p + 24);
        const quint16 bits = qFromLittleEndian<quint16>(p + 34);
        EXPECT_TRUE(bits == 8 || bits == 16);
        EXPECT_EQ(b.mid(36, 4), QByteArray("data"));
        const quint32 bytes = qFromLittleEndian<quint32>(p + 40);
        EXPECT_EQ(qsizetype(bytes) + 44, b.size());
        const double seconds = double(bytes) / (rate * bits / 8);
        EXPECT_GT(seconds, 0.1);
        EXPECT_LE(seconds, 2.0);
    }
}

TEST_F(DataFolderTest, NewsTextsAreCp1251) {
    for (const char *name : {"news.txt", "no_news.txt"}) {
        QFile f(Data(QString::fromLatin1(name)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name;
        const QByteArray bytes = f.readAll();
        const QString text = FromCp1251(bytes);
        EXPECT_EQ(ToCp1251(text), bytes) << name;
        EXPECT_FALSE(text.contains(u'?')) << name; // nothing cp1251 lacks
        EXPECT_TRUE(text.contains(QStringLiteral("ZELMOR"))) << name;
        EXPECT_TRUE(text.contains(QStringLiteral("программ"), Qt::CaseInsensitive)) << name;
    }
}
