#pragma once
// The settings dialog. Its controls are the live settings: other windows
// read them directly. The sections stand one below the other in the scroll
// box, the tree beside it names them.
#include <QString>
#include <QWidget>
#include <vector>

class QCheckBox;
class QGroupBox;
class QScrollArea;
class QTreeWidget;
class QVBoxLayout;

namespace zelmor {

class TNastroy : public QWidget {
    Q_OBJECT
public:
    explicit TNastroy(QWidget *parent = nullptr);

    // The titled group of a section, created on first use below the ones
    // before it.
    QWidget *section(const QString &caption);
    // A check box named `name` (its objectName) at the end of `section`.
    QCheckBox *addCheckBox(QWidget *section, const char *name, const QString &caption, bool checked = false);

    QTreeWidget *nast_menu;
    QScrollArea *nast_data;

    QCheckBox *tim1;   // "Time": the cursor walk stops in the time field
    QCheckBox *n22;    // open the transceiver link at start
    QCheckBox *qso2;   // show the QSO window at start
    QCheckBox *glaw1;  // the launcher slides out when the mouse leaves it
    QCheckBox *del_f;  // offer to purge deleted records at start

private:
    void fillMenu();
    QVBoxLayout *sections_;
    std::vector<QGroupBox *> groups_;
};

extern TNastroy *Nastroy;

} // namespace zelmor
