#include "platform/picturebutton.h"

#include <QMouseEvent>
#include <QPainter>

namespace zelmor {

Picture::Picture(PicturePair *pair, bool pressedLook) : QWidget(pair), pair_(pair), pressedLook_(pressedLook) {}

void Picture::paintEvent(QPaintEvent *) {
    if (!pair_->painter()) return;
    QPainter p(this);
    pair_->painter()(p, rect(), pressedLook_);
}

void Picture::mousePressEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return QWidget::mousePressEvent(e);
    pair_->press(pressedLook_);
    // The window system drops a release whose pressed widget has gone
    // hidden: the picture now in view takes the mouse until the release.
    if (isHidden()) {
        Picture *other = pressedLook_ ? pair_->upper() : pair_->lower();
        if (other->isVisible()) other->grabMouse();
    }
}

void Picture::mouseReleaseEvent(QMouseEvent *e) {
    if (e->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(e);
    if (QWidget::mouseGrabber() == this) releaseMouse();
    pair_->release();
}

PicturePair::PicturePair(const QString &upperName, const QString &lowerName, const Painter &painter, QSize size,
                         Mode mode, When when, QWidget *parent)
    : QWidget(parent), painter_(painter), mode_(mode), when_(when) {
    setObjectName(upperName + QStringLiteral("Pair"));
    setAccessibleName(upperName);
    setFixedSize(size);
    lower_ = new Picture(this, true);
    lower_->setObjectName(lowerName);
    lower_->setAccessibleName(upperName);
    lower_->setGeometry(rect());
    upper_ = new Picture(this, false);
    upper_->setObjectName(upperName);
    upper_->setAccessibleName(upperName);
    upper_->setGeometry(rect());
}

bool PicturePair::isDown() const { return upper_->isHidden(); }

void PicturePair::setDown(bool down) {
    if (down == isDown()) return;
    upper_->setVisible(!down);
    emit toggled(down);
}

void PicturePair::press(bool onLower) {
    switch (mode_) {
    case Mode::Momentary:
        setDown(true);
        break;
    case Mode::Toggle:
        setDown(!isDown());
        break;
    case Mode::Latch:
        if (onLower && isDown()) {
            setDown(false);
            if (releaseLatch) releaseLatch();
            return;
        }
        setDown(true);
        break;
    }
    if (when_ == When::Press && action) action();
}

void PicturePair::release() {
    if (mode_ != Mode::Momentary) return;
    setDown(false);
    if (when_ == When::Release && action) action();
}

} // namespace zelmor
