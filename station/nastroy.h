#pragma once
// The settings dialog. Its controls are the live settings: other windows
// read them directly. The sections stand one below the other in the scroll
// box, the tree beside it names them.
#include "logbook/reference.h"
#include "platform/stringgrid.h"

#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QRadioButton;
class QLabel;
class QSpinBox;
class QLineEdit;
class QGroupBox;
class QScrollArea;
class QTreeWidget;
class QVBoxLayout;

namespace zelmor {

class TNastroy : public QWidget {
    Q_OBJECT
public:
    explicit TNastroy(QWidget *parent = nullptr);

    // The titled group of a section, created on first use below the ones
    // before it.
    QWidget *section(const QString &caption);
    // A check box named `name` (its objectName) at the end of `section`.
    QCheckBox *addCheckBox(QWidget *section, const char *name, const QString &caption, bool checked = false);

    QTreeWidget *nast_menu;
    QScrollArea *nast_data;

    QCheckBox *tim1;   // "Time": the cursor walk stops in the time field
    QCheckBox *n22;    // open the transceiver link at start
    QCheckBox *qso2;   // show the QSO window at start
    QCheckBox *glaw1;  // the launcher slides out when the mouse leaves it
    QCheckBox *del_f;  // offer to purge deleted records at start

    // Which entry fields the Enter walk stops in ("Time" is tim1 above).
    QCheckBox *tcb2, *tcb3, *tdata1, *tqsl, *trsts, *toch, *tqth, *tname, *trst, *Tvia, *tiota, *tfreq, *Cqthl;
    QLineEdit *eentr;        // the Enter order
    class THotKey *wKey1;    // the save-QSO hot key
    QCheckBox *enterc;       // save with Enter in the final CALL
    // Automatic QSL state.
    QCheckBox *qslf1, *qslf2, *qslf3;
    QLineEdit *eqslf1;       // threshold of qslf1, up to three digits
    // QSO window settings.
    QCheckBox *n24, *ru_en, *n26, *avtmode, *data23, *mngpoisk, *Name_qth;
    QLineEdit *Edit4, *Edit8; // month and year put into the date field
    // Club look-ups.
    QCheckBox *cagb, *cvet, *cdig, *ckdr, *chfc, *crcc, *Csrvs;
    QCheckBox *clubBox(Club c) const;
    // Transceiver.
    QCheckBox *rxtx_call, *rxtx_1;
    // The CAT link: port COM1..COM4, the radio model, the Kenwood line speed,
    // CW work following the rig's mode. Held in a hidden group until the
    // transceiver page is laid out.
    QRadioButton *om1, *om2, *om3, *om4;
    QRadioButton *ft840, *ft890, *ft990, *ft990_2, *ft920, *ft1000mp, *kenwood1;
    QComboBox *skorost;
    QCheckBox *cw_ssb;
    // Alert sounds.
    QCheckBox *povmidi, *Newworld;
    QLineEdit *Edit15, *Edit16;
    // "Звуковое сопровождение таймера": the reminders ring.
    QCheckBox *n50;
    // The veterans' base.
    TStringGrid *strvet;
    QLabel *Panel24;
    // Takes part in the Enter walk: the box of an Enter-order key.
    QCheckBox *entryBox(const QString &key) const;

    QLineEdit *addLineEdit(QWidget *section, const char *name, const QString &caption, const QString &text = {});

    // The QSO window's look and activation settings. Until the dialog's own
    // pages hold them they stand in a hidden group at its end.
    QComboBox *vid_qso;      // the look: "Авангард", "Классический" (any text may be typed)
    QCheckBox *Notb;         // compact 400 x 600 variant (disabled)
    QCheckBox *n21;          // a sound card is present (hidden)
    QSpinBox *updo, *updo1;  // normal and fast CW element time, ms (100 down to 30)
    // Reference grids the dialog's editors fill; their headers are written
    // at each activation of the QSO window.
    TStringGrid *strdxcc, *striota, *Striota1, *Strdig;
    // The external program's command line, started from the QSO window.
    // Until the dialog's own pages hold it, it stands in a hidden group at
    // its end.
    QLineEdit *Edit7;

    // CW keyer settings (with updo and updo1 above). Until the dialog's own
    // pages hold them they stand in a hidden group at its end; the keyer
    // connects them.
    QSpinBox *UpDo10;        // PTT lead and tail, ms (1..3000, step 20)
    QLabel *edit6, *Panel26, *Panel4; // what each shows: the speeds, the PTT time
    QCheckBox *cwcom10, *cwcom11, *cwcom12, *cwcom13; // command lines 1..4 at Enter in call, name, QTH and at the save
    QLineEdit *Edit22, *Edit29, *Edit30, *Edit31, *Edit32, *Edit33; // voice files of F2..F7
    QRadioButton *RadioButton1, *RadioButton3; // LPT1, LPT2
    QLineEdit *voiceKeyFile(int n) const; // n 0..5: F2..F7

protected:
    // Each showing lists the veterans' base anew.
    void showEvent(QShowEvent *e) override;

private:
    void fillMenu();
    void addKeyerControls();
    void addSoundPicker(QWidget *section, QLineEdit *edit);
    void addLookControls();
    void addQsoMenuControls();
    QVBoxLayout *sections_;
    std::vector<QGroupBox *> groups_;
};

extern TNastroy *Nastroy;

} // namespace zelmor
