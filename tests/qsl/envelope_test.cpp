// Envelopes: where every part is drawn, in which style, how far a text may
// reach, and the sender and recipient taken from their files.
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "qsl/envelope.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <stdexcept>

using namespace zelmor;
using namespace zelmor::test;

namespace {

using Op = RecordingCanvas::Op;

EnvelopeContent Filled(EnvelopeForm form = EnvelopeForm::Russian) {
    EnvelopeContent c;
    c.form = form;
    c.senderName = QStringLiteral("Иван QQ0ZZZ");
    c.senderPostcode = QStringLiteral("123456");
    c.senderLines = {QStringLiteral("Москва"), QStringLiteral("ул. Ленина 1")};
    c.recipientName = QStringLiteral("Petr UA3ABC");
    c.recipientPostcode = QStringLiteral("125009");
    c.recipientLines = {QStringLiteral("Москва"), QStringLiteral("Тверская 7"), QStringLiteral("кв. 3"),
                        QStringLiteral("fourth line is never printed")};
    c.fontName = QStringLiteral("time new roman");
    c.picture = QImage(40, 30, QImage::Format_RGB32);
    return c;
}

const Op &TextOp(const RecordingCanvas &r, const QString &t) {
    const Op *op = r.findText(t);
    if (!op) throw std::runtime_error(("no text " + t).toStdString());
    return *op;
}

std::vector<Op> OpsOf(const RecordingCanvas &r, Op::Kind k) {
    std::vector<Op> out;
    for (const Op &op : r.ops)
        if (op.kind == k) out.push_back(op);
    return out;
}

bool HasLine(const RecordingCanvas &r, int x1, int y1, int x2, int y2, int width) {
    for (const Op &op : OpsOf(r, Op::Line))
        if (op.x1 == x1 && op.y1 == y1 && op.x2 == x2 && op.y2 == y2 && op.pen.width == width) return true;
    return false;
}

} // namespace

TEST(Envelope, TheUnfoldedRussianFormDrawsEachPartWhereAndHowItBelongs) {
    RecordingCanvas r(360, 360);
    PrintEnvelopeTemplate(Filled(), r);

    const auto rects = OpsOf(r, Op::Rectangle);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].x1, 200);
    EXPECT_EQ(rects[0].y1, 400);
    EXPECT_EQ(rects[0].x2, 2700);
    EXPECT_EQ(rects[0].y2, 1950);
    EXPECT_EQ(rects[0].pen.style, PenStyle::DashDot);
    EXPECT_EQ(rects[0].pen.width, 1);
    // The flaps: 11 segments from (0, 450) and the one closing the left flap.
    const auto lines = OpsOf(r, Op::Line);
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[0].x1, 0);
    EXPECT_EQ(lines[0].y1, 450);
    EXPECT_EQ(lines[0].x2, 200);
    EXPECT_EQ(lines[10].x2, 0);
    EXPECT_EQ(lines[10].y2, 1900);
    EXPECT_TRUE(HasLine(r, 0, 1900, 0, 450, 1));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(lines[size_t(i)].pen.style, PenStyle::DashDot) << i;

    EXPECT_TRUE(HasLine(r, 2100, 500, 2300, 500, 2));
    EXPECT_TRUE(HasLine(r, 2300, 500, 2300, 700, 2));
    for (int y : {1300, 1400, 1500, 1600}) EXPECT_TRUE(HasLine(r, 1300, y, 2300, y, 2)) << y;

    struct Expect {
        QString text;
        int x, y;
        double size;
        bool bold, italic;
    };
    const Expect expected[] = {
        {QStringLiteral("От кого"), 300, 520, 8, false, false},
        {QStringLiteral("От куда"), 300, 620, 8, false, false},
        {QStringLiteral("Иван QQ0ZZZ"), 560, 520, 12, true, true},
        {QStringLiteral("123456"), 600, 820, 16, true, true},
        {QStringLiteral("Москва"), 540, 620, 11, false, true},
        {QStringLiteral("ул. Ленина 1"), 540, 680, 11, false, true},
        {QStringLiteral("кому: "), 1140, 1230, 11, false, false},
        {QStringLiteral("индекс: "), 1140, 1630, 11, false, false},
        {QStringLiteral("125009"), 1430, 1630, 16, true, false},
        {QStringLiteral("Petr UA3ABC"), 1400, 1200, 16, true, false},
        {QStringLiteral("Тверская 7"), 1400, 1420, 11, false, false},
        {QStringLiteral("кв. 3"), 1400, 1520, 11, false, false},
        {QStringLiteral("Radio amateurs program ZELMOR"), 290, 1710, 9, false, false},
    };
    for (const Expect &e : expected) {
        const Op &op = TextOp(r, e.text);
        EXPECT_EQ(op.x1, e.x) << e.text.toStdString();
        EXPECT_EQ(op.y1, e.y) << e.text.toStdString();
        EXPECT_EQ(op.font.size, e.size) << e.text.toStdString();
        EXPECT_EQ(op.font.bold, e.bold) << e.text.toStdString();
        EXPECT_EQ(op.font.italic, e.italic) << e.text.toStdString();
        EXPECT_EQ(op.font.name, QStringLiteral("time new roman"));
    }
    // The recipient's town is its first line (the sender has a "Москва" too).
    int recipientTown = 0;
    for (const Op &op : r.texts())
        if (op.text == u"Москва" && op.x1 == 1400 && op.y1 == 1320) ++recipientTown;
    EXPECT_EQ(recipientTown, 1);
    EXPECT_EQ(r.findText(QStringLiteral("fourth line is never printed")), nullptr);
    EXPECT_EQ(TextOp(r, QStringLiteral("Radio amateurs program ZELMOR")).font.colour, 0xFF0000u);

    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[1].x1, 1400);
    EXPECT_EQ(rects[1].y1, 1620);
    EXPECT_EQ(rects[1].x2, 1840);
    EXPECT_EQ(rects[1].y2, 1760);
    EXPECT_EQ(rects[1].pen.width, 6);
    EXPECT_TRUE(rects[1].pen.insideFrame);
    EXPECT_EQ(rects[1].brush.style, BrushStyle::Clear);

    const auto images = OpsOf(r, Op::Image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(std::vector<int>({images[0].x1, images[0].y1, images[0].x2, images[0].y2}),
              std::vector<int>({260, 1100, 1100, 1700}));
}

TEST(Envelope, FormsLabelTheirOwnWayAndAReadyEnvelopeIsShiftedWithoutOutline) {
    RecordingCanvas ua(360, 360);
    PrintEnvelopeTemplate(Filled(EnvelopeForm::Ukrainian), ua);
    const Op &sender = TextOp(ua, QStringLiteral("ВIДПРАВНИКА"));
    EXPECT_EQ(sender.text[1], QChar(0x49)); // the Latin capital I
    EXPECT_EQ(sender.font.size, 6);
    EXPECT_EQ(std::pair(sender.x1, sender.y1), std::pair(250, 580));
    EXPECT_NE(ua.findText(QStringLiteral("АДРЕСА ОДЕРЖУВАЧА")), nullptr);
    EXPECT_EQ(ua.findText(QStringLiteral("От кого")), nullptr);

    RecordingCanvas general(360, 360);
    PrintEnvelopeTemplate(Filled(EnvelopeForm::General), general);
    for (const char *label : {"От кого", "кому: ", "АДРЕСА", "IНДЕКС"})
        EXPECT_EQ(general.findText(QString::fromUtf8(label)), nullptr) << label;

    RecordingCanvas ready(360, 360);
    PrintEnvelopeWithOffsets(Filled(), ready, 4, 4);
    EXPECT_TRUE(OpsOf(ready, Op::Rectangle).size() == 1u); // the postcode box only
    EXPECT_TRUE(HasLine(ready, 2140, 540, 2340, 540, 2));

    RecordingCanvas fine(600, 600);
    PrintEnvelopeWithOffsets(Filled(), fine, 4, 4);
    EXPECT_TRUE(HasLine(fine, 3567, 900, 3900, 900, 3)); // 2140 x 600/360 rounded; the 2-unit pen 3 px
    RecordingCanvas fineTemplate(600, 600);
    PrintEnvelopeTemplate(Filled(), fineTemplate);
    const Op &footer = TextOp(fineTemplate, QStringLiteral("Radio amateurs program ZELMOR"));
    EXPECT_EQ(std::pair(footer.x1, footer.y1), std::pair(483, 2850));
}

TEST(Envelope, TextsEndWhereTheEnvelopeEndsThemAndOnlyTheLinesTheFormHasPrint) {
    EnvelopeContent c = Filled();
    c.recipientLines = {QString(120, u'x')};
    c.senderName = QString(80, u'Ж');
    c.recipientPostcode = QStringLiteral("12345678901");
    c.letterLines = {QStringLiteral("Dear OM,"), QStringLiteral("73!")};
    RecordingCanvas r(360, 360);
    PrintEnvelopeTemplate(c, r);
    // 11 points at 360 dpi: 27.5 units a character, 900 units to x 2300.
    bool line = false, name = false;
    for (const Op &op : r.texts()) {
        if (op.text.startsWith(u'x')) {
            line = true;
            EXPECT_EQ(op.text.size(), 32);
        }
        if (op.text.startsWith(u'Ж')) {
            name = true;
            EXPECT_EQ(op.text.size(), 51); // 30 units each, 1540 to 2100
        }
        if (op.text.startsWith(u'1') && op.x1 == 1430) {
            EXPECT_EQ(op.text.size(), 10); // 40 units each, 404 in the box
        }
    }
    EXPECT_TRUE(line && name);
    const Op &first = TextOp(r, QStringLiteral("Dear OM,"));
    const Op &second = TextOp(r, QStringLiteral("73!"));
    EXPECT_EQ(std::pair(first.x1, first.y1), std::pair(30, 3500));
    EXPECT_EQ(std::pair(second.x1, second.y1), std::pair(30, 3560));
    int letter = 0;
    for (const Op &op : r.texts())
        if (op.y1 >= 3500) ++letter;
    EXPECT_EQ(letter, 2);

    // On a real canvas the text fits and one more character would not.
    ImageCanvas image(360);
    DrawEnvelope(c, image, 0, 0);
    image.setFont({QStringLiteral("time new roman"), 11});
    const QString long120(120, u'x');
    const QString fitted = FitText(image, long120, 900);
    EXPECT_LE(image.textWidth(fitted), 900);
    EXPECT_GT(image.textWidth(long120.left(fitted.size() + 1)), 900);
}

TEST(Envelope, AnEnvelopeToPdfIsOnePageWithItsFooter) {
    if (QStandardPaths::findExecutable("pdftotext").isEmpty()) GTEST_SKIP() << "pdftotext missing";
    QTemporaryDir out;
    SystemPrinter real;
    real.forcePdfFolder(out.path());
    platform::install(&real);
    FakeDialogs dialogs;
    platform::install(&dialogs);
    const bool printed = PrintEnvelope(Filled(), true, 0, 0);
    platform::install(static_cast<zelmor::Printer *>(nullptr));
    InstallFakes();
    ASSERT_TRUE(printed);
    const QString pdf = QDir(out.path()).filePath("envelope-1.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess p;
    p.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains("Radio amateurs program ZELMOR"));
    QProcess info;
    info.start("pdfinfo", {pdf});
    if (info.waitForFinished(20000) && info.exitCode() == 0) {
        EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+1\\b")));
    }
}

// --- sender and recipient

TEST(EnvelopeSender, TheOwnAddressSplitsAtItsCommas) {
    const SenderFields f = FillEnvelopeSender(QStringLiteral("123456,Москва,ул. Ленина 1,"), QStringLiteral("Иван"),
                                              QStringLiteral("QQ0ZZZ"));
    EXPECT_EQ(f.postcode, QStringLiteral("123456"));
    EXPECT_EQ(f.lines, QStringList({QStringLiteral("Москва"), QStringLiteral("ул. Ленина 1")}));
    EXPECT_EQ(f.name, QStringLiteral("Иван QQ0ZZZ"));
    EXPECT_EQ(FillEnvelopeSender(QStringLiteral("123456,Москва,ул. Ленина 1"), "", "").lines,
              QStringList({QStringLiteral("Москва")}));
}

class SenderFileTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("mail");
        file_ = path("mail/mail.dat");
        RecordIO::Touch(file_);
    }
    QByteArray bytes() const {
        QFile f(file_);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString file_;
};

TEST_F(SenderFileTest, SavingTwiceKeepsOneEntryAndDeletingKeepsItsSlot) {
    const SenderFields dacha{QStringLiteral("Иван"), QStringLiteral("140000"), {QStringLiteral("Дачная 1"), QStringLiteral("Дом 2")}};
    EXPECT_TRUE(SaveSenderEntry(file_, QStringLiteral("Дача"), dacha));
    EXPECT_FALSE(SaveSenderEntry(file_, QStringLiteral("Дача"), dacha));
    EXPECT_EQ(bytes().size(), 619);
    EXPECT_EQ(SenderEntryNames(file_), QStringList({QStringLiteral("Дача")}));
    const auto found = FindSenderEntry(file_, QStringLiteral("Дача"));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->lines, dacha.lines);
    EXPECT_EQ(bytes().mid(363 + 1, 10), QByteArray("\xC4\xE0\xF7\xED\xE0\xFF 1\r\n"));

    EXPECT_FALSE(DeleteSenderEntry(file_, QStringLiteral("Работа"), dacha)); // no such entry: nothing written
    EXPECT_EQ(bytes()[0], char(4));
    EXPECT_TRUE(DeleteSenderEntry(file_, QStringLiteral("Дача"), dacha));
    EXPECT_EQ(bytes().size(), 619);
    EXPECT_EQ(bytes()[0], char(0));
    EXPECT_TRUE(SenderEntryNames(file_).isEmpty());
    // An empty list text is the deleted slot's name: it is filled again.
    EXPECT_FALSE(SaveSenderEntry(file_, QString(), dacha));
    EXPECT_EQ(bytes().size(), 619);
}

TEST_F(SenderFileTest, BadInputWritesNothingAndAPartialRecordIsNoEntry) {
    SaveSenderEntry(file_, QStringLiteral("Дача"), {});
    const QByteArray before = bytes();
    EXPECT_THROW(SaveSenderEntry(file_, QStringLiteral("Дача"), {QStringLiteral("名"), "", {}}), IoError);
    EXPECT_EQ(bytes(), before);
    {
        QFile f(file_);
        ASSERT_TRUE(f.open(QIODevice::Append));
        f.write(QByteArray(100, '\x05'));
    }
    EXPECT_EQ(SenderEntryNames(file_), QStringList({QStringLiteral("Дача")}));
    QFile::remove(file_);
    try {
        FindSenderEntry(file_, QStringLiteral("Дача"));
        FAIL();
    } catch (const IoError &e) {
        EXPECT_EQ(e.text(), MissingFileText(QStringLiteral(" mail.dat")));
    }
    EXPECT_TRUE(SaveSenderEntry(file_, QStringLiteral("Дача"), {})); // a save creates it again
    EXPECT_EQ(bytes().size(), 619);
}

TEST_F(SenderFileTest, TheRecipientIsTheAddressBooksFirstRecordWithTheCall) {
    const QString book = path("mail/adrbox.dat");
    WriteAllRecords<AddressBookRecord>(book, {{"DL1AA", "Hans", "Berlin"},
                                              {"UA3ABC", "Petr", QStringLiteral("125009\r\nМосква\r\nТверская 7")},
                                              {"UA3ABC", "Other", "1"}});
    const auto f = RecipientFromAddressBook(book, "UA3ABC");
    ASSERT_TRUE(f);
    EXPECT_EQ(f->name, QStringLiteral("Petr UA3ABC"));
    EXPECT_EQ(f->postcode, QStringLiteral("125009"));
    EXPECT_EQ(f->lines, QStringList({QStringLiteral("Москва"), QStringLiteral("Тверская 7")}));
    const auto berlin = RecipientFromAddressBook(book, "DL1AA");
    ASSERT_TRUE(berlin);
    EXPECT_TRUE(berlin->postcode.isEmpty()); // not 5 or 6 digits: it stays a line
    EXPECT_EQ(berlin->lines, QStringList({QStringLiteral("Berlin")}));
    EXPECT_FALSE(RecipientFromAddressBook(book, "UA9ZZZ"));
}
