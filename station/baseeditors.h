#pragma once
// The sections under "Базы" of the settings dialog: the editors of the
// reference files. Their controls stand in the dialog's own sections (the
// grids the dialog already has are taken over, not made twice); the file
// work is station/refeditors'; after each write what memory and the other
// windows hold is loaded again, so the QSO window uses the edit at once.
#include "logbook/reference.h"
#include "station/refeditors.h"

#include <QObject>
#include <array>
#include <memory>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QWidget;

namespace zelmor {

class TNastroy;
class TStringGrid;

// One member list (a club or the veterans): its grid, its two finds, its
// buttons and, for DIG and the veterans, the record count.
struct ClubSection {
    TStringGrid *grid = nullptr;
    QLineEdit *numberFind = nullptr;
    QLineEdit *callFind = nullptr;
    QPushButton *readButton = nullptr;
    QPushButton *writeButton = nullptr;
    QLabel *count = nullptr;
    std::unique_ptr<RecordGridEditor> editor;
};

class TBaseEditors : public QObject {
    Q_OBJECT
public:
    explicit TBaseEditors(TNastroy *dialog);
    ~TBaseEditors() override;

    // IOTA: the file's islands (read only) and the new or changed ones.
    TStringGrid *striota, *Striota1;
    QLineEdit *eiota;
    QLabel *Panel19; // the next free row
    QProgressBar *Gauge2;
    QPushButton *iotaRead, *iotaWrite, *iotaDelete;
    // DXCC: column 12 holds the record index, hidden.
    TStringGrid *strdxcc;
    QLineEdit *dxccpf, *dxccwor;
    QPushButton *dxccRead, *dxccWrite, *dxccSort;
    // Россия.
    TStringGrid *Str_rus;
    QPushButton *rusRead, *rusWrite;
    // The member lists.
    TStringGrid *Strdig, *Stragb, *Strkdr, *Strhfc, *StrRCC, *Strsrvs, *strvet;
    QLineEdit *ndig, *calldig, *veted, *vcall, *nagb, *agbcall, *nkdr, *kdrcall, *nhfc, *hfccall, *RCCn, *RCCcall, *srvsn,
        *srvscall;
    QLabel *Panel23, *Panel24;
    ClubSection &club(Club c) { return clubs_[size_t(c)]; }
    // Names and QTHs.
    QListWidget *memo2, *mname;
    QLabel *Panel22, *Panel18;
    QPushButton *qthRead, *qthDelete, *nameRead, *nameDelete;

    void iotaReadClick();
    void iotaWriteClick();
    void iotaDeleteClick();
    void eiotaKeyUp();
    void dxccReadClick();
    void dxccWriteClick();
    void dxccSortClick();
    void dxccpfChange();
    void dxccworChange();
    void rusReadClick();
    void rusWriteClick();
    void clubReadClick(Club c);
    void clubWriteClick(Club c);
    void clubNumberChange(Club c);
    void clubCallChange(Club c);
    void nameReadClick(NameBase base);
    void nameDeleteClick(NameBase base);

    CountryTableEditor &countryEditor() { return dxcc_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildIota(QWidget *page);
    void buildDxcc(QWidget *page);
    void buildRussia(QWidget *page);
    void buildClub(Club c, QWidget *page);
    void buildNames(NameBase base, QWidget *page);
    void showBadCell(TStringGrid *grid, const WriteResult &r);

    TNastroy *dialog_;
    IslandEditor iota_;
    CountryTableEditor dxcc_;
    RecordGridEditor russia_;
    std::array<ClubSection, 7> clubs_;
};

} // namespace zelmor
