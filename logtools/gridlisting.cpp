#include "logtools/gridlisting.h"

#include "common/printunits.h"
#include "platform/dialogs.h"

#include <algorithm>

namespace zelmor {

namespace {
constexpr int PortraitLimit = 2700;   // widest table printed upright
constexpr int PortraitBottom = 3900;
constexpr int LandscapeBottom = 2700;
constexpr int LaterPageTop = 100;
const QString ListingFace = QStringLiteral("times new roman");

std::vector<int> UnitWidths(const ListingGrid &grid) {
    std::vector<int> out;
    for (int w : grid.widths) out.push_back(w * 5);
    return out;
}

int TotalWidth(const ListingGrid &grid, int left) {
    int total = left;
    for (int w : UnitWidths(grid)) total += w;
    return total;
}
} // namespace

PageOrientation GridListingOrientation(const ListingGrid &grid, int left) {
    return TotalWidth(grid, left) > PortraitLimit ? PageOrientation::Landscape : PageOrientation::Portrait;
}

void DrawGridListing(PrintCanvas &c, int left, int top, bool pageNumbers, const QStringList &headingLines,
                     const ListingGrid &grid, int rowHeight) {
    const PrinterScale s = PrinterScale::FromDpi(c.dpiX(), c.dpiY());
    const std::vector<int> widths = UnitWidths(grid);
    const int right = TotalWidth(grid, left);
    const bool landscape = right > PortraitLimit;
    const int bottom = landscape ? LandscapeBottom : PortraitBottom;
    const int fixed = std::clamp(grid.fixedRows, 0, grid.rowCount);
    const int rh = std::max(1, rowHeight);

    std::vector<int> columnX;
    for (int x = left, i = 0; i < int(widths.size()); x += widths[size_t(i)], ++i) columnX.push_back(x);

    c.setFont({ListingFace, 12, true});
    int y = top;
    for (const QString &line : headingLines) {
        c.text(s.x(left), s.y(y), line);
        y += rh + 8;
    }
    y += rh + 8;

    auto hLine = [&](int atY) { c.line(s.x(left), s.y(atY), s.x(right), s.y(atY)); };
    int row = fixed;
    int tableTop = y;
    for (int page = 1;; ++page) {
        const int remaining = grid.rowCount - row;
        // The last row may reach past the bottom by less than one row; a page
        // takes at least one row, so a tall heading can never stall the job.
        int fit = 0;
        while (tableTop + (fixed + fit) * rh < bottom) ++fit;
        const int n = std::min(remaining, std::max(1, fit));

        if (pageNumbers) {
            c.setFont({ListingFace, 8, true});
            c.text(s.x(landscape ? 3500 : 2300), s.y(20), QStringLiteral("страница № %1").arg(page));
        }
        c.setFont({ListingFace, 9, true});
        c.setPen({s.x(1), PenStyle::Solid, 0});
        const int tableBottom = tableTop + (fixed + n) * rh;
        for (int x : columnX) c.line(s.x(x), s.y(tableTop), s.x(x), s.y(tableBottom));
        c.line(s.x(right), s.y(tableTop), s.x(right), s.y(tableBottom));
        hLine(tableTop);

        for (int f = 0; f < fixed; ++f) {
            const int rowY = tableTop + f * rh;
            for (size_t col = 0; col < widths.size(); ++col)
                if (grid.widths[col] > 2) c.text(s.x(columnX[col] + 20), s.y(rowY + 5), grid.cell(int(col), f));
        }
        if (fixed > 0) hLine(tableTop + fixed * rh);

        for (int j = 0; j < n; ++j) {
            const int rowY = tableTop + (fixed + j) * rh;
            for (size_t col = 0; col < widths.size(); ++col) {
                const QString t = grid.cell(int(col), row + j).left(widths[col] / 25);
                if (!t.isEmpty()) c.text(s.x(columnX[col] + 20), s.y(rowY + 5), t);
            }
            const bool last = j == n - 1;
            c.setPen({s.x(1), last ? PenStyle::Solid : PenStyle::Dot, 0});
            hLine(rowY + rh);
        }
        row += n;
        if (row >= grid.rowCount) break;
        c.newPage();
        tableTop = LaterPageTop;
    }
}

bool PrintGridListing(const QString &jobName, int left, int top, bool pageNumbers, const QStringList &headingLines,
                      const ListingGrid &grid, int rowHeight) {
    auto canvas = platform::printer().startJob(jobName, GridListingOrientation(grid, left));
    if (!canvas) return false;
    DrawGridListing(*canvas, left, top, pageNumbers, headingLines, grid, rowHeight);
    if (!canvas->end()) {
        ShowErrorBox(canvas->errorText());
        return false;
    }
    return true;
}

} // namespace zelmor
