#pragma once
// The transceiver (CAT) window: its polling timer and serial port are what
// matter; the window itself is rarely on screen.
#include <QWidget>

class QTimer;

namespace zelmor {

class Trxtx : public QWidget {
    Q_OBJECT
public:
    explicit Trxtx(QWidget *parent = nullptr);

    // Opens the CAT serial port; false when it could not be opened.
    virtual bool OpenComPort();
    virtual void CloseComPort();

    QTimer *Timer3; // CAT polling, once a second while the link is on
};

extern Trxtx *rxtx;

} // namespace zelmor
