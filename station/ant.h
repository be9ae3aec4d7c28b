#pragma once
// The antenna window: the antenna switch and the rotator on the parallel
// port, and the antennas' names.
#include <QWidget>
#include <initializer_list>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace zelmor {

class TAnt : public QWidget {
    Q_OBJECT
public:
    explicit TAnt(QWidget *parent = nullptr);

    // "Антенный комутатор": the ten antennas, captioned with their names
    // as stored at the start.
    QGroupBox *GroupBox1;
    QPushButton *an1, *an2, *an3, *an4, *an5, *an6, *an7, *an8, *an9, *an10;
    // "Вращение антены".
    QGroupBox *GroupBox2;
    QPushButton *SpeedButton10; // "По часовой"
    QPushButton *SpeedButton11; // "Против часовой"
    QPushButton *SpeedButton12; // "Стоп"
    QPushButton *SpeedButton13; // "Автоматич. пов."
    // "Название антенн", hidden until asked: the names, typed here.
    QGroupBox *nazant;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10;
    QMenuBar *MainMenu1;
    QAction *N1, *N2, *N3, *LPT2279H1;
    // Why the port could not be reached: the QSO window may be hidden.
    QLabel *LabelPort;

    QPushButton *button(int n) const; // 1..10
    QLineEdit *nameEdit(int n) const; // 1..10
    QPushButton *rotationButton(int n) const; // 10..13

    void anClick(int n);
    void SpeedButton10Click();
    void SpeedButton11Click();
    void SpeedButton12Click();
    void N2Click();
    void EditChange(int n, const QString &text);

private:
    // At most one button of a group down; all may be up.
    static void KeepOneDown(QPushButton *pressed, std::initializer_list<QPushButton *> group);
    void send(quint8 code);
};

extern TAnt *Ant;

} // namespace zelmor
