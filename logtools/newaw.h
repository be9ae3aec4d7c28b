#pragma once
// Asks for the name of a new user award. Shown window-modal to the award
// window; "OK" stores the award window's conditions under the name.
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace zelmor {

class Tnewaw : public QWidget {
    Q_OBJECT
public:
    explicit Tnewaw(QWidget *parent = nullptr);

    QLineEdit *Edit1;          // the name
    QPushButton *SpeedButton1; // "OK"
    QPushButton *SpeedButton2; // "Отмена"

    void SpeedButton1Click();
    void SpeedButton2Click() { close(); }
};

extern Tnewaw *newaw;

} // namespace zelmor
