#pragma once
// The WAZ table: CQ zones worked and confirmed on the nine HF bands.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Twaz9b : public QWidget {
    Q_OBJECT
public:
    explicit Twaz9b(QWidget *parent = nullptr);
};

extern Twaz9b *waz9b;

} // namespace zelmor
