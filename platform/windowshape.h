#pragma once
// Window outlines given the Win32 way: rectangles, ellipses and rounded
// rectangles in window coordinates, right and bottom edges excluded, a
// rounded corner sized by its ellipse's width and height. A frameless Qt
// window has no title bar or border, so its mask is the region shifted by
// the client origin those coordinates assume.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QRegion>

class QWidget;

namespace zelmor {

// Where the client area starts in window coordinates; the window drag uses
// the same constant.
inline constexpr QPoint ClientOrigin{4, 22};

QRegion RectRegion(int left, int top, int right, int bottom);
QRegion EllipticRegion(int left, int top, int right, int bottom);
// `w` and `h` are the width and height of the corner ellipse.
QRegion RoundRectRegion(int left, int top, int right, int bottom, int w, int h);

// A control's place given in those window coordinates (right and bottom
// edges excluded), as the client area's rectangle.
QRect DesignRect(int left, int top, int right, int bottom);

// The mask of a frameless window for a region in window coordinates, and back.
QRegion ClientRegion(const QRegion &windowRegion);
QRegion WindowRegion(const QRegion &clientRegion);

// A frameless window cut to the region (window coordinates).
void SetWindowShape(QWidget *window, const QRegion &windowRegion);
// Only the mask; the window keeps its frame state.
void SetWindowMask(QWidget *window, const QRegion &windowRegion);
// The ordinary framed window, not cut.
void ClearWindowShape(QWidget *window);

// Moves the window of `handle` while the left button drags on it: the press
// point stays under the cursor (for a shaped window, the drag rule's
// "cursor - press - ClientOrigin" in window coordinates).
class WindowDrag : public QObject {
public:
    explicit WindowDrag(QWidget *handle);
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    QWidget *handle_;
    QPoint offset_;
    bool dragging_ = false;
};

} // namespace zelmor
