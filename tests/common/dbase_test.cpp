// The dBASE III reader: tables written by shapelib read back field by field
// with their declared widths and deletion flags; damaged headers are refused
// without reading past the bytes.
#include "common/dbase.h"
#include "tests/shapelibdbf.h"
#include "tests/testsupport.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>

namespace zelmor::test {
namespace {

QByteArray ReadAll(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class DbaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveShapelib) GTEST_SKIP() << "shapelib (libshp-dev) is not installed: no dBASE fixtures";
        ASSERT_TRUE(dir.isValid());
    }
    // CALL 10, NAME 20, Q 1; three records, the second deleted.
    QByteArray table() {
        const QString path = dir.filePath("t.dbf");
        EXPECT_TRUE(WriteDbf(path, {{"CALL", 10}, {"NAME", 20}, {"Q", 1}},
                             {{"UA3ABC", "Ivan Petrov", "C"}, {"RA1AA", "", ""}, {"K1ABC", "Joe", "X"}}, {1}));
        return ReadAll(path);
    }
    QTemporaryDir dir;
};

TEST_F(DbaseTest, ReadsHeaderFieldsAndRecordsWithTheirDeclaredWidths) {
    const QByteArray bytes = table();
    const DbaseReader db(bytes);
    ASSERT_TRUE(db.ok()) << db.error().toStdString();
    EXPECT_EQ(db.declaredCount(), 3);
    EXPECT_EQ(db.count(), 3);
    EXPECT_EQ(db.headerLength(), 32 + 3 * 32 + 1);
    EXPECT_EQ(db.recordLength(), 1 + 10 + 20 + 1);
    ASSERT_EQ(db.fields().size(), 3u);
    EXPECT_EQ(db.fields()[1].name, "NAME");
    EXPECT_EQ(db.fields()[1].type, 'C');
    EXPECT_EQ(db.fields()[1].offset, 10);
    EXPECT_EQ(db.fields()[2].offset, 30);
    EXPECT_EQ(db.fieldIndex("name"), 1);
    EXPECT_EQ(db.fieldIndex("NONE"), -1);

    EXPECT_EQ(db.field(0, 0), QByteArrayView("UA3ABC    "));
    EXPECT_EQ(db.field(0, 1), QByteArrayView("Ivan Petrov         "));
    EXPECT_EQ(db.field(2, 2), QByteArrayView("X"));
    EXPECT_EQ(db.data(2).size(), 31);
    EXPECT_FALSE(db.deleted(0));
    EXPECT_TRUE(db.deleted(1));
    EXPECT_EQ(db.flag(2), ' ');
}

TEST_F(DbaseTest, AHeaderCountAboveTheRecordsPresentReadsOnlyWholeRecords) {
    QByteArray bytes = table();
    bytes[4] = 10;
    bytes.chop(1 + 16); // the end mark and half of the last record
    const DbaseReader db(bytes);
    ASSERT_TRUE(db.ok());
    EXPECT_EQ(db.declaredCount(), 10);
    EXPECT_EQ(db.count(), 2);
}

TEST_F(DbaseTest, DamagedHeadersAreRefused) {
    const QByteArray good = table();
    struct Case {
        const char *what;
        std::function<void(QByteArray &)> damage;
    };
    const auto word = [](QByteArray &b, int at, int v) {
        b[at] = char(v & 0xFF);
        b[at + 1] = char(v >> 8);
    };
    const Case cases[] = {
        {"shorter than a header", [](QByteArray &b) { b.truncate(20); }},
        {"header length below 33", [&](QByteArray &b) { word(b, 8, 32); }},
        {"header length past the end", [&](QByteArray &b) { word(b, 8, int(b.size()) + 1); }},
        {"record length 0", [&](QByteArray &b) { word(b, 10, 0); }},
        {"record length 1", [&](QByteArray &b) { word(b, 10, 1); }},
        {"no terminator within the header", [](QByteArray &b) { b[32 + 3 * 32] = 'X'; }},
        {"fields wider than the record", [&](QByteArray &b) { word(b, 10, 20); }},
    };
    for (const Case &c : cases) {
        QByteArray bytes = good;
        c.damage(bytes);
        const DbaseReader db(bytes);
        EXPECT_FALSE(db.ok()) << c.what;
        EXPECT_FALSE(db.error().isEmpty()) << c.what;
        EXPECT_EQ(db.count(), 0) << c.what;
    }
}

} // namespace
} // namespace zelmor::test
