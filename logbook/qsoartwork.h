#pragma once
// The QSO window's artwork, drawn by our own painting code: the status
// ticker strip, the picture buttons of the log paging with their pressed
// twins, the slider, the decorative pictures and the backgrounds of the
// shaped looks.
#include <QLabel>
#include <QWidget>

class QPainter;

namespace zelmor {

// The ticker: a black strip 18 pixels high, 600 or 1240 wide, with the text
// in bold yellow.
class TickerStrip : public QLabel {
    Q_OBJECT
public:
    explicit TickerStrip(QWidget *parent = nullptr);
    int stripWidth() const { return stripWidth_; }
    // Paints the strip anew at this width.
    void paintStrip(int width);
    // Where the text is drawn (the menus' ticker moves it).
    int textPosition() const { return textX_; }
    void setTextPosition(int x);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int stripWidth_ = 600;
    int textX_ = 0;
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

enum class QsoLook { Design, Avangard, Classic, Windows };

// The background of a shaped look over the window's client area.
void PaintQsoBackground(QPainter &p, const QRect &client, QsoLook look);

} // namespace zelmor
