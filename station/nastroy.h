#pragma once
// The settings dialog. It has no OK or Cancel: its controls are the live
// settings, other windows read them directly, and each control stores its
// value the moment it changes (station/settingsbinder). The sections stand
// one below the other in the scroll box at fixed positions; the tree beside
// it scrolls to them.
#include "logbook/reference.h"
#include "platform/stringgrid.h"

#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QSlider;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace zelmor {

class THotKey;
class TBaseEditors;

// What the dialog's effects reach in later windows; filled by the windows
// that carry them out. Empty hooks do nothing.
struct SettingsDialogHooks {
    std::function<void()> BandBoxChanged;      // bandbox1: the countries not confirmed on that band
    std::function<void()> StickerPreview;      // redraw the sticker sheet and its row offsets
    std::function<void()> CardFontPreview;     // the card font sample
    std::function<void()> BlockMarkerStep;     // the QSL window's block marker mode, at the start and the end of a drag
    std::function<void()> CallbookIndex;       // the callbook index after Edit3 changed
};
extern SettingsDialogHooks SettingsDialogHook;

// A section caption and its scroll position in nast_data.
struct SettingsPage {
    const char *caption;
    int position;
};
inline constexpr int SettingsPageCount = 41;
// 35 slots used (the 35th is the own station's page), the rest empty.
extern const std::array<SettingsPage, SettingsPageCount> SettingsPageTable;

class TNastroy : public QWidget {
    Q_OBJECT
public:
    explicit TNastroy(QWidget *parent = nullptr);

    // The titled group of a section, by its caption.
    QWidget *section(const QString &caption);
    // A check box named `name` (its objectName) at the end of `section`.
    QCheckBox *addCheckBox(QWidget *section, const char *name, const QString &caption, bool checked = false);
    QLineEdit *addLineEdit(QWidget *section, const char *name, const QString &caption, const QString &text = {});

    QMenuBar *menuBar;
    QAction *N1; // "Скрыть меню настроек"
    QAction *N2; // "Показать меню настроек"
    QTreeWidget *nast_menu;
    QScrollArea *nast_data;
    void nast_menuClick(QTreeWidgetItem *item);

    // Настройка полей ввода: which entry fields the Enter walk stops in.
    QCheckBox *tim1, *tcb2, *tcb3, *tdata1, *tqsl, *trsts, *toch, *tqth, *tname, *trst, *Tvia, *tiota, *tfreq, *Cqthl;
    // Настройка обхода полей ввода.
    QLineEdit *eentr;
    // Настройка путей к звуковым файлам: the voice files of F2..F7.
    QLineEdit *Edit22, *Edit29, *Edit30, *Edit31, *Edit32, *Edit33;
    std::array<QPushButton *, 6> voiceButtons{};
    QLineEdit *voiceKeyFile(int n) const; // n 0..5: F2..F7
    // Команда записи данных в файл.
    THotKey *wKey1;
    QCheckBox *enterc;
    // Автоматическая отметка QSL статуса.
    QCheckBox *qslf1, *qslf2, *qslf3;
    QLineEdit *eqslf1; // up to three digits
    // Установки окна QSO.
    QCheckBox *n24, *ru_en, *n26, *avtmode, *data23, *cw_ssb, *n22, *qso2, *mngpoisk, *Name_qth;
    QPushButton *utcButton; // "Установка UTC"
    QLineEdit *Edit4, *Edit8; // month and year put into the date field
    THotKey *delcall;         // clears the call field
    // Скорость CW: element times in ms; the up arrow shortens them.
    QSpinBox *updo, *updo1; // 100 down to 30
    QSpinBox *UpDo10;       // PTT lead and tail, 1..3000, step 20
    QLabel *edit6, *Panel26, *Panel4;
    // Командные строки CW: lines 1..4 at Enter in call, name, QTH and at the save.
    QCheckBox *cwcom10, *cwcom11, *cwcom12, *cwcom13;
    // Работа с базами клубов.
    QCheckBox *cagb, *cvet, *cdig, *ckdr, *chfc, *crcc, *Csrvs;
    QCheckBox *clubBox(Club c) const;
    // Внешний вид окна QSO.
    QComboBox *vid_qso;

    // Условия заполнения таблиц.
    QCheckBox *qsobanda1, *No_qso, *n9, *qso1, *qsl3, *qso_2;
    QComboBox *bandbox1;
    // Ориентация наклеек.
    QSlider *updown1; // 0..420
    QLineEdit *Edit5;
    QLabel *Image2;
    // Ориентация личного формата.
    QScrollBar *sx; // 0..150
    QScrollBar *sy; // 0..450
    QLabel *Image4;
    void sxChange(); // both bars
    void drawOrigin(int x, int y);
    // Ориентация блока данных.
    QFrame *Panel5;
    QLabel *sh1;
    QLabel *Panel6, *Panel7;
    void sh1MouseMove();
    void Panel5MouseDown();
    void Panel5MouseMove(QPoint at);
    void Panel5MouseUp();
    int BlockButtonDown = 0;
    int BlockDragTarget = 0;
    // Образец наклейки.
    QLineEdit *Edit11;
    QLabel *Label15, *Label17, *Label19, *Label20, *Image1;
    // Установки (QSL).
    QCheckBox *n15;
    QLineEdit *edit20; // "" or 1..99

    // The reference bases' editors: the veterans' list, and the grids whose
    // headers the QSO window writes at each activation.
    TStringGrid *strvet;
    QLabel *Panel24;
    TStringGrid *strdxcc, *striota, *Striota1, *Strdig;
    // The editors' other controls and their handlers (station/baseeditors).
    TBaseEditors *baseEditors = nullptr;

    // Пути к колбукам.
    QLineEdit *Edit21;
    QPushButton *folderButton; // the folder chooser: its choice into Edit21 with a closing "/"
    void folderButtonClick();
    QLineEdit *Edit3;
    QPushButton *callbookButton;
    // Путь к текущему лог файлу.
    QLabel *Panel3;
    // Управление трансивером.
    QRadioButton *om1, *om2, *om3, *om4;
    QRadioButton *ft840, *ft890, *ft990, *ft990_2, *ft920, *ft1000mp, *kenwood1;
    QComboBox *skorost;
    QCheckBox *rxtx_call, *rxtx_1;
    // Звуковое сопровождение.
    QCheckBox *povmidi, *Newworld;
    QLineEdit *Edit15, *Edit16;
    QGroupBox *exeGroup; // hidden; its value is kept
    QLineEdit *Edit7;
    // Общие установки.
    QCheckBox *glaw1, *n50, *n21, *Notb;
    QRadioButton *RadioButton1, *RadioButton3; // LPT1, LPT2
    // Удаление пустых строк.
    QCheckBox *del_f;
    // Своя станция: call, name, latin name, address, e-mail, latitude,
    // longitude, ITU, WAZ, country, continent.
    std::array<QLineEdit *, 11> stationEdits{};

    // Takes part in the Enter walk: the box of an Enter-order key.
    QCheckBox *entryBox(const QString &key) const;

    // Each showing: the origin from the store, the previews, "names2.dat",
    // the current log.
    void FormActivate();

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fillMenu();
    QWidget *place(const char *caption, int position, int height);
    void buildQsoPages();
    void buildQslPages();
    void buildBasePages();
    void buildOtherPages();
    void buildStationPage();
    void pickVoiceFile(int n);
    void pickFile(QLineEdit *edit, const QString &filter);
    QWidget *content_;
    std::vector<QGroupBox *> groups_;
};

extern TNastroy *Nastroy;

// The callbook dBASE file dialog: its path into Edit3.
void PickCallbookDbfFile();

} // namespace zelmor
