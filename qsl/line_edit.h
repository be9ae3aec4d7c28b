#pragma once
// The layout editor's line editor; its caption gets the layout name.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tline_edit : public QWidget {
    Q_OBJECT
public:
    explicit Tline_edit(QWidget *parent = nullptr);
};

extern Tline_edit *line_edit;

} // namespace zelmor
