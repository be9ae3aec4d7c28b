#pragma once
// The import and export window: every importer fills the import grid `Stre`,
// the operator corrects cells there and appends the rows to a log; the
// exporters write a log out. The converters of the other formats are hooks
// filled by the windows that own them.
#include "logtools/importrows.h"
#include "logtools/logplusinfo.h"
#include "platform/stringgrid.h"

#include <QWidget>
#include <functional>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTimer;

namespace zelmor {

// The converters of the format menu that other windows build. An importer
// fills `import->StreModel->rows()` (the country cells from
// LookupCountryForRow over tables read once), then calls
// `StreModel->storeChanged()`; N4Click saves the rows. An exporter names its
// output with ExporterOutputName.
struct ImportHooks {
    std::function<void()> ImportLogEqfCommas;
    std::function<void()> ImportLogEqfLog;
    std::function<void()> ImportQz4wLog;
    std::function<void()> ImportQz5wwLog;
    std::function<void()> ImportSwislog;
    std::function<void()> ImportLogplusDbf;
    std::function<void()> LoadLogForInfoImport; // then the info-file chooser in Panel3
    std::function<void()> ImportAalog;
    std::function<void()> ImportMixw2;
    std::function<void()> ExportLogToText;
    std::function<void()> ExportContestToText;
};
extern ImportHooks ImportHook;

// The 21 captions of the import grid's row 0.
extern const QStringList ImportGridCaptions;

class Timport : public QWidget {
    Q_OBJECT
public:
    explicit Timport(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *FormatMenu, *FileMenu, *EditMenu;
    // "Формат": one item ticked at a time.
    QAction *EQF1, *LOGEQF1, *QZ4W1, *QZ5WW, *SWIS1, *LOGPLUS1, *LOGPLUS2, *AALOG1, *ADIFG1, *Mixw2;
    QAction *N7; // between the importers and the exporters
    QAction *Zelmor1, *QZ4W2, *ADIF1;
    QAction *N3, *N4; // "Открыть", "Сохранить"
    QAction *N6;      // "Панель редактирования"

    QLineEdit *Edit1; // source
    QLineEdit *Edit2; // target
    TStringGrid *Stre;
    ImportGridModel *StreModel;
    QPushButton *SpeedButton2; // "Конвертация"
    QTimer *Timer1;

    QFrame *Panel1; // progress
    QProgressBar *Gauge1;
    QLabel *Panel1Text;
    QFrame *Panel5; // ADIF range
    QLineEdit *Edit4, *Edit11;
    QFrame *Panel2; // editing panel
    QPushButton *SpeedButton1, *SpeedButton3, *SpeedButton4;
    QComboBox *iqsl, *iband, *imode; // iband holds the modes, imode the bands
    QLineEdit *Edit5, *edit6, *edit7, *edit8, *edit9, *edit10;
    QLineEdit *Edit3; // contest name for the contest export
    QFrame *Panel3;   // info-file chooser of the foreign import: "Файлы с информацией"
    // The folder of the info files: chosen through the dialogs' folder
    // chooser (there is no drive box on this system).
    QLineEdit *Dir1;
    QPushButton *Dir1Button;
    QListWidget *Fil1; // "*.lp" in Dir1, any case
    QPushButton *SpeedButton6, *SpeedButton7; // "OK", "Отмена"
    // The log the grid's rows were loaded from for the info import, with
    // each row's record index.
    InfoImportSource infoSource;

    QList<QAction *> formatItems() const;
    void UncheckFormatItems();
    void EQF1Click();
    void LOGEQF1Click();
    void QZ4W1Click();
    void QZ5WWClick();
    void SWIS1Click();
    void LOGPLUS1Click();
    void LOGPLUS2Click();
    void AALOG1Click();
    void ADIFG1Click();
    void Mixw2Click();
    void Zelmor1Click();
    void QZ4W2Click();
    void ADIF1Click();
    // The open dialog's filter for the ticked item.
    QString openFilter() const;

    void FormActivate();
    void SpeedButton2Click();
    void Timer1Timer();
    void N3Click();
    void N4Click();
    void N6Click();
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void Dir1Click();
    void SpeedButton6Click();
    void SpeedButton7Click();
    // Fil1 anew from Dir1.
    void FillInfoFileList();

    void ImportAdif();
    void ExportAdif();

    // The progress bar, shown about every 100 ms with the window kept alive.
    void showProgress(qint64 value, qint64 maximum);

protected:
    void showEvent(QShowEvent *e) override;

private:
    QAction *formatItem(QMenu *menu, const char *name, const QString &caption, void (Timport::*click)());
    void fillRows(QComboBox *box, QLineEdit *from, QLineEdit *to);
};

extern Timport *import;

} // namespace zelmor
