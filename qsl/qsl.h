#pragma once
// The QSL window: the QSOs the settings' filters choose for QSL cards, in a
// table sorted by call with counts per country and Russian region; marks
// and card chains for the printing; the search of a call's QSOs that marks
// an arrived card received; and the pie of the log's QSL states. The rules
// are in qslselection and qslmarking; this is the glue.
#include "logbook/barchart.h"
#include "logtools/awardview.h"
#include "platform/stringgrid.h"
#include "qsl/qslmarking.h"
#include "qsl/qslselection.h"

#include <QWidget>
#include <functional>
#include <vector>

class QAction;
class QChartView;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPieSeries;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zelmor {

class TickerStrip;

// What the card printing adds to the window. Empty hooks do nothing.
struct QslWindowHooks {
    std::function<void()> PrintMarkedCards;          // Image4 "Печать QSL "
    std::function<void()> ComputeStickerRowOffsets;  // Timer4, after each activation
    std::function<void()> DrawQslFontPreview;        // Timer4, after each activation
    std::function<void()> FormActivate;              // each activation: the personal formats' items
};
extern QslWindowHooks QslHook;

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

    QMenu *tableMenu;  // "Таблица"
    QAction *N11;      // "Заполнить таблицу" F2
    QAction *QSL4;     // group per card, F3
    QAction *QSL6;     // group per card by manager, F4
    QAction *QSL7;     // clear every mark
    QAction *QSOEnter1; // find the call's QSOs
    QMenu *serviceMenu; // "Сервис"
    QAction *N13;      // "Дополнительна статистика" Ctrl+B
    QAction *N3;       // "Настройка"
    QAction *QSL2;     // "QSL редактор" F8
    QAction *N4;       // hints on or off
    QMenu *PopupMenu1; // of the country table
    QAction *N12, *QSO51, *QSO31;

    TStringGrid *strqsl;   // the QSOs, 15 columns
    QslTableModel *qslTable; // strqsl's model
    TStringGrid *strqsl2;  // per country: "*", "Страна", "Кол."
    TStringGrid *strqsl3;  // per region: "*", "Обл.", "Кол.", the region number (hidden)
    TStringGrid *strnayti; // the searched call's QSOs, rows from 0
    QLineEdit *call;       // the call searched: 12 characters, upper case, US layout
    QLabel *Panel1;        // marked rows
    QLabel *Panel2;        // A4 sticker sheets
    QProgressBar *Gauge1;
    QChartView *Chart1;
    std::vector<Bar> Series1; // the pie's slices
    QString ChartTitle;
    TickerStrip *Image21;  // the status strip
    QLabel *Image3;        // drags the window
    QPushButton *Image4, *Image6, *Image8, *Image11, *Image1, *Image2, *Image12, *Image13, *Image14, *Image15;
    QTimer *Timer2;  // strip, 55 ms
    QTimer *Timer3;  // fill, 200 ms, once
    QTimer *Timer4;  // activation work, 200 ms, once
    QTimer *Timer10; // pie rotation, 55 ms

    // The last call search.
    QsoSearch Search;
    const QString &SearchCountry() const { return Search.country; }
    // The strip's message and the x it is drawn at next.
    QString StripMessage;
    int StripCounter = 0;

    void FormActivate();
    void Timer4Timer();
    void N11Click();   // the fill's starter
    void Timer3Timer(); // the fill
    void QSL4Click();
    void QSL6Click();
    void QSL7Click();
    void N12Click() { toggleCountries(CountrySelection::All); }
    void QSO51Click() { toggleCountries(CountrySelection::AtLeastThree); }
    void QSO31Click() { toggleCountries(CountrySelection::ExactlyThree); }
    void strqslClick(int row);
    void strqsl2Click(int row);
    void strqsl3Click(int row);
    void FindQsosByCall();
    void strnaytiEnter();
    void Image6Click();
    void Image4Click();
    void CountQslStatuses();
    void UpdateMarkedCounters();
    void ShowStripMessage(const QString &text);
    void Timer2Timer();
    void Timer10Timer();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void writeHeaders();
    void toggleCountries(CountrySelection which);
    void markReceived(int row);
    void drawPie();
    QPieSeries *pie_ = nullptr;
    ShowActivation activation_;
};

extern TQSL *QSL;

} // namespace zelmor
