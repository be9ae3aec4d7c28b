#pragma once
// The QSO window: entry fields, the transceiver link label, the log grid.
// Other windows read and write these controls directly.
#include "platform/stringgrid.h"

#include <QWidget>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTimer;

namespace zelmor {

class Tform1 : public QWidget {
    Q_OBJECT
public:
    explicit Tform1(QWidget *parent = nullptr);
    ~Tform1() override;

    QLineEdit *call;
    QLineEdit *tim;
    QLabel *Label5;        // transceiver link: "Выкл." or "Вкл."
    QMenu *PopupMenu2;     // the window's context menu
    QAction *N48;          // its transceiver submenu, enabled while the link is on
    TStringGrid *str11;    // the log grid: header row and nine records
    QTimer *Timer5;        // oscilloscope frames
};

extern Tform1 *form1;

// Design widths of the log grid's 20 columns.
inline constexpr int LogGridDesignWidths[20] = {50, 93, 129, 134, 84, 68, 50, 50, 50, 50,
                                                52, 114, 44, 39, 40, 50, 50, 50, 50, 50};

} // namespace zelmor
