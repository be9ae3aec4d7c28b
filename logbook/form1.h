#pragma once
// The QSO window: entry fields, the analysis of the call being typed, the
// band chart, the repeat grid, the log grid. Other windows read and write
// these controls directly.
#include "logbook/barchart.h"
#include "logbook/logfile.h"
#include "logbook/reference.h"
#include "platform/stringgrid.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QChartView;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QStringListModel;
class QTimer;

namespace zelmor {

// One text per station drawn on the map: "x,y,call,country".
extern QStringList MapPointList;
// Hooks filled by later windows: the map's drawing of a point, the country
// statistics, the transceiver poll while a call is typed, the CW command
// lines (1 to 4) and the log grid refresh after a save.
extern std::function<void(int x, int y, unsigned colour)> DrawMapPoint;
extern std::function<void(const QString &country)> RefreshCountryStatistics;
extern std::function<void()> StartTransceiverPoll;
extern std::function<void(int line)> SendCwCommandLine;
extern std::function<void()> RefreshLogGrid;

class Tform1 : public QWidget {
    Q_OBJECT
public:
    explicit Tform1(QWidget *parent = nullptr);
    ~Tform1() override;

    // Entry fields.
    QLineEdit *call;
    QLineEdit *name1;
    QLineEdit *qth;
    QLineEdit *info;
    QLineEdit *data2;   // UTC date
    QLineEdit *tim;     // UTC time
    QLineEdit *rst;     // report received ("RSTr" while empty)
    QLineEdit *rsts;    // report sent ("RSTs" while empty)
    QLineEdit *ochk;    // points ("Очки" while empty)
    QLineEdit *cb1;     // band
    QLineEdit *cb2;     // mode
    QLineEdit *cqsl;    // QSL state
    QLineEdit *Pvia;    // QSL manager
    QLineEdit *pIOTA;
    QLineEdit *pFreq;
    QLineEdit *qthl;    // locator
    // Pick and suggestion lists, hidden until called.
    QListWidget *List_band;
    QListWidget *List_mode;
    QListWidget *List_qsl; // the five QSL words
    QListWidget *pname;
    QListWidget *pqth;
    QListWidget *Listvia;  // QSL managers of the call
    QListWidget *memlist;  // call memory
    QListView *Memo1;      // logged calls beginning with the typed text
    QStringListModel *memo1Model;
    QFrame *Panel4;        // postal address panel
    TStringGrid *strp;     // earlier QSOs with the station
    TStringGrid *strw;     // prefix and country of every table record
    TStringGrid *str11;    // the log grid: header row and nine records
    QLabel *Label5;        // transceiver link: "Выкл." or "Вкл."
    QLabel *vfob;          // VFO B frequency
    QLabel *Image2;        // the status line
    QChartView *Chart1;
    BarChartModel chart;   // what Chart1 shows
    QMenu *PopupMenu2;     // the window's context menu
    QAction *N48;          // its transceiver submenu, enabled while the link is on
    QAction *D_QSO1, *D_QSO2, *D_QSL3, *D_DXCC1, *D_DXCC2; // chart switches
    QTimer *Timer4;        // 300 ms after a change of the call
    QTimer *Timer5;        // oscilloscope frames

    int StoredCallLength = 0;

    // The call analysis.
    void callChange(const QString &text);
    void Timer4Timer();
    void AnalyseCall();
    void LookupCountryByPrefix();
    void ComputeStationLocalTime(const QString &offset);
    void LookupRegion();
    void LookupRussianRegion();
    void LookupRegionFile(const QString &file);
    void LookupBrazilRegion();
    void LookupBelarusRegion();
    void ClearAnalysis();
    void ListCallsWithPrefix();
    void SetDefaultRstForMode();
    void ShowBearingAndDistance();
    void PlotStationOnMap(const QString &longitude, const QString &latitude, unsigned colour);
    // Runs an analysis the timer still holds back.
    void FlushPendingAnalysis();

    // The repeat, new-country, club and QSL-manager checks.
    void CheckRepeatAndNewCountry();
    void LookupMemberNumber(Club club);
    void LookupNameByCall();
    void LookupQslManager();
    QString ChooseDefaultQslState() const;
    void PlayAlertSound(const QString &path);
    void ShowCountryBandChart();
    void ShowDxccBandChart();

    // Entry and saving.
    void SaveQso();
    void FocusNextEntryField(const QString &key);
    void AppendNameBase();
    void AppendQthBase();
    void UpdateUtcDateTime();
    void ValidateUtcOffset();
    void name1Change();
    void qthChange();
    void Cb2Click();
    void ApplyAutomaticMode();
    // The entry values as the record takes them.
    QsoEntry EntryFromFields() const;
    // The field of an Enter-order key ("CALL", "NAME", ...), or nullptr.
    QLineEdit *fieldOfKey(const QString &key) const;
    // Draws `chart` into Chart1 (soon after a change, not on every keystroke).
    void chartChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildChartMenu();
    void renderChart();
    void fieldKeyUp(QLineEdit *field, QKeyEvent *e);
    void fieldEntered(QLineEdit *field);
    void bandListKey(QListWidget *list, QLineEdit *field, QKeyEvent *e);
    void suggestionChange(QLineEdit *field, QListWidget *list, const QStringList &source, int &known);
    void resetFieldColours();
    void appendBase(QLineEdit *field, const QString &file, const QString &displayName, QStringList &list, int &known);
    QTimer *chartTimer_;
    QTimer *statusTimer_;
};

extern Tform1 *form1;

// Design widths of the log grid's 20 columns.
inline constexpr int LogGridDesignWidths[20] = {50, 93, 129, 134, 84, 68, 50, 50, 50, 50,
                                                52, 114, 44, 39, 40, 50, 50, 50, 50, 50};

} // namespace zelmor
