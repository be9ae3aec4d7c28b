#pragma once
// The search and sort window: the current log as a grid, filtered and sorted.
#include "platform/stringgrid.h"

#include <QWidget>

class QComboBox;

namespace zelmor {

class Tpoisk : public QWidget {
    Q_OBJECT
public:
    explicit Tpoisk(QWidget *parent = nullptr);

    TStringGrid *Str;        // row 0 headings, one row per QSO listed from row 1
    QComboBox *Search_BAND;  // band choice of the cell editor
    QComboBox *cb2p;         // band criterion
};

extern Tpoisk *poisk;

// Headings of the search grid's 24 columns.
extern const QStringList SearchGridHeadings;

} // namespace zelmor
