#pragma once
// The layout editor's text string editor; its caption gets the layout name.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tstr_edit : public QWidget {
    Q_OBJECT
public:
    explicit Tstr_edit(QWidget *parent = nullptr);
};

extern Tstr_edit *str_edit;

} // namespace zelmor
