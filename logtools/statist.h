#pragma once
// The country statistics; its caption is the country shown.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TStatist : public QWidget {
    Q_OBJECT
public:
    explicit TStatist(QWidget *parent = nullptr);
};

extern TStatist *Statist;

} // namespace zelmor
