#pragma once
// The envelope window: sender and recipient fields, the sender entries of
// "mail.dat", the form and kind of print, the offsets of a ready envelope
// and the letter lines.
#include <QImage>
#include <QSet>
#include <QWidget>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollBar;
class QToolButton;

namespace zelmor {

struct EnvelopeContent;

class TPosta : public QWidget {
    Q_OBJECT
public:
    explicit TPosta(QWidget *parent = nullptr);

    QComboBox *ComboBox1;      // the sender entries
    QLineEdit *Edit1;          // sender name
    QPlainTextEdit *Memo1;     // sender address lines
    QLineEdit *Edit2;          // sender postcode
    QLineEdit *Edit3;          // recipient name
    QPlainTextEdit *Memo2;     // recipient address lines
    QLineEdit *Edit4;          // recipient postcode
    QLineEdit *adr_call;       // a call of the address book
    QComboBox *formsaze;       // the envelope's form
    QComboBox *Tip1;           // unfolded, or a ready envelope
    QWidget *Panel2;           // offsets
    QScrollBar *Sleft1, *Stop1;
    QFrame *Sh1;
    QWidget *Panel3;           // the letter
    QPlainTextEdit *Memo3;
    QLabel *Image1;            // the picture
    QToolButton *Sp1, *Sp2, *Sp3, *Sp4, *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4;

    // The list's text changed: typed (`chosen` false) or chosen.
    void ComboBox1Change(bool chosen);
    void Sp1Click();
    void Sp2Click();
    void Sp3Click();
    void Sp4Click();
    void SpeedButton4Click();
    void adr_callEnter();
    void FormActivate();
    EnvelopeContent content() const;

protected:
    void showEvent(QShowEvent *e) override;
    bool eventFilter(QObject *o, QEvent *e) override;

private:
    void fillOwnAddress();
    void loadPicture(bool tell);
    void placeSh1();
    QImage picture_;
    QString picturePath_;
    QSet<QString> toldMissing_; // pictures told missing in this run
};

extern TPosta *Posta;

} // namespace zelmor
