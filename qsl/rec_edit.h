#pragma once
// The layout editor's shape editor; its caption gets the layout name.
// For now the window itself: the launcher shows and hides it.
#include <QWidget>

namespace zelmor {

class Trec_edit : public QWidget {
    Q_OBJECT
public:
    explicit Trec_edit(QWidget *parent = nullptr);
};

extern Trec_edit *rec_edit;

} // namespace zelmor
