#pragma once
// The entry bar: a compact strip through which a QSO is typed into the QSO window.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tpsk : public QWidget {
    Q_OBJECT
public:
    explicit Tpsk(QWidget *parent = nullptr);
};

extern Tpsk *psk;

} // namespace zelmor
