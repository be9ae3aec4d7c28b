#pragma once
// The country statistics: for one country, QSOs worked and confirmed on the
// nine HF bands in five modes, as five bar charts. Its caption is the
// country shown. The QSO window's call analysis refreshes it on every call.
#include "logbook/barchart.h"
#include "logtools/countrystats.h"

#include <QWidget>
#include <array>
#include <vector>

class QAction;
class QChartView;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QTimer;

namespace zelmor {

class TStatist : public QWidget {
    Q_OBJECT
public:
    explicit TStatist(QWidget *parent = nullptr);

    QLineEdit *world2;    // the country typed (30 characters, first letter upper case)
    QListWidget *Memo1;   // the DXCC countries that begin with it
    QLabel *Image1;       // the left picture: drags the window
    QMenuBar *MainMenu1;  // "Параметры"
    QAction *N2;          // "Выход" [Esc]
    // PSK, SSTV, RTTY, CW, SSB.
    QChartView *Chart1, *Chart2, *Chart3, *Chart4, *Chart5;
    std::vector<Bar> Series1, Series2, Series3, Series4, Series5;             // worked, red
    std::vector<Bar> yesSeries1, yesSeries2, yesSeries3, yesSeries4, yesSeries5; // confirmed, blue
    StatisticsCounters Counters{};

    // The counts and charts of one country (cut as the log stores it).
    void ShowCountryStatistics(const QString &country);
    // The country of a call analysis: the caption at once, the counts once
    // the analysis has returned, so typing never waits for them; a hidden
    // window counts when it is shown.
    void QueueCountryStatistics(const QString &country);
    void FormActivate();
    void N2Click() { hide(); }

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void world2Change(const QString &text);
    void takeFromList(const QString &entry);
    void redrawCharts();
    void countQueued();
    QTimer *chartTimer_;
    QTimer *countTimer_;
    QString queued_;
    bool hasQueued_ = false;
};

extern TStatist *Statist;

} // namespace zelmor
