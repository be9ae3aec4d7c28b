// The paged grid listing on a recording canvas at 360 dpi, where pixels are
// printing units, and once through the real PDF output.
#include "common/printunits.h"
#include "logtools/gridlisting.h"
#include "tests/testsupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

using namespace zelmor;
using namespace zelmor::test;

namespace {
using Op = RecordingCanvas::Op;

// Columns of 100 screen pixels; row 0 the headings "H0", "H1", ...; data
// rows "r<row>c<col>".
ListingGrid Grid(int columns, int dataRows, std::vector<int> widths = {}) {
    ListingGrid g;
    g.widths = widths.empty() ? std::vector<int>(size_t(columns), 100) : widths;
    g.rowCount = dataRows + 1;
    g.cell = [](int col, int row) {
        return row == 0 ? QStringLiteral("H%1").arg(col) : QStringLiteral("r%1c%2").arg(row).arg(col);
    };
    return g;
}

class GridListingTest : public ProgramFolderTest {
protected:
    const RecordingCanvas &print(const ListingGrid &g, const QStringList &heading = {"L1", "L2"}) {
        EXPECT_TRUE(PrintGridListing("listing", 100, 100, true, heading, g, 60));
        return *test::Printer().last();
    }
    static std::vector<Op> lines(const RecordingCanvas &c, int page) {
        std::vector<Op> out;
        for (const Op &op : c.ops)
            if (op.kind == Op::Line && op.page == page) out.push_back(op);
        return out;
    }
    static std::vector<int> dataRowsOf(const RecordingCanvas &c, int page) {
        std::vector<int> rows;
        for (const Op &t : c.texts(page))
            if (t.text.endsWith("c0") && t.text.startsWith('r')) rows.push_back(t.text.mid(1).chopped(2).toInt());
        return rows;
    }
};
} // namespace

TEST_F(GridListingTest, HeadingPagesAndRules) {
    const RecordingCanvas &c = print(Grid(3, 130));
    EXPECT_FALSE(c.landscape);
    EXPECT_TRUE(c.ended);
    ASSERT_EQ(c.pages, 3);

    const Op *l1 = c.findText("L1");
    const Op *l2 = c.findText("L2");
    ASSERT_TRUE(l1 && l2);
    EXPECT_EQ(std::make_pair(l1->x1, l1->y1), std::make_pair(100, 100));
    EXPECT_EQ(std::make_pair(l2->x1, l2->y1), std::make_pair(100, 168));
    EXPECT_EQ(l2->font, (PrintFont{"times new roman", 12, true}));

    // 59, 63 and 8 data rows, in order, with the headings on every page.
    EXPECT_EQ(dataRowsOf(c, 0).size(), 59u);
    EXPECT_EQ(dataRowsOf(c, 1).size(), 63u);
    EXPECT_EQ(dataRowsOf(c, 2).size(), 8u);
    EXPECT_EQ(dataRowsOf(c, 1).front(), 60);
    EXPECT_EQ(dataRowsOf(c, 2).back(), 130);
    for (int page = 0; page < 3; ++page) {
        int headings = 0;
        for (const Op &t : c.texts(page)) headings += t.text.startsWith('H');
        EXPECT_EQ(headings, 3) << page;
    }

    const Op *h0 = c.findText("H0");
    ASSERT_TRUE(h0);
    EXPECT_EQ(std::make_pair(h0->x1, h0->y1), std::make_pair(120, 309));
    const Op *r1 = c.findText("r1c1");
    ASSERT_TRUE(r1);
    EXPECT_EQ(std::make_pair(r1->x1, r1->y1), std::make_pair(620, 369));

    const Op *number = c.findText("страница № 1");
    ASSERT_TRUE(number);
    EXPECT_EQ(std::make_pair(number->x1, number->y1), std::make_pair(2300, 20));
    EXPECT_EQ(number->font, (PrintFont{"times new roman", 8, true}));
    EXPECT_TRUE(c.findText("страница № 3"));

    // Page 1: the table from 304 to 3904, verticals at every column edge.
    std::vector<int> verticals;
    std::vector<Op> horizontals;
    for (const Op &l : lines(c, 0)) {
        if (l.x1 == l.x2) {
            verticals.push_back(l.x1);
            EXPECT_EQ(std::make_pair(l.y1, l.y2), std::make_pair(304, 3904));
        } else {
            horizontals.push_back(l);
        }
    }
    EXPECT_EQ(verticals, (std::vector<int>{100, 600, 1100, 1600}));
    // The top, under the headings, then one under each of the 59 rows.
    ASSERT_EQ(horizontals.size(), 61u);
    EXPECT_EQ(horizontals.front().y1, 304);
    EXPECT_EQ(horizontals[1].y1, 364);
    EXPECT_EQ(horizontals[1].pen.style, PenStyle::Solid);
    EXPECT_EQ(horizontals[2].pen.style, PenStyle::Dot);
    EXPECT_EQ(horizontals[59].pen.style, PenStyle::Dot);
    EXPECT_EQ(horizontals.back().pen.style, PenStyle::Solid);
    EXPECT_EQ(horizontals.back().y1, 3904);
    EXPECT_EQ(std::make_pair(horizontals.back().x1, horizontals.back().x2), std::make_pair(100, 1600));
    EXPECT_EQ(lines(c, 2).back().pen.style, PenStyle::Solid);
    EXPECT_EQ(lines(c, 1).front().y1, 100); // later pages start at the top
}

TEST_F(GridListingTest, CellsAreCutToTheColumnWidth) {
    ListingGrid g = Grid(2, 1, {100, 2});
    g.cell = [](int col, int row) {
        if (row == 0) return col ? QStringLiteral("hidden") : QStringLiteral("Страна");
        return QStringLiteral("Tristan da Cunha & Gough Islands");
    };
    const RecordingCanvas &c = print(g);
    EXPECT_TRUE(c.findText("Tristan da Cunha & G"));
    EXPECT_FALSE(c.findText("hidden")); // a column of 2 pixels or less prints no heading
    EXPECT_TRUE(c.findText("Страна"));
}

TEST_F(GridListingTest, OrientationAndPageNumberPlace) {
    struct Case {
        std::vector<int> widths;
        bool landscape;
        int numberX;
    };
    const Case cases[] = {
        {std::vector<int>(6, 100), true, 3500}, // total 3100
        {{520}, false, 2300},                   // total exactly 2700
        {{521}, true, 3500},                    // 2705
    };
    for (const Case &k : cases) {
        const RecordingCanvas &c = print(Grid(int(k.widths.size()), 3, k.widths));
        EXPECT_EQ(c.landscape, k.landscape) << k.widths.size();
        const Op *number = c.findText("страница № 1");
        ASSERT_TRUE(number);
        EXPECT_EQ(number->x1, k.numberX);
    }
    // A landscape page ends at 2700: one row of heading lines less room.
    const RecordingCanvas &wide = print(Grid(6, 130));
    EXPECT_EQ(dataRowsOf(wide, 0).size(), 39u); // 304 + 40 rows of 60 reaches 2704
}

TEST_F(GridListingTest, WithoutPageNumbersAndWithoutRows) {
    ASSERT_TRUE(PrintGridListing("listing", 100, 100, false, {"L1"}, Grid(3, 0), 60));
    const RecordingCanvas &c = *test::Printer().last();
    EXPECT_EQ(c.pages, 1);
    EXPECT_FALSE(c.findText("страница № 1"));
    EXPECT_TRUE(c.findText("H2"));
}

TEST_F(GridListingTest, HeadingLinesPastThePageBottomStillPrintEveryRow) {
    QStringList heading;
    for (int i = 0; i < 60; ++i) heading << QStringLiteral("line %1").arg(i);
    const RecordingCanvas &c = print(Grid(3, 3), heading); // the table would start at 4248
    // The first page takes one row all the same, the next page the rest.
    EXPECT_EQ(c.pages, 2);
    EXPECT_EQ(dataRowsOf(c, 0), std::vector<int>{1});
    EXPECT_EQ(dataRowsOf(c, 1), (std::vector<int>{2, 3}));
}

TEST_F(GridListingTest, PrinterScale) {
    const PrinterScale fine = PrinterScale::FromDpi(600, 600);
    EXPECT_EQ(fine.x(408), 680);
    const PrinterScale coarse = PrinterScale::FromDpi(300, 300);
    EXPECT_EQ(coarse.x(3), 2); // 2.5: halves go to the even neighbour
    EXPECT_EQ(coarse.y(9), 8); // 7.5
    test::Printer().dpiX = test::Printer().dpiY = 600;
    const RecordingCanvas &c = print(Grid(3, 2));
    const Op *l2 = c.findText("L2");
    ASSERT_TRUE(l2);
    EXPECT_EQ(std::make_pair(l2->x1, l2->y1), std::make_pair(167, 280));
}

TEST_F(GridListingTest, RealPdf) {
    SystemPrinter real;
    real.forcePdfFolder(path("print"));
    platform::install(&real);
    const bool printed = PrintGridListing("dxcc", 100, 100, true, {"L1", "L2"}, Grid(3, 130), 60);
    platform::install(&test::Printer());
    ASSERT_TRUE(printed);
    const QString pdf = path("print/dxcc-1.pdf");
    ASSERT_TRUE(QFile::exists(pdf));
    QProcess info;
    info.start("pdfinfo", {pdf});
    ASSERT_TRUE(info.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression("Pages:\\s+3\\b")));
    QProcess text;
    text.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString out = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(out.contains("страница № 1")) << out.left(300).toStdString();
    EXPECT_TRUE(out.contains("r130c2"));
}
