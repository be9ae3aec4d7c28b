#pragma once
// The CW texts and command lines sent from the QSO window's function keys.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tfcw : public QWidget {
    Q_OBJECT
public:
    explicit Tfcw(QWidget *parent = nullptr);
};

extern Tfcw *fcw;

} // namespace zelmor
