// The layout editor's plain parts: the data folders and the layout list,
// the preview and its rulers, the element list's notes, and stores that
// keep every other byte of a layout.
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "logbook/settingscatalogue.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "qsl/datafolders.h"
#include "qsl/layouteditor.h"
#include "qsl/layoutfile.h"
#include "station/settingsglobals.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

using namespace zelmor;
using namespace zelmor::test;

namespace {

QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteBytes(const QString &path, const QByteArray &b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(b);
}

QslLayoutElement Element(qint32 kind, const char *name, int x1, int y1, int x2 = 0, int y2 = 0) {
    QslLayoutElement e;
    e.kind = kind;
    e.name = QString::fromUtf8(name);
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
    e.fontName = QStringLiteral("DejaVu Sans");
    return e;
}

class DataFoldersTest : public ProgramFolderTest {};

} // namespace

TEST_F(DataFoldersTest, RootLayoutsAreCopiedOnlyIntoANewQslFolderAndListedUpToTheFirstGap) {
    WriteBytes(path("1qsl.qsl"), QByteArray(564, '\x01'));
    WriteBytes(path("2QSL.qsl"), QByteArray(564, '\x02'));
    WriteBytes(path("4qsl.qsl"), QByteArray(564, '\x04'));
    WriteBytes(path("mail.dat"), QByteArray());
    WriteBytes(path("world.dat"), QByteArray("w"));
    const PreparedDataFolders prepared = PrepareDataFolders(dir_->path());
    EXPECT_EQ(prepared.layouts, QStringList({"1QSL", "2QSL"}));
    EXPECT_EQ(FileBytes(path("qsl/1qsl.qsl")), QByteArray(564, '\x01'));
    EXPECT_EQ(FileBytes(path("qsl/2qsl.qsl")), QByteArray(564, '\x02'));
    EXPECT_FALSE(QFile::exists(path("qsl/4qsl.qsl")));
    EXPECT_TRUE(QFile::exists(path("2QSL.qsl"))); // copied, not moved
    EXPECT_EQ(FileBytes(path("dx/world.dat")), QByteArray("w"));
    EXPECT_TRUE(QFileInfo(path("name")).isDir());
    EXPECT_TRUE(test::Dialogs().messages().empty());

    // With the folder there, a root layout stays where it is.
    WriteBytes(path("5qsl.qsl"), QByteArray(564, '\x05'));
    WriteBytes(path("3qsl.qsl"), QByteArray(564, '\x03'));
    EXPECT_EQ(PrepareDataFolders(dir_->path()).layouts, QStringList({"1QSL", "2QSL"}));
    EXPECT_FALSE(QFile::exists(path("qsl/3qsl.qsl")));
}

TEST_F(DataFoldersTest, TheSenderListSkipsDeletedEntriesAndAMissingMailDatIsCreatedEmpty) {
    PreparedDataFolders prepared = PrepareDataFolders(dir_->path());
    EXPECT_EQ(prepared.senders, QStringList({QStringLiteral("Адрес регистрации")}));
    ASSERT_TRUE(QFileInfo(path("mail/mail.dat")).isFile());
    EXPECT_EQ(QFileInfo(path("mail/mail.dat")).size(), 0);

    std::vector<SenderAddressRecord> entries(3);
    entries[0].entry = QStringLiteral("Дача");
    entries[2].entry = QStringLiteral("Работа");
    WriteAllRecords(path("mail/mail.dat"), entries);
    prepared = PrepareDataFolders(dir_->path());
    EXPECT_EQ(prepared.senders, QStringList({QStringLiteral("Адрес регистрации"), QStringLiteral("Дача"), QStringLiteral("Работа")}));
}

TEST_F(DataFoldersTest, AFileWhereAFolderBelongsIsToldOnceAndTheOtherFoldersAreStillPrepared) {
    WriteBytes(path("qsl"), "not a folder");
    const PreparedDataFolders prepared = PrepareDataFolders(dir_->path());
    const auto messages = test::Dialogs().messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(path("qsl")))) << messages[0].text.toStdString();
    EXPECT_TRUE(prepared.layouts.isEmpty());
    for (const char *folder : {"mail", "name", "dx"}) EXPECT_TRUE(QFileInfo(path(folder)).isDir()) << folder;
    EXPECT_TRUE(QFile::exists(path("mail/mail.dat")));
}

TEST_F(DataFoldersTest, ANewLayoutTakesTheFirstFreeNumberEmptyAndBecomesCurrent) {
    QDir(dir_->path()).mkpath("qsl");
    WriteBytes(path("qsl/1qsl.qsl"), QByteArray(564, '\x01'));
    WriteBytes(path("qsl/2QSL.qsl"), QByteArray(564, '\x02'));
    const QString name = CreateNewLayout(path("qsl"));
    EXPECT_EQ(name, QStringLiteral("3QSL"));
    EXPECT_EQ(QFileInfo(path("qsl/3qsl.qsl")).size(), 0);
    EXPECT_EQ(FileBytes(path("qsl/2QSL.qsl")), QByteArray(564, '\x02')); // never over an existing file
    EXPECT_EQ(ListLayouts(path("qsl")), QStringList({"1QSL", "2QSL", "3QSL"}));
    ChooseLayout(name);
    EXPECT_EQ(ReadSettingString(SettingId::QslLayout), QStringLiteral("3QSL"));
    EXPECT_EQ(CurrentLayoutPath(), path("qsl/3qsl.qsl"));
    ChooseLayout(QStringLiteral("2QSL"));
    EXPECT_EQ(CurrentLayoutPath(), path("qsl/2QSL.qsl")); // matched without regard to case
}

// --- preview and rulers

TEST(LayoutPreview, IsThePaintersOwnOutputOnAWhiteCard) {
    QslLayout layout;
    QslLayoutElement text = Element(QslLayoutElement::Text, "t", 10, 10);
    text.text = QStringLiteral("CQ DX");
    QslLayoutElement line = Element(QslLayoutElement::Line, "l", 0, 45, 140, 45);
    line.penWidth = 3;
    QslLayoutElement shape = Element(QslLayoutElement::Shape, "s", 100, 60, 160, 120); // runs off the card
    shape.shapeType = ShapeRoundRectangle;
    shape.corner = 36;
    shape.brushColour = 0x0000FF;
    layout.elements = {text, line, shape};

    const QImage preview = RenderLayoutPreview(layout);
    ASSERT_EQ(preview.size(), QSize(560, 360));
    ImageCanvas own(96, 560, 360);
    for (const auto &e : layout.elements) PrintLayoutElement(e, own, LayoutMapping::Preview(), QslCardData());
    own.end();
    EXPECT_EQ(preview, own.pages().front());
    EXPECT_EQ(preview.pixelColor(500, 300), QColor(Qt::red)); // the shape, clipped at the card
    EXPECT_EQ(preview.pixelColor(2, 180), QColor(Qt::black));

    for (auto &e : layout.elements) e.visible = 0;
    const QImage hidden = RenderLayoutPreview(layout);
    QImage white(560, 360, hidden.format());
    white.fill(Qt::white);
    EXPECT_EQ(hidden, white);
}

TEST(LayoutPreview, RulersTickEveryUnitAndNumberTheTens) {
    RecordingCanvas top(96, 96);
    DrawTopRuler(top);
    std::map<int, int> ticks;
    for (const auto &op : top.ops)
        if (op.kind == RecordingCanvas::Op::Line) ticks[op.x1] = op.y2 - op.y1;
    EXPECT_EQ(ticks.size(), 141u);
    EXPECT_EQ(ticks[18], 8);
    EXPECT_EQ(ticks[34], 12);
    EXPECT_EQ(ticks[54], 18);
    for (auto [text, x] : {std::pair{"0", 11}, {"5", 211}, {"10", 408}, {"14", 568}}) {
        const auto *op = top.findText(text);
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(std::pair(op->x1, op->y1), std::pair(x, 20)) << text;
        EXPECT_TRUE(op->font.bold);
        EXPECT_EQ(op->font.size, 10);
    }
    RecordingCanvas left(96, 96);
    DrawLeftRuler(left);
    for (auto [text, y] : {std::pair{"1", 41}, {"8", 321}}) {
        const auto *op = left.findText(text);
        ASSERT_NE(op, nullptr) << text;
        EXPECT_EQ(std::pair(op->x1, op->y1), std::pair(23, y)) << text;
    }
    EXPECT_EQ(left.findText("9"), nullptr);
}

// --- a layout with what the print cannot trust

class BadLayoutTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("qsl");
        file_ = path("qsl/1qsl.qsl");
        QslLayoutElement off = Element(QslLayoutElement::Text, "far", 150, 20);
        off.text = "x";
        QslLayoutElement call = Element(QslLayoutElement::Text, "Call", 10, 10);
        QslLayoutElement seven = Element(7, "future", 10, 10);
        QslLayoutElement circle = Element(QslLayoutElement::Shape, "c", 10, 10, 20, 20);
        circle.shapeType = QStringLiteral("Круг");
        QByteArray all;
        for (const auto &e : {off, call, seven, circle}) all += EncodeRecord(e);
        all[458] = '\x5A';        // reserved bytes of element 0 hold something
        all[564 * 2 + 551] = '\x7F';
        all += QByteArray(100, '\x33');
        WriteBytes(file_, all);
    }
    QString file_;
};

TEST_F(BadLayoutTest, EachProblemShowsInTheElementList) {
    const QslLayout layout = ReadLayout(file_);
    const auto lines = LayoutElementLines(layout);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].notes, QStringList({QStringLiteral("вне карточки")}));
    EXPECT_EQ(lines[1].notes.size(), 1);
    EXPECT_TRUE(lines[1].notes[0].contains("Call"));
    EXPECT_EQ(lines[2].kind, QStringLiteral("вид 7"));
    EXPECT_EQ(lines[2].notes.size(), 1);
    EXPECT_EQ(lines[3].kind, QStringLiteral("рамка"));
    EXPECT_TRUE(lines[3].notes.value(0).contains(QStringLiteral("Круг")));
    EXPECT_EQ(LayoutFileNotes(layout).size(), 1);
    int notes = LayoutFileNotes(layout).size();
    for (const auto &l : lines) notes += l.notes.size();
    EXPECT_EQ(notes, 5);
}

TEST_F(BadLayoutTest, StoresReplaceTheFileAndKeepEveryOtherByte) {
    const QByteArray before = FileBytes(file_);
    QslLayoutElement fresh = Element(QslLayoutElement::Text, "new", 5, 5);
    fresh.text = "hello";
    StoreLayoutElement(file_, fresh);
    QByteArray after = FileBytes(file_);
    ASSERT_EQ(after.size(), 5 * 564); // after the last whole element; the partial piece is gone
    EXPECT_EQ(after.left(4 * 564), before.left(4 * 564));

    // Overwriting in place keeps the size and the element's reserved bytes.
    const QByteArray beforeFar = FileBytes(file_);
    QslLayoutElement far = Element(QslLayoutElement::Text, "far", 1, 1);
    StoreLayoutElement(file_, far);
    after = FileBytes(file_);
    EXPECT_EQ(after.size(), 5 * 564);
    EXPECT_EQ(after[458], '\x5A');
    EXPECT_EQ(ReadInt32Field(after.constData(), 464), 1);
    EXPECT_EQ(after.mid(564), beforeFar.mid(564));

    DeleteLayoutElement(file_, QslLayoutElement::Line, "absent");
    after = FileBytes(file_);
    EXPECT_EQ(after.size(), 6 * 564);
    EXPECT_EQ(after.mid(2 * 564, 564), before.mid(2 * 564, 564)); // the unknown kind keeps its bytes
    // No temporary file is left beside the layout.
    EXPECT_EQ(QDir(path("qsl")).entryList(QDir::Files), QStringList({"1qsl.qsl"}));
}
