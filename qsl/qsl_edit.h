#pragma once
// The QSL layout editor: the layout list, the preview with its rulers, the
// toolbar that opens the element editors, and the element list.
#include <QWidget>

class QComboBox;
class QLabel;
class QMenu;
class QAction;
class QToolButton;
class QTreeWidget;

namespace zelmor {

class Tqsl_edit : public QWidget {
    Q_OBJECT
public:
    explicit Tqsl_edit(QWidget *parent = nullptr);

    QComboBox *qsl_box;  // "Имя QSL": the layouts, "<n>QSL"; its text is the current one
    QLabel *Image3;      // the preview, 560 x 360
    QLabel *Image1;      // top ruler
    QLabel *Image4;      // left ruler
    QLabel *Image5;      // drags the window
    QToolButton *Image11, *Image7, *Image12, *Image14, *Image16, *Image18, *ElementsButton;
    QMenu *PopupMenu1;
    QAction *N1;         // "Закрыть"
    QAction *N2;         // "Элементы макета"
    QTreeWidget *elem_list; // a tool window: one line per element

    // The preview and the element list of the current layout, read anew.
    void RedrawLayout();
    // A layout chosen in the list.
    void LayoutChosen(const QString &name);
    void NewLayoutClick();
    void OpenFirstLayout();
    void ShowElementList();

protected:
    void showEvent(QShowEvent *e) override;

private:
    void elementChosen(int index);
    // Makes the layout `pick` names in the qsl folder current, the list rebuilt.
    void OpenLayout(QString (*pick)(const QString &qslDir));
    bool layoutHasNotes_ = false;
};

extern Tqsl_edit *qsl_edit;

} // namespace zelmor
