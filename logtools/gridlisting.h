#pragma once
// A grid printed as a ruled, paged table: heading lines, then on every page
// the grid's fixed rows and as many of its other rows as fit. Positions are
// in printing units (1/360 inch, common/printunits.h).
#include "platform/printer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelmor {

struct ListingGrid {
    std::vector<int> widths;  // screen pixels per column; 2 or less hides a heading
    int rowCount = 0;         // the fixed rows included
    int fixedRows = 1;
    std::function<QString(int col, int row)> cell;
};

// The paper lies on its side when the table is wider than 2700 units.
PageOrientation GridListingOrientation(const ListingGrid &grid, int left);

// Draws the listing on a canvas whose first page is begun.
void DrawGridListing(PrintCanvas &canvas, int left, int top, bool pageNumbers, const QStringList &headingLines,
                     const ListingGrid &grid, int rowHeight);

// One print job through the print seam; false when nothing was printed (the
// operator has been told why).
bool PrintGridListing(const QString &jobName, int left, int top, bool pageNumbers, const QStringList &headingLines,
                      const ListingGrid &grid, int rowHeight);

} // namespace zelmor
