// The QPainter canvas keeps the GDI conventions the reports are written in.
#include "platform/printer.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace zelmor;

namespace {
// The bounding box of the non-white pixels.
QRect Ink(const QImage &img) {
    QRect box;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
    return box;
}
} // namespace

TEST(PainterCanvas, TextIsPlacedByItsTopLeftCorner) {
    ImageCanvas c(360, 800, 400);
    PrintFont f;
    f.name = "DejaVu Sans";
    f.size = 20;
    c.setFont(f);
    c.text(100, 100, "HHH");
    ASSERT_TRUE(c.end());
    const QRect ink = Ink(c.pages().front());
    ASSERT_FALSE(ink.isNull());
    EXPECT_GE(ink.top(), 100);                       // below the point, not above a baseline there
    EXPECT_LT(ink.top(), 100 + c.textHeight() / 3);  // and not far below it
    EXPECT_GE(ink.left(), 100);
    EXPECT_LT(ink.left(), 100 + c.textHeight() / 4);
}

TEST(PainterCanvas, RectanglesLeaveOutTheirRightAndBottomEdge) {
    ImageCanvas c(96, 100, 100);
    PrintPen pen;
    pen.width = 1;
    c.setPen(pen);
    c.rectangle(20, 30, 40, 60);
    ASSERT_TRUE(c.end());
    EXPECT_EQ(Ink(c.pages().front()), QRect(QPoint(20, 30), QPoint(39, 59)));
}

TEST(PainterCanvas, NewPageAddsAPage) {
    ImageCanvas c(96, 50, 50);
    c.line(0, 0, 10, 10);
    c.newPage();
    c.newPage();
    ASSERT_TRUE(c.end());
    ASSERT_EQ(c.pages().size(), 3u);
    EXPECT_FALSE(Ink(c.pages()[0]).isNull());
    EXPECT_TRUE(Ink(c.pages()[2]).isNull());
    EXPECT_EQ(c.dpiX(), 96);
}

// The background mode follows the brush, as the layouts' text elements
// expect: their background colour shows behind the text.
TEST(PainterCanvas, TextStandsOnTheBrushColourUnlessTheBrushIsClear) {
    for (const BrushStyle style : {BrushStyle::Solid, BrushStyle::Clear}) {
        ImageCanvas c(96, 200, 60);
        PrintFont f;
        f.name = "DejaVu Sans";
        f.size = 14;
        c.setFont(f);
        c.setBrush({style, 0x0000FF}); // red
        c.text(10, 10, "_");
        ASSERT_TRUE(c.end());
        const QRgb ground = c.pages().front().pixel(11, 11); // above the underscore, inside its cell
        EXPECT_EQ(ground == qRgb(255, 0, 0), style == BrushStyle::Solid);
        EXPECT_EQ(c.pages().front().pixel(11, 5), qRgb(255, 255, 255)); // above the cell
    }
}

// The forward diagonal runs down from left to right, as the Windows hatch of
// that name; the backward one up.
TEST(PainterCanvas, DiagonalHatchesRunAsWindowsDrawsThem) {
    auto hatch = [](BrushStyle style) {
        ImageCanvas c(96, 8, 8);
        c.setPen({1, PenStyle::None, 0});
        c.setBrush({style, 0});
        c.rectangle(0, 0, 8, 8);
        EXPECT_TRUE(c.end());
        return c.pages().front();
    };
    const QImage forward = hatch(BrushStyle::FDiagonal), backward = hatch(BrushStyle::BDiagonal);
    EXPECT_LT(qGray(forward.pixel(2, 2)), 128);
    EXPECT_LT(qGray(forward.pixel(3, 3)), 128);
    EXPECT_GT(qGray(forward.pixel(3, 2)), 128);
    EXPECT_LT(qGray(backward.pixel(5, 2)), 128);
    EXPECT_LT(qGray(backward.pixel(4, 3)), 128);
    EXPECT_GT(qGray(backward.pixel(3, 3)), 128);
}
