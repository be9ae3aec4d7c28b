#pragma once
// The IOTA table: the islands of iota.dat, two to a row, marked worked and
// confirmed from the log file.
#include "logbook/barchart.h"
#include "logtools/awardtables.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <vector>

class QChartView;
class QLabel;
class QProgressBar;

namespace zelmor {

class TIOTA : public QWidget {
    Q_OBJECT
public:
    explicit TIOTA(QWidget *parent = nullptr);

    // Two islands a row from row 1: columns 0-4 and 5-9 hold reference,
    // prefix, name, a worked "Y" and a confirmed "Y".
    TStringGrid *striota;
    QLabel *Image1;           // drags the window
    QProgressBar *Gauge1;
    QChartView *Chart1;
    std::vector<Bar> Series1; // "Iota": islands worked
    std::vector<Bar> Series2; // "QSL": islands confirmed

    // Lists the islands, marks them from the log, rebuilds the chart. The
    // missing-file message leaves the table as it was.
    void FillIotaTable();
    // Marks the listed islands anew from the log.
    void CountIotaIslands();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void writeMarks();
    std::vector<IotaSlot> islands_;
};

extern TIOTA *IOTA;

} // namespace zelmor
