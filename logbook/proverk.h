#pragma once
// The check window: lists the data files the start-up found missing. Its
// only button closes the launcher, which ends the program.
#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace zelmor {

class TProverk : public QWidget {
    Q_OBJECT
public:
    explicit TProverk(QWidget *parent = nullptr);

    QPlainTextEdit *Memo1;
    QPushButton *Button1;

private:
    void Button1Click();
};

extern TProverk *Proverk;

} // namespace zelmor
