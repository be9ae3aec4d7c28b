// QSL layout files: their bytes, the identity of elements, the field
// commands, the checks, and where the painters put things.
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "qsl/layoutfile.h"
#include "station/settingsglobals.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>

using namespace zelmor;
using namespace zelmor::test;

namespace {

QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QslLayoutElement Text(const char *name, const char *text = "") {
    QslLayoutElement e;
    e.kind = QslLayoutElement::Text;
    e.name = QString::fromUtf8(name);
    e.text = QString::fromUtf8(text);
    return e;
}

QslLayoutElement Shape(const QString &type, int x1, int y1, int x2, int y2) {
    QslLayoutElement e;
    e.kind = QslLayoutElement::Shape;
    e.name = QStringLiteral("s");
    e.shapeType = type;
    e.x1 = x1, e.y1 = y1, e.x2 = x2, e.y2 = y2;
    return e;
}

class LayoutFileTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        QDir(dir_->path()).mkpath("qsl");
        file_ = path("qsl/1qsl.qsl");
        RecordIO::Touch(file_);
    }
    qint64 size() const { return QFile(file_).size(); }
    QString file_;
};

} // namespace

TEST_F(LayoutFileTest, ALineIsStoredAtItsOffsetsAndReadsBackEqual) {
    QslLayoutElement line;
    line.kind = QslLayoutElement::Line;
    line.visible = 1;
    line.name = "line1";
    line.text = "stray"; // lines keep no text
    line.x1 = 10, line.y1 = 20, line.x2 = 100, line.y2 = 20;
    line.penStyle = 1;
    line.penColour = 0x000000FF;
    line.penWidth = 3;
    StoreLayoutElement(file_, line);

    const QByteArray b = FileBytes(file_);
    ASSERT_EQ(b.size(), 564);
    EXPECT_EQ(b.mid(0, 4), QByteArray("\x02\x00\x00\x00", 4));
    EXPECT_EQ(b[4], '\x01');
    EXPECT_EQ(b[106], '\x00'); // text ""
    EXPECT_EQ(b[357], '\x05');
    EXPECT_EQ(b.mid(358, 5), "line1");
    EXPECT_EQ(b.mid(458, 2), QByteArray(2, '\0')); // reserved
    EXPECT_EQ(b.mid(464, 4), QByteArray("\x0A\x00\x00\x00", 4));
    EXPECT_EQ(b.mid(472, 4), QByteArray("\x64\x00\x00\x00", 4));
    EXPECT_EQ(b[480], '\x01');
    EXPECT_EQ(b.mid(481, 3), QByteArray(3, '\0'));
    EXPECT_EQ(b.mid(484, 4), QByteArray("\xFF\x00\x00\x00", 4));
    EXPECT_EQ(b.mid(488, 4), QByteArray("\x03\x00\x00\x00", 4));

    const auto back = ReadLayoutElements(file_);
    ASSERT_EQ(back.size(), 1u);
    line.text.clear();
    EXPECT_EQ(EncodeRecord(back[0]), EncodeRecord(line));
}

TEST_F(LayoutFileTest, ATrailingPieceIsNoElementAndIsReportedAndStoringStaysAligned) {
    QByteArray bytes = EncodeRecord(Text("a")) + EncodeRecord(Text("b")) + QByteArray(100, 'x');
    WriteAllBytes(file_, bytes);
    QslLayout layout = ReadLayout(file_);
    ASSERT_EQ(layout.elements.size(), 2u);
    EXPECT_EQ(layout.trailingBytes, 100);
    const auto problems = CheckLayout(layout);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].kind, LayoutProblem::Truncated);
    EXPECT_EQ(problems[0].detail, "100");

    StoreLayoutElement(file_, Text("c"));
    EXPECT_EQ(size(), 3 * 564);
    layout = ReadLayout(file_);
    ASSERT_EQ(layout.elements.size(), 3u);
    EXPECT_EQ(layout.elements[2].name, "c");
    EXPECT_TRUE(CheckLayout(layout).empty());
}

TEST_F(LayoutFileTest, AnElementIsItsKindAndItsNameByteForByte) {
    QslLayoutElement t1 = Text("t1", "one");
    StoreLayoutElement(file_, t1);
    t1.text = "two";
    StoreLayoutElement(file_, t1);
    EXPECT_EQ(size(), 564);
    EXPECT_EQ(ReadLayoutElements(file_)[0].text, "two");
    StoreLayoutElement(file_, Text("T1")); // another name
    QslLayoutElement line = Text("t1");
    line.kind = QslLayoutElement::Line;
    StoreLayoutElement(file_, line);       // another kind
    EXPECT_EQ(size(), 3 * 564);

    // Deleting keeps the element's other bytes; an absent one appends.
    t1.x1 = 42;
    StoreLayoutElement(file_, t1);
    DeleteLayoutElement(file_, QslLayoutElement::Text, "t1");
    auto all = ReadLayoutElements(file_);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].kind, QslLayoutElement::Text);
    EXPECT_EQ(all[0].visible, 0);
    EXPECT_EQ(all[0].name, "");
    EXPECT_EQ(all[0].x1, 42);
    EXPECT_EQ(all[0].text, "two");
    EXPECT_TRUE(IsDeletedLayoutElement(all[0]));
    EXPECT_EQ(LayoutElementNames(all, QslLayoutElement::Text), QStringList{"T1"});
    DeleteLayoutElement(file_, QslLayoutElement::Line, "absent");
    all = ReadLayoutElements(file_);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_TRUE(IsDeletedLayoutElement(all[3]));
    EXPECT_EQ(all[2].kind, QslLayoutElement::Line); // the line "t1" stays
}

TEST_F(LayoutFileTest, OfTwoElementsOfOneIdentityStoringReplacesTheFirst) {
    QslLayoutElement x = Shape(ShapeRectangle, 1, 1, 2, 2);
    x.name = "x";
    WriteAllBytes(file_, EncodeRecord(x) + EncodeRecord(x));
    x.x1 = 99;
    StoreLayoutElement(file_, x);
    const auto all = ReadLayoutElements(file_);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].x1, 99);
    EXPECT_EQ(all[1].x1, 1);
}

TEST_F(LayoutFileTest, AMissingLayoutIsTheMissingFileMessageAndIsNeverCreated) {
    const QString missing = path("qsl/5qsl.qsl");
    for (const auto &op : std::vector<std::function<void()>>{
             [&] { ReadLayout(missing); }, [&] { StoreLayoutElement(missing, Text("a")); },
             [&] { DeleteLayoutElement(missing, 1, "a"); }}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const IoError &e) {
            EXPECT_EQ(e.text(), MissingFileText(" 5qsl.qsl"));
        }
    }
    EXPECT_FALSE(QFile::exists(missing));
}

TEST_F(LayoutFileTest, TheCurrentLayoutIsFoundWhateverTheCaseOfItsName) {
    QslLayoutPath.clear();
    EXPECT_EQ(CurrentLayoutPath(), "");
    QslLayoutPath = ProgramDir + "/qsl/1QSL.qsl";
    EXPECT_EQ(CurrentLayoutPath(), file_);
    QslLayoutPath.clear();
}

TEST(LayoutFieldCommands, NameTheCardsDataOrPrintTheStoredText) {
    StationProfile.call = "QQ0ZZZ";
    StationProfile.nameCyrillic = "Иван";
    StationProfile.nameLatin = "Ivan";
    QslCardData one;
    one.call = "UA3ABC";
    one.op = "Petr";
    one.via = "DL1XX";
    one.status = "П";
    one.dates = {"24.dec.2001"};
    one.times = {"12:00"};
    one.modes = {"CW"};
    one.bands = {"14  Mhz"};
    one.rsts = {"599"};
    const std::pair<const char *, std::optional<QString>> cases[] = {
        {"call", "UA3ABC"}, {"op", "Petr"}, {"via", "DL1XX"}, {"qsl_status", "TNX QSL"},
        {"r_call", "QQ0ZZZ"}, {"r_name_r", "Иван"}, {"r_name_e", "Ivan"},
        {"date1", "24.dec.2001"}, {"utc1", "12:00"}, {"mode1", "CW"}, {"band1", "14  Mhz"}, {"rst1", "599"},
        {"date3", ""}, {"date11", ""}, {"rst11", ""},
        // no commands: the element's own text prints
        {"date12", std::nullopt}, {"date01", std::nullopt}, {"date0", std::nullopt}, {"Call", std::nullopt},
        {"DATE1", std::nullopt}, {"date", std::nullopt}, {"date1x", std::nullopt}, {"calls", std::nullopt},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(ResolveLayoutFieldCommand(QString::fromUtf8(name), one), expected) << name;
    one.status = "О";
    EXPECT_EQ(ResolveLayoutFieldCommand("qsl_status", one), "PSE QSL");

    QslCardData twelve = one;
    for (int n = 2; n <= 12; ++n) twelve.dates << QStringLiteral("d%1").arg(n);
    EXPECT_EQ(ResolveLayoutFieldCommand("date12", twelve), "d12");
    EXPECT_EQ(ResolveLayoutFieldCommand("date13", twelve), std::nullopt);
    StationProfile = {};
}

TEST(LayoutCheck, ReportsUnknownKindsAndShapesAndNearMissCommands) {
    QslLayout layout;
    auto add = [&](QslLayoutElement e) { layout.elements.push_back(e); };
    add(Text("call"));
    add(Text("date12"));
    add(Text("Call", "Call:")); // has text: a label, not a miss
    QslLayoutElement hidden = Text("Call");
    hidden.visible = 0;
    add(hidden);
    add(Text("Call"));   // 4
    add(Text("DATE1"));  // 5
    add(Text("date01")); // 6
    add(Text("date0"));  // 7
    add(Text("R_CALL")); // 8
    QslLayoutElement odd = Text("");
    odd.kind = 7;
    add(odd);            // 9
    add(Shape("Круг", 0, 0, 5, 5)); // 10
    add(Shape(ShapeEllipse, 0, 0, 5, 5));
    std::vector<std::pair<LayoutProblem::Kind, int>> found;
    for (const LayoutProblem &p : CheckLayout(layout)) {
        found.emplace_back(p.kind, p.element);
        EXPECT_FALSE(p.text().isEmpty());
    }
    const std::vector<std::pair<LayoutProblem::Kind, int>> expected = {
        {LayoutProblem::NearMissCommand, 4}, {LayoutProblem::NearMissCommand, 5}, {LayoutProblem::NearMissCommand, 6},
        {LayoutProblem::NearMissCommand, 7}, {LayoutProblem::NearMissCommand, 8}, {LayoutProblem::UnknownKind, 9},
        {LayoutProblem::UnknownShape, 10},
    };
    EXPECT_EQ(found, expected);
    EXPECT_EQ(HighestNumberedCommand(layout.elements), 12);
}

namespace {
const RecordingCanvas::Op &Only(const RecordingCanvas &c) {
    EXPECT_EQ(c.ops.size(), 1u);
    return c.ops.back();
}
} // namespace

TEST(LayoutPainters, MapLayoutUnitsToThePrinterAndToThePreview) {
    const QslCardData card;
    QslLayoutElement text = Text("t", "Hello");
    text.x1 = 10, text.y1 = 20;
    text.fontName = "Arial";
    text.fontSize = 12;
    text.fontStyle = 1 | 8;
    text.fontColour = 0x00FF00;
    text.brushColour = 0x123456;
    QslLayoutElement round = Shape(ShapeRoundRectangle, 10, 20, 100, 60);
    round.corner = 36;

    // 600 dpi, origin 120 across and 240 down (entries 20 and 19).
    RecordingCanvas c600(600, 600);
    const auto kept = QslPositionTable;
    QslPositionTable[20] = 120;
    QslPositionTable[19] = 240;
    const LayoutMapping paper = LayoutMapping::Printer(c600);
    QslPositionTable = kept;
    PrintLayoutElement(text, c600, paper, card);
    const auto &t = Only(c600);
    EXPECT_EQ(std::make_pair(t.x1, t.y1), std::make_pair(320, 640));
    EXPECT_EQ(t.text, "Hello");
    EXPECT_EQ(t.font.size, 10);
    EXPECT_EQ(t.font.name, "Arial");
    EXPECT_TRUE(t.font.bold);
    EXPECT_TRUE(t.font.strikeOut);
    EXPECT_FALSE(t.font.italic);
    EXPECT_EQ(t.font.colour, 0x00FF00u);
    EXPECT_EQ(t.brush, (PrintBrush{BrushStyle::Solid, 0x123456}));
    c600.ops.clear();
    PrintLayoutElement(round, c600, paper, card);
    const auto &r = Only(c600);
    EXPECT_EQ(r.kind, RecordingCanvas::Op::RoundRect);
    EXPECT_EQ(std::make_tuple(r.x1, r.y1, r.ew, r.eh), std::make_tuple(320, 640, 60, 60));

    // 300 dpi: the corner halves to even.
    for (const auto &[corner, pixels] : {std::pair{3, 2}, {9, 8}}) {
        RecordingCanvas c300(300, 300);
        round.corner = corner;
        PrintLayoutShape(round, c300, LayoutMapping::Printer(300, 300, 0, 0));
        EXPECT_EQ(Only(c300).ew, pixels) << corner;
    }

    // The preview: 4 pixels a unit, the corner in pixels, the stored size.
    RecordingCanvas screen(96, 96);
    round.corner = 36;
    PrintLayoutElement(text, screen, LayoutMapping::Preview(), card);
    PrintLayoutElement(round, screen, LayoutMapping::Preview(), card);
    ASSERT_EQ(screen.ops.size(), 2u);
    EXPECT_EQ(std::make_pair(screen.ops[0].x1, screen.ops[0].y1), std::make_pair(40, 80));
    EXPECT_EQ(screen.ops[0].font.size, 12);
    EXPECT_EQ(std::make_tuple(screen.ops[1].x1, screen.ops[1].y1, screen.ops[1].x2, screen.ops[1].y2, screen.ops[1].ew),
              std::make_tuple(40, 80, 400, 240, 36));
}

TEST(LayoutPainters, DrawPensBrushesAndFieldsAsStoredAndSkipWhatIsNotDrawn) {
    QslCardData card;
    card.call = "UA3ABC";
    const LayoutMapping m = LayoutMapping::Preview();
    RecordingCanvas c(96, 96);

    QslLayoutElement line;
    line.kind = QslLayoutElement::Line;
    line.penStyle = 3;
    line.penColour = 0x0000FF;
    line.penWidth = 0; // prints as 1
    PrintLayoutElement(line, c, m, card);
    EXPECT_EQ(Only(c).pen, (PrintPen{1, PenStyle::DashDot, 0x0000FF}));
    c.ops.clear();

    QslLayoutElement ellipse = Shape(ShapeEllipse, 30, 30, 10, 10); // corners in either order
    ellipse.brushStyle = 4;
    ellipse.brushColour = 0xFF0000;
    PrintLayoutElement(ellipse, c, m, card);
    const auto &e = Only(c);
    EXPECT_EQ(e.kind, RecordingCanvas::Op::Ellipse);
    EXPECT_EQ(std::make_tuple(e.x1, e.y1, e.x2, e.y2), std::make_tuple(40, 40, 120, 120));
    EXPECT_EQ(e.brush, (PrintBrush{BrushStyle::FDiagonal, 0xFF0000}));
    c.ops.clear();

    QslLayoutElement call = Text("call", "stored");
    call.fontSize = 2;
    PrintLayoutElement(call, c, LayoutMapping::Printer(360, 360, 0, 0), card);
    EXPECT_EQ(Only(c).text, "UA3ABC");
    EXPECT_EQ(Only(c).font.size, 1); // 2 - 2 points: never below 1
    c.ops.clear();

    QslLayoutElement hidden = Text("t", "x");
    hidden.visible = 2;
    QslLayoutElement circle = Shape("Круг", 0, 0, 5, 5);
    QslLayoutElement other = Text("t", "x");
    other.kind = 4;
    for (const auto &skipped : {hidden, circle, other}) PrintLayoutElement(skipped, c, m, card);
    EXPECT_TRUE(c.ops.empty());
}
