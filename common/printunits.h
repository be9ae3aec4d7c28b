#pragma once
// Printing units: every position on a printed page is given in 1/360 inch
// from the top left corner of the printable area, and turned into printer
// pixels by the printer's pixels per inch / 360 on each axis. Rounding is
// half to even, as the printing of the original program did, so a half pixel
// never drifts the same way on every row.
#include <cmath>

namespace zelmor {

struct PrinterScale {
    double xFactor = 1.0;
    double yFactor = 1.0;

    static PrinterScale FromDpi(int dpiX, int dpiY) { return {dpiX / 360.0, dpiY / 360.0}; }
    int x(double units) const { return int(std::nearbyint(units * xFactor)); }
    int y(double units) const { return int(std::nearbyint(units * yFactor)); }
};

} // namespace zelmor
