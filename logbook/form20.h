#pragma once
// The news window: the author's notes from "news.txt" and "no_news.txt",
// read anew each time the window is shown or the operator comes to it from
// another of our windows, and the wiring of the keyer on the parallel port.
#include "platform/activation.h"

#include <QWidget>
#include <optional>

class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;

namespace zelmor {

class PaintedPicture;

class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget *parent = nullptr);

    PaintedPicture *Image1;  // the background; it drags the window
    QScrollArea *ScrollBox1; // the upper box: the news, then the wiring
    QTextEdit *Memo1;        // "news.txt", yellow on grey, as long as its text
    QPlainTextEdit *Memo2;   // "no_news.txt", green
    PaintedPicture *Image2;  // "Подключение к порту LPT"
    QPushButton *Button1;    // "Закрыть"

    void FormActivate();

protected:
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    // One file into its memo; a missing file is told once per showing.
    template <class Memo>
    void loadText(Memo *memo, const QString &name, bool &told);
    // The upper box's content: the whole news, the wiring below it.
    void layOutUpperBox();
    ShowActivation activation_;
    bool toldNews_ = false, toldNoNews_ = false;
};

extern TForm20 *Form20;

// The text file of the program folder, decoded from cp1251 with its line
// breaks as '\n'; none when it cannot be read.
std::optional<QString> ReadNewsText(const QString &name);

} // namespace zelmor
