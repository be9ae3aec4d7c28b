#pragma once
// The QSL layout editor.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tqsl_edit : public QWidget {
    Q_OBJECT
public:
    explicit Tqsl_edit(QWidget *parent = nullptr);
};

extern Tqsl_edit *qsl_edit;

} // namespace zelmor
