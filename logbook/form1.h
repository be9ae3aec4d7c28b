#pragma once
// The QSO window: entry fields, the analysis of the call being typed, the
// band chart, the repeat grid, the log grid. Other windows read and write
// these controls directly.
#include "common/refrecords.h"
#include "logbook/bandpointchart.h"
#include "logbook/barchart.h"
#include "logbook/logfile.h"
#include "logbook/qsoartwork.h"
#include "logbook/reference.h"
#include "platform/picturebutton.h"
#include "platform/stringgrid.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QPlainTextEdit;
class QChartView;
class QCheckBox;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QMenu;
class QScatterSeries;
class QScrollBar;
class QPlainTextEdit;
class QVBoxLayout;
class QStringListModel;
class QTimer;
class QToolButton;

namespace zelmor {

// One text per station drawn on the map: "x,y,call,country".
extern QStringList MapPointList;
// Hooks filled by later windows: the map's drawing of a point, the country
// statistics, the transceiver poll while a call is typed, the CW command
// lines (1 to 4) and the log grid refresh after a save.
// The map's mark of a station: its pixel, colour 0x00BBGGRR, and the call,
// country and distance written beside it.
extern std::function<void(int x, int y, unsigned colour, const QString &call, const QString &country,
                          const QString &distance)>
    DrawMapPoint;
extern std::function<void(const QString &country)> RefreshCountryStatistics;
extern std::function<void()> StartTransceiverPoll;
extern std::function<void(int line)> SendCwCommandLine;
extern std::function<void()> RefreshLogGrid;
// The sound mixer, created at the first activation with a sound card.
extern std::function<void()> CreateAudioMixer;
// The CW keyer's: a character typed into the CW operating window or the
// typing line, and the end of the PTT timer's lead or tail.
extern std::function<void(QChar)> CwCharacterTyped;
extern std::function<void()> CwPttTimerExpired;

// What the QSO window's menu, pictures and buttons call for work that other
// windows and later parts of the program do; an empty hook does nothing.
struct QsoWindowHooks {
    // Transceiver: the items of "Управление трансивером" by name, and the
    // memory of calls and frequencies.
    std::function<void()> n50, Lock1, ab1, ab2, usb1, LSB1, cw20, CW21, AB3, pTT1, f100hz1, F100hz2, n13, n54, n56;
    std::function<void()> N6, n67, n64;
    // CW work on and off (Image6/Image4, N_zvuk, the mode with cw_ssb); the
    // items of "CW / Звук" call the keyer's CwMenu.
    std::function<void()> StartCwWork, StopCwWork;
    // A cell of "Ячейки памяти  CW и Звука", 1 to 22 in menu order.
    std::function<void(int cell)> CwMemoryCell;
    // Callbook look-ups.
    std::function<void()> n62, CDcallbook1;
    // Country list: search, the part after "/", the chosen country.
    std::function<void()> n33, n4, Image19;
    // Windows of other parts of the program.
    std::function<void()> ShowStatistics, ShowAddressBook, ShowWorldMap;
    std::function<void(bool shown)> ShowCwPanel;
    // Recording and playback of the current wave file (its path given).
    std::function<void(const QString &path)> RecordCurrentWave, PlayCurrentWave, StopCurrentWave;
    // One oscilloscope frame, each tick of Timer5; the capture, SpeedButton1.
    std::function<void()> DrawOscillogram, StartOscilloscope;
};
extern QsoWindowHooks QsoHook;

// The flag an alert sound and the external program set: the media player
// is busy with an alert.
extern int MediaBusyWithAlert;

// The recording file of the QSO window's record and play buttons.
QString CurrentWavePath();

// Where a window dragged by a press at `pressInClient` (in its client area)
// goes when the cursor is at `cursor` (screen): the press point stays under
// the cursor.
QPoint DraggedWindowPosition(const QWidget *window, QPoint cursor, QPoint pressInClient);

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
    QLineEdit *Edit17, *Edit18, *Edit19; // its three lines
    TStringGrid *strp;     // earlier QSOs with the station
    TStringGrid *strw;     // prefix and country of every table record
    // The country list: strw with its two search fields and the picture that
    // takes the chosen country; hidden until Shift+F6 opens it.
    QFrame *Panel5;
    QLineEdit *mpf;        // prefix search
    QLineEdit *mdxcc;      // country-name search
    TStringGrid *str11;    // the log grid: header row and nine records
    QLabel *Label5;        // transceiver link: "Выкл." or "Вкл."
    QLabel *vfob;          // VFO B frequency
    QLabel *vfoa;          // VFO A frequency
    QLabel *lsb;           // the transceiver's mode
    TickerStrip *Image2;   // the status line
    QScatterSeries *Series5, *Series6; // Chart2's main (red) and second VFO (aqua)
    BandPointChart chart2; // what Chart2 shows
    QScrollBar *ch12;      // pages through the frequency channels, disabled until asked
    QChartView *Chart1;
    QChartView *Chart2;    // the transceiver's band chart
    BarChartModel chart;   // what Chart1 shows
    QMenu *PopupMenu2;     // the window's context menu
    QAction *N48;          // its transceiver submenu, enabled while the link is on
    // The editing submenu and the grid's column settings.
    QAction *n36, *n2, *n34, *n3, *BAND1, *n1, *n22;
    QAction *N59, *LOGa1, *N27, *N28;
    QAction *CALL2;        // clears the call, on the key "DELET CALL"
    QAction *n61, *N23;    // hidden settings items
    QAction *n58, *QSL1, *n62, *CDcallbook1, *n33, *n4;
    QAction *N86, *n66, *n68, *n67, *n64; // the memory submenu
    QAction *INFO3, *n5, *N7, *n20;
    QAction *CW2_1, *ssbcw1, *CW1, *stopcw1, *cw22, *N9, *cw23, *cw33, *Cw2, *Cw31, *N15, *PLAY1, *STOP1;
    QAction *N89, *Worldmap1, *N19, *N10, *N14;
    QAction *N6;
    std::array<QAction *, 15> TransceiverItems{}; // n50 .. n56 of N48
    std::array<QAction *, 22> CwCells{};          // the cells of N9

    // Picture buttons, each named by its upper picture; the lower one is
    // pair->lower().
    PicturePair *Image6;   // CW work (Image4: stop)
    PicturePair *Image7;   // sound-file panel
    PicturePair *Image29, *Image30, *Image31, *Image17, *Image18; // chart switches
    PicturePair *Image36;  // pressed look only
    PicturePair *Image24, *Image25, *Image27; // REC, PLAY, STOP
    PicturePair *Image28;  // external program
    PicturePair *Image22, *Image39, *Image23, *Image43, *Image51, *Image45, *Image13, *Image38; // pick lists
    PicturePair *Image19;  // the country chosen in the country list
    QToolButton *SpeedButton1; // oscilloscope
    // The sound panel, shown over the lists and charts: the mixer's slider
    // pictures (160 wide) with their knobs, in the order line in, output,
    // wave, microphone, beside the boxes tlin, tob1, tob2, tmc; the
    // oscilloscope's picture with SpeedButton1.
    QFrame *Panel30;
    QLabel *panel14, *panel10, *panel12, *panel91;
    QFrame *Panel15, *Panel11, *Panel16, *Panel20;
    QLabel *Image49;       // 140 x 140
    QPlainTextEdit *Memo2; // the draft
    QTimer *Timer1;        // the status ticker, 50 ms

    // The previous entry, taken when each field is left.
    QString LastCall, LastName, LastQth;

    // Log grid paging: the pictures above (newer) and below (older) the
    // slider with their pressed twins, the slider and the scroll bar.
    PictureButton *Image3, *Image53, *Image8, *Image52, *Image54;
    QScrollBar *fbar;
    QTimer *Timer6;        // 1000 ms of holding a paging picture
    QTimer *Timer7;        // 50 ms page jumps while held
    int SliderTop = 0;     // the slider's top in window coordinates
    bool SliderDragging = false;
    int SliderGrabOffset = 0;

    // Looks: frames, panels, buttons and decorative pictures.
    QFrame *Shape1, *Shape2, *Shape3;
    QFrame *Panel1, *Panel2, *Panel9, *Panel13, *Panel35, *Panel40;
    QToolButton *N_zvuk;   // "Звук"
    QToolButton *N_nastr;  // "Настр."
    PictureButton *Image40, *Image34;
    QTimer *Timera;        // the mixer levels
    QAction *D_QSO1, *D_QSO2, *D_QSL3, *D_DXCC1, *D_DXCC2; // chart switches
    QTimer *Timer4;        // 300 ms after a change of the call
    QTimer *Timer5;        // oscilloscope frames
    // CW keying.
    QPlainTextEdit *Memo3; // the CW operating window: typing keys it, sent texts are listed
    QFrame *Panel7;        // the CW panel, shown while CW work is on
    QLineEdit *Edit1;      // its echo line: what the keyer has sent
    QLineEdit *Edit2;      // its typing line: each new last character is keyed
    QTimer *Timer3;        // PTT lead and tail, one-shot
    // The sound mixer's line switches: line in, the output, wave out, the
    // microphone; checked is on.
    QCheckBox *tlin, *tob1, *tob2, *tmc;

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
    // `remember`: append the station to MapPointList (the map's own redraw
    // of the station being entered does not).
    void PlotStationOnMap(const QString &longitude, const QString &latitude, unsigned colour, bool remember = true);
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
    // The country chart's bars from the per-band counters of the last check,
    // as the chart switches ask.
    void FillCountryChartSeries();
    void ShowDxccBandChart();

    // The country list and the cycle through an ambiguous prefix's countries.
    void N33Click();
    void N4Click();
    void ApplyCountryFromGrid();
    void FindCountryRowByText(const QString &text, int column);
    void FindCountryRowIncremental(const QString &text, int column);
    void mdxccChange(const QString &text);
    void mpfChange(const QString &text);
    void strwSelectCell(int row);
    void strwKeyUp(int key);

    // Entry and saving. True when a record was appended.
    bool SaveQso();
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
    // Draws `chart2` into Chart2.
    void bandChartChanged();

    // The log grid: nine records of the log, newest at the top.
    void ClearLogGrid();
    void AddLogGridRow(int row);
    void PageLogGrid(int mode, int step);
    // The scroll bar's fill: rows 9 up to 1 from record `index` on.
    void FillLogGridFrom(qint64 index);
    // The record a row shows; none for an empty row.
    std::optional<qint64> RowRecord(int row) const;
    void Image3MouseDown();
    void Image8MouseDown();
    void PagingMouseUp();
    void Timer6Timer();
    void Timer7Timer();
    void Image54MouseDown(int yInPicture);
    // Moves while dragging; `trackY` is the cursor in the slider track.
    void Image54MouseMove(int trackY);
    void Image54MouseUp();
    void fbarScroll(int action);
    void fbarExit();
    void str11SelectCell(int row);
    // Returns true when the key is taken.
    bool str11KeyDown(int key);
    void str11KeyUp(int key);
    void ShowRowInfo(int row);

    // Editing logged QSOs.
    void LoadLogRowForEdit();
    void RewriteQsoRecord();
    void ClearEntryFields();
    void SaveFieldSwitches();
    void RestoreFieldSwitches();
    void N36Click();
    void N2Click();
    void N34Click();
    void N3Click();
    void N1Click();
    void N22Click();
    void N27Click();
    void N28Click();
    void CorrectLoggedCall();
    void SetBandOfSelectedRows();
    // Ends an edit as the cancel does (a log opened, the shut-down).
    void EndRecordEdit();
    // The record being edited; none outside an edit.
    std::optional<qint64> EditedRecordIndex() const { return editedIndex_; }

    // Menus, pictures, ticker and memory.
    void Timer1Timer();
    void CALL2Click();
    void N61Click();
    void INFO3Click();
    void N66Click();       // memory add (Ins)
    void N68Click();       // previous entry (Alt+X)
    void RecallMemoryLine();
    void N7Click();
    void N20Click();
    void N89Click();
    void N19Click();
    void N14Click();
    void SaveChartFlags();
    // A chart switch from its menu item (0..4: D_QSO1 .. D_DXCC2) or picture.
    void ChartSwitchClicked(int n);
    void ChartPictureClicked(int n);
    void RecordWave();
    void PlayWave();
    void StopWave();
    void Image28Click();
    void N_zvukClick(bool down);
    void TogglePanel30();
    void SpeedButton1Click();
    // Toggles a pick list beside its field; focuses it when shown.
    void TogglePickList(QListWidget *list);
    // The list's selected item into its field; the list hides.
    void TakePickListItem(QListWidget *list);
    QLineEdit *fieldOfPickList(const QListWidget *list) const;
    void cb1Change(const QString &text);
    void cb2Change(const QString &text);
    // A report the operator typed: the mode follows it (avtmode).
    void reportEdited(const QString &text);
    // The shortcut of the key among the menu's items, in menu order; true
    // when an item fired.
    bool DispatchShortcut(QObject *target, const QKeyEvent *e);
    // The start-up's values of the menu: the call-clearing key, the charts.
    void LoadMenuSettings();

    // Address look-ups: the postal files and the dBASE callbook (Ctrl+A),
    // the callbook CD (Ctrl+D).
    void N62Click();
    void CDcallbook1Click();

    // Looks and activation.
    void ApplyAvangardLayout();
    void ApplyClassicLayout();
    void ApplyWindowsLayout();
    // The look named by the stored text, compared exactly; any other text
    // applies nothing.
    void ApplyLook(const QString &text);
    QsoLook look() const { return look_; }
    void FormActivate();
    void FormClose();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    bool event(QEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void buildCountryPanel();
    // A country taken by hand into the station values: the region of the
    // analysed country stays with it, any other country has none.
    void takeCountry(const CountryRecord &r);
    void selectCountryRow(int row);
    // What the last analysis found, for a country taken by hand.
    struct Analysed {
        QString country, regionName, regionCode;
    } analysed_;
    void buildMenus();
    void buildPictures();
    void buildCallbookPanel();
    // The callbook's records of the call into the panel; true when any.
    bool showCallbookRecords(const QString &key);
    void buildSoundPanel();
    QWidget *pictureStrip_ = nullptr;
    bool menuEventFilter(QObject *watched, QEvent *event);
    QAction *menuItem(QMenu *menu, const char *name, const QString &caption, int shortcutCode = 0);
    QAction *chartAction(int n) const;
    PicturePair *chartPicture(int n) const;
    void setCwWork(bool on);
    bool dragging_ = false;
    QPoint dragPress_;      // the press point in the window's client area
    bool modeFromReport_ = false;
    QString analysedQslState_; // what the last analysis put into cqsl
    void buildChartMenu();
    void buildEditMenu();
    void buildColumnMenu(QMenu *settings);
    QWidget *buildPagingColumn();
    void buildLookControls();
    void showGridRow(int row, qint64 index, const QsoRecord &r);
    void refreshRowsOf(qint64 index, const QsoRecord &stored);
    // One in-place write of record `index`; what it stored goes into the
    // buffer, the log's columns and the rows that show it. False after an
    // input/output error, which is shown.
    bool storeInPlace(qint64 index, const std::function<QsoRecord()> &write);
    int currentGridRow() const;
    int currentGridColumn() const;
    void applyContentMargins();
    void fitShapedLook();
    void setLookFrames(bool windowsLook);
    // The texts an edit changes, as they were before the first recall.
    struct PreRecallTexts {
        QString band, mode, rstReceived, rstSent, points, date, time, qslField, qslState, via, iota, frequency;
    };
    void restorePreRecallTexts();
    std::array<qint64, 10> rowRecord_; // per grid row; -1 empty
    std::optional<qint64> editedIndex_;
    QsoRecord recalled_;       // the record as the recall read it
    QsoEntry recallEntry_;     // the fields as the recall left them
    std::optional<PreRecallTexts> preRecall_;
    std::array<bool, 10> switches_{};
    bool switchesSaved_ = false;
    QsoLook look_ = QsoLook::Design;
    bool mixerCreated_ = false;
    bool activatedByShow_ = false;
    QWidget *sliderTrack_ = nullptr;
    void buildCwControls(QVBoxLayout *layout);
    void renderChart();
    void fieldKeyUp(QLineEdit *field, QKeyEvent *e);
    void fieldEntered(QLineEdit *field);
    void bandListKey(QListWidget *list, QLineEdit *field, QKeyEvent *e);
    void suggestionChange(QLineEdit *field, QListWidget *list, const QStringList &source, int &known);
    void resetFieldColours();
    void appendBase(QLineEdit *field, const QString &file, const QString &displayName, QStringList &list, int &known);
    QTimer *chartTimer_;
};

extern Tform1 *form1;

// The callbook index: at start-up, and when the settings choose another
// callbook (`edit` is the settings' path field: a pick indexes at once,
// typing when the field loses the focus).
void IndexCallbookAtStartup(const QString &path);
void CallbookPathChanged(QLineEdit *edit);
void WatchCallbookPath(QLineEdit *edit);

// The look texts.
inline const QString LookAvangard = QStringLiteral("Авангард");
inline const QString LookClassic = QStringLiteral("Классический");
inline const QString LookWindows = QStringLiteral("Windows");

// The sound panel's slider pictures and knobs.
inline constexpr int SoundSliderWidth = 160, SoundSliderHeight = 20, SoundKnobWidth = 38;

// The window's size in its design layout; the shaped looks' outlines are
// cut for it.
inline constexpr QSize QsoWindowDesignSize{770, 600};

// Design widths of the log grid's 20 columns.
inline constexpr int LogGridDesignWidths[20] = {50, 93, 129, 134, 84, 68, 50, 50, 50, 50,
                                                52, 114, 44, 39, 40, 50, 50, 50, 50, 50};

} // namespace zelmor
