// ADIF files into the rows of the import grid: the tag grammar, record
// boundaries, encodings, the field mapping, the country look-up and bad input.
#include "logtools/adif.h"
#include "logtools/importrows.h"
#include "tests/logtools/adiffixture.h"

#include <QDir>

namespace zelmor::test {
namespace {

TEST_F(AdifTest, TheRecordOfTheIssueFillsItsRow) {
    const AdifImportResult r = ImportAdifFile(Crafted("one_record.adi"), tables, rows);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    ASSERT_EQ(rows.size(), 1);
    const std::vector<std::pair<int, const char *>> expected = {
        {0, "1"},       {1, "UA3ABC"}, {2, "Ivan"}, {4, "European Russia"}, {5, "15.04.2003"},
        {6, "09:32"},   {7, "14  Mhz"}, {8, "SSB"}, {9, "170"},             {10, "57"},
        {11, "59"},     {12, "29"},    {14, "16"}, {16, "Получено"},
    };
    for (const auto &[col, text] : expected) EXPECT_EQ(cell(1, col), QString::fromUtf8(text)) << "column " << col;
    for (int col : {3, 13, 15, 17, 18, 19, 20}) EXPECT_TRUE(cell(1, col).isEmpty()) << "column " << col;
    EXPECT_EQ(r.missingDateOrTime, 0);

    ImportGridModel grid;
    grid.rows() = rows;
    grid.storeChanged();
    EXPECT_EQ(grid.rowCountValue(), 3);
}

TEST_F(AdifTest, SingleFieldsBecomeTheLogsForms) {
    struct Case {
        const char *record;
        int column;
        const char *cell;
    };
    const Case cases[] = {
        {"<QSO_DATE:8:D>20030415", 5, "15.04.2003"},
        {"<qso_date:8>20030231", 5, ""},   // no such day
        {"<qso_date:6>030415", 5, ""},
        {"<qso_date:8>2003041x", 5, ""},
        {"<time_on:6>093215", 6, "09:32"},
        {"<time_on:4>0932", 6, "09:32"},
        {"<time_on:4>2460", 6, ""},
        {"<time_on:5>09321", 6, ""},
        {"<band:2>2m", 7, "144Mhz"},
        {"<band:4>160M", 7, "1.8 Mhz"},
        {"<band:4>70cm", 7, "430Mhz"},
        {"<band:4>0.7m", 7, "430Mhz"},
        {"<band:4>23cm", 7, "1.2 Ghz"},
        {"<band:5>2190m", 7, "136Khz"},
        {"<band:5>2200M", 7, "136Khz"},
        {"<band:3>13m", 7, ""},
        {"<qsl_rcvd:1>N<qsl_sent:1>N", 16, "Отправить"},
        {"<qsl_rcvd:1>Y<qsl_sent:1>Y", 16, "Отпр. и получ."},
        {"<qsl_rcvd:1>N<qsl_sent:1>Y", 16, "Отправлено"},
        {"<qsl_rcvd:1>n<qsl_sent:1>i", 16, "Не отправлять"},
        {"<qsl_sent:1>N <qsl_rcvd:1>y", 16, "Получено"},
        {"<qsl_rcvd:1>R<qsl_sent:1>Q", 16, ""},
        {"<mode:3>SSB", 16, ""},
        {"<call:7>ua3 abc", 1, "UA3ABC"},
        {"<call:7>ua3 abc", 4, "European Russia"},
        {"<NOTES:9>a<b>c d e", 13, "a<b>c d e"},
        {"<notes:7>a\r\nb\r\nc", 13, "a\r\nb\r\nc"},
        {"<name:4>Ivan<name:4>Petr", 2, "Ivan"}, // the first of two equal tags
        {"<app_x_y:3:S>abc<qth:6>Moscow", 3, "Moscow"},
    };
    for (const Case &c : cases) {
        const AdifImportResult r = importBytes(QByteArray(c.record) + "<eor>\r\n");
        ASSERT_TRUE(r.error.isEmpty()) << c.record << ": " << r.error.toStdString();
        ASSERT_EQ(rows.size(), 1) << c.record;
        EXPECT_EQ(cell(1, c.column), QString::fromUtf8(c.cell)) << c.record;
    }
}

TEST_F(AdifTest, ALengthOfFourDigitsOrMoreIsRead) {
    const QByteArray notes(1200, 'n');
    const AdifImportResult r = importBytes("<call:5>K1ABC<NOTES:1200>" + notes + "<qso_date:8>20200101<eor>");
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(rows.cellBytes(0, 13), notes);
    EXPECT_EQ(cell(1, 5), "01.01.2020");
}

TEST_F(AdifTest, TypeIndicatorsAndLongLengths) {
    const AdifImportResult r = ImportAdifFile(Crafted("lengths.adi"), tables, rows);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(cell(1, 5), "15.04.2003");
    EXPECT_EQ(cell(1, 6), "09:32");
    EXPECT_EQ(rows.cellBytes(0, 13).size(), 1200);
    EXPECT_TRUE(rows.cellBytes(0, 13).endsWith("0239 "));
    EXPECT_EQ(cell(2, 5), "16.04.2003");
    EXPECT_EQ(cell(2, 7), "430Mhz");
}

TEST_F(AdifTest, EveryEorOpensItsOwnRowWhateverTheLines) {
    const AdifImportResult r = ImportAdifFile(Crafted("boundaries.adi"), tables, rows);
    ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    ASSERT_EQ(rows.size(), 5);
    const char *calls[] = {"K1ABC", "K2ABC", "K3ABC", "K4ABC", "K5ABC"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(cell(i + 1, 0), QString::number(i + 1));
        EXPECT_EQ(cell(i + 1, 1), calls[i]);
        EXPECT_EQ(cell(i + 1, 4), "United States");
    }
    EXPECT_EQ(cell(3, 13), "line1\r\nline2\r\nx");
    // The record without QSO_DATE keeps its own row with an empty date and
    // leaves the row before it alone.
    EXPECT_EQ(cell(3, 5), "03.01.2020");
    EXPECT_EQ(cell(4, 5), "");
    EXPECT_EQ(cell(4, 6), "15:00");
    EXPECT_EQ(cell(5, 6), "15:00");
    EXPECT_EQ(r.missingDateOrTime, 1);
}

TEST_F(AdifTest, AnImportReplacesTheRowsOfTheLastOne) {
    ASSERT_TRUE(ImportAdifFile(Crafted("boundaries.adi"), tables, rows).error.isEmpty());
    rows.setCell(6, 2, "typed");
    const AdifImportResult r = ImportAdifFile(Crafted("one_record.adi"), tables, rows);
    ASSERT_TRUE(r.error.isEmpty());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(cell(1, 1), "UA3ABC");
    EXPECT_TRUE(cell(2, 1).isEmpty());
    EXPECT_TRUE(cell(7, 2).isEmpty());
}

TEST_F(AdifTest, Utf8AndCp1251ValuesBecomeCp1251) {
    struct Case {
        const char *what;
        QByteArray bytes;
    };
    const QByteArray ivanUtf8("\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD");
    const Case cases[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF<call:5>K1ABC<name:8>" + ivanUtf8 + "<eor>"},
        {"UTF-8 without BOM", "<call:5>K1ABC <name:8>" + ivanUtf8 + " <eor>"},
        {"UTF-8, length in characters", "<call:5>K1ABC <name:4>" + ivanUtf8 + " <eor>"},
        {"UTF-8, characters, before a tag", "<call:5>K1ABC<name:4>" + ivanUtf8 + "<eor>"},
        {"cp1251", "<call:5>K1ABC <name:4>\xC8\xE2\xE0\xED <eor>"},
    };
    for (const Case &c : cases) {
        const AdifImportResult r = importBytes(c.bytes);
        ASSERT_TRUE(r.error.isEmpty()) << c.what << ": " << r.error.toStdString();
        ASSERT_EQ(rows.size(), 1) << c.what;
        EXPECT_EQ(rows.cellBytes(0, 2), QByteArrayView("\xC8\xE2\xE0\xED")) << c.what;
        EXPECT_EQ(cell(1, 2), QStringLiteral("Иван")) << c.what;
    }
    // Bytes counted in a UTF-8 file win when they end cleanly; a character
    // cp1251 lacks becomes '?'.
    ASSERT_TRUE(importBytes("<call:5>K1ABC <name:4>\xD0\x98\xD0\xB2 <qth:8>\xE4\xB8\xAD-city <eor>").error.isEmpty());
    EXPECT_EQ(cell(1, 2), QStringLiteral("Ив"));
    EXPECT_EQ(rows.cellBytes(0, 3), QByteArrayView("?-city"));
    EXPECT_EQ(DetectAdifEncoding("<name:4>\xC8\xE2\xE0\xED"), AdifEncoding::Cp1251);
    EXPECT_EQ(DetectAdifEncoding("<name:8>" + ivanUtf8), AdifEncoding::Utf8);
    EXPECT_EQ(DetectAdifEncoding("plain ascii"), AdifEncoding::Cp1251);
}

TEST_F(AdifTest, CountryLookupOfARow) {
    struct Case {
        const char *call, *country, *region;
    };
    const Case cases[] = {
        {"UA3ABC", "European Russia", "170"}, // the last of two "UA" records
        {"RA3AB", "European Russia", "170"},
        {"UE3AB", "European Russia", "170"},
        {"R3ABC", "European Russia", "55"},
        {"R3A", "European Russia", ""},       // too short for a region
        {"UA9ABC", "Asiatic Russia", ""},     // key "9A" is not in the table
        {"RI1ANZ", "Franz Josef Land", ""},   // not a Russian country
        {"W1AW", "", ""},
    };
    for (const Case &c : cases) {
        const RowCountry r = LookupCountryForRow(tables, QByteArray(c.call));
        EXPECT_EQ(r.country, QByteArray(c.country)) << c.call;
        EXPECT_EQ(r.region, QByteArray(c.region)) << c.call;
        EXPECT_EQ(r.found, *c.country != '\0') << c.call;
    }
    const RowCountry ua = LookupCountryForRow(tables, "UA3ABC");
    EXPECT_EQ(ua.waz, "16");
    EXPECT_EQ(ua.itu, "29");
}

TEST_F(AdifTest, BadInputNamesTheRecordAndKeepsTheRowsBefore) {
    const QByteArray good = "<call:5>K1ABC<qso_date:8>20200101<time_on:4>1200<eor>\r\n";
    struct Case {
        const char *what;
        QByteArray bytes;
        int rowsKept;
        const char *text; // the message begins with it
        const char *detail;
    };
    const Case cases[] = {
        {"no <EOR> at the end", good + "<call:5>K2ABC", 1, "ADIF: запись 2", "не закончена"},
        {"a length past the end", good + good + "<call:40>K3ABC<eor>", 2, "ADIF: запись 3", "CALL"},
        {"a tag without '>'", "<call:6 UA3ABC <eor>", 0, "ADIF: запись 1", "без '>'"},
        {"a huge length", good + "<NOTES:99999999999999999999>x<eor>", 1, "ADIF: запись 2", "NOTES"},
        {"binary junk", good + QByteArray("\x00<\x01\xff\xfe<<:>\x80", 11), 1, "ADIF: запись 2", "неверный тег"},
        {"a length that is no number", good + "<call:x>K1ABC<eor>", 1, "ADIF: запись 2", "нет длины"},
        {"a name with no length", good + "<call>K1ABC<eor>", 1, "ADIF: запись 2", "без длины"},
        {"an empty file", "", 0, "ADIF: в файле нет QSO", ""},
        {"a header only", "Header text <adif_ver:5>3.1.0 <eoh>\r\n", 0, "ADIF: в файле нет QSO", ""},
    };
    const QStringList before = QDir(dir_->path()).entryList(QDir::Files);
    for (const Case &c : cases) {
        const AdifImportResult r = importBytes(c.bytes);
        EXPECT_TRUE(r.error.startsWith(QString::fromUtf8(c.text))) << c.what << ": " << r.error.toStdString();
        EXPECT_TRUE(r.error.contains(QString::fromUtf8(c.detail))) << c.what << ": " << r.error.toStdString();
        EXPECT_EQ(rows.size(), c.rowsKept) << c.what;
        for (qsizetype i = 0; i < rows.size(); ++i) EXPECT_EQ(cell(i + 1, 1), "K1ABC") << c.what;
    }
    // An unreadable source reports the system's own text and leaves the
    // rows of the last import alone.
    ASSERT_TRUE(importBytes(good).error.isEmpty());
    const AdifImportResult missing = ImportAdifFile(path("no such file.adi"), tables, rows);
    EXPECT_FALSE(missing.error.isEmpty());
    EXPECT_FALSE(missing.error.startsWith(QStringLiteral("ADIF")));
    EXPECT_EQ(rows.size(), 1);
    // The import wrote nothing but its own input file.
    QStringList after = QDir(dir_->path()).entryList(QDir::Files);
    after.removeAll(QStringLiteral("in.adi"));
    EXPECT_EQ(after, before);
}

TEST_F(AdifTest, TheReaderGivesEveryFieldInFileOrder) {
    const QByteArray file = "Header <adif_ver:5>3.1.0 <programid:4>TEST <EOH>\r\n"
                            "<call:5>K1ABC <app_my_field:3:S>a>b <Qso_Date:8:D>20200101 <eOr>\r\n<eor>"
                            "<call:5>K2ABC<eor> trailing text";
    AdifReader reader(file);
    EXPECT_EQ(reader.header(), QByteArrayView("Header <adif_ver:5>3.1.0 <programid:4>TEST "));
    ASSERT_EQ(reader.headerFields().size(), 2u);
    EXPECT_EQ(reader.headerFields()[1].value, QByteArrayView("TEST"));
    std::vector<AdifField> fields;
    ASSERT_TRUE(reader.next(fields));
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[1].name, QByteArrayView("app_my_field"));
    EXPECT_EQ(fields[1].type, QByteArrayView("S"));
    EXPECT_EQ(fields[1].value, QByteArrayView("a>b"));
    EXPECT_TRUE(fields[2].is("QSO_DATE"));
    ASSERT_TRUE(reader.next(fields)); // the empty record is passed over
    EXPECT_EQ(reader.recordNumber(), 3);
    EXPECT_EQ(fields[0].value, QByteArrayView("K2ABC"));
    EXPECT_FALSE(reader.next(fields));

    // A file that starts with '<' has no header.
    AdifReader bare("<call:5>K1ABC<eor>");
    EXPECT_TRUE(bare.header().isEmpty());
    ASSERT_TRUE(bare.next(fields));
    EXPECT_EQ(fields.size(), 1u);
}

TEST(ImportRowStore, CellsSurviveEditsAndCompaction) {
    ImportRowStore store;
    const QByteArray longCell(300, 'x');
    for (int r = 0; r < 5000; ++r) {
        const QByteArray n = QByteArray::number(r);
        QByteArrayView cells[ImportRowStore::Columns];
        cells[0] = n;
        cells[1] = "CALL";
        cells[13] = r % 7 == 0 ? QByteArrayView(longCell) : QByteArrayView("info");
        store.append(cells, ImportRowStore::Columns);
    }
    for (int pass = 0; pass < 40; ++pass)
        for (int r = 0; r < 5000; r += 3) store.setCell(r, 2, QByteArray::number(pass));
    for (int r = 0; r < 5000; ++r) {
        ASSERT_EQ(store.cellBytes(r, 0), QByteArray::number(r));
        ASSERT_EQ(store.cellBytes(r, 1), QByteArrayView("CALL"));
        ASSERT_EQ(store.cellBytes(r, 2), r % 3 == 0 ? QByteArrayView("39") : QByteArrayView());
        ASSERT_EQ(store.cellBytes(r, 13), r % 7 == 0 ? QByteArrayView(longCell) : QByteArrayView("info"));
    }
    // Compaction kept the buffer near its live size.
    EXPECT_LT(store.bufferBytes(), 2 * 5000 * (21 + 4 + 4 + 2 + 4) + 5000 / 7 * 310 * 2 + (1 << 17));
    store.setCell(5100, 1, "NEW");
    EXPECT_EQ(store.size(), 5101);
    EXPECT_EQ(store.cell(5100, 1), "NEW");
    EXPECT_TRUE(store.cell(5050, 1).isEmpty());
}

} // namespace
} // namespace zelmor::test
