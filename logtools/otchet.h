#pragma once
// The report printing window: its font menu, and the glue that prints the
// search and award windows' grids (the drawing is in reportprint).
#include <QWidget>

class QMenu;
class QMenuBar;
class QAction;
class QTimer;

namespace zelmor {

struct ReportHead;

class Totchet : public QWidget {
    Q_OBJECT
public:
    explicit Totchet(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *N1;                       // "Шрифт"
    QAction *N5, *N4, *N2, *N3;      // font1 .. font4
    QTimer *Timer1;                  // 10 s from the start; stops on its first tick

    void N5Click() { chooseFontName(1); }
    void N4Click() { chooseFontName(2); }
    void N2Click() { chooseFontName(3); }
    void N3Click() { chooseFontName(4); }
    void Timer1Timer();
    // The award application of the award window's result grid.
    bool awardred();

private:
    void chooseFontName(int n);
};

extern Totchet *otchet;

// The page heads' texts from the station profile, the current log, the
// launcher and the award window.
ReportHead CurrentReportHead();

} // namespace zelmor
