#include "logbook/reference.h"

#include "common/recordfile.h"
#include "common/refrecords.h"
#include "platform/stringgrid.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>

using namespace zelmor;

namespace {

class ReferenceTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        ClearReferenceLists();
        QDir(dir_->path()).mkpath(QStringLiteral("dx"));
        QDir(dir_->path()).mkpath(QStringLiteral("name"));
    }
    void TearDown() override {
        ClearReferenceLists();
        ProgramFolderTest::TearDown();
    }
    static CountryRecord Country(const QString &prefix, const QString &country, const QString &dxcc = {}) {
        CountryRecord r;
        r.prefix = prefix;
        r.country = country;
        r.dxcc = dxcc;
        return r;
    }
    static std::vector<NameListRecord> Names(std::initializer_list<const char *> texts) {
        std::vector<NameListRecord> out;
        for (const char *t : texts) out.push_back({QString::fromUtf8(t)});
        return out;
    }
    std::vector<QString> MessageTexts() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.text);
        return out;
    }
};

} // namespace

TEST_F(ReferenceTest, CountryTableFillsTheThreeListsAndTheGrid) {
    WriteAllRecords<CountryRecord>(path(QStringLiteral("dx/world.dat")), {
        Country(QStringLiteral("UA"), QStringLiteral("European Russia"), QStringLiteral("*")),
        Country(QStringLiteral("KG4"), QStringLiteral("Guantanamo Bay"), QStringLiteral("* ")),
        Country(QStringLiteral("ea"), QStringLiteral("Spain"), QStringLiteral("**")),
        Country(QStringLiteral("K"), QStringLiteral("United States"), QString()),
        Country(QStringLiteral("9A"), QStringLiteral("Croatia"), QStringLiteral("*")),
        Country(QStringLiteral("EA"), QStringLiteral("Spain"), QString()),
    });
    StringGridModel strw(2, 2000);
    strw.setCell(0, 1999, QStringLiteral("stale"));
    ASSERT_TRUE(LoadCountryTable(&strw));

    EXPECT_EQ(PrefixList, QStringList({"UA", "KG4", "ea", "K", "9A", "EA"}));
    // Only an exact "*" counts: not "* ", "**" or empty.
    EXPECT_EQ(DxccCountryList, QStringList({"European Russia", "Croatia"}));
    // Digits first, case-insensitive, "$" before any further prefix character,
    // equal keys in record order.
    EXPECT_EQ(PrefixCountryList, QStringList({"9A$Croatia", "ea$Spain", "EA$Spain", "K$United States",
                                              "KG4$Guantanamo Bay", "UA$European Russia"}));
    ASSERT_EQ(strw.rowCountValue(), 6);
    EXPECT_EQ(strw.rowTexts(0), QStringList({"9A", "Croatia"}));
    EXPECT_EQ(strw.rowTexts(4), QStringList({"KG4", "Guantanamo Bay"}));
    EXPECT_EQ(strw.rowTexts(5), QStringList({"UA", "European Russia"}));
    EXPECT_TRUE(strw.cell(0, 1999).isEmpty());
    EXPECT_TRUE(test::Dialogs().messages().empty());
}

TEST_F(ReferenceTest, CountryTableKeepsFullWidthEntriesAndLargeTables) {
    // A full prefix and a full country make exactly 55 characters, the cut.
    const QString prefix(14, u'P');
    const QString country = QStringLiteral("Исключительно длинное название страны 40").left(40);
    ASSERT_EQ(country.size(), 40);
    std::vector<CountryRecord> records = {Country(prefix, country, QStringLiteral("*"))};
    // More rows than the grid of the original had.
    for (int i = 0; i < 2500; ++i) records.push_back(Country(QStringLiteral("X%1").arg(i, 4, 10, QLatin1Char('0')),
                                                             QStringLiteral("Land %1").arg(i)));
    WriteAllRecords(path(QStringLiteral("dx/world.dat")), records);
    StringGridModel strw(2, 2000);
    ASSERT_TRUE(LoadCountryTable(&strw));
    const QString full = prefix + u'$' + country;
    ASSERT_EQ(full.size(), 55);
    EXPECT_EQ(PrefixCountryList.front(), full);
    EXPECT_EQ(strw.rowTexts(0), QStringList({prefix, country}));
    ASSERT_EQ(strw.rowCountValue(), 2501);
    EXPECT_EQ(strw.rowTexts(2500), QStringList({"X2499", "Land 2499"}));
    EXPECT_TRUE(LoadCountryTable(nullptr));
    EXPECT_EQ(PrefixList.size(), 2501);
}

TEST_F(ReferenceTest, MissingCountryTableIsReportedAndChangesNothing) {
    PrefixList = QStringList({"UA"});
    DxccCountryList = QStringList({"European Russia"});
    StringGridModel strw(2, 3);
    EXPECT_FALSE(LoadCountryTable(&strw));
    const auto messages = test::Dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, QStringLiteral("ERROR"));
    EXPECT_EQ(messages[0].text, QStringLiteral("Нет файла \" World.dat\""));
    EXPECT_EQ(PrefixList, QStringList({"UA"}));
    EXPECT_EQ(DxccCountryList, QStringList({"European Russia"}));
    EXPECT_EQ(strw.rowCountValue(), 3);
}

TEST_F(ReferenceTest, NamesFileKeepsEmptyCallsAtTheirIndexAndIsSilentWhenMissing) {
    LoadNamesFile();
    EXPECT_TRUE(CallNameList.isEmpty());
    EXPECT_TRUE(test::Dialogs().messages().empty());

    WriteAllRecords<CallNameRecord>(path(QStringLiteral("names1.dat")),
                                    {{QStringLiteral("UA3AA"), QStringLiteral("Иван")},
                                     {QString(), QStringLiteral("Пётр")},
                                     {QStringLiteral("UA9BB"), QStringLiteral("Олег")}});
    LoadNamesFile();
    EXPECT_EQ(CallNameList, QStringList({"UA3AA", "", "UA9BB"}));

    WriteAllBytes(path(QStringLiteral("names1.dat")), QByteArray());
    LoadNamesFile();
    EXPECT_TRUE(CallNameList.isEmpty());
}

TEST_F(ReferenceTest, NameAndQthBasesSkipFreeSlotsAndDoNotPileUp) {
    WriteAllRecords(path(QStringLiteral("name/name.bas")), Names({"", "Иван", "", "  ", "Пётр"}));
    WriteAllRecords(path(QStringLiteral("name/qth.bas")), Names({"Москва", "", "Киев"}));
    for (int opening = 0; opening < 3; ++opening) {
        LoadNameBase();
        LoadQthBase();
    }
    EXPECT_EQ(FirstNameList, QStringList({"Иван", "Пётр"}));
    EXPECT_EQ(QthNameList, QStringList({"Москва", "Киев"}));
    EXPECT_TRUE(test::Dialogs().messages().empty());

    QFile::remove(path(QStringLiteral("name/qth.bas")));
    LoadQthBase();
    EXPECT_EQ(MessageTexts(), std::vector<QString>{QStringLiteral("Нет файла \" Qth.bas\"")});
    EXPECT_EQ(QthNameList, QStringList({"Москва", "Киев"}));
}

TEST_F(ReferenceTest, EveryClubListHoldsOneCallPerRecordAtItsIndex) {
    for (const ClubInfo &info : Clubs()) {
        const QString file = path(QString::fromLatin1(info.file));
        const QString tag = QString::fromLatin1(info.file).left(3).toUpper();
        if (info.club == Club::Veteran) {
            std::vector<VeteranRecord> v;
            for (int i = 0; i < 5; ++i) v.push_back({QString::number(i + 1), i == 2 ? QString() : tag + QString::number(i), {}, {}});
            WriteAllRecords(file, v);
        } else {
            std::vector<ClubMemberRecord> v;
            for (int i = 0; i < 5; ++i) v.push_back({QString::number(i + 1), i == 2 ? QString() : tag + QString::number(i), {}});
            WriteAllRecords(file, v);
        }
    }
    ReloadLogLists();
    for (const ClubInfo &info : Clubs()) {
        const QString tag = QString::fromLatin1(info.file).left(3).toUpper();
        EXPECT_EQ(ClubCallLists.of(info.club), QStringList({tag + "0", tag + "1", "", tag + "3", tag + "4"})) << info.file;
    }
    // A reload replaces, an empty file empties.
    WriteAllBytes(path(QStringLiteral("dig.dat")), QByteArray());
    ReloadLogLists();
    EXPECT_TRUE(ClubCallLists.of(Club::Dig).isEmpty());
    EXPECT_EQ(ClubCallLists.of(Club::Veteran).size(), 5);
}

TEST_F(ReferenceTest, ReloadReportsEachMissingFileInItsOrder) {
    ClubCallLists.of(Club::Kdr) = QStringList({"UA3KDR"});
    ReloadLogLists();
    const std::vector<QString> expected = {
        "Нет файла \" Name.bas\"", "Нет файла \" Qth.bas\"", "Нет файла \" DIG.dat\"",
        "Нет файла \" Vet.dat\"",  "Нет файла \" agb.dat\"", "Нет файла \" hfc.dat\"",
        "Нет файла \" rcc.dat\"",  "Нет файла \" kdr.dat\"", "Нет файла \" srvs.dat\"",
    };
    EXPECT_EQ(MessageTexts(), expected);
    for (const auto &m : test::Dialogs().messages()) EXPECT_EQ(m.caption, QStringLiteral("ERROR"));
    EXPECT_EQ(ClubCallLists.of(Club::Kdr), QStringList({"UA3KDR"}));
}

TEST_F(ReferenceTest, VeteranListFillsTheGridFromRowOne) {
    StringGridModel strvet(4, 30);
    for (int c = 0; c < 4; ++c) strvet.setCell(c, 0, QStringLiteral("head%1").arg(c));
    for (int r = 1; r < 30; ++r) strvet.setCell(1, r, QStringLiteral("OLD"));
    WriteAllRecords<VeteranRecord>(path(QStringLiteral("vet.dat")),
                                   {{"1", "UA3AA", "Иван", "10"}, {"2", "RA9BB", "Пётр", "5"}, {"3", "", "", ""}});
    EXPECT_EQ(ShowVeteranList(strvet), 3);
    EXPECT_EQ(strvet.rowCountValue(), 13);
    EXPECT_EQ(strvet.rowTexts(0), QStringList({"head0", "head1", "head2", "head3"}));
    EXPECT_EQ(strvet.rowTexts(1), QStringList({"1", "UA3AA", "Иван", "10"}));
    EXPECT_EQ(strvet.rowTexts(2), QStringList({"2", "RA9BB", "Пётр", "5"}));
    EXPECT_EQ(strvet.rowTexts(3), QStringList({"3", "", "", ""}));
    EXPECT_TRUE(strvet.cell(1, 4).isEmpty());

    QFile::remove(path(QStringLiteral("vet.dat")));
    EXPECT_EQ(ShowVeteranList(strvet), 0);
    EXPECT_EQ(MessageTexts(), std::vector<QString>{QStringLiteral("Нет файла \" Vet.dat\"")});
}
