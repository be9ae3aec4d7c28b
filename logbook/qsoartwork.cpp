#include "logbook/qsoartwork.h"

#include "platform/windowshape.h"

#include <cmath>

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace zelmor {

TickerStrip::TickerStrip(QWidget *parent) : QLabel(parent) {
    setFixedHeight(18);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    QFont f = font();
    f.setBold(true);
    setFont(f);
}

void TickerStrip::paintStrip(int width) {
    stripWidth_ = width;
    clearStrip();
}

void TickerStrip::clearStrip() {
    if (canvas_.width() != stripWidth_) canvas_ = QImage(stripWidth_, 18, QImage::Format_RGB32);
    canvas_.fill(Qt::black);
    lastX_ = -1;
    lastText_.clear();
    update();
}

void TickerStrip::drawTextAt(int x, const QString &text) {
    if (canvas_.isNull()) clearStrip();
    QPainter p(&canvas_);
    p.setFont(font());
    const QFontMetrics m(font());
    const QRect box(x, 1, m.horizontalAdvance(text) + 1, 17);
    // Opaque: the text's own ground covers the draw one pixel to the left.
    p.fillRect(box, Qt::black);
    p.setPen(QColor(255, 255, 0));
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    lastX_ = x;
    lastText_ = text;
    update(box.adjusted(-1, -1, 1, 0));
}

void TickerStrip::paintEvent(QPaintEvent *e) {
    QPainter p(this);
    if (canvas_.isNull()) p.fillRect(QRect(0, 0, stripWidth_, 18), Qt::black);
    else p.drawImage(e->rect().topLeft(), canvas_, e->rect());
}

PictureButton::PictureButton(Kind kind, bool pressedLook, QWidget *parent)
    : QWidget(parent), kind_(kind), pressedLook_(pressedLook) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

namespace {
// The rounded face every picture button shares; returns its inner rectangle.
QRectF PaintButtonFace(QPainter &p, const QRect &rect, bool pressed) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = pressed ? QColor(20, 60, 110) : QColor(40, 110, 190);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressed ? face.darker(130) : face.lighter(150));
    g.setColorAt(1, pressed ? face.lighter(120) : face.darker(140));
    p.setPen(QPen(QColor(10, 20, 40), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(Qt::NoPen);
    return r;
}
} // namespace

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QRectF r = PaintButtonFace(p, rect(), pressedLook_);
    p.setBrush(pressedLook_ ? QColor(0, 200, 255) : QColor(230, 240, 255));
    const QPointF c = r.center() + (pressedLook_ ? QPointF(1, 1) : QPointF());
    const qreal w = r.width() * 0.3, h = r.height() * 0.25;
    if (kind_ == ArrowUp || kind_ == ArrowDown) {
        const qreal s = kind_ == ArrowUp ? -1 : 1;
        const QPointF tri[3] = {c + QPointF(-w, -s * h), c + QPointF(w, -s * h), c + QPointF(0, s * h)};
        p.drawPolygon(tri, 3);
    } else if (kind_ == Slider) {
        for (int k = -1; k <= 1; ++k) p.drawRect(QRectF(c.x() - w, c.y() + k * 3 - 0.5, 2 * w, 1.5));
    } else {
        p.drawEllipse(c, w, w);
    }
}

void PictureButton::mousePressEvent(QMouseEvent *e) { emit mouseDown(e); }
void PictureButton::mouseReleaseEvent(QMouseEvent *e) { emit mouseUp(e); }
void PictureButton::mouseMoveEvent(QMouseEvent *e) { emit mouseMove(e); }

void PaintPictureGlyph(QPainter &p, const QRect &rect, bool pressed, PictureGlyph g) {
    const QRectF r = PaintButtonFace(p, rect, pressed);
    // The pressed look sits one pixel lower and to the right.
    const QPointF shift = pressed ? QPointF(1, 1) : QPointF();
    const QRectF in = r.adjusted(4, 4, -4, -4).translated(shift);
    const QPointF c = in.center();
    const QColor ink = pressed ? QColor(0, 200, 255) : QColor(235, 242, 255);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    auto label = [&](const QString &text, const QColor &colour) {
        QFont f = p.font();
        f.setPixelSize(int(in.height() * 0.55));
        f.setBold(true);
        p.setFont(f);
        p.setPen(colour);
        p.drawText(in, Qt::AlignCenter, text);
    };
    auto bars = [&](const QColor &colour, bool dxcc) {
        const qreal w = in.width() / 4;
        const qreal heights[3] = {0.45, 0.85, 0.65};
        p.setBrush(colour);
        for (int k = 0; k < 3; ++k) {
            const qreal h = in.height() * heights[k];
            p.drawRect(QRectF(in.left() + k * (w + w / 2), in.bottom() - h, w, h));
        }
        if (dxcc) {
            p.setPen(QPen(ink, 1.2));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QPointF(in.right() - 2, in.top() + 2), 2.5, 2.5);
        }
    };
    switch (g) {
    case PictureGlyph::CwKey: label(QStringLiteral("CW"), ink); break;
    case PictureGlyph::Settings:
        p.setPen(QPen(ink, 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, in.width() * 0.3, in.width() * 0.3);
        for (int k = 0; k < 4; ++k) {
            const qreal a = k * 3.14159265 / 4;
            const QPointF d(std::cos(a) * in.width() * 0.48, std::sin(a) * in.width() * 0.48);
            p.drawLine(c - d, c + d);
        }
        break;
    case PictureGlyph::ChartWorked: bars(QColor(230, 40, 40), false); break;
    case PictureGlyph::ChartConfirmed: bars(QColor(60, 90, 255), false); break;
    case PictureGlyph::ChartSent: bars(QColor(250, 220, 40), false); break;
    case PictureGlyph::ChartDxccConfirmed: bars(QColor(60, 90, 255), true); break;
    case PictureGlyph::ChartDxccWorked: bars(QColor(230, 40, 40), true); break;
    case PictureGlyph::Ornament: p.drawEllipse(c, in.width() * 0.25, in.width() * 0.25); break;
    case PictureGlyph::Record:
        p.setBrush(pressed ? QColor(255, 90, 90) : QColor(220, 30, 30));
        p.drawEllipse(c, in.width() * 0.38, in.width() * 0.38);
        break;
    case PictureGlyph::Play: {
        const QPointF tri[3] = {{in.left() + 2, in.top()}, {in.right(), c.y()}, {in.left() + 2, in.bottom()}};
        p.drawPolygon(tri, 3);
        break;
    }
    case PictureGlyph::Stop: p.drawRect(in.adjusted(1, 1, -1, -1)); break;
    case PictureGlyph::Program: label(QStringLiteral("EXE"), ink); break;
    case PictureGlyph::PickDown: {
        const qreal w = in.width() * 0.45, h = in.height() * 0.25;
        const QPointF tri[3] = {c + QPointF(-w, -h), c + QPointF(w, -h), c + QPointF(0, h)};
        p.drawPolygon(tri, 3);
        break;
    }
    case PictureGlyph::Country:
        p.setPen(QPen(ink, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, in.width() * 0.42, in.height() * 0.42);
        p.drawEllipse(c, in.width() * 0.18, in.height() * 0.42);
        p.drawLine(QPointF(in.left(), c.y()), QPointF(in.right(), c.y()));
        break;
    }
}

void PaintQsoBackground(QPainter &p, const QRect &client, QsoLook look) {
    p.setRenderHint(QPainter::Antialiasing);
    if (look == QsoLook::Avangard) {
        // A deep blue body with a lighter rim along the outline and a soft
        // glow behind the entry fields.
        QLinearGradient g(client.topLeft(), client.bottomLeft());
        g.setColorAt(0, QColor(18, 44, 86));
        g.setColorAt(0.5, QColor(10, 26, 56));
        g.setColorAt(1, QColor(4, 12, 30));
        p.fillRect(client, g);
        QRadialGradient glow(QPointF(client.width() * 0.45, client.height() * 0.25), client.width() * 0.5);
        glow.setColorAt(0, QColor(70, 130, 200, 90));
        glow.setColorAt(1, QColor(70, 130, 200, 0));
        p.fillRect(client, glow);
    } else if (look == QsoLook::Classic) {
        QLinearGradient g(client.topLeft(), client.bottomRight());
        g.setColorAt(0, QColor(52, 62, 80));
        g.setColorAt(1, QColor(22, 28, 40));
        p.fillRect(client, g);
        p.setPen(QPen(QColor(120, 150, 190), 1));
        for (int y = client.top() + 6; y < client.bottom(); y += 24)
            p.drawLine(client.left(), y, client.left() + 2, y);
    }
}

} // namespace zelmor
