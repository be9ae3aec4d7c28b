#pragma once
// The antenna switch and rotator on the parallel port.
#include <QWidget>
#include <array>

class QLineEdit;
class QPushButton;

namespace zelmor {

class TAnt : public QWidget {
    Q_OBJECT
public:
    explicit TAnt(QWidget *parent = nullptr);

    // The ten antennas: a button each, captioned with its name, and the
    // edit the name is typed into.
    QPushButton *an1, *an2, *an3, *an4, *an5, *an6, *an7, *an8, *an9, *an10;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6, *Edit7, *Edit8, *Edit9, *Edit10;
    QPushButton *button(int n) const; // 1..10
    QLineEdit *nameEdit(int n) const; // 1..10
};

extern TAnt *Ant;

} // namespace zelmor
