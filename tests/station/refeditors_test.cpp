// The reference-data editors' file work on real files built with the codecs:
// what a read shows, what a write leaves on disk byte for byte, what it
// refuses, and the finds and sorts.
#include "station/refeditors.h"

#include "common/recordfile.h"
#include "common/refrecords.h"
#include "platform/stringgrid.h"
#include "tests/logbook/records.h"
#include "tests/testsupport.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>

using namespace zelmor;

namespace {

QByteArray Bytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return f.readAll();
}

// Differing byte offsets of two files of one size.
std::vector<qsizetype> Diff(const QByteArray &a, const QByteArray &b) {
    std::vector<qsizetype> out;
    for (qsizetype i = 0; i < std::min(a.size(), b.size()); ++i)
        if (a[i] != b[i]) out.push_back(i);
    return out;
}

class RefEditorsTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath(QStringLiteral("dx"));
        QDir(dir_->path()).mkpath(QStringLiteral("name"));
    }
    QString world() const { return path(QStringLiteral("dx/world.dat")); }

    // 0 DL, 1 3Y Antarctica (alternatives 4 and 5), 2 SV, 3 blank, 4 3Y0C
    // Bouvet, 5 3Y0X Peter 1 Island. What follows a text in its field is
    // whatever the writer's buffer held: record 0 and Greece carry some.
    void writeWorld() {
        std::vector<CountryRecord> records = {
            test::Country("DL", "Fed. Rep. of Germany", "14", "28", "51,0", "10,0", "-1", "EU"),
            test::Country("3Y", "Antarctica", "13", "67", "-90,0", "0,0", "", "SA", "4,5,"),
            test::Country("SV", "Greece", "20", "28", "39,0", "22,0", "-2", "EU"),
            CountryRecord{},
            test::Country("3Y0C", "Bouvet", "38", "67", "-54,4", "3,4", "-1", "AF"),
            test::Country("3Y0X", "Peter 1 Island", "12", "72", "-68,8", "-90,6", "", "SA"),
        };
        QByteArray bytes;
        for (const CountryRecord &r : records) bytes += EncodeRecord(r);
        bytes[15 + 1 + 25] = 'j';         // DL's country field, past "Fed. Rep. of Germany"
        bytes[2 * 180 + 101 + 1 + 10] = 'k'; // Greece's continent field, past "EU"
        WriteAllBytes(world(), bytes);
        // An old time, so that any rewrite shows.
        QFile f(world());
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(QDateTime(QDate(2001, 1, 1), QTime(0, 0)), QFileDevice::FileModificationTime));
    }
    // The grid row showing record `index`.
    static int RowOf(const StringGridModel &g, int index) {
        for (int r = 1; r < g.rowCountValue(); ++r)
            if (g.cell(CountryTableEditor::IndexColumn, r) == QString::number(index)) return r;
        return -1;
    }
    std::vector<QString> messages() const {
        std::vector<QString> out;
        for (const auto &m : test::Dialogs().messages()) out.push_back(m.text);
        return out;
    }
};

struct Fingerprint {
    QByteArray sha;
    QDateTime mtime;
    bool operator==(const Fingerprint &) const = default;
};
Fingerprint Of(const QString &path) {
    return {QCryptographicHash::hash(Bytes(path), QCryptographicHash::Sha256), QFileInfo(path).lastModified()};
}

} // namespace

TEST_F(RefEditorsTest, CountryTableRowsKeepTheirRecordNumbers) {
    writeWorld();
    const QByteArray original = Bytes(world());
    StringGridModel g(13, 2);
    // Stale cells of an earlier session, in every column of a spare row.
    for (int c = 0; c < 13; ++c) g.setCell(c, 7, QStringLiteral("stale"));
    CountryTableEditor dxcc;
    ASSERT_EQ(dxcc.read(g), 5);
    QStringList indexes;
    for (int r = 1; r <= 5; ++r) indexes << g.cell(CountryTableEditor::IndexColumn, r);
    EXPECT_EQ(indexes, QStringList({"0", "1", "2", "4", "5"}));
    EXPECT_EQ(g.rowCountValue(), 26);
    EXPECT_EQ(g.rowTexts(7), QStringList(13)) << "a spare row inherits nothing";

    // No edit: the bytes, junk after the texts included, and the time stay.
    const Fingerprint before = Of(world());
    ASSERT_TRUE(dxcc.write(g).written);
    EXPECT_EQ(Of(world()), before);

    // The grid's order does not reach the file.
    CountryTableEditor::sort(g, 1);
    EXPECT_EQ(g.cell(1, 1), "Antarctica");
    EXPECT_EQ(g.cell(1, 5), "Peter 1 Island");
    ASSERT_TRUE(dxcc.write(g).written);
    EXPECT_EQ(Bytes(world()), original);

    // One cell: one byte, whatever else the record holds.
    g.setCell(2, RowOf(g, 2), QStringLiteral("21"));
    ASSERT_TRUE(dxcc.write(g).written);
    EXPECT_EQ(Diff(original, Bytes(world())), std::vector<qsizetype>({418}));

    // A new row is appended after the last record and learns its number, so
    // a second write does not append it again.
    g.setCell(0, 6, QStringLiteral("DM"));
    g.setCell(1, 6, QStringLiteral("Fed. Rep. of Germany"));
    ASSERT_TRUE(dxcc.write(g).written);
    ASSERT_EQ(Bytes(world()).size(), 1260);
    EXPECT_EQ(ReadRecord<CountryRecord>(world(), 6).prefix, "DM");
    EXPECT_EQ(g.cell(CountryTableEditor::IndexColumn, 6), "6");
    ASSERT_TRUE(dxcc.write(g).written);
    EXPECT_EQ(Bytes(world()).size(), 1260);

    // An emptied prefix blanks its record in place, the first record's too;
    // the others stay put, so 3Y's alternatives still name Bouvet and
    // Peter 1 Island.
    g.setCell(0, RowOf(g, 2), QString());
    g.setCell(0, RowOf(g, 0), QString());
    ASSERT_TRUE(dxcc.write(g).written);
    const QByteArray after = Bytes(world());
    EXPECT_EQ(after.left(180), QByteArray(180, '\0'));
    EXPECT_EQ(after.mid(2 * 180, 180), QByteArray(180, '\0'));
    EXPECT_EQ(after.mid(180, 180), original.mid(180, 180));
    EXPECT_EQ(after.mid(3 * 180, 3 * 180), original.mid(3 * 180, 3 * 180));
    EXPECT_EQ(ReadRecord<CountryRecord>(world(), 1).alternatives, "4,5,");
    EXPECT_TRUE(messages().empty());
}

TEST_F(RefEditorsTest, CountryTableRefusesBadCellsAndWritesNothing) {
    struct Case {
        const char *what;
        std::vector<std::tuple<int, int, const char *>> cells; // col, row, text
        int row, col;
        const char *message;
    };
    const std::vector<Case> cases = {
        {"WAZ not a number", {{2, 3, "4a"}}, 3, 2, "Строка 3, \"WAZ\": \"4a\" — нужно число от 1 до 40"},
        {"a cut prefix is another station", {{0, 5, "3Y0XABCDEFGHIJK"}}, 5, 0, "Строка 5, \"Префикс\": длиннее 14 знаков"},
        {"latitude", {{4, 1, "91"}}, 1, 4, "Строка 1, \"Широта\": \"91\" — нужно число от -90 до 90"},
        {"ITU", {{3, 3, "0"}}, 3, 3, "Строка 3, \"ITU\": \"0\" — нужно число от 1 до 90"},
        {"time offset", {{6, 3, "15"}}, 3, 6, "Строка 3, \"Время\": \"15\" — нужно число от -14 до 14"},
        {"cp1251 lacks it", {{1, 3, "Grüce"}}, 3, 1, "Строка 3, \"Страна\": знак \"ü\" нельзя записать"},
        {"the DXCC mark", {{9, 1, "**"}}, 1, 9, "Строка 1, \"DXCC\": \"**\" — только \"*\" или пусто"},
        {"a prefix needs a country", {{0, 6, "DM"}}, 6, 1, "Строка 6, \"Страна\": у префикса должна быть страна"},
        {"no such record", {{11, 2, "4,9,"}}, 2, 11, "Строка 2, альтернативы \"4,9,\": записи 9 нет"},
        {"a blank record", {{11, 2, "4,3,"}}, 2, 11, "Строка 2, альтернативы \"4,3,\": записи 3 нет"},
        {"its own record", {{11, 2, "4,1,"}}, 2, 11, "Строка 2, альтернативы \"4,1,\": запись 1 — это сама строка"},
        {"a number not closed", {{11, 2, "4,5"}}, 2, 11,
         "Строка 2, альтернативы \"4,5\": номера записей, каждый с запятой после него, как \"12,57,\""},
        {"deleting a named record", {{0, 4, ""}}, 4, 0, "Префикс 3Y0C (запись 4) указан в альтернативах префикса 3Y: удалить нельзя"},
        {"the first bad row wins", {{3, 5, "x"}, {2, 2, "41"}}, 2, 2, "Строка 2, \"WAZ\": \"41\" — нужно число от 1 до 40"},
    };
    writeWorld();
    const Fingerprint before = Of(world());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::Dialogs().clear();
        StringGridModel g(13, 2);
        CountryTableEditor dxcc;
        ASSERT_EQ(dxcc.read(g), 5);
        for (const auto &[col, row, text] : c.cells) g.setCell(col, row, QString::fromUtf8(text));
        const WriteResult r = dxcc.write(g);
        EXPECT_FALSE(r.written);
        ASSERT_TRUE(r.bad.has_value());
        EXPECT_EQ(r.bad->row, c.row);
        EXPECT_EQ(r.bad->col, c.col);
        ASSERT_EQ(test::Dialogs().messages().size(), 1u);
        EXPECT_EQ(test::Dialogs().messages()[0].caption, "ERROR");
        EXPECT_EQ(test::Dialogs().messages()[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(Of(world()), before);
    }
    // Both decimal separators, signs and zones with a leading zero pass.
    StringGridModel g(13, 2);
    CountryTableEditor dxcc;
    ASSERT_EQ(dxcc.read(g), 5);
    g.setCell(4, 1, QStringLiteral("-33.5"));
    g.setCell(5, 1, QStringLiteral("151,25"));
    g.setCell(2, 1, QStringLiteral("05"));
    test::Dialogs().clear();
    EXPECT_TRUE(dxcc.write(g).written);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(ReadRecord<CountryRecord>(world(), 0).latitude, "-33.5");
}

TEST_F(RefEditorsTest, CountrySortOrdersByTheCellThenTheIndexAsText) {
    StringGridModel g(13, 30);
    const QStringList rows[] = {
        {"SV", "Greece", "20"}, {"3Y", "antarctica"}, {"SV5", "Greece", "typed"}, {"DM", "Fed. Rep. of Germany"},
    };
    const char *indexes[] = {"3", "1", "12", ""};
    for (int r = 0; r < 4; ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) g.setCell(int(c), r + 1, rows[r][c]);
        g.setCell(12, r + 1, QString::fromLatin1(indexes[r]));
    }
    CountryTableEditor::sort(g, 1);
    QStringList order;
    for (int r = 1; r <= 5; ++r) order << g.cell(0, r) + u'/' + g.cell(12, r);
    // "Greece$12" before "Greece$3"; case does not count; a new row sorts
    // with an empty index; typed cells go along with their row.
    EXPECT_EQ(order, QStringList({"3Y/1", "DM/", "SV5/12", "SV/3", "/"}));
    EXPECT_EQ(g.cell(2, 3), "typed");
    EXPECT_EQ(g.rowCountValue(), 30);
}

TEST_F(RefEditorsTest, FindsSearchPastBlankRows) {
    StringGridModel g(3, 20);
    const char *rows[][2] = {{"0012", "UA1A"}, {"", ""}, {"0012 ", "UA1B"}, {"0014", " UA1C"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c) g.setCell(c, r + 1, QString::fromLatin1(rows[r][c]));
    // DIG by number: trimmed, the first match.
    EXPECT_EQ(FindRow(g, QStringLiteral("0012"), {0, 1, true, true}), 1);
    EXPECT_EQ(FindRow(g, QStringLiteral("0012"), {0, 1, true, false}), 3);
    EXPECT_EQ(FindRow(g, QStringLiteral("0014"), {0, 1, false, false}), 4) << "past the blank row";
    EXPECT_EQ(FindRow(g, QStringLiteral("UA1C"), {1, 1, false, false}), -1) << "exact unless trimmed";
    EXPECT_EQ(FindRow(g, QStringLiteral("UA1C"), {1, 0, true, false}), 4);

    StringGridModel countries(13, 10);
    const char *names[] = {"Belarus", "Belgium", "Bermuda", "Belize", "Greece"};
    for (int r = 0; r < 5; ++r) countries.setCell(1, r + 1, QString::fromLatin1(names[r]));
    EXPECT_EQ(FindCountryRow(countries, QStringLiteral("BEL")), 4) << "the last one, whatever the case";
    EXPECT_EQ(FindCountryRow(countries, QStringLiteral("BE")), 4);
    EXPECT_EQ(FindCountryRow(countries, QStringLiteral("BER")), 3);
    EXPECT_EQ(FindCountryRow(countries, QStringLiteral("X")), 1);
    EXPECT_EQ(FindCountryRow(countries, QStringLiteral("BELGIU")), 1) << "more than five characters";
}

TEST_F(RefEditorsTest, MemberListWritesRowByRecordAndBlanksWhatWasEmptied) {
    const QString dig = path(QStringLiteral("dig.dat"));
    WriteAllRecords<ClubMemberRecord>(dig, {{"0012", "UA1A", "Иван"}, {"0013", "UA1B", ""}, {"0014", "UA1C", ""}});
    const QByteArray original = Bytes(dig);
    RecordGridEditor editor(ClubLayout(Club::Dig));
    StringGridModel g(3, 2);
    ASSERT_EQ(editor.read(g), 3);
    EXPECT_EQ(g.rowCountValue(), 13);
    EXPECT_EQ(g.rowTexts(0), QStringList({"№ DIG", "Call", "Name"}));
    EXPECT_EQ(g.rowTexts(1), QStringList({"0012", "UA1A", "Иван"}));

    // The last row emptied: it becomes a blank record, the file keeps its length.
    for (int c = 0; c < 3; ++c) g.setCell(c, 3, QString());
    ASSERT_TRUE(editor.write(g).written);
    QByteArray now = Bytes(dig);
    ASSERT_EQ(now.size(), 117);
    EXPECT_EQ(now.left(78), original.left(78));
    EXPECT_EQ(now.mid(78), QByteArray(39, '\0'));

    // A row typed below a gap after a fresh read: the gap is a blank record.
    ASSERT_EQ(editor.read(g), 3);
    g.setCell(0, 5, QStringLiteral("0020"));
    g.setCell(1, 5, QStringLiteral("UA1E"));
    ASSERT_TRUE(editor.write(g).written);
    const auto records = ReadAllRecords<ClubMemberRecord>(dig);
    ASSERT_EQ(records.size(), 5u);
    EXPECT_EQ(EncodeRecord(records[3]), QByteArray(39, '\0'));
    EXPECT_EQ(records[4].call, "UA1E");
    EXPECT_TRUE(test::Dialogs().messages().empty());
}

TEST_F(RefEditorsTest, RussianRegionsRoundTripAndKeepTheRegionListWhole) {
    const QString russia = path(QStringLiteral("russia22.dat"));
    RegionRecord moscow = test::Region("3A", "г.Москва", "37,62", "55,75", "0", "16", "29");
    RegionRecord spb = test::Region("1A", "г.Санкт-Петербург", "30,31", "59,93", "1", "16", "29");
    WriteAllRecords<RegionRecord>(russia, {moscow, spb});
    const Fingerprint before = Of(russia);
    RecordGridEditor editor(RegionLayout());
    StringGridModel g(9, 2);

    // Nothing read: nothing written, whatever the grid holds.
    g.setCell(0, 1, QStringLiteral("9X"));
    EXPECT_FALSE(editor.write(g).written);
    EXPECT_EQ(test::Dialogs().messages().back().text, NotReadText());
    EXPECT_EQ(Of(russia), before);

    ASSERT_EQ(editor.read(g), 2);
    EXPECT_EQ(g.rowTexts(0), QStringList({"Префикс", "Название", "WAZ", "ITU", "Долгота", "Щирота", "Номер", "OBL", "UTC"}));
    EXPECT_EQ(g.rowTexts(1), QStringList({"3A", "г.Москва", "16", "29", "37,62", "55,75", "0", "", ""}));
    EXPECT_EQ(g.rowCountValue(), 7);
    ASSERT_TRUE(editor.write(g).written);
    EXPECT_EQ(Of(russia), before);

    struct Case {
        const char *what;
        int col, row;
        const char *text;
        int badRow, badCol;
        const char *message;
    };
    const Case cases[] = {
        {"a filled row needs its number", 1, 3, "Коми", 3, 6, "Строка 3, \"Номер\": \"\" — нужно число от 0 до 89"},
        {"the award has rows for 0..89", 6, 2, "90", 2, 6, "Строка 2, \"Номер\": \"90\" — нужно число от 0 до 89"},
        {"longitude in column 4", 4, 1, "181", 1, 4, "Строка 1, \"Долгота\": \"181\" — нужно число от -180 до 180"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        test::Dialogs().clear();
        ASSERT_EQ(editor.read(g), 2);
        g.setCell(c.col, c.row, QString::fromUtf8(c.text));
        const WriteResult r = editor.write(g);
        ASSERT_TRUE(r.bad.has_value());
        EXPECT_EQ(std::pair(r.bad->row, r.bad->col), std::pair(c.badRow, c.badCol));
        EXPECT_EQ(test::Dialogs().messages().back().text, QString::fromUtf8(c.message));
        EXPECT_EQ(Of(russia), before);
    }
    // A blank row between two regions would end the award's list there.
    ASSERT_EQ(editor.read(g), 2);
    const QStringList komi = {"9X", "Коми", "17", "20", "50,83", "61,67", "41", "", ""};
    for (int c = 0; c < 9; ++c) g.setCell(c, 4, komi[c]);
    const WriteResult gap = editor.write(g);
    ASSERT_TRUE(gap.bad.has_value());
    EXPECT_EQ(gap.bad->row, 3);
    EXPECT_EQ(Of(russia), before);
    for (int c = 0; c < 9; ++c) g.setCell(c, 3, komi[c]), g.setCell(c, 4, QString());
    ASSERT_TRUE(editor.write(g).written);
    EXPECT_EQ(ReadAllRecords<RegionRecord>(russia).size(), 3u);
    EXPECT_EQ(ReadRecord<RegionRecord>(russia, 2).number, "41");
}

TEST_F(RefEditorsTest, IslandMergeOneIslandPerReferenceSortedAndNothingLeftOver) {
    const QString iota = path(QStringLiteral("dx/iota.dat"));
    WriteAllRecords<IslandRecord>(iota, {{"EU005", "G", "Great Britain"},
                                         {},
                                         {"AF001", "3B6", "Agalega Islands"},
                                         {},
                                         {"AS007", "JA", "Honshu"}});
    const QByteArray original = Bytes(iota);
    IslandEditor editor;
    StringGridModel striota(3, 2), striota1(3, 30);
    striota1.setCell(0, 1, QStringLiteral("EU005"));
    striota1.setCell(1, 1, QStringLiteral("G W"));
    striota1.setCell(2, 1, QStringLiteral("Isle+Wight"));
    EXPECT_FALSE(editor.merge(striota1).written) << "nothing read";
    EXPECT_EQ(Bytes(iota), original);

    ASSERT_EQ(editor.read(striota), 3);
    EXPECT_EQ(striota.rowCountValue(), 24);
    EXPECT_EQ(striota.rowTexts(2), QStringList({"AF001", "3B6", "Agalega Islands"}));
    std::vector<std::pair<int, int>> progress;
    ASSERT_TRUE(editor.merge(striota1, [&](int done, int total) { progress.emplace_back(done, total); }).written);
    const auto records = ReadAllRecords<IslandRecord>(iota);
    ASSERT_EQ(records.size(), 5u);
    // The free slots are one entry, sorted first; "+" in a name shifts
    // nothing; the record past the merged list does not keep an AS007.
    EXPECT_EQ(EncodeRecord(records[0]), QByteArray(164, '\0'));
    EXPECT_EQ(records[1].reference, "AF001");
    EXPECT_EQ(records[2].reference, "AS007");
    EXPECT_EQ(std::tuple(records[3].reference, records[3].prefix, records[3].name), std::tuple("EU005", "GW", "Isle+Wight"));
    EXPECT_EQ(EncodeRecord(records[4]), QByteArray(164, '\0'));
    // Untouched islands go back as they were read.
    EXPECT_EQ(Bytes(iota).mid(164, 164), original.mid(2 * 164, 164));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), std::pair(4, 4));

    // A reference not in the form "AF001" is refused.
    const QByteArray merged = Bytes(iota);
    striota1.setCell(0, 3, QStringLiteral("eu05"));
    const WriteResult bad = editor.merge(striota1);
    ASSERT_TRUE(bad.bad.has_value());
    EXPECT_EQ(std::pair(bad.bad->row, bad.bad->col), std::pair(3, 0));
    EXPECT_EQ(test::Dialogs().messages().back().text,
              "Строка 3, \"№ острова\": \"eu05\" — нужны две латинские заглавные буквы и три цифры, как \"AF001\"");
    EXPECT_EQ(Bytes(iota), merged);

    // Deleting blanks the first record with that reference in place.
    EXPECT_EQ(editor.remove(QStringLiteral(" AF001")), 1);
    EXPECT_EQ(Bytes(iota).mid(164, 164), QByteArray(164, '\0'));
    EXPECT_EQ(Bytes(iota).size(), 5 * 164);
    EXPECT_EQ(editor.remove(QStringLiteral("AF001")), 0);
}

TEST_F(RefEditorsTest, NameBaseReadsSortedAndDeletesEveryCopyInPlace) {
    const QString names = path(QStringLiteral("name/name.bas"));
    WriteAllRecords<NameListRecord>(names, {{"Пётр"}, {""}, {"Иван"}, {"алла"}, {"Ёж"}, {"Иван"}});
    // The one comparator: case ignored, Ё right after Е.
    EXPECT_EQ(ReadNameBase(NameBase::Names), QStringList({"алла", "Ёж", "Иван", "Иван", "Пётр"}));
    EXPECT_EQ(DeleteFromNameBase(NameBase::Names, QStringLiteral("Иван")), 2);
    const auto records = ReadAllRecords<NameListRecord>(names);
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(records[2].text, "");
    EXPECT_EQ(records[5].text, "");
    EXPECT_EQ(records[0].text, "Пётр");
    EXPECT_EQ(DeleteFromNameBase(NameBase::Names, QStringLiteral("иван")), 0) << "exact text only";
}

// The shipped list has islands shared by countries, one record per prefix:
// a merge keeps them all and a typed row replaces only its own.
TEST_F(RefEditorsTest, IslandMergeKeepsTheRecordsOfAnIslandSharedByCountries) {
    const QString iota = path(QStringLiteral("dx/iota.dat"));
    WriteAllRecords<IslandRecord>(iota, {{"EU005", "G", "Great Britain"},
                                         {"EU005", "GM", "Great Britain"},
                                         {"EU005", "GW", "Great Britain"},
                                         {"AF001", "3B6", "Agalega Islands"}});
    IslandEditor editor;
    StringGridModel striota(3, 2), striota1(3, 30);
    ASSERT_EQ(editor.read(striota), 4);
    const QStringList rows[] = {{"EU005", "GW", "Isle of Wight"}, {"AS007", "JA", "Honshu"}, {"AF001", "3B8", "Agalega"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) striota1.setCell(c, r + 1, rows[r][c]);
    ASSERT_TRUE(editor.merge(striota1).written);
    std::vector<std::tuple<QString, QString, QString>> islands;
    for (const IslandRecord &r : ReadAllRecords<IslandRecord>(iota)) islands.emplace_back(r.reference, r.prefix, r.name);
    const std::vector<std::tuple<QString, QString, QString>> expected = {
        {"AF001", "3B8", "Agalega"}, // the only AF001: its prefix and name replaced
        {"AS007", "JA", "Honshu"},
        {"EU005", "G", "Great Britain"},
        {"EU005", "GM", "Great Britain"},
        {"EU005", "GW", "Isle of Wight"},
    };
    EXPECT_EQ(islands, expected);
}

// The operations whose missing file says nothing of its own in the old
// program name it, and none creates it.
TEST_F(RefEditorsTest, MissingFilesAreNamedAndNeverCreated) {
    StringGridModel g(13, 2);
    struct Case {
        const char *file;
        std::function<void()> op;
        const char *message;
    };
    RecordGridEditor agb(ClubLayout(Club::Agb)), russia(RegionLayout()), dig(ClubLayout(Club::Dig)),
        srvs(ClubLayout(Club::Srvs));
    CountryTableEditor dxcc;
    IslandEditor iota;
    const QString digPath = path(QStringLiteral("dig.dat")), russiaPath = path(QStringLiteral("russia22.dat"));
    WriteAllRecords<ClubMemberRecord>(digPath, {{"1", "UA1A", ""}});
    WriteAllRecords<RegionRecord>(russiaPath, {test::Region("3A", "г.Москва", "37,62", "55,75", "0")});
    ASSERT_EQ(dig.read(g), 1);
    ASSERT_EQ(russia.read(g), 1);
    QFile::remove(digPath);
    QFile::remove(russiaPath);
    const Case cases[] = {
        {"agb.dat", [&] { agb.read(g); }, "Нет файла \" agb.dat\""},
        {"srvs.dat", [&] { srvs.read(g); }, "Нет файла \" srvs.dat\""},
        {"dx/world.dat", [&] { dxcc.read(g); }, "Нет файла \" World.dat\""},
        {"dx/iota.dat", [&] { iota.read(g); }, "Нет файла \" Iota.dat\""},
        {"dig.dat", [&] { dig.write(g); }, "Нет файла \" dig.dat\""},
        {"russia22.dat", [&] { russia.write(g); }, "Нет файла \" Russia22.dat\""},
        {"name/qth.bas", [&] { ReadNameBase(NameBase::Qths); }, "Нет файла \" Qth.bas\""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        test::Dialogs().clear();
        c.op();
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0], QString::fromUtf8(c.message));
        EXPECT_FALSE(QFileInfo::exists(path(QString::fromLatin1(c.file))));
    }
}

TEST_F(RefEditorsTest, AWriteLosesNoStrayBytesAndAFailedReplaceKeepsTheFile) {
    const QString dig = path(QStringLiteral("dig.dat"));
    WriteAllRecords<ClubMemberRecord>(dig, {{"0012", "UA1A", ""}, {"0013", "UA1B", ""}});
    {
        QFile f(dig);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("tail!");
    }
    const QByteArray original = Bytes(dig);
    RecordGridEditor editor(ClubLayout(Club::Dig));
    StringGridModel g(3, 2);
    ASSERT_EQ(editor.read(g), 2) << "shown by its whole records";
    g.setCell(1, 2, QStringLiteral("UA1X"));
    EXPECT_FALSE(editor.write(g).written);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].contains(dig)) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains(QStringLiteral(" 5 байт"))) << messages()[0].toStdString();
    EXPECT_EQ(Bytes(dig), original);

    // A full disk during the replace: the old file stays whole and the
    // system's reason is shown.
    WriteAllRecords<ClubMemberRecord>(dig, {{"0012", "UA1A", ""}, {"0013", "UA1B", ""}});
    const QByteArray whole = Bytes(dig);
    ASSERT_EQ(editor.read(g), 2);
    g.setCell(1, 2, QStringLiteral("UA1X"));
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    const int rc = test::RunInChild(
        [&] {
            test::Dialogs().clear();
            if (editor.write(g).written) return 1;
            const auto shown = test::Dialogs().messages();
            return shown.size() == 1 && shown[0].text.contains(reason) ? 0 : 2;
        },
        40);
    EXPECT_EQ(rc, 0) << "1: written; 2: the reason was not shown";
    EXPECT_EQ(Bytes(dig), whole);
}
