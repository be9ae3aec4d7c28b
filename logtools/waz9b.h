#pragma once
// The WAZ table: CQ zones worked and confirmed on the nine HF bands, counted
// from the log file each time the window is activated.
#include "logbook/barchart.h"
#include "logtools/awardview.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <vector>

class QChartView;
class QLabel;
class QProgressBar;

namespace zelmor {

class Twaz9b : public QWidget {
    Q_OBJECT
public:
    explicit Twaz9b(QWidget *parent = nullptr);

    // Row 0 headings; rows 1 to 40 the zones: count columns 1, 3, ... 17 and
    // a "Y" beside each.
    TStringGrid *strw;
    QLabel *Image1;           // drags the window
    QProgressBar *Gauge1;
    QChartView *Chart1;
    std::vector<Bar> Series2; // worked zones per band, then "All"
    std::vector<Bar> Series1; // confirmed, unlabelled

    void FormActivate();
    // Headings and zone numbers, then the count.
    void CountWazZones();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    ShowActivation activation_;
};

extern Twaz9b *waz9b;

} // namespace zelmor
