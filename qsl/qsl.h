#pragma once
// Chooses the QSOs whose QSL cards are printed.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TQSL : public QWidget {
    Q_OBJECT
public:
    explicit TQSL(QWidget *parent = nullptr);
};

extern TQSL *QSL;

} // namespace zelmor
