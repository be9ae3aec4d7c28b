#pragma once
// The IOTA table: islands worked and confirmed.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TIOTA : public QWidget {
    Q_OBJECT
public:
    explicit TIOTA(QWidget *parent = nullptr);
};

extern TIOTA *IOTA;

} // namespace zelmor
