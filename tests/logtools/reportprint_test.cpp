// The listings and applications on a recording canvas at 360 dpi, where
// pixels are the printing units, and one real PDF.
#include "common/recordfile.h"
#include "logbook/settingsstore.h"
#include "logtools/reportprint.h"
#include "logtools/searchsettings.h"
#include "tests/testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace zelmor;
using namespace zelmor::test;

namespace {
using Op = RecordingCanvas::Op;

// A search grid of `rows` QSOs: number, call "C<n>", country "Japan".
struct Grid {
    std::vector<QStringList> rows; // row 1 = rows[0]
    GridCell cell() const {
        return [this](int col, int row) {
            if (row < 1 || row > int(rows.size())) return QString();
            return rows[size_t(row - 1)].value(col);
        };
    }
    QStringList &add(const QString &mode = "SSB", const QString &country = "Japan") {
        QStringList r(24);
        const int n = int(rows.size()) + 1;
        r[0] = QString::number(n);
        r[1] = QStringLiteral("C%1").arg(n);
        r[2] = "Ivan";
        r[3] = "Moscow";
        r[4] = "15.04.2003";
        r[5] = "12:00";
        r[6] = "14  Mhz";
        r[7] = mode;
        r[8] = "59";
        r[9] = "57";
        r[10] = QString::number(n * 10);
        r[12] = "25";
        r[13] = "45";
        r[14] = country;
        rows.push_back(r);
        return rows.back();
    }
};

class ReportPrintTest : public ProgramFolderTest {
protected:
    void SetUp() override {
        ProgramFolderTest::SetUp();
        WriteReportFont("arial", "9", "0");
        head_.ownCall = "UA3ABC";
        head_.nameLatin = "Ivan";
        head_.logPath = "test.log";
        head_.launcherCaption = "ZELMOR 5.02";
        head_.awardName = "Award";
        head_.certifier = "R3AA";
    }
    const RecordingCanvas &last() const { return *test::Printer().last(); }
    static bool At(const Op *op, int page, int x, int y) { return op && op->page == page && op->x1 == x && op->y1 == y; }
    ReportHead head_;
};
} // namespace

TEST_F(ReportPrintTest, Listing2PageHead) {
    Grid g;
    g.add();
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    ASSERT_EQ(test::Printer().jobs.size(), 1u);
    const RecordingCanvas &c = last();
    EXPECT_TRUE(c.ended);
    EXPECT_EQ(c.pages, 1);

    std::vector<int> verticals;
    std::vector<std::pair<int, PenStyle>> rowLines;
    bool frame = false;
    for (const Op &op : c.ops) {
        if (op.kind == Op::Rectangle && op.x1 == 100 && op.y1 == 200 && op.x2 == 2800 && op.y2 == 3900) frame = true;
        if (op.kind == Op::Line && op.x1 == op.x2) verticals.push_back(op.x1);
        if (op.kind == Op::Line && op.y1 == op.y2) rowLines.push_back({op.y1, op.pen.style});
    }
    EXPECT_TRUE(frame);
    EXPECT_EQ(verticals, (std::vector<int>{250, 480, 850, 1150, 1450, 1650, 1850, 2200, 2600, 2800}));
    ASSERT_EQ(rowLines.size(), 50u);
    EXPECT_EQ(rowLines[0], std::make_pair(400, PenStyle::Solid));
    EXPECT_EQ(rowLines[1], std::make_pair(470, PenStyle::Dot));
    EXPECT_EQ(rowLines[49], std::make_pair(3830, PenStyle::Dot));

    EXPECT_TRUE(At(c.findText("UTC"), 0, 270, 210));
    EXPECT_TRUE(At(c.findText("Очки"), 0, 2620, 210));
    EXPECT_EQ(c.findText("UTC")->font.size, 11);
    const Op *title = c.findText("Распечатка QSOs р.с.UA3ABC Файл-test.log");
    ASSERT_TRUE(At(title, 0, 150, 50));
    EXPECT_EQ(title->font.size, 14);
    EXPECT_EQ(title->font.name, "arial");
    const Op *footer = c.findText("Print: \"ZELMOR 5.02\"");
    ASSERT_TRUE(At(footer, 0, 100, 3920));
    EXPECT_EQ(footer->font.size, 6);
    // The row in the report font.
    const Op *call = c.findText("C1");
    ASSERT_TRUE(At(call, 0, 500, 408));
    EXPECT_EQ(call->font.size, 9);
    EXPECT_TRUE(At(c.findText("15.04.2003"), 0, 870, 408));
}

TEST_F(ReportPrintTest, ListingPageBreaks) {
    Grid g;
    for (int i = 0; i < 51; ++i) g.add();
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    EXPECT_EQ(last().pages, 2);
    EXPECT_TRUE(At(last().findText("C50"), 0, 500, 3838));
    EXPECT_TRUE(At(last().findText("C51"), 1, 500, 408));
    EXPECT_EQ(last().texts(1).front().text, "№"); // page 2 has its head

    Grid three;
    for (int i = 0; i < 26; ++i) three.add()[11] = "a\r\nb";
    ASSERT_TRUE(PrintQsoListing3(three.cell(), head_));
    EXPECT_TRUE(At(last().findText("C25"), 0, 500, 408 + 24 * 140));
    EXPECT_TRUE(At(last().findText("C26"), 1, 500, 408));
    const auto page2 = last().texts(1);
    EXPECT_TRUE(std::any_of(page2.begin(), page2.end(), [](const Op &op) {
        return op.text == "a  b" && op.x1 == 120 && op.y1 == 478;
    }));
}

TEST_F(ReportPrintTest, Listing1Groups) {
    Grid g;
    g.add("SSB");
    g.add("SSB");
    g.add("CW");
    ASSERT_TRUE(PrintQsoListing1(g.cell(), head_));
    const RecordingCanvas &c = last();
    const Op *ssb = c.findText("15.04.2003 --- 14  Mhz --- SSB");
    ASSERT_TRUE(At(ssb, 0, 1000, 408));
    EXPECT_TRUE(ssb->font.bold);
    EXPECT_TRUE(At(c.findText("15.04.2003 --- 14  Mhz --- CW"), 0, 1000, 618));
    EXPECT_TRUE(std::any_of(c.ops.begin(), c.ops.end(), [](const Op &op) {
        return op.kind == Op::Rectangle && op.x1 == 100 && op.y1 == 398 && op.x2 == 2800 && op.y2 == 468;
    }));
    std::vector<int> countryRows;
    for (const Op &op : c.texts())
        if (op.text == "Japan") {
            EXPECT_EQ(op.x1, 1870);
            EXPECT_FALSE(op.font.bold);
            countryRows.push_back(op.y1);
        }
    EXPECT_EQ(countryRows, (std::vector<int>{478, 688}));
    EXPECT_TRUE(At(c.findText("10"), 0, 2620, 478)); // the points under "Очки"

    // A group heading that would start below 3820 moves to the next page with its row.
    Grid full;
    for (int i = 0; i < 48; ++i) full.add("SSB");
    full.add("CW");
    ASSERT_TRUE(PrintQsoListing1(full.cell(), head_));
    EXPECT_EQ(last().pages, 2);
    EXPECT_TRUE(At(last().findText("15.04.2003 --- 14  Mhz --- CW"), 1, 1000, 408));
    EXPECT_TRUE(At(last().findText("C49"), 1, 500, 478));
}

TEST_F(ReportPrintTest, DeletedRowsAreNotPrintedNorCounted) {
    Grid g;
    g.add();
    g.add()[22] = "Delet";
    g.add();
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    EXPECT_EQ(last().findText("C2"), nullptr);
    EXPECT_TRUE(At(last().findText("C3"), 0, 500, 478));

    ASSERT_TRUE(PrintApplicationForm(g.cell(), head_));
    EXPECT_EQ(last().findText("C2"), nullptr);
    EXPECT_TRUE(At(last().findText("C3"), 0, 340, 880));
    EXPECT_TRUE(At(last().findText("2"), 0, 140, 880)); // the second printed row is number 2
    EXPECT_EQ(last().findText("3"), nullptr);
}

TEST_F(ReportPrintTest, ApplicationForm) {
    Grid g;
    for (int i = 0; i < 41; ++i) g.add();
    ASSERT_TRUE(PrintApplicationForm(g.cell(), head_));
    const RecordingCanvas &c = last();
    EXPECT_EQ(c.pages, 2);
    EXPECT_TRUE(At(c.findText("41"), 1, 140, 810));
    EXPECT_TRUE(At(c.findText("C41"), 1, 340, 810));
    EXPECT_TRUE(At(c.findText("C40"), 0, 340, 810 + 39 * 70));
    const Op *name = c.findText(" \"Award\" ");
    ASSERT_TRUE(At(name, 0, 800, 200));
    EXPECT_EQ(name->font.size, 21);
    EXPECT_TRUE(name->font.bold);
    EXPECT_TRUE(At(c.findText("APPLICATION"), 0, 1200, 100));
    EXPECT_TRUE(At(c.findText("UA3ABC        Ivan"), 0, 500, 370));
    EXPECT_TRUE(At(c.findText("  ........................  R3AA"), 0, 300, 3800));
    EXPECT_TRUE(std::any_of(c.ops.begin(), c.ops.end(), [](const Op &op) {
        return op.kind == Op::Rectangle && op.x1 == 100 && op.y1 == 600 && op.x2 == 2800 && op.y2 == 3600;
    }));
}

TEST_F(ReportPrintTest, AwardApplicationIncludesTheTotalsRow) {
    Grid g;
    for (int i = 0; i < 41; ++i) g.add();
    g.add()[0] = "Итого:";
    head_.applicationFont = "times new roman";
    ASSERT_TRUE(awardred(g.cell(), head_, 7));
    const RecordingCanvas &c = last();
    EXPECT_EQ(c.pages, 2);
    EXPECT_TRUE(At(c.findText("C40"), 0, 340, 3540));
    EXPECT_TRUE(At(c.findText("C41"), 1, 340, 810));
    EXPECT_TRUE(At(c.findText("Итого:"), 1, 140, 880));
    const Op *title = c.findText("Заявка на диплом.");
    ASSERT_TRUE(At(title, 0, 1200, 100));
    EXPECT_EQ(title->font.name, "times new roman");
    EXPECT_EQ(title->font.size, 16);
    EXPECT_TRUE(At(c.findText("\" Award \""), 0, 800, 200));
    EXPECT_EQ(c.findText("C41")->font.size, 9);
    EXPECT_EQ(c.findText("C41")->font.name, "arial"); // the frame left the report font
}

TEST_F(ReportPrintTest, AFontThatIsNotANumberStopsBeforeTheJob) {
    Grid g;
    g.add();
    for (auto [size, colour] : {std::pair{"nine", "0"}, std::pair{"9", "red"}}) {
        test::Dialogs().calls.clear();
        WriteReportFont("arial", size, colour);
        EXPECT_FALSE(PrintQsoListing2(g.cell(), head_));
        EXPECT_TRUE(test::Printer().jobs.empty());
        ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    }
}

TEST_F(ReportPrintTest, PrintsAtThePrintersResolution) {
    test::Printer().dpiX = 600;
    test::Printer().dpiY = 300;
    Grid g;
    g.add();
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    EXPECT_TRUE(At(last().findText("C1"), 0, 833, 340)); // (500, 408) * (600, 300) / 360
}

TEST_F(ReportPrintTest, RealPdf) {
    SystemPrinter real;
    real.forcePdfFolder(path("print"));
    platform::install(&real);
    Grid g;
    for (int i = 0; i < 51; ++i) g.add();
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    ASSERT_TRUE(PrintQsoListing2(g.cell(), head_));
    platform::install(&test::Printer());
    const QString pdf = path("print/listing2-1.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(QFile::exists(path("print/listing2-2.pdf"))); // never overwritten
    EXPECT_FALSE(QFile::exists(pdf + ".part"));
    const auto boxes = test::Dialogs().messages();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].text.contains("listing2-1.pdf"));

    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+2\\b")));
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains("Распечатка QSOs р.с.UA3ABC")) << out.left(300).toStdString();
    EXPECT_TRUE(out.contains("C1"));
    EXPECT_TRUE(out.contains("C51"));
}

TEST_F(ReportPrintTest, UnwritablePdfFolderGivesTheReasonAndNoFile) {
    RecordIO::Touch(path("plainfile"));
    SystemPrinter real;
    real.forcePdfFolder(path("plainfile/print"));
    platform::install(&real);
    Grid g;
    g.add();
    EXPECT_FALSE(PrintQsoListing2(g.cell(), head_));
    platform::install(&test::Printer());
    ASSERT_EQ(test::Dialogs().messages().size(), 1u);
    EXPECT_TRUE(test::Dialogs().messages()[0].text.contains("plainfile"));
}
