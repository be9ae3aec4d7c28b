#pragma once
// The news window: the author's notes from "news.txt" and "no_news.txt".
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class TForm20 : public QWidget {
    Q_OBJECT
public:
    explicit TForm20(QWidget *parent = nullptr);
};

extern TForm20 *Form20;

} // namespace zelmor
