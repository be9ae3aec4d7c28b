#pragma once
// The UTC offset dialog: the hours between the PC clock and UTC.
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zelmor {

class Tgmtf : public QWidget {
    Q_OBJECT
public:
    explicit Tgmtf(QWidget *parent = nullptr);

    QLineEdit *utc;            // -12 to 12
    QPushButton *SpeedButton1; // "OK"
};

extern Tgmtf *gmtf;

} // namespace zelmor
