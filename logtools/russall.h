#pragma once
// The Russian regions table: regions of russia22.dat worked and confirmed on
// the nine HF bands. Its activation empties the counts; the launcher's
// "Russ all" shows it and counts the log.
#include "logbook/barchart.h"
#include "logtools/awardview.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <vector>

class QChartView;
class QLabel;
class QProgressBar;

namespace zelmor {

class Trussall : public QWidget {
    Q_OBJECT
public:
    explicit Trussall(QWidget *parent = nullptr);

    // Row 0 headings; row n + 1 region number n: its name, count columns 1,
    // 3, ... 17 and a "Y" beside each.
    TStringGrid *strrus;
    QLabel *Image1;           // drags the window
    QProgressBar *Gauge1;
    QChartView *Chart1;
    std::vector<Bar> Series1; // worked regions per band, then "All"
    std::vector<Bar> Series2; // confirmed, unlabelled

    // Empties the counts and writes the headings.
    void FormActivate();
    // The launcher's "Russ all": shows the window, writes the region names,
    // counts the log.
    void ShowRegionList();
    void CountRussianRegions();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    ShowActivation activation_;
};

extern Trussall *russall;

} // namespace zelmor
