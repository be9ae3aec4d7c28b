#include "common/refrecords.h"
#include "logbook/regionlookup.h"
#include "tests/logbook/records.h"
#include "tests/testsupport.h"

using namespace zelmor;
using test::Region;

namespace {
class RegionLookupTest : public test::ProgramFolderTest {};

} // namespace

TEST_F(RegionLookupTest, RussianKeyIsTheThirdAndFourthCharacterAndTheLastMatchWins) {
    const QString file = path("russia22.dat");
    WriteAllRecords<RegionRecord>(file, {Region("3A", "Москва", "37,62", "55,75", "0", "16", "29"),
                                        Region(" 9X ", "Коми (старая)", "50,00", "61,00", "40", "17", "20"),
                                        Region("9X", "Республика Коми", "50,83", "61,67", "41", "17", "20"),
                                        Region("9", "короткий ключ", "1", "2"), Region("", "пусто", "1", "2")});
    RegionHit hit;
    ASSERT_EQ(FindRussianRegion(file, u"UA9XYZ", hit), LookupStatus::Match);
    EXPECT_EQ(hit.name, "Республика Коми");
    EXPECT_EQ(hit.number, "41");
    EXPECT_EQ(hit.waz, "17");
    EXPECT_EQ(hit.itu, "20");
    EXPECT_EQ(hit.longitude, "50,83");
    EXPECT_EQ(hit.latitude, "61,67");
    hit = {};
    EXPECT_EQ(FindRussianRegion(file, u"UA9", hit), LookupStatus::NoMatch); // no fourth character
    EXPECT_EQ(FindRussianRegion(file, u"RA3AB", hit), LookupStatus::Match);
    EXPECT_EQ(hit.name, "Москва");
    EXPECT_EQ(FindRussianRegion(path("missing.dat"), u"UA3ABC", hit), LookupStatus::NoFile);
}

TEST_F(RegionLookupTest, UkraineAndKazakhstanKeyOnTheFourthCharacter) {
    const QString file = path("ucraina.dat");
    WriteAllRecords<RegionRecord>(file, {Region("A", "Київ", "50,45", "30,52"), Region("", "пусто", "0", "0"),
                                        Region("B", "Одеса", "46,48", "30,73")});
    RegionHit hit;
    ASSERT_EQ(FindRegionInFile(file, u"UR5ABC", hit), LookupStatus::Match);
    EXPECT_EQ(hit.name, "Київ");
    EXPECT_EQ(hit.latitude, "50,45");
    EXPECT_EQ(hit.longitude, "30,52");
    EXPECT_TRUE(hit.waz.isEmpty());
    EXPECT_EQ(FindRegionInFile(file, u"UR5", hit), LookupStatus::NoMatch);
}

TEST_F(RegionLookupTest, BrazilComparesThreeKeyBytesWhateverTheLength) {
    const QString file = path("brasil.dat");
    BrazilRegionRecord a{"PY1", "Rio de Janeiro"}, b{"PY2", "Sao Paulo"};
    QByteArray bytes = EncodeRecord(a) + EncodeRecord(b);
    bytes[BrazilRegionRecord::Size] = 2; // "PY2" stored with a length byte of 2
    WriteAllBytes(file, bytes);
    QString name;
    ASSERT_EQ(FindBrazilRegion(file, u"PY1ABC", name), LookupStatus::Match);
    EXPECT_EQ(name, "Rio de Janeiro");
    ASSERT_EQ(FindBrazilRegion(file, u"PY2XX", name), LookupStatus::Match);
    EXPECT_EQ(name, "Sao Paulo");
    EXPECT_EQ(FindBrazilRegion(file, u"PY", name), LookupStatus::NoMatch);
}

TEST(BelarusRegion, ByTheThirdCharacter) {
    RegionHit hit;
    ASSERT_TRUE(FindBelarusRegion(u"EW1ABC", hit));
    EXPECT_EQ(hit.name, "г.Минск");
    EXPECT_EQ(hit.latitude, "53,93");
    EXPECT_EQ(hit.longitude, "27,54");
    EXPECT_FALSE(FindBelarusRegion(u"EW5ABC", hit));
    EXPECT_FALSE(FindBelarusRegion(u"EW", hit));
}
