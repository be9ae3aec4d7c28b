#include "platform/windowshape.h"

#include <QMouseEvent>
#include <QWidget>
#include <algorithm>

namespace zelmor {

QRegion RectRegion(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return {};
    return QRegion(left, top, right - left, bottom - top);
}

QRegion EllipticRegion(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return {};
    return QRegion(left, top, right - left, bottom - top, QRegion::Ellipse);
}

QRegion RoundRectRegion(int left, int top, int right, int bottom, int w, int h) {
    if (right <= left || bottom <= top) return {};
    w = std::clamp(w, 0, right - left);
    h = std::clamp(h, 0, bottom - top);
    if (w < 2 || h < 2) return RectRegion(left, top, right, bottom);
    // The straight parts as two crossing rectangles, each corner a whole
    // ellipse of the corner's size.
    QRegion r = RectRegion(left + w / 2, top, right - w / 2, bottom);
    r += RectRegion(left, top + h / 2, right, bottom - h / 2);
    r += EllipticRegion(left, top, left + w, top + h);
    r += EllipticRegion(right - w, top, right, top + h);
    r += EllipticRegion(left, bottom - h, left + w, bottom);
    r += EllipticRegion(right - w, bottom - h, right, bottom);
    return r;
}

QRect DesignRect(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top) - ClientOrigin, QPoint(right - 1, bottom - 1) - ClientOrigin);
}

QRegion ClientRegion(const QRegion &windowRegion) { return windowRegion.translated(-ClientOrigin); }
QRegion WindowRegion(const QRegion &clientRegion) { return clientRegion.translated(ClientOrigin); }

namespace {
void SetFrameless(QWidget *window, bool frameless) {
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint) == frameless) return;
    // Changing the flags hides a shown window: show it again where it was.
    const bool shown = window->isVisible();
    const QPoint at = window->pos();
    window->setWindowFlag(Qt::FramelessWindowHint, frameless);
    if (shown) {
        window->move(at);
        window->show();
    }
}
} // namespace

void SetWindowShape(QWidget *window, const QRegion &windowRegion) {
    SetFrameless(window, true);
    window->setMask(ClientRegion(windowRegion));
}

void SetWindowMask(QWidget *window, const QRegion &windowRegion) { window->setMask(ClientRegion(windowRegion)); }

void ClearWindowShape(QWidget *window) {
    window->clearMask();
    SetFrameless(window, false);
}

WindowDrag::WindowDrag(QWidget *handle) : QObject(handle), handle_(handle) { handle->installEventFilter(this); }

bool WindowDrag::eventFilter(QObject *o, QEvent *e) {
    if (o != handle_) return false;
    QWidget *w = handle_->window();
    if (e->type() == QEvent::MouseButtonPress) {
        auto *me = static_cast<QMouseEvent *>(e);
        if (me->button() == Qt::LeftButton) {
            dragging_ = true;
            offset_ = me->globalPosition().toPoint() - w->pos();
        }
    } else if (e->type() == QEvent::MouseMove && dragging_) {
        w->move(static_cast<QMouseEvent *>(e)->globalPosition().toPoint() - offset_);
    } else if (e->type() == QEvent::MouseButtonRelease) {
        dragging_ = false;
    }
    return false;
}

} // namespace zelmor
