#include "station/time_r.h"

#include <QVBoxLayout>

namespace zelmor {

Ttime_r *time_r = nullptr;

Ttime_r::Ttime_r(QWidget *parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("time_r"));
    setWindowTitle(QStringLiteral("time_r"));
    strtimer = new TStringGrid(3, 10, this);
    strtimer->setObjectName(QStringLiteral("strtimer"));
    strtimer->model().setFixedRows(1);
    strtimer->model().setEditable(true);
    const int widths[3] = {68, 39, 223};
    for (int c = 0; c < 3; ++c) strtimer->setColWidth(c, widths[c]);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(strtimer);
}

} // namespace zelmor
