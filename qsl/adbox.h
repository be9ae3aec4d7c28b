#pragma once
// The address book of correspondents.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Tadbox : public QWidget {
    Q_OBJECT
public:
    explicit Tadbox(QWidget *parent = nullptr);
};

extern Tadbox *adbox;

} // namespace zelmor
