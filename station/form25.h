#pragma once
// The greyline world map.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TForm25 : public QWidget {
    Q_OBJECT
public:
    explicit TForm25(QWidget *parent = nullptr);
};

extern TForm25 *Form25;

} // namespace zelmor
