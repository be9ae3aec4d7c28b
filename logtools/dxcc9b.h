#pragma once
// The DXCC table: countries worked and confirmed on the nine HF bands, with
// a mode filter, its bar chart and the printed listing.
#include "logbook/barchart.h"
#include "logtools/awardtables.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <vector>

class QAction;
class QChartView;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QTimer;

namespace zelmor {

class TDXcc9b : public QWidget {
    Q_OBJECT
public:
    explicit TDXcc9b(QWidget *parent = nullptr);

    // Row 0 headings; per country: name, prefix, zone, then per band a QSO
    // count (columns 3, 5, ... 19) and a confirmation "Y" beside it. Other
    // windows read it, and the QSO window bumps a count on each save.
    TStringGrid *str2;
    QTextEdit *zag;      // the heading above the table, printed as the listing's first lines
    QLabel *Label1;      // "MODE-ALL", "MODE-SSB", ...
    QLabel *Image1;      // the left picture: drags the window
    QProgressBar *Gauge1;
    QChartView *Chart1;
    std::vector<Bar> Series2; // worked countries per band, then "All Band"
    std::vector<Bar> Series3; // confirmed: "QSL" per band, then "Y"

    QMenu *PopupMenu1;
    QAction *SSB1, *CW1, *PSK1, *RTTY1, *ALL1; // the "MODE" items
    QAction *N1;                               // "Печать листинга"
    QAction *N2;                               // "Закрыть"
    // The picture buttons: SSB, CW, PSK, RTTY, ALL, print. Each acts from
    // Timer1, 300 ms after it is released.
    QPushButton *Image2, *Image3, *Image4, *Image5, *Image6, *Image7;
    QTimer *Timer1;

    // The headings of row 0.
    void activdxcc();
    // Lists the DXCC countries from world.dat (rows 1 on); false after the
    // missing-file message, the grid as it was.
    bool FillDxccTable();
    // "SSB", "CW", "PSK", "RTTY", or "1" for every mode.
    void CountDxccByMode(const QString &mode);
    void ShowDxccTotals();
    // The whole table in every mode, as after a log is opened.
    void RefreshDxccTables();

    void SSB1Click() { ChooseMode(QStringLiteral("SSB")); }
    void CW1Click() { ChooseMode(QStringLiteral("CW")); }
    void PSK1Click() { ChooseMode(QStringLiteral("PSK")); }
    void RTTY1Click() { ChooseMode(QStringLiteral("RTTY")); }
    void ALL1Click() { ChooseMode(QStringLiteral("1")); }
    void N1Click();
    void N2Click() { hide(); }
    void Timer1Timer();
    void FormActivate();

    // The grid as the listing prints it.
    QStringList headingLines() const;

protected:
    void showEvent(QShowEvent *e) override;

private:
    void ChooseMode(const QString &mode);
    void writeCounts();
    void setHeading(const QString &modeLabel);
    void redrawChart();
    std::vector<DxccEntity> entities_;
    QString axisTitle_ = QStringLiteral("ALL");
    int pendingButton_ = 0;
};

extern TDXcc9b *DXcc9b;

// The label of a mode choice: "MODE-SSB" ... "MODE-ALL" for "1".
QString DxccModeLabel(const QString &mode);

} // namespace zelmor
