#pragma once
// The QSO window's artwork, drawn by our own painting code: the status
// ticker strip, the picture buttons of the log paging with their pressed
// twins, the slider, the decorative pictures and the backgrounds of the
// shaped looks.
#include <QImage>
#include <QLabel>
#include <QWidget>

class QPainter;

namespace zelmor {

// The ticker: a black strip 18 pixels high, 600 or 1240 wide, with the text
// in bold yellow on an opaque black ground. It is a canvas: what is drawn
// stays until it is drawn over or the strip is cleared.
class TickerStrip : public QLabel {
    Q_OBJECT
public:
    explicit TickerStrip(QWidget *parent = nullptr);
    int stripWidth() const { return stripWidth_; }
    // Paints the strip anew at this width.
    void paintStrip(int width);
    // The whole strip black again.
    void clearStrip();
    // The text at (x, 1); only that part of the strip is repainted.
    void drawTextAt(int x, const QString &text);
    // The last draw since the last clear (x -1: none), for the tests.
    int lastDrawX() const { return lastX_; }
    QString lastDrawText() const { return lastText_; }
    const QImage &canvas() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int stripWidth_ = 600;
    int lastX_ = -1;
    QString lastText_;
    QImage canvas_;
};

// One picture of a picture button: the normal or the pressed look.
class PictureButton : public QWidget {
    Q_OBJECT
public:
    enum Kind { ArrowUp, ArrowDown, Slider, Ornament };
    PictureButton(Kind kind, bool pressedLook, QWidget *parent = nullptr);
    Kind kind() const { return kind_; }

signals:
    void mouseDown(QMouseEvent *e);
    void mouseUp(QMouseEvent *e);
    void mouseMove(QMouseEvent *e);

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    Kind kind_;
    bool pressedLook_;
};

// The pictures of the QSO window's picture buttons.
enum class PictureGlyph {
    CwKey, Settings, ChartWorked, ChartConfirmed, ChartSent, ChartDxccConfirmed, ChartDxccWorked,
    Ornament, Record, Play, Stop, Program, PickDown, Country
};
// One picture of a pair: the normal look, or the pressed one.
void PaintPictureGlyph(QPainter &p, const QRect &r, bool pressedLook, PictureGlyph glyph);

enum class QsoLook { Design, Avangard, Classic, Windows };

// The background of a shaped look over the window's client area.
void PaintQsoBackground(QPainter &p, const QRect &client, QsoLook look);

} // namespace zelmor
