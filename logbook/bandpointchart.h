#pragma once
// The QSO window's band chart as values: the bottom axis in kHz and two point
// series, Series5 (the main frequency, red) and Series6 (the second VFO,
// aqua). The chart view draws from this; tests read it.
#include <QPointF>
#include <vector>

namespace zelmor {

struct BandPointChart {
    double axisMin = 0, axisMax = 0;
    std::vector<QPointF> series5, series6;
    static constexpr unsigned Series5Colour = 0x0000FF; // 0x00BBGGRR: red
    static constexpr unsigned Series6Colour = 0xFFFF00; // aqua
};

} // namespace zelmor
