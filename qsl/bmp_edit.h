#pragma once
// The layout editor's picture editor.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TBmp_edit : public QWidget {
    Q_OBJECT
public:
    explicit TBmp_edit(QWidget *parent = nullptr);
};

extern TBmp_edit *Bmp_edit;

} // namespace zelmor
