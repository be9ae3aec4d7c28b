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
