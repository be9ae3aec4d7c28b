#pragma once
// The UTC offset dialog: the hours between the PC clock and UTC.
#include <QWidget>

class QLineEdit;
class QPushButton;
class QStatusBar;

namespace zelmor {

class Tgmtf : public QWidget {
    Q_OBJECT
public:
    explicit Tgmtf(QWidget *parent = nullptr);

    QLineEdit *utc;            // -12 to 12: an optional sign and up to two digits
    QPushButton *SpeedButton1; // "OK"
    QStatusBar *StBar1;

    void SpeedButton1Click();
    // The operator changed the offset: the clock waits, the text is clamped
    // and the QSO window's date and time follow it.
    void utcChange();
    void utcClick();
    void utcExit();
    void FormClose();

protected:
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern Tgmtf *gmtf;

} // namespace zelmor
