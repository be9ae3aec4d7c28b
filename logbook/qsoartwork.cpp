#include "logbook/qsoartwork.h"

#include "platform/windowshape.h"

#include <QLinearGradient>
#include <QMouseEvent>
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
    update();
}

void TickerStrip::setTextPosition(int x) {
    textX_ = x;
    update();
}

void TickerStrip::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.fillRect(QRect(0, 0, stripWidth_, 18), Qt::black);
    p.setPen(QColor(255, 255, 0));
    p.setFont(font());
    p.setClipRect(QRect(0, 0, stripWidth_, 18));
    p.drawText(QRect(textX_, 1, stripWidth_ + 2000, 17), Qt::AlignLeft | Qt::AlignVCenter, text());
}

PictureButton::PictureButton(Kind kind, bool pressedLook, QWidget *parent)
    : QWidget(parent), kind_(kind), pressedLook_(pressedLook) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void PictureButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const QColor face = pressedLook_ ? QColor(20, 60, 110) : QColor(40, 110, 190);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, pressedLook_ ? face.darker(130) : face.lighter(150));
    g.setColorAt(1, pressedLook_ ? face.lighter(120) : face.darker(140));
    p.setPen(QPen(QColor(10, 20, 40), 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 4, 4);
    p.setPen(Qt::NoPen);
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
