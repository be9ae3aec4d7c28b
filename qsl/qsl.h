#pragma once
// The QSL window: choosing, marking and printing QSL cards.
#include <QWidget>

class QAction;
class QMenu;
class QMenuBar;

namespace zelmor {

class TQSL : public QWidget {
    Q_OBJECT
public:
    explicit TQSL(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *formatMenu; // "Формат QSL": exactly one item is checked
    QAction *QSLedit, *tqsli, *tqsln, *N31, *qsl5, *QQ1AX1, *QQ5EX1, *QQ6FX11, *QQ6FX21, *QQ4DX1, *QQ3CX1,
        *QQ2BXY1, *QQ7GX1, *tqsl, *obratstr, *Lichnay;
    // Checks `chosen` alone and stores every item's state.
    void chooseFormat(QAction *chosen);
};

extern TQSL *QSL;

} // namespace zelmor
