// Draws the program's icon (a mast sending waves over a log page) into the
// PNG file named on the command line; the build runs it for the install.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

int main(int argc, char **argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zelmor_icon <file.png> [size]\n");
        return 2;
    }
    const int size = argc > 2 ? std::atoi(argv[2]) : 128;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);

    // The tile.
    QLinearGradient sky(0, 0, 0, 128);
    sky.setColorAt(0, QColor(0x1d, 0x4e, 0x89));
    sky.setColorAt(1, QColor(0x0b, 0x25, 0x48));
    p.setPen(Qt::NoPen);
    p.setBrush(sky);
    p.drawRoundedRect(QRectF(4, 4, 120, 120), 22, 22);

    // The log page, lines of QSOs.
    p.setBrush(QColor(0xf4, 0xef, 0xdc));
    p.drawRoundedRect(QRectF(58, 58, 54, 56), 5, 5);
    p.setPen(QPen(QColor(0x5a, 0x6b, 0x80), 3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 5; ++i) p.drawLine(QPointF(66, 70 + i * 9), QPointF(i % 2 ? 94 : 104, 70 + i * 9));

    // The mast.
    p.setPen(QPen(QColor(0xff, 0xd1, 0x4a), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(36, 30), QPointF(36, 112));
    p.drawLine(QPointF(36, 44), QPointF(22, 112));
    p.drawLine(QPointF(36, 44), QPointF(50, 112));
    p.drawLine(QPointF(27, 88), QPointF(45, 88));
    p.setBrush(QColor(0xff, 0xd1, 0x4a));
    p.drawEllipse(QPointF(36, 28), 5, 5);

    // The waves.
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 3; ++i) {
        const double r = 10.0 + i * 10.0;
        const QColor c(0xff, 0xff, 0xff, 255 - i * 55);
        p.setPen(QPen(c, 4, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(36 - r, 28 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
    p.end();
    return img.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
