#pragma once
// The search and sort window: the current log as a grid, filtered by a set
// of criteria, sorted by a column, edited cell by cell, saved as a new log
// and printed. The work itself is in logsearch, searchgrid and reportprint.
#include "platform/activation.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <array>
#include <functional>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTimer;

namespace zelmor {

class SearchGridModel;
struct SearchCriteria;
struct ReportHead;

class Tpoisk : public QWidget {
    Q_OBJECT
public:
    explicit Tpoisk(QWidget *parent = nullptr);

    TStringGrid *Str;         // row 0 headings, one row per QSO listed from row 1
    SearchGridModel *StrRows; // its content
    int FoundCount = 0;       // rows listed by the last search

    // The criteria panel.
    QFrame *Panel5;
    QLineEdit *mEdit1, *MEdit2;     // QSO number from, to
    QLineEdit *mdata1, *mdata2;     // date from, to
    QComboBox *cb2p;                // band
    QComboBox *cbm;                 // mode
    QListWidget *Lworx1;            // chosen countries
    QLineEdit *wordp1;              // part of a country name
    QListWidget *List1;             // completion under wordp1
    QComboBox *qslp1;               // QSL state
    QLineEdit *itup1, *wazp1;
    QPlainTextEdit *Memo1;          // call patterns
    QLineEdit *poinfo, *poname, *poqth;

    QProgressBar *Gauge1;
    QTimer *Timer1; // 200 ms, one-shot: the search
    QTimer *Timer2; // 100 ms, one-shot: the reload after an activation
    QTimer *Timer3; // 1 s: blinks Shape1 in edit mode

    QMenu *PopupMenu2; // the window's menu
    QMenu *PopupMenu1; // the grid's menu
    QAction *N11, *N10, *N14, *N9, *N8, *N22;         // find, clear, clear countries, panel, table page, hints
    QAction *N23, *N16, *N17, *N24, *N26, *N27;       // sort, all columns, hide column, edit mode, fill, save cell
    QAction *N3, *N12, *N13, *N21, *N31, *N18, *N6;   // save as log, print formats, print, print font

    // Picture buttons, as flat captioned buttons.
    QPushButton *Image3;  // "Открыть панель поиска"
    QPushButton *Image7;  // "Очистить поля поиска"
    QPushButton *Image8;  // its pressed twin (shown with the panel)
    QPushButton *Image17; // help
    QPushButton *ImageFind, *ImageSave, *ImagePrint, *ImageFont, *ImageHide;
    QLabel *Image1;       // the background strip that drags the window

    QTabWidget *nbox1;    // page "Настройка таблицы"
    QCheckBox *pcall, *pname, *pqth, *pochk, *pdate, *putc, *prsts, *pqsl, *prstr, *pqthl, *pmode, *pband, *pwor,
        *pwaz, *pinfo, *pitu;

    // Edit mode.
    QLabel *Label2;
    QLabel *Shape1;
    QLineEdit *search_call, *search_name, *search_qth, *search_date, *search_time, *search_rst, *search_ochki,
        *search_zone, *search_contry, *search_locator, *search_iota, *search_freq;
    QComboBox *Search_BAND, *search_mode, *search_qsl;
    QPlainTextEdit *search_info;
    QListWidget *search_List;

    // Handlers, by their menu items and buttons.
    void FormActivate();
    void Timer2Timer();
    void ClearResultGrid();
    void LoadLogIntoLists();
    void N11Click();
    void Timer1Timer();
    void RunSearch();
    void N10Click();
    void N14Click();
    void N9Click();
    void Image3MouseDown();
    void N8Click();
    void N23Click();
    void SortGridByColumn();
    void N16Click();
    void N17Click();
    void N22Click();
    void Image17Click();
    void LoadColumnWidths();
    void SaveColumnVisibility();
    void N24Click();
    void Timer3Timer();
    void StrClick();
    void BeginCellEdit();
    void N26Click() { FillRow(); }
    void FillRow();
    void N27Click() { SaveEditedCell(); }
    void SaveEditedCell();
    void N3Click();
    void N12Click();
    void N13Click();
    void N21Click();
    void N31Click();
    void N18Click() { PrintSearchResult(); }
    void PrintSearchResult();
    void N6Click();

    // The band criterion and the band editor: the log's bands, none chosen.
    void FillBandBoxes(const QStringList &bands);
    // The criteria panel as search criteria.
    SearchCriteria criteria() const;
    bool editMode() const;
    // The editor of a column (nullptr for columns without one).
    QWidget *cellEditor(int column) const;
    // The column the grid's cursor is in.
    int currentColumn() const;

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void buildPanel();
    void buildEditors();
    void buildMenus();
    void buildTablePage();
    void chooseFormat(QAction *chosen);
    void complete(QLineEdit *edit, QListWidget *list);
    void setBusy(qint64 done, qint64 total);
    ShowActivation activation_;
};

extern Tpoisk *poisk;

// Headings of the search grid's 24 columns.
extern const QStringList SearchGridHeadings;

// Filled by the settings issue: the column widths and shown flags of the grid
// from the stored values (the table page calls it).
extern std::function<void()> LoadSearchGridColumnWidthsHook;

} // namespace zelmor
