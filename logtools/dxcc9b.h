#pragma once
// The DXCC table: countries worked and confirmed on the nine HF bands.
#include "platform/stringgrid.h"

#include <QWidget>

namespace zelmor {

class TDXcc9b : public QWidget {
    Q_OBJECT
public:
    explicit TDXcc9b(QWidget *parent = nullptr);

    // Row 0 headings; per country: name, prefix, zone, then per band a QSO
    // count and a confirmation column. Other windows read it.
    TStringGrid *str2;
};

extern TDXcc9b *DXcc9b;

} // namespace zelmor
