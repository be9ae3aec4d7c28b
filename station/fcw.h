#pragma once
// The CW texts and command lines sent from the QSO window's function keys:
// 12 CW lines and 10 command lines. The settings loader fills them and
// stores each the moment it changes.
#include "station/cwmacro.h"

#include <QWidget>
#include <array>

class QLineEdit;

namespace zelmor {

class Tfcw : public QWidget {
    Q_OBJECT
public:
    explicit Tfcw(QWidget *parent = nullptr);

    QLineEdit *cwEdit1, *cwEdit2, *cwEdit3, *cwEdit4, *cwEdit5, *cwEdit6; // F2 .. F7
    QLineEdit *cwf2, *cwf3, *cwf4, *cwf5, *cwf6;                         // F8 .. F12
    QLineEdit *cwf7;                                                      // Alt+F12
    QLineEdit *comstrcw10, *comstrcw20, *comstrcw30, *comstrcw40;         // Alt+F2 .. Alt+F5
    QLineEdit *comstrcw50;                                                // Ctrl+F6
    QLineEdit *comstrcw60, *comstrcw70, *comstrcw80, *comstrcw90, *comstrcw100; // Alt+F7 .. Alt+F11

    // The field of FCW<n>, n 1..22.
    QLineEdit *text(int n) const { return fields_[size_t(n - 1)]; }
    // The texts as the macros insert them.
    std::array<QString, CwTextCount> texts() const;

    // The key label of FCW<n> ("F2", "Ctrl+F6", "Alt+F12").
    static QString KeyLabel(int n);

private:
    std::array<QLineEdit *, CwTextCount> fields_{};
};

extern Tfcw *fcw;

} // namespace zelmor
