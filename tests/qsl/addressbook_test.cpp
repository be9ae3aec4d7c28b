// The address book: its list loaded from "mail/adrbox.dat", the searches,
// the address box and the save of a row, with the damaged and missing file.
#include "app/allwindows.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/addressbook.h"
#include "logbook/glawnf.h"
#include "platform/paths.h"
#include "platform/picturebutton.h"
#include "platform/stringgrid.h"
#include "platform/windowshape.h"
#include "qsl/adbox.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using namespace zelmor;

namespace {

AddressBookRecord Entry(const char *call, const char *name, const char *address) {
    return {QString::fromUtf8(call), QString::fromUtf8(name), QString::fromUtf8(address)};
}

class AddressBookTest : public test::ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("mail");
        test::Clock().time = QDateTime(QDate(2024, 5, 1), QTime(13, 45, 7));
        CreateAllWindows();
        glawnf->Timer6->stop();
    }
    void TearDown() override {
        DestroyAllWindows();
        ProgramFolderTest::TearDown();
    }
    QString file() const { return path("mail/adrbox.dat"); }
    QByteArray bytes() const {
        QFile f(file());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const std::vector<AddressBookRecord> &records) { WriteAllRecords(file(), records); }
    void threeRecords() {
        write({Entry("UA3AAA", "Пётр", "Тверь"), Entry("UA3ABB", "Олег", "Тула"), Entry("UA3ABC", "Иван", "Москва")});
    }
    static void open() {
        adbox->show();
        adbox->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(adbox));
    }
    static StringGridModel &list() { return adbox->strbox->model(); }
    static void select(int row) { adbox->strbox->setCurrentIndex(list().index(row, 0)); }
    static int current() { return adbox->strbox->currentIndex().isValid() ? adbox->strbox->currentIndex().row() : -1; }
    static void save() {
        adbox->Image3->press(false);
        adbox->Image3->release();
    }
    static int beeps() {
        int n = 0;
        for (const auto &c : test::Sound().calls) n += c.kind == QLatin1String("beep");
        return n;
    }
    static std::vector<QString> messages() {
        std::vector<QString> texts;
        for (const auto &m : test::Dialogs().messages()) texts.push_back(m.text);
        return texts;
    }
};

TEST_F(AddressBookTest, AnEmptyFileOffersFourRowsAndTheFirstSaveIsRecordZero) {
    RecordIO::Touch(file());
    open();
    EXPECT_EQ(list().rowCountValue(), 4);
    EXPECT_TRUE(messages().empty());
    select(0);
    list().setCell(0, 0, "UA3ABC");
    list().setCell(1, 0, "Ivan");
    adbox->Memo4->setPlainText("Moscow");
    save();
    const QByteArray b = bytes();
    ASSERT_EQ(b.size(), 297);
    EXPECT_EQ(b.mid(0, 7), QByteArray("\x06UA3ABC"));
    EXPECT_EQ(b.mid(15, 5), QByteArray("\x04Ivan"));
    EXPECT_EQ(b.mid(46, 7), QByteArray("\x06Moscow"));
    // Four empty rows stay below the last record.
    EXPECT_EQ(list().rowCountValue(), 5);
    EXPECT_EQ(current(), 0);
}

TEST_F(AddressBookTest, SearchesEndOnTheLastMatchAndShowItsAddress) {
    threeRecords();
    open();
    ASSERT_EQ(list().rowCountValue(), 7);
    EXPECT_EQ(list().rowTexts(2), QStringList({"UA3ABC", "Иван"}));
    // Every record row is looked at, the last one too.
    adbox->callbox->setText("ua3ab");
    EXPECT_EQ(adbox->callbox->text(), "UA3AB");
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Москва");
    adbox->callbox->setText("UA3AA");
    EXPECT_EQ(current(), 0);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Тверь");
    // By name, with its first letter upper case and the rest lower.
    adbox->imbox->setText("оЛЕГ");
    EXPECT_EQ(adbox->imbox->text(), "Олег");
    EXPECT_EQ(current(), 1);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Тула");
    // No match, or nothing typed: the selection stays.
    adbox->callbox->setText("DL");
    adbox->callbox->clear();
    EXPECT_EQ(current(), 1);
}

TEST_F(AddressBookTest, AnEmptyCallInTheMiddleDoesNotEndTheSearch) {
    write({Entry("UA3AAA", "", "Тверь"), Entry("", "", ""), Entry("UA3ABC", "", "Москва")});
    open();
    adbox->callbox->setText("UA3");
    EXPECT_EQ(current(), 2);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Москва");
}

TEST_F(AddressBookTest, ASaveRewritesOnlyItsOwnRecord) {
    threeRecords();
    const QByteArray before = bytes();
    open();
    select(1);
    list().setCell(0, 1, "UA3ABD");
    save();
    const QByteArray after = bytes();
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(297), before.left(297));
    EXPECT_EQ(after.mid(594), before.mid(594));
    const auto r = ReadRecord<AddressBookRecord>(file(), 1);
    EXPECT_EQ(r.call, "UA3ABD");
    EXPECT_EQ(r.address, "Тула");
}

TEST_F(AddressBookTest, LineBreaksAreStoredAsCrLfAndCountTwo) {
    RecordIO::Touch(file());
    open();
    select(0);
    list().setCell(0, 0, "UA3ABC");
    adbox->Memo4->setPlainText("Москва,\nул. Ленина, 1");
    EXPECT_EQ(adbox->Panel25->text(), "22");
    save();
    EXPECT_EQ(ReadRecord<AddressBookRecord>(file(), 0).address, "Москва,\r\nул. Ленина, 1");
    EXPECT_EQ(bytes().mid(46, 1), QByteArray("\x16"));
    // A lone CR or LF of the file is a line break too.
    write({Entry("UA3ABC", "", "a\rb\nc\r\nd")});
    adbox->hide();
    open();
    select(0);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "a\nb\nc\nd");
    EXPECT_EQ(adbox->Panel25->text(), "10");
}

TEST_F(AddressBookTest, TheAddressIsHeldToTwoHundredFiftyCharacters) {
    RecordIO::Touch(file());
    open();
    select(0);
    list().setCell(0, 0, "UA3ABC");
    adbox->Memo4->setPlainText(QString(249, u'x'));
    EXPECT_EQ(adbox->Panel25->text(), "249");
    EXPECT_EQ(beeps(), 0);
    adbox->Memo4->moveCursor(QTextCursor::End);
    QTest::keyClick(adbox->Memo4, Qt::Key_Y, Qt::NoModifier);
    EXPECT_EQ(adbox->Panel25->text(), "max=250");
    EXPECT_EQ(beeps(), 1);
    // 251 pasted: saved as 250, and the box shows what was stored.
    adbox->Memo4->setPlainText(QString(251, u'z'));
    save();
    EXPECT_EQ(ReadRecord<AddressBookRecord>(file(), 0).address, QString(250, u'z'));
    EXPECT_EQ(adbox->Memo4->toPlainText(), QString(250, u'z'));
    // A cut inside a line break takes the whole break.
    EXPECT_EQ(AddressForStorage(QString(249, u'a') + u'\n' + u'b'), QString(249, u'a'));
}

TEST_F(AddressBookTest, ASaveFarBelowTheRecordsFillsTheGap) {
    threeRecords();
    open();
    select(5);
    list().setCell(0, 5, "DL1ABC");
    adbox->Memo4->setPlainText("Berlin");
    save();
    const auto records = ReadAllRecords<AddressBookRecord>(file());
    ASSERT_EQ(records.size(), 6u);
    EXPECT_EQ(bytes().mid(3 * 297, 2 * 297), QByteArray(2 * 297, '\0'));
    EXPECT_EQ(records[5].call, "DL1ABC");
    EXPECT_EQ(records[2].call, "UA3ABC");
    EXPECT_EQ(list().rowCountValue(), 10);
    EXPECT_EQ(current(), 5);
}

TEST_F(AddressBookTest, ADamagedFileShowsItsWholeRecordsAndIsCopiedBeforeTheFirstSave) {
    write({Entry("UA3AAA", "", "Тверь"), Entry("UA3ABB", "", "Тула")});
    {
        QFile f(file());
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(100, 'j'));
    }
    const QByteArray before = bytes();
    ASSERT_EQ(before.size(), 694);
    open();
    EXPECT_EQ(list().rowCountValue(), 2 + 4);
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].contains(file())) << messages()[0].toStdString();
    EXPECT_TRUE(messages()[0].contains("100")) << messages()[0].toStdString();
    select(1);
    adbox->Memo4->setPlainText("Тула, ул. Мира");
    save();
    const QString copy = file() + ".damaged-20240501-134507";
    ASSERT_TRUE(QFile::exists(copy));
    QFile c(copy);
    ASSERT_TRUE(c.open(QIODevice::ReadOnly));
    EXPECT_EQ(c.readAll(), before);
    // One copy, before the first save only.
    save();
    EXPECT_EQ(QDir(path("mail")).entryList({"adrbox.dat.damaged-*"}).size(), 1);
    EXPECT_EQ(ReadRecord<AddressBookRecord>(file(), 1).address, "Тула, ул. Мира");
}

TEST_F(AddressBookTest, WithoutItsFileTheListIsEmptyAndASaveCreatesNothing) {
    for (const bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder" : "missing");
        test::Dialogs().clear();
        if (folder) {
            ASSERT_TRUE(QDir(path("mail")).mkdir("adrbox.dat"));
        }
        adbox->hide();
        open();
        EXPECT_EQ(list().rowCountValue(), 0);
        ASSERT_EQ(messages().size(), 1u);
        EXPECT_EQ(messages()[0], "Нет файла \" adrbox.dat\"");
        list().setRowCount(1);
        select(0);
        list().setCell(0, 0, "UA3ABC");
        save();
        EXPECT_EQ(QFileInfo(file()).isFile(), false);
    }
}

TEST_F(AddressBookTest, CellsThatDoNotFitAreRefusedAndNothingIsWritten) {
    threeRecords();
    const QByteArray before = bytes();
    open();
    struct Case {
        int column;
        QString text;
        const char *named;
    };
    const Case cases[] = {
        {0, "UA3ABCDEFGHIJKL", "Позывной"},      // 15 characters
        {1, QString(31, u'и'), "Имя"},
        {1, "Jürgen ☺", "Имя"},                 // a character cp1251 lacks
    };
    for (const Case &c : cases) {
        test::Dialogs().clear();
        select(0);
        const QString old = list().cell(c.column, 0);
        list().setCell(c.column, 0, c.text);
        save();
        ASSERT_EQ(messages().size(), 1u) << c.named;
        EXPECT_TRUE(messages()[0].startsWith(QString::fromUtf8(c.named))) << messages()[0].toStdString();
        EXPECT_EQ(bytes(), before);
        list().setCell(c.column, 0, old);
    }
    // An address with such a character is refused too.
    test::Dialogs().clear();
    adbox->Memo4->setPlainText("Москва ☺");
    save();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].startsWith("Адрес"));
    EXPECT_EQ(bytes(), before);
    // No row selected: nothing at all.
    test::Dialogs().clear();
    adbox->hide();
    open();
    ASSERT_EQ(current(), -1);
    save();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(bytes(), before);
}

TEST_F(AddressBookTest, AnUnsavedAddressSurvivesComingBackAndMendingTheCall) {
    threeRecords();
    open();
    select(2);
    adbox->Memo4->setPlainText("Москва, ул. Тверская");
    // A call mended in the same row: a key released in the list.
    list().setCell(0, 2, "UA3ABD");
    adbox->strbox->setFocus();
    QTest::keyClick(adbox->strbox, Qt::Key_Right);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Москва, ул. Тверская");
    // Over to another of our windows and back.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    adbox->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(adbox));
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Москва, ул. Тверская");
    EXPECT_EQ(list().cell(0, 2), "UA3ABD");
    save();
    const auto r = ReadRecord<AddressBookRecord>(file(), 2);
    EXPECT_EQ(r.call, "UA3ABD");
    EXPECT_EQ(r.address, "Москва, ул. Тверская");
    // Another row shows its own address.
    select(0);
    EXPECT_EQ(adbox->Memo4->toPlainText(), "Тверь");
}

TEST_F(AddressBookTest, TheWindowIsOneRoundedRectangle) {
    RecordIO::Touch(file());
    open();
    const QRegion shape = WindowRegion(adbox->mask());
    EXPECT_TRUE(shape.contains(QPoint(150, 150)));
    EXPECT_FALSE(shape.contains(QPoint(5, 24)));
    EXPECT_FALSE(shape.contains(QPoint(150, 320)));
    EXPECT_TRUE(adbox->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(adbox->callbox->maxLength(), 12);
    EXPECT_EQ(adbox->imbox->maxLength(), 27);
    EXPECT_EQ(adbox->strbox->colWidth(0), 85);
    EXPECT_EQ(adbox->strbox->colWidth(1), 139);
}

} // namespace
