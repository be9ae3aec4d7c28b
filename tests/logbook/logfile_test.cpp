#include "common/codepage.h"
#include "logbook/logfile.h"
#include "logbook/qsostate.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

using namespace zelmor;

namespace {
class LogFileTest : public test::ProgramFolderTest {
protected:
    QByteArray bytes() const {
        QFile f(path("test.log"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static QsoEntry Entry(const QString &call) {
        QsoEntry e;
        e.call = call;
        e.band = "14  Mhz";
        e.mode = "SSB";
        e.rstSent = "59";
        e.rstReceived = "57";
        e.country = "European Russia";
        return e;
    }
};

QsoRecord Rec(const QString &call, const QString &qsl, bool deleted = false) {
    QsoRecord r;
    r.call = call;
    r.band = "7.0 Mhz";
    r.mode = "CW";
    r.country = "Japan";
    r.qslState = qsl;
    r.deleteMark = deleted ? DeleteMarkText : QString();
    return r;
}
} // namespace

TEST_F(LogFileTest, AppendToAnEmptyLogWritesRecordOne) {
    WriteQsoRecord(Entry("UA3ABC"));
    const QByteArray b = bytes();
    ASSERT_EQ(b.size(), 457);
    EXPECT_EQ(b[0], char(1));
    EXPECT_EQ(b[1], '1');
    EXPECT_EQ(LogRecordIndex, 0);
    EXPECT_EQ(LogCalls, QStringList{"UA3ABC"});
}

TEST_F(LogFileTest, AppendToNRecordsWritesNPlusOneAndLeavesEarlierBytes) {
    for (int i = 0; i < 3; ++i) WriteQsoRecord(Entry("K1AB" + QString::number(i)));
    const QByteArray before = bytes();
    WriteQsoRecord(Entry("UA3 ABC"));
    const QByteArray after = bytes();
    ASSERT_EQ(after.size(), 4 * 457);
    EXPECT_EQ(after.left(3 * 457), before);
    const auto r = DecodeRecord<QsoRecord>(after.constData() + 3 * 457);
    EXPECT_EQ(r.number, "4");
    EXPECT_EQ(r.call, "UA3ABC");
    EXPECT_EQ(LogRecordIndex, 3);
}

TEST_F(LogFileTest, StoredFieldsPlaceholdersAndCuts) {
    DefaultRstPair.received = "599";
    QsoEntry e = Entry("UA3ABC");
    e.rstReceived = RstReceivedPlaceholder;
    e.rstSent = RstSentPlaceholder;
    e.points = PointsPlaceholder;
    e.info = QString(200, u'ж');
    e.country = "A country name that is longer than thirty characters";
    WriteQsoRecord(e);
    const QByteArray b = bytes();
    const auto r = DecodeRecord<QsoRecord>(b.constData());
    EXPECT_EQ(r.rstReceived, "599");
    EXPECT_EQ(r.rstSent, "59");
    EXPECT_EQ(r.points, "");
    EXPECT_EQ(r.info, QString(160, u'ж'));
    // An empty QSL state is stored as "Не отправлять", 13 cp1251 bytes.
    EXPECT_EQ(uchar(b[349]), 13);
    EXPECT_EQ(b.mid(350, 13), ToCp1251(QslNotToSend));
    EXPECT_EQ(LogQslFlags, QStringList{QString::fromUtf8("\xD0\x9D")}); // "Н"
    EXPECT_EQ(QString(LogQslFlags[0]).toStdU16String()[0], u'\x041D');
    // The columns hold what was stored, cut as the record cuts it.
    EXPECT_EQ(LogCountries[0], e.country.left(30));
    EXPECT_EQ(LogBands[0], "14  Mhz");
    EXPECT_EQ(LogModes[0], "SSB");
}

TEST_F(LogFileTest, QslCodes) {
    const std::pair<QString, QString> cases[] = {
        {"Не отправлять", "Н"}, {"Отправить", "О"},       {"  Отправить ", "О"}, {"Отправлено", "Y"},
        {"Получено", "П"},      {"Отпр. и получ.", "N"}, {"", ""},              {"Что-то", "@"},
        {" Получено", "@"},     {"Не отправлять ", "@"},
    };
    for (const auto &[word, code] : cases) {
        EXPECT_EQ(QslCode(word), code) << word.toStdString();
        EXPECT_EQ(QslCodeOfRaw(ToCp1251(word)), code) << word.toStdString();
    }
}

TEST_F(LogFileTest, OpenLogListsDeletedRecordsWithEmptyCalls) {
    const QString log = path("test.log");
    const QString words[] = {"Получено", "Отправить", "", "Отпр. и получ.", "странно"};
    for (int i = 0; i < 5; ++i) AppendRecord(log, Rec("CALL" + QString::number(i), words[i], i == 1 || i == 3));
    OpenLog();
    EXPECT_EQ(LogCalls, (QStringList{"CALL0", "", "CALL2", "", "CALL4"}));
    EXPECT_EQ(LogQslFlags, (QStringList{"П", "О", "", "N", "@"}));
    for (const LogColumn *l : {&LogBands, &LogCountries, &LogModes}) EXPECT_EQ(l->size(), 5);
    EXPECT_EQ(LogBands[3], "7.0 Mhz");
    EXPECT_EQ(LogCountries[1], "Japan");
}

// Records written by other programs: bytes after a field's text have no
// meaning, a length byte may exceed the capacity, and texts may fill the
// field. The columns hold what a decoder reads, and equal texts are one
// text for the look-ups, whatever follows them.
TEST_F(LogFileTest, OpenLogReadsFieldsAsTheDecoderDoes) {
    QsoRecord full = Rec("UA3ABCDEFGHIJK", "Отправлено");
    full.country = QString(30, u'Ж');
    full.band = "1.2 Ghz   ";
    QByteArray a = EncodeRecord(full);
    QByteArray b = EncodeRecord(Rec("JA1ABC", "Получено"));
    QByteArray c = b;
    for (const TextField f : {QsoField::Call, QsoField::Country, QsoField::Band, QsoField::Mode, QsoField::QslState}) {
        const int len = quint8(c[f.offset]);
        for (int k = len + 1; k <= f.capacity; ++k) c[f.offset + k] = char(0xA0 + k); // junk after the text
    }
    QByteArray d = c;
    d[QsoField::Call.offset] = char(200); // claims more than the field holds
    d[QsoField::Country.offset] = char(31);
    QByteArray deleted = EncodeRecord(Rec("UA3DEL", "", true));
    deleted[QsoField::DeleteMark.offset] = char(0x8B); // still "Delet" when clamped
    WriteAllBytes(path("test.log"), a + b + c + d + deleted);

    OpenLog();
    const auto decoded = ReadAllRecords<QsoRecord>(path("test.log"));
    ASSERT_EQ(decoded.size(), 5u);
    EXPECT_EQ(decoded[4].deleteMark, DeleteMarkText);
    EXPECT_EQ(LogCalls[4], "");
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(LogCalls[i], decoded[i].call) << i;
        EXPECT_EQ(LogBands[i], decoded[i].band) << i;
        EXPECT_EQ(LogCountries[i], decoded[i].country) << i;
        EXPECT_EQ(LogModes[i], decoded[i].mode) << i;
        EXPECT_EQ(LogQslFlags[i], QslCode(decoded[i].qslState)) << i;
    }
    EXPECT_EQ(LogCalls[0], "UA3ABCDEFGHIJK");
    EXPECT_EQ(LogColumns.indexesOfCall("JA1ABC"), (std::vector<qint64>{1, 2}));
    EXPECT_EQ(LogColumns.indexesOfCountry("Japan"), (std::vector<qint64>{1, 2, 4})); // deleted ones keep theirs
    EXPECT_EQ(LogColumns.indexesOfCountry(QString(30, u'Ж')), (std::vector<qint64>{0}));
    EXPECT_EQ(decoded[3].country.size(), 30); // cut to the field, junk and all
    EXPECT_EQ(LogColumns.indexesOfCountry(decoded[3].country), (std::vector<qint64>{3}));
}

TEST_F(LogFileTest, OpenLogTakesWholeRecordsOnlyAndCreatesAMissingLog) {
    OpenLog();
    EXPECT_TRUE(QFile::exists(path("test.log")));
    EXPECT_EQ(LogColumns.size(), 0);

    AppendRecord(path("test.log"), Rec("JA1ABC", ""));
    AppendRecord(path("test.log"), Rec("JA1XYZ", ""));
    QFile f(path("test.log"));
    ASSERT_TRUE(f.open(QIODevice::Append));
    f.write(QByteArray(100, 'x'));
    f.close();
    OpenLog();
    EXPECT_EQ(LogCalls, (QStringList{"JA1ABC", "JA1XYZ"}));
    // The columns an append builds equal those a fresh open builds.
    WriteQsoRecord(Entry("UA3ABC"));
    const LogColumnLists grown = LogColumns;
    OpenLog();
    EXPECT_EQ(LogColumns.LogCalls, grown.LogCalls);
    EXPECT_EQ(LogColumns.LogQslFlags, grown.LogQslFlags);
    EXPECT_EQ(LogColumns.LogCountries, grown.LogCountries);
}

TEST_F(LogFileTest, EditModeWritesNothing) {
    WriteQsoRecord(Entry("UA3ABC"));
    EditMode = 1;
    WriteQsoRecord(Entry("UA3XYZ"));
    EXPECT_EQ(bytes().size(), 457);
    EXPECT_EQ(LogCalls.size(), 1);
}

// The operator reads why the QSO was not saved, in the program's words with
// the system's reason after them.
TEST_F(LogFileTest, AFailedAppendSaysWhyAndLeavesTheColumns) {
    const struct {
        QString log;
        int err;
    } cases[] = {{path("no/such/folder/x.log"), ENOENT}, {QStringLiteral("/dev/full"), ENOSPC}};
    for (const auto &c : cases) {
        LogFileName = c.log;
        try {
            WriteQsoRecord(Entry("UA3ABC"));
            ADD_FAILURE() << "saved into " << c.log.toStdString();
        } catch (const IoError &e) {
            EXPECT_TRUE(e.text().endsWith(QString::fromLocal8Bit(std::strerror(c.err)))) << e.text().toStdString();
            EXPECT_TRUE(e.text().contains(u"файл")) << e.text().toStdString();
        }
        EXPECT_EQ(LogColumns.size(), 0);
    }
    // A log that is a folder cannot be opened either, and says so.
    QDir(path(".")).mkdir("folder.log");
    LogFileName = path("folder.log");
    try {
        OpenLog();
        ADD_FAILURE() << "a folder opened as a log";
    } catch (const IoError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Не удаётся открыть файл %1: %2")
                                .arg(path("folder.log"), QString::fromLocal8Bit(std::strerror(EISDIR))));
    }
    EXPECT_EQ(LogColumns.size(), 0);
}

TEST_F(LogFileTest, CountLogRecords) {
    AppendRecord(path("a.log"), Rec("A", ""));
    EXPECT_EQ(CountLogRecords(path("a.log")), 1);
    EXPECT_TRUE(test::Dialogs().calls.empty());

    QString caption;
    SetQsoWindowCaption = [&](const QString &c) { caption = c; };
    test::Dialogs().fileAnswers.push_back(path("a.log"));
    EXPECT_EQ(CountLogRecords(path("gone.log")), 0);
    ASSERT_EQ(test::Dialogs().calls.size(), 1u);
    EXPECT_EQ(test::Dialogs().calls[0].caption, "Открыть аппаратный журнал");
    EXPECT_EQ(test::Dialogs().calls[0].text, "Аппаратный журнал(.dat)|*log.dat|Аппаратныйжурнал(.log)|*.log");
    EXPECT_EQ(caption, "QSO " + path("gone.log"));
    EXPECT_EQ(LogFileName, path("a.log"));
    SetQsoWindowCaption = nullptr;
}

TEST_F(LogFileTest, TheLookUpIndexFollowsAppendsAndEdits) {
    LogColumnLists cols;
    const char *calls[] = {"UA3ABC", "K1AB", "UA3ABD", "UA3ABC", "", "UA3AB"};
    for (const char *c : calls) cols.append(c, "14  Mhz", QString::fromLatin1(c).startsWith('U') ? "Russia" : "USA", "SSB", "");
    EXPECT_EQ(cols.indexesOfCall("UA3ABC"), (std::vector<qint64>{0, 3}));
    EXPECT_EQ(cols.indexesOfCallsBeginningWith(u"UA3AB"), (std::vector<qint64>{0, 2, 3, 5}));
    EXPECT_EQ(cols.indexesOfCountry("USA"), (std::vector<qint64>{1, 4}));
    EXPECT_TRUE(cols.indexesOfCall("").empty()); // deleted records are nobody's

    cols.setEntry(3, "K1AB", "7.0 Mhz", "USA", "CW", "Y");
    EXPECT_EQ(cols.indexesOfCall("UA3ABC"), (std::vector<qint64>{0}));
    EXPECT_EQ(cols.indexesOfCall("K1AB"), (std::vector<qint64>{1, 3}));
    EXPECT_EQ(cols.indexesOfCountry("USA"), (std::vector<qint64>{1, 3, 4}));
    cols.setEntry(0, "", "14  Mhz", "Russia", "SSB", "");
    EXPECT_TRUE(cols.indexesOfCall("UA3ABC").empty());
    EXPECT_EQ(cols.indexesOfCallsBeginningWith(u"UA"), (std::vector<qint64>{2, 5}));

    // Lists filled by hand get their index when first asked.
    cols.LogCalls.append("JA1AA");
    cols.LogBands.append("14  Mhz");
    cols.LogCountries.append("Japan");
    cols.LogModes.append("SSB");
    cols.LogQslFlags.append("");
    EXPECT_EQ(cols.indexesOfCountry("Japan"), (std::vector<qint64>{6}));
}

// The index OpenLog builds from what it counted while reading, then changed
// in place by appends and QSL marks, finds what a fresh OpenLog finds.
TEST_F(LogFileTest, TheIndexOfAnOpenedLogFollowsAppendsAndMarks) {
    const QString log = path("test.log");
    for (const char *c : {"JA1ABC", "UA3ABC", "JA1ABC", "K1AB"}) AppendRecord(log, Rec(c, QslSent, QString(c) == "K1AB"));
    OpenLog();
    WriteQsoRecord(Entry("UA3ABC"));
    WriteQsoRecord(Entry("RA9XYZ"));
    SetLogRecordQslState(log, 0, [](const QsoRecord &) { return QslReceived; });
    const LogColumnLists changed = LogColumns;
    OpenLog();
    for (const QString call : {"JA1ABC", "UA3ABC", "RA9XYZ", "K1AB"})
        EXPECT_EQ(changed.indexesOfCall(call), LogColumns.indexesOfCall(call).toVector()) << call.toStdString();
    for (const QString country : {"Japan", "European Russia"})
        EXPECT_EQ(changed.indexesOfCountry(country), LogColumns.indexesOfCountry(country).toVector())
            << country.toStdString();
    EXPECT_EQ(changed.indexesOfCall("UA3ABC"), (std::vector<qint64>{1, 4}));
    EXPECT_EQ(changed.indexesOfCountry("Japan"), (std::vector<qint64>{0, 1, 2, 3}));
    EXPECT_EQ(changed.indexesOfCallsBeginningWith(u"JA"), (std::vector<qint64>{0, 2}));
}
