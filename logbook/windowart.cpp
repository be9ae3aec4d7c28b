#include "logbook/windowart.h"

#include "platform/parallelport.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <bit>

namespace zelmor {

PaintedPicture::PaintedPicture(const QString &name, Painter painter, QWidget *parent)
    : QWidget(parent), painter_(std::move(painter)) {
    setObjectName(name);
}

void PaintedPicture::paintEvent(QPaintEvent *) {
    if (!painter_) return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    painter_(p, rect());
}

void PaintGradient(QPainter &p, const QRect &r, const QColor &top, const QColor &bottom) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.fillRect(r, g);
}

void PaintTitledBackground(QPainter &p, const QRect &r, const TitledBackground &b) {
    PaintGradient(p, r, b.top, b.bottom);
    QFont f = p.font();
    f.setPointSize(b.titlePoints);
    f.setBold(true);
    p.setFont(f);
    p.setPen(b.titleColour);
    p.drawText(b.titleBox, Qt::AlignCenter, b.title);
}

int ControlBitPin(int bit) {
    static constexpr int pins[4] = {1, 14, 16, 17};
    return bit >= 0 && bit < 4 ? pins[bit] : 0;
}

int StatusBitPin(int bit) {
    static constexpr int pins[8] = {0, 0, 0, 15, 13, 12, 10, 11};
    return bit >= 0 && bit < 8 ? pins[bit] : 0;
}

std::vector<LptPinUse> KeyerLptPins() {
    auto control = [](quint8 mask) { return QString::number(ControlBitPin(std::countr_zero(unsigned(mask)))); };
    std::vector<LptPinUse> pins = {
        {control(ControlRegister::KeyUpBit), QStringLiteral("ключ (манипуляция)")},
        {control(ControlRegister::PttBit), QStringLiteral("PTT (приём/передача)")},
    };
    // The paddles, high bit first: pin 12, then pin 13.
    for (int bit = 7; bit >= 0; --bit)
        if (PaddlesReleasedStatus & (1u << bit))
            pins.push_back({QString::number(StatusBitPin(bit)), QStringLiteral("манипулятор (лепесток)")});
    pins.push_back({QStringLiteral("18–25"), QStringLiteral("общий (земля)")});
    return pins;
}

void PaintLptWiring(QPainter &p, const QRect &r) {
    p.save();
    p.fillRect(r, QColor(40, 40, 48));
    QFont f = p.font();
    f.setPointSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 255, 0));
    const QRect caption(r.left(), r.top() + 2, r.width(), 16);
    p.drawText(caption, Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Подключение к порту LPT"));

    // The connector: 13 pins above, 12 below, pin 1 at the left.
    const int pitch = std::clamp((r.width() - 30) / 14, 8, 16);
    const int left = r.left() + (r.width() - 13 * pitch) / 2;
    const int top = caption.bottom() + 10;
    QPainterPath shell;
    shell.moveTo(left - 8, top - 8);
    shell.lineTo(left + 12 * pitch + 8, top - 8);
    shell.lineTo(left + 12 * pitch - pitch / 2 + 4, top + pitch + 8);
    shell.lineTo(left + pitch / 2 - 4, top + pitch + 8);
    shell.closeSubpath();
    p.setPen(QPen(QColor(200, 200, 200), 1.5));
    p.setBrush(QColor(70, 70, 80));
    p.drawPath(shell);

    std::vector<int> used;
    for (const LptPinUse &u : KeyerLptPins()) {
        const QStringList range = u.pins.split(u'–');
        const int from = range.front().toInt(), to = range.back().toInt();
        for (int pin = from; pin <= to; ++pin) used.push_back(pin);
    }
    auto pinCentre = [&](int pin) {
        return pin <= 13 ? QPoint(left + (pin - 1) * pitch, top) : QPoint(left + pitch / 2 + (pin - 14) * pitch, top + pitch);
    };
    f.setPointSize(6);
    f.setBold(false);
    p.setFont(f);
    for (int pin = 1; pin <= 25; ++pin) {
        const bool marked = std::find(used.begin(), used.end(), pin) != used.end();
        p.setPen(Qt::NoPen);
        p.setBrush(marked ? QColor(255, 200, 0) : QColor(150, 150, 150));
        p.drawEllipse(pinCentre(pin), 3, 3);
    }
    // The list beside the connector's pins it names.
    f.setPointSize(8);
    p.setFont(f);
    int y = top + pitch + 18;
    const int listLeft = std::max(r.left() + 8, left - 40);
    for (const LptPinUse &u : KeyerLptPins()) {
        p.setPen(QColor(255, 200, 0));
        p.drawText(QRect(listLeft, y, 48, 16), Qt::AlignRight | Qt::AlignVCenter, u.pins);
        p.setPen(QColor(230, 230, 230));
        p.drawText(QRect(listLeft + 54, y, r.right() - listLeft - 54, 16), Qt::AlignLeft | Qt::AlignVCenter, u.use);
        y += 16;
    }
    p.restore();
}

} // namespace zelmor
