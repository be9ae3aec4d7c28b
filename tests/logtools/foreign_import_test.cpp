// The readers of other loggers' files: each crafted file beside the tests
// against its hand-written rows, the code page chosen per file, and every
// kind of bad input with the message that names it.
#include "tests/logtools/foreignfixture.h"

#include <QDirIterator>
#include <functional>

namespace zelmor::test {
namespace {

using Reader = ForeignImportResult (*)(QByteArrayView, const RowCountryTables &, ImportRowStore &,
                                       const ImportProgress &);

class ForeignImportTest : public AdifTest {
protected:
    ForeignImportResult read(Reader reader, const QByteArray &bytes) {
        rows.clear();
        return reader(bytes, tables, rows, {});
    }
    QByteArray dbf(const std::vector<std::vector<std::string>> &records, const std::set<int> &deleted = {}) {
        const QString p = path("t.dbf");
        QFile::remove(p);
        EXPECT_TRUE(WriteDbf(p, LogplusFields(), records, deleted));
        return ReadBytes(p);
    }
};

TEST_F(ForeignImportTest, EveryCraftedFileGivesItsHandWrittenRows) {
    const struct {
        const char *folder;
        Reader reader;
    } formats[] = {
        {"mixw2", ReadMixw2Log},   {"aalog", ReadAalogLog},     {"swislog", ReadSwislogDat},
        {"qz5ww", ReadQz5wwLog},   {"qz4w", ReadQz4wLogDat},    {"logeqf", ReadLogEqfLog},
        {"commas", ReadLogEqfCommas},
    };
    for (const auto &f : formats) {
        const QDir dir(ForeignDir(QString::fromLatin1(f.folder)));
        int cases = 0;
        for (const QString &name : dir.entryList(QDir::Files)) {
            if (name.endsWith(".rows")) continue;
            const QString rowsFile = dir.filePath(name.left(name.lastIndexOf(u'.')) + ".rows");
            if (!QFile::exists(rowsFile)) continue;
            ++cases;
            const ForeignImportResult r = read(f.reader, ReadBytes(dir.filePath(name)));
            EXPECT_TRUE(r.error.isEmpty()) << f.folder << "/" << name.toStdString() << ": " << r.error.toStdString();
            const QString diff = CompareRows(rows, ReadRowsFile(rowsFile));
            EXPECT_TRUE(diff.isEmpty()) << f.folder << "/" << name.toStdString() << ": " << diff.toStdString();
        }
        EXPECT_GT(cases, 0) << f.folder;
    }
}

TEST_F(ForeignImportTest, LogplusTableLeavesDeletedRecordsOutAndRepeatsOnlyMissingValues) {
    if (!HaveShapelib) GTEST_SKIP() << "shapelib (libshp-dev) is not installed: no dBASE fixtures";
    ASSERT_TRUE(WriteLogplusExample(path("lp.dbf")));
    const QByteArray bytes = ReadBytes(path("lp.dbf"));
    ASSERT_EQ(bytes.size() > 609 ? quint8(bytes[8]) | quint8(bytes[9]) << 8 : 0, 609);
    ASSERT_EQ(quint8(bytes[10]) | quint8(bytes[11]) << 8, 132);
    const ForeignImportResult r = read(ReadLogplusDbf, bytes);
    EXPECT_TRUE(r.error.isEmpty()) << r.error.toStdString();
    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(r.rows, 3);
    const QString diff = CompareRows(rows, ReadRowsFile(ForeignDir("logplus") + "/basic.rows"));
    EXPECT_TRUE(diff.isEmpty()) << diff.toStdString();
}

TEST_F(ForeignImportTest, LogplusKeepsInnerBlanksOfTextAndBuildsInfoFromRemarkAndVia) {
    if (!HaveShapelib) GTEST_SKIP() << "shapelib (libshp-dev) is not installed: no dBASE fixtures";
    const struct {
        const char *remark, *via, *info;
    } cases[] = {
        {"three word remark", "LOGBOOK", "three word remark"},
        {"tnx", "UA1 ABC", "tnx via UA1ABC."},
        {"tnx", "", "tnx"},
        {"", "W1MGR", "via W1MGR."},
    };
    std::vector<std::vector<std::string>> records;
    for (const auto &c : cases)
        records.push_back(LogplusRecord({{Lp::Date, "20030415"}, {Lp::Call, "UA 3ABC"}, {Lp::Name, "JOHN PAUL"},
                                         {Lp::Qth, "New York"}, {Lp::Remark, c.remark}, {Lp::Via, c.via},
                                         {Lp::Time, "12:00"}}));
    read(ReadLogplusDbf, dbf(records));
    ASSERT_EQ(rows.size(), 4);
    for (qsizetype i = 0; i < 4; ++i) {
        EXPECT_EQ(rows.cell(i, ImportColumn::Info), QString::fromUtf8(cases[i].info)) << i;
        EXPECT_EQ(rows.cell(i, ImportColumn::Call), "UA3ABC"); // blanks dropped in other fields
        EXPECT_EQ(rows.cell(i, ImportColumn::Name), "John paul");
        EXPECT_EQ(rows.cell(i, ImportColumn::Qth), "New York");
    }
}

// "Иван" and "Москва" in either code page come out the same; the outcome
// names the code page the file was read in.
TEST_F(ForeignImportTest, DosFilesAreReadAsCp866OnlyWhenItsLettersClearlyWin) {
    const auto enc = [](const char *utf8, bool dos) {
        const QString s = QString::fromUtf8(utf8);
        if (!dos) return ToCp1251(s);
        QByteArray out;
        for (QChar ch : s) {
            for (int b = 0; b < 256; ++b)
                if (Cp866ToUnicode(uchar(b)) == ch.unicode()) {
                    out.append(char(b));
                    break;
                }
        }
        return out;
    };
    for (bool dos : {false, true}) {
        SCOPED_TRACE(dos ? "cp866" : "cp1251");
        const QByteArray name = enc("Иван", dos), qth = enc("Москва", dos);
        const QString page = dos ? "cp866" : "cp1251";
        const auto place = [](QByteArray line, int col, const QByteArray &v) {
            if (line.size() < col - 1 + v.size()) line.resize(col - 1 + v.size(), ' ');
            line.replace(col - 1, v.size(), v);
            return line;
        };

        QByteArray aalog = "h1\r\nh2\r\n" + place(place(place("15.04.03 12:34 UA3ABC", 69, name), 80, qth), 101, "--");
        ForeignImportResult r = read(ReadAalogLog, aalog);
        EXPECT_EQ(r.codePage, page);
        EXPECT_EQ(rows.cell(0, ImportColumn::Name), "Иван");
        EXPECT_EQ(rows.cell(0, ImportColumn::Qth), "Москва");

        QByteArray eqf = "head\r\n" + place(place(place("20030415123400000000UA3ABC", 33, name), 58, qth), 221, name);
        r = read(ReadLogEqfLog, eqf);
        EXPECT_EQ(r.codePage, page);
        EXPECT_EQ(rows.cell(0, ImportColumn::Name), "Иван");
        EXPECT_EQ(rows.cell(0, ImportColumn::Qth), "Москва");
        EXPECT_EQ(rows.cell(0, ImportColumn::Info), "Иван");

        // QZ4W reads no text columns; the choice is still made and named.
        r = read(ReadQz4wLogDat, place(" 20CW  15-Apr-03 12:34      1UA3ABC        599  599", 60, name + ' ' + qth));
        EXPECT_EQ(r.codePage, page);
        EXPECT_EQ(r.rows, 1);

        if (HaveShapelib) {
            r = read(ReadLogplusDbf, dbf({LogplusRecord({{Lp::Date, "20030415"}, {Lp::Call, "UA3ABC"},
                                                          {Lp::Name, name.toStdString()}, {Lp::Qth, qth.toStdString()}})}));
            EXPECT_EQ(r.codePage, page);
            EXPECT_EQ(rows.cell(0, ImportColumn::Name), "Иван");
            EXPECT_EQ(rows.cell(0, ImportColumn::Qth), "Москва");
        }
    }
    // A few DOS letters among many cp1251 ones stay cp1251.
    EXPECT_FALSE(LooksLikeCp866(QByteArray("\x80\x81\x82\x83\x84\x85\x86\x87\xC0\xC1\xC2", 11)));
    EXPECT_FALSE(LooksLikeCp866(QByteArray("\x80\x81\x82\x83\x84\x85\x86", 7)));
    EXPECT_TRUE(LooksLikeCp866(QByteArray("\x80\x81\x82\x83\x84\x85\x86\x87\xE0\xE1", 10)));
}

TEST_F(ForeignImportTest, BadInputIsNamedByItsLineOrRecordAndKeepsTheRowsBefore) {
    const QByteArray swisHeader(128, '\0');
    const auto swisBlock = [](const QByteArray &call) {
        QByteArray b(128, '\0');
        b[0] = char(call.size());
        b.replace(1, qMin<qsizetype>(call.size(), 127), call.left(127));
        b.truncate(128);
        b[14] = char(0x8F), b[15] = char(0x06);
        return b;
    };
    const auto qz5 = [](const char *dateTimeCall) {
        QByteArray r(78, ' ');
        r.replace(0, qsizetype(strlen(dateTimeCall)), dateTimeCall);
        r.truncate(78);
        return r;
    };
    const QByteArray mixw2 = "1;UA3ABC;200304151234;;;;14070.0;;;CW;599;599;;;;;;;;;;\r\n";
    const QByteArray qz4w = " 20CW  15-Apr-03 12:34      1UA3ABC        599  599\r\n";

    struct Case {
        const char *what;
        Reader reader;
        std::function<QByteArray()> bytes;
        const char *error;
        qint64 rowsKept;
        bool needsShapelib = false;
    };
    const std::vector<Case> cases = {
        {"SWISLOG size not whole blocks", ReadSwislogDat,
         [&] { return swisHeader + swisBlock("UA3ABC") + swisBlock("K1ABC") + QByteArray(40, 'x'); },
         "SWISLOG: запись 3: файл обрезан (40 байт из 128)", 2},
        {"SWISLOG shorter than its header", ReadSwislogDat, [] { return QByteArray(100, '\0'); },
         "SWISLOG: не файл SWISLOG", 0},
        {"SWISLOG call length above 13", ReadSwislogDat,
         [&] { return swisHeader + swisBlock("UA3ABC") + swisBlock("UA3ABCDEFGHIJK"); }, "SWISLOG: запись 2: не QSO", 1},
        {"SWISLOG control byte in the call", ReadSwislogDat,
         [&] { return swisHeader + swisBlock("UA3ABC") + swisBlock("UA\x01" "3"); }, "SWISLOG: запись 2: не QSO", 1},
        {"QZ5WW size not whole records", ReadQz5wwLog,
         [&] { return qz5("0304151234UA3ABC") + qz5("0304151235K1ABC") + QByteArray(10, ' '); },
         "QZ5WW: запись 3: файл обрезан (10 байт из 78)", 2},
        {"QZ5WW control byte in the date", ReadQz5wwLog,
         [&] { return qz5("0304151234UA3ABC") + qz5("03\t4151235K1ABC"); }, "QZ5WW: запись 2: не QSO", 1},
        {"a text line with a control byte", ReadMixw2Log,
         [&] { return mixw2 + "2;K1ABC;20030415\x01" "1234;;;;14070.0;;;CW;599;599;;;;;;;;;;\r\n"; },
         "MixW2: строка 2: не текст", 1},
        {"MixW2 last line cut short", ReadMixw2Log, [&] { return mixw2 + "2;K1ABC;200304151234;;;;14070"; },
         "MixW2: строка 2: строка обрезана", 1},
        {"QZ4W year not a number", ReadQz4wLogDat,
         [&] { return qz4w + " 20CW  15-Apr-x3 12:34      2K1ABC         599  599\r\n"; }, "QZ4W: строка 2: год не число",
         1},
        {"empty file", ReadAalogLog, [] { return QByteArray(); }, "AALOG: в файле нет QSO", 0},
        {"no QSO", ReadLogEqfCommas, [] { return QByteArray(",,,\r\n\r\n"); }, "LOG-EQF: в файле нет QSO", 0},
        {"0x1A before any QSO", ReadQz4wLogDat, [&] { return "\x1A" + qz4w; }, "QZ4W: в файле нет QSO", 0},
        {"dBASE count against size", ReadLogplusDbf,
         [&] {
             QByteArray b = dbf({LogplusRecord({{Lp::Call, "UA3ABC"}}), LogplusRecord({{Lp::Call, "K1ABC"}}),
                                 LogplusRecord({{Lp::Call, "RA3AAA"}})});
             b[4] = 10;
             return b;
         },
         "LOGPLUS: запись 4: в заголовке 10 записей, в файле 3", 3, true},
        {"dBASE flag neither blank nor '*'", ReadLogplusDbf,
         [&] {
             QByteArray b = dbf({LogplusRecord({{Lp::Call, "UA3ABC"}}), LogplusRecord({{Lp::Call, "K1ABC"}})});
             b[609 + 132] = 'Z';
             return b;
         },
         "LOGPLUS: запись 2: не запись dBASE", 1, true},
        {"dBASE record length 0", ReadLogplusDbf,
         [&] {
             QByteArray b = dbf({LogplusRecord({{Lp::Call, "UA3ABC"}})});
             b[10] = 0, b[11] = 0;
             return b;
         },
         "LOGPLUS: не файл dBASE (неверная длина записи)", 0, true},
    };
    for (const Case &c : cases) {
        if (c.needsShapelib && !HaveShapelib) continue;
        const ForeignImportResult r = read(c.reader, c.bytes());
        EXPECT_EQ(r.error, QString::fromUtf8(c.error)) << c.what;
        EXPECT_EQ(r.rows, c.rowsKept) << c.what;
        EXPECT_EQ(rows.size(), c.rowsKept) << c.what;
    }
}

TEST_F(ForeignImportTest, DatesThatAreNoCalendarDatesLeaveTheCellEmptyAndAreCounted) {
    // Golden files hold such rows; here the count and the first row.
    const ForeignImportResult r = read(ReadMixw2Log, ReadBytes(ForeignDir("mixw2") + "/basic.log"));
    EXPECT_EQ(r.badDates, 1);
    EXPECT_EQ(r.firstBadDateRow, 3);
    const ForeignImportResult q = read(ReadQz4wLogDat, ReadBytes(ForeignDir("qz4w") + "/log.dat"));
    EXPECT_EQ(q.badDates, 1);
    EXPECT_EQ(q.firstBadDateRow, 3);
}

TEST_F(ForeignImportTest, SharedTextRules) {
    // Lines end at LF or CR LF; 0x1A ends the text.
    LineSplitter s(QByteArrayView("a\r\nb\nc\x1A" "d\n"));
    QByteArrayView l;
    QStringList got;
    while (s.next(l)) got << QString::fromLatin1(l.data(), l.size());
    EXPECT_EQ(got, (QStringList{"a", "b", "c"}));
    // The VHF rule.
    const struct {
        const char *text, *band;
    } vhf[] = {{"144300.0", "144Mhz"}, {"145.500", "144Mhz"}, {"146", "144Mhz"}, {"147", ""},
               {"430.100", "430Mhz"}, {"440", "430Mhz"},     {"441", ""},       {"14", ""}};
    for (const auto &v : vhf) EXPECT_EQ(VhfBand(v.text), QByteArray(v.band)) << v.text;
    // A TAB inside a field becomes a blank, whatever the column.
    read(ReadMixw2Log, "1;UA3ABC;200304151234;;;;14\t070.0;;;SS\tB;59;59;;;\tIv\tan;;;;;;;\r\n");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows.cell(0, ImportColumn::Mode), "SS B");
    EXPECT_EQ(rows.cell(0, ImportColumn::Name), "Iv an");
    EXPECT_EQ(rows.cell(0, ImportColumn::Frequency), "14 07");
    // Columns past the end are empty.
    EXPECT_EQ(Columns("abc", 2, 10), QByteArrayView("bc"));
    EXPECT_TRUE(Columns("abc", 4, 10).isEmpty());
}

} // namespace
} // namespace zelmor::test
