#include "common/recordfile.h"
#include "common/refrecords.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(RecordFile, LengthByteAboveCapacityIsClamped) {
    QByteArray rec(20, 'x');
    rec[0] = char(200); // a [5] field claiming 200 bytes
    rec.replace(1, 5, "ABCDE");
    EXPECT_EQ(ReadTextField(rec.constData(), {0, 5}), QStringLiteral("ABCDE"));
}

TEST(RecordFile, WriteCutsToCapacityAndZeroFills) {
    QByteArray rec(8, 'x');
    WriteTextField(rec.data(), {0, 5}, u"ABCDEFG");
    EXPECT_EQ(rec, QByteArray("\x05" "ABCDExx", 8));
    WriteTextField(rec.data(), {0, 5}, u"Я");
    EXPECT_EQ(rec, QByteArray("\x01\xDF\0\0\0\0xx", 8));
}

TEST(RecordFile, TypedRecordsRoundTripAndPartialTailIsNoRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("vet.dat");
    VeteranRecord a{"1", "UA3ABC", "Иван", "10"}, b{"2", "RA9XYZ", "Пётр", "5"};
    EXPECT_EQ(AppendRecord(path, a), 0);
    EXPECT_EQ(AppendRecord(path, b), 1);
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write("junk"); // a damaged tail
    }
    const auto all = ReadAllRecords<VeteranRecord>(path);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].name, QStringLiteral("Пётр"));
    EXPECT_EQ(all[0].points, QStringLiteral("10"));
    // The next append overwrites the partial record rather than following it.
    EXPECT_EQ(AppendRecord(path, a), 2);
    EXPECT_EQ(QFile(path).size(), 3 * VeteranRecord::Size);
    EXPECT_THROW(ReadRecord<VeteranRecord>(path, 3), IoError);
    EXPECT_THROW(ReadAllRecords<VeteranRecord>(dir.filePath("missing.dat")), IoError);
}

TEST(RecordFile, PostalIndexCarriesItsNumber) {
    PostalIndexRecord r;
    r.call = QStringLiteral("UA3ABC");
    r.addressIndex = 0x01020304;
    const QByteArray b = EncodeRecord(r);
    ASSERT_EQ(b.size(), 20);
    EXPECT_EQ(b.mid(16), QByteArray("\x04\x03\x02\x01", 4));
    const auto back = DecodeRecord<PostalIndexRecord>(b.constData());
    EXPECT_EQ(back.call, r.call);
    EXPECT_EQ(back.addressIndex, r.addressIndex);
}

TEST(RecordFile, LayoutsHaveTheirSizesAndFieldsFit) {
    auto check = [](auto tag) {
        using R = decltype(tag);
        int end = 0;
        for (const auto &f : R::Fields) {
            EXPECT_GE(f.offset, end);
            end = f.offset + 1 + f.capacity;
        }
        EXPECT_LE(end, R::Size);
    };
    check(CountryRecord{});
    check(RegionRecord{});
    check(BrazilRegionRecord{});
    check(CallNameRecord{});
    check(NameListRecord{});
    check(QslManagerRecord{});
    check(VeteranRecord{});
    check(ClubMemberRecord{});
    check(IslandRecord{});
    check(PostalAddressRecord{});
    EXPECT_EQ(CountryRecord::Fields.back().offset + 1 + CountryRecord::Fields.back().capacity, 180);
    EXPECT_EQ(RegionRecord::Fields.back().offset + 1 + RegionRecord::Fields.back().capacity, 79);
}
