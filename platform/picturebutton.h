#pragma once
// A picture button: two pictures at one place, the lower one with the
// pressed look. A press hides the upper picture and a release shows it
// again; the action runs on the press or on the release. A toggling pair
// leaves the upper picture as the press put it (hidden is "on"), and a
// latching pair keeps it hidden until the lower picture is pressed.
#include <QWidget>
#include <functional>

class QPainter;

namespace zelmor {

class PicturePair;

// One of the two pictures; drawn by the pair's painter.
class Picture : public QWidget {
    Q_OBJECT
public:
    Picture(PicturePair *pair, bool pressedLook);
    bool pressedLook() const { return pressedLook_; }

protected:
    void paintEvent(QPaintEvent *) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    PicturePair *pair_;
    bool pressedLook_;
};

class PicturePair : public QWidget {
    Q_OBJECT
public:
    enum class Mode { Momentary, Toggle, Latch };
    enum class When { Press, Release, Never };
    using Painter = std::function<void(QPainter &, const QRect &, bool pressedLook)>;

    // The pair takes the upper picture's name as its accessible name.
    PicturePair(const QString &upperName, const QString &lowerName, const Painter &painter, QSize size,
                Mode mode = Mode::Momentary, When when = When::Press, QWidget *parent = nullptr);

    Picture *upper() const { return upper_; }
    Picture *lower() const { return lower_; }
    // The upper picture hidden: pressed, or "on" for a toggle.
    bool isDown() const;
    // Shows or hides the upper picture without running the action.
    void setDown(bool down);

    // Runs when the pair acts (on its press or release).
    std::function<void()> action;
    // A latching pair: the press on the lower picture that lets it go.
    std::function<void()> releaseLatch;

    // What a mouse on the pictures does; public for the window's tests.
    void press(bool onLower);
    void release();

    const Painter &painter() const { return painter_; }

signals:
    void toggled(bool down);

private:
    Picture *upper_;
    Picture *lower_;
    Painter painter_;
    Mode mode_;
    When when_;
};

} // namespace zelmor
