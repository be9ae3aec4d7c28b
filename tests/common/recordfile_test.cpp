#include "common/recordfile.h"
#include "common/qsllayoutelement.h"
#include "common/refrecords.h"

#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <numeric>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
            end = f.offset + f.bytes();
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
    check(AddressBookRecord{});
    check(PostalIndexRecord{});
    check(QslLayoutElement{});
    EXPECT_EQ(QslLayoutElement::Fields.back().offset + QslLayoutElement::Fields.back().bytes(), QslLayoutElement::Size);
    EXPECT_EQ(CountryRecord::Fields.back().offset + 1 + CountryRecord::Fields.back().capacity, 180);
    EXPECT_EQ(RegionRecord::Fields.back().offset + 1 + RegionRecord::Fields.back().capacity, 79);
    EXPECT_EQ(AddressBookRecord::Fields.back().offset + 1 + AddressBookRecord::Fields.back().capacity, 297);
}

namespace {
QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void PutBytes(const QString &path, const QByteArray &b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(b);
}
QString SystemText(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

// Runs `op` in a child whose files cannot grow past `limit` bytes; returns
// the text of the IoError it raised, or "" when it raised none.
QString ErrorTextInChild(const QString &dir, const std::function<void()> &op, long long limit) {
    const QString message = dir + QStringLiteral(".message"); // beside the folder, which must stay as it was
    QFile::remove(message);
    const int rc = test::RunInChild(
        [&] {
            try {
                op();
            } catch (const IoError &e) {
                QFile m(message);
                m.open(QIODevice::WriteOnly);
                m.write(e.text().toUtf8());
                return 0;
            }
            return 1;
        },
        limit);
    const QString text = QString::fromUtf8(FileBytes(message));
    QFile::remove(message);
    return rc == 0 ? text : QString();
}
} // namespace

// A full disk (or a file-size limit) during a whole-file rewrite: the old
// file stays whole and the failure is reported. The buffer is under 16 KB,
// which QSaveFile alone would have committed short.
TEST(RecordFile, AFailedRewriteKeepsTheOldFileAndSaysWhy) {
    QTemporaryDir dir;
    const QString path = dir.filePath("registry.reg");
    const QByteArray old(5048, 'o');
    PutBytes(path, old);
    const QString text = ErrorTextInChild(dir.path(), [&] { WriteAllBytes(path, QByteArray(5048, 'n')); }, 4096);
    EXPECT_FALSE(text.isEmpty()) << "the failed write was reported as success";
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Ошибка записи в файл"))) << text.toStdString();
    EXPECT_TRUE(text.endsWith(SystemText(EFBIG))) << text.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"registry.reg"}); // no temporary left
}

// A failed append leaves the file ending at its last whole record, and its
// message carries the system's reason.
TEST(RecordFile, AFailedAppendSaysWhyAndLeavesNoPartialRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("vet.dat");
    const int size = VeteranRecord::Size;
    QByteArray old;
    for (int i = 0; i < 8; ++i) old += QByteArray(size, char('a' + i));
    PutBytes(path, old);
    const QString text = ErrorTextInChild(
        dir.path(), [&] { RecordIO::Append(path, size, QByteArray(size, 'z')); }, old.size() + size / 2);
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_TRUE(text.endsWith(SystemText(EFBIG))) << text.toStdString();

    // No space left on the device, and a log that is a folder.
    struct Case {
        QString path;
        QString start;
        int err;
    };
    QDir(dir.path()).mkdir("folder.log");
    for (const Case &c : {Case{"/dev/full", "Ошибка записи в файл", ENOSPC},
                          Case{dir.filePath("folder.log"), "Не удаётся открыть файл", EISDIR}}) {
        try {
            RecordIO::Append(c.path, size, QByteArray(size, 'z'));
            ADD_FAILURE() << "no error for " << c.path.toStdString();
        } catch (const IoError &e) {
            EXPECT_EQ(e.text(), QStringLiteral("%1 %2: %3").arg(c.start, c.path, SystemText(c.err)));
        }
    }
}

// Two programs appending to one file at once: every record lands whole in a
// slot of its own.
TEST(RecordFile, ConcurrentAppendsKeepEveryRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("test.log");
    const int size = 457, each = 1000;
    auto writer = [&](char fill) {
        return [&path, fill, size, each] {
            for (int i = 0; i < each; ++i) RecordIO::Append(path, size, QByteArray(size, fill));
            return 0;
        };
    };
    const int a = test::StartChild(writer('A')), b = test::StartChild(writer('B'));
    EXPECT_EQ(test::WaitChild(a), 0);
    EXPECT_EQ(test::WaitChild(b), 0);
    const QByteArray all = FileBytes(path);
    ASSERT_EQ(all.size(), 2 * each * size);
    int counts[2] = {0, 0};
    for (int i = 0; i < 2 * each; ++i) {
        const QByteArray rec = all.mid(qsizetype(i) * size, size);
        ASSERT_TRUE(rec == QByteArray(size, 'A') || rec == QByteArray(size, 'B')) << "record " << i << " is mixed";
        ++counts[rec[0] == 'A' ? 0 : 1];
    }
    EXPECT_EQ(counts[0], each);
    EXPECT_EQ(counts[1], each);
}

// A block append is all or nothing: dropped uncommitted, or failing half
// way, the file is what it was, a partial record at its end included.
TEST(RecordFile, ABlockAppendThatDoesNotFinishLeavesTheFileAsItWas) {
    QTemporaryDir dir;
    const QString path = dir.filePath("test.log");
    const int size = 457;
    const QByteArray old = QByteArray(3 * size, 'o') + QByteArray(100, 't'); // a torn last record
    PutBytes(path, old);
    {
        RecordIO::BlockAppender out(path, size);
        EXPECT_EQ(out.firstIndex(), 3);
        out.append(QByteArray(2 * size, 'n').constData(), 2);
    } // dropped
    EXPECT_EQ(FileBytes(path), old);

    const QString text = ErrorTextInChild(
        dir.path(),
        [&] {
            RecordIO::BlockAppender out(path, size);
            out.append(QByteArray(10 * size, 'n').constData(), 10);
            out.commit();
        },
        old.size() + 4 * size);
    EXPECT_TRUE(text.endsWith(SystemText(EFBIG))) << text.toStdString();
    EXPECT_EQ(FileBytes(path), old);

    {
        RecordIO::BlockAppender out(path, size);
        out.append(QByteArray(2 * size, 'n').constData(), 2);
        out.commit();
    }
    EXPECT_EQ(FileBytes(path), old.left(3 * size) + QByteArray(2 * size, 'n'));
    EXPECT_THROW(RecordIO::BlockAppender(dir.filePath("gone.log"), size), IoError);
}

// A replacement takes the target's name only when it is asked to, and
// leaves no temporary file either way.
TEST(RecordFile, AReplacementIsWholeOrNotThere) {
    QTemporaryDir dir;
    const QString path = dir.filePath("test.log");
    PutBytes(path, "old");
    {
        RecordIO::ReplacementFile out(path);
        out.append("new", 3);
        EXPECT_TRUE(QFileInfo::exists(out.temporaryPath()));
    } // dropped
    EXPECT_EQ(FileBytes(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.log"});
    {
        RecordIO::ReplacementFile out(path);
        out.append("new", 3);
        out.replaceTarget();
    }
    EXPECT_EQ(FileBytes(path), "new");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"test.log"});
}

namespace {
ino_t Inode(const QString &path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_ino : 0;
}
} // namespace

// A second name for a file, by link or by copy, never over an existing one.
TEST(RecordFile, KeepingUnderANewNameNeverReplacesAFile) {
    QTemporaryDir dir;
    const QString log = dir.filePath("test.log");
    PutBytes(log, QByteArray(5000, 'l'));
    PutBytes(dir.filePath("taken.bak"), "taken");
    for (RecordIO::KeepBy by : {RecordIO::KeepBy::LinkOrCopy, RecordIO::KeepBy::Copy}) {
        const QString name = dir.filePath(by == RecordIO::KeepBy::Copy ? "copy.bak" : "link.bak");
        EXPECT_TRUE(RecordIO::KeepUnderNewName(log, name, by));
        EXPECT_EQ(FileBytes(name), FileBytes(log));
        // A hard link where the file system has them; the copy is a file of its own.
        EXPECT_EQ(Inode(name) == Inode(log), by == RecordIO::KeepBy::LinkOrCopy);
        EXPECT_FALSE(RecordIO::KeepUnderNewName(log, dir.filePath("taken.bak"), by));
        EXPECT_EQ(FileBytes(dir.filePath("taken.bak")), "taken");
    }
    QStringList files = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(files, (QStringList{"copy.bak", "link.bak", "taken.bak", "test.log"}));
}

// Records a little apart are read in one span, so a read may cover records
// nobody asked for, cross the span's size limit or run past the end of the
// file: each index must still get exactly its own record, in the given order,
// and the first index past the end must fail after the ones before it.
TEST(RecordFile, ReadEachGivesEveryIndexItsOwnRecord) {
    QTemporaryDir dir;
    const QString path = dir.filePath("many.dat");
    constexpr int Size = 100; // some 80 records bridged, 2,600 to a span
    constexpr int Count = 6000;
    QByteArray bytes;
    for (int i = 0; i < Count; ++i) bytes += QByteArray::number(i).leftJustified(Size, '.');
    PutBytes(path, bytes + QByteArray(Size / 2, '#')); // and half a record
    auto visited = [&](const std::vector<qint64> &indexes) {
        std::vector<qint64> out;
        RecordIO::ReadEach(path, Size, indexes, [&](size_t k, const char *rec) {
            EXPECT_EQ(k, out.size());
            out.push_back(QByteArray(rec, Size).split('.').first().toLongLong());
        });
        return out;
    };
    std::vector<qint64> all(Count), tenth, sparse{0, 80, 81, 162, 163 + 81, 5000, Count - 1};
    std::iota(all.begin(), all.end(), 0);
    for (qint64 i = 3; i < Count; i += 10) tenth.push_back(i);
    const std::vector<std::vector<qint64>> cases = {all, tenth, sparse, {5, 3, 3, 4000, 2, 2, 2600, 2601}, {7, 7, 7}, {Count - 1}};
    for (const auto &indexes : cases) EXPECT_EQ(visited(indexes), indexes);
    EXPECT_EQ(RecordIO::ReadMany(path, Size, {Count - 2, Count - 1}).back(), bytes.right(Size));

    for (const std::vector<qint64> &indexes : {std::vector<qint64>{Count - 3, Count - 1, Count, Count + 1},
                                               std::vector<qint64>{Count - 3, Count - 1, -1}}) {
        std::vector<qint64> seen;
        EXPECT_THROW(RecordIO::ReadEach(path, Size, indexes,
                                        [&](size_t, const char *rec) {
                                            seen.push_back(QByteArray(rec, Size).split('.').first().toLongLong());
                                        }),
                     IoError);
        EXPECT_EQ(seen, (std::vector<qint64>{Count - 3, Count - 1}));
    }
}
