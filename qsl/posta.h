#pragma once
// Envelope printing.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TPosta : public QWidget {
    Q_OBJECT
public:
    explicit TPosta(QWidget *parent = nullptr);
};

extern TPosta *Posta;

} // namespace zelmor
