#pragma once
// Pictures the small windows draw by code: their backgrounds (which also
// drag them) and the news window's wiring of the keyer on the parallel port.
#include <QColor>
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

class QPainter;

namespace zelmor {

class PaintedPicture : public QWidget {
    Q_OBJECT
public:
    using Painter = std::function<void(QPainter &, const QRect &)>;
    PaintedPicture(const QString &name, Painter painter, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    Painter painter_;
};

// A background: a vertical gradient from `top` to `bottom`.
void PaintGradient(QPainter &p, const QRect &r, const QColor &top, const QColor &bottom);
// The same with a bold title centred in `titleBox`.
struct TitledBackground {
    QColor top, bottom, titleColour;
    QString title;
    QRect titleBox;
    int titlePoints;
};
void PaintTitledBackground(QPainter &p, const QRect &r, const TitledBackground &b);

// DB-25 pins of the parallel port's register bits.
int ControlBitPin(int bit);
int StatusBitPin(int bit);

// The pins the keyer uses, as the wiring picture labels them: the key and
// PTT lines of the control register, the paddles of the status register,
// and ground.
struct LptPinUse {
    QString pins; // "17", "18–25"
    QString use;
};
std::vector<LptPinUse> KeyerLptPins();

// The picture "Подключение к порту LPT": the 25-pin connector, pin 1 at the
// top left, with the keyer's pins marked and listed.
void PaintLptWiring(QPainter &p, const QRect &r);

} // namespace zelmor
