#pragma once
// The address book of correspondents: a list of calls and names, one row per
// record of "mail\adrbox.dat", the postal address of the selected row, two
// search fields and the save and close pictures.
#include "platform/activation.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace zelmor {

class PaintedPicture;
class PicturePair;
class TStringGrid;

class Tadbox : public QWidget {
    Q_OBJECT
public:
    explicit Tadbox(QWidget *parent = nullptr);

    PaintedPicture *Image1;  // the background; it drags the window
    TStringGrid *strbox;     // call, name; row i = record i
    QPlainTextEdit *Memo4;   // the selected row's address
    QLabel *Panel25;         // the address's length, or "max=250"
    QLineEdit *callbox;      // search by call
    QLineEdit *imbox;        // search by name
    PicturePair *Image3;     // save (Image2 pressed)
    PicturePair *Image5;     // close (Image4 pressed)

    // The list anew from the file, four empty rows below the records.
    void LoadList();
    void ShowAddressBookEntry();
    void FindAddressBookEntry(const QString &text, int column);
    void Memo4Change();
    // Writes the selected row.
    void SaveRow();
    void FormActivate();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;

private:
    void showAddress(const QString &stored);
    void commitCellEdit();
    ShowActivation activation_;
    int shownRow_ = -1;          // the row whose address Memo4 holds
    qint64 records_ = 0;         // whole records of the file at the last load or save
    bool fileUsable_ = false;    // the file was there and readable at the load
    bool copyBeforeSave_ = false; // damaged at the load, not yet copied aside
};

extern Tadbox *adbox;

} // namespace zelmor
