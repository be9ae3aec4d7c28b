#pragma once
// Report printing: the three QSO listings of the search grid, the award
// application of the search window and the one of the award window, and the
// ruled table frame they share. Positions are in 1/360 inch (see
// common/printunits.h) and drawn on a PrintCanvas; the Print* functions run
// a whole job through the print seam.
#include "common/printunits.h"
#include "platform/printer.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zelmor {

struct ReportFontText;

// The report font in use: face, size in points, colour 0x00BBGGRR.
struct ReportFont {
    QString name = QStringLiteral("ms sans serif");
    int size = 9;
    unsigned colour = 0;
};
// The stored texts as a font; a size or colour that is not a number gives no
// value and the message to show. An empty text takes the first-start value.
std::optional<ReportFont> ParseReportFont(const ReportFontText &stored, QString *error);

// What the page heads print besides the rows.
struct ReportHead {
    QString ownCall, nameLatin, nameCyrillic, address;
    QString logPath;          // the current log, in the listings' title
    QString launcherCaption;  // in the footer
    QString awardName;        // the applications' award
    QString certifier;        // the certifier's line of the award conditions
    QString applicationFont;  // "font5": the award window's application
};

// A grid to print: the text of a cell. Rows are printed from row 1 until a
// row whose column 0 is empty.
using GridCell = std::function<QString(int col, int row)>;

// The table description: the first heading, one heading per further column
// but the last, and the column positions from the left edge (the last is the
// right edge).
struct PrintTable {
    QString first;
    QStringList headings;
    std::vector<int> positions;
};

PrinterScale InitPrinterScale(const PrintCanvas &canvas);

// The ruled table: a frame of `rows` rows of 70 under a heading band of 200.
void DrawPrintTableFrame(PrintCanvas &canvas, const PrinterScale &scale, const ReportFont &font, const PrintTable &table,
                         int left, int top, int rows, int columns);

// Listing 1 (grouped by date, band and mode), 2, or 3 (2 with the info text).
// Rows marked deleted are left out.
void DrawQsoListing(PrintCanvas &canvas, int format, const ReportFont &font, const ReportHead &head,
                    const GridCell &cell);
// The page head of the search window's award application; returns the scale.
PrinterScale DrawApplicationPage(PrintCanvas &canvas, const ReportFont &font, const ReportHead &head);
// The search window's award application; its running number counts the
// printed rows, so a deleted QSO is never claimed.
void DrawApplicationForm(PrintCanvas &canvas, const ReportFont &font, const ReportHead &head, const GridCell &cell);
// The award window's application of its result grid (columns 0 to
// lastColumn; the totals row included).
void DrawAwardApplication(PrintCanvas &canvas, const ReportFont &font, const ReportHead &head, const GridCell &cell,
                          int lastColumn);

// Whole jobs: the stored report font, the print seam, and a message for a
// font that is not a number (before any page) or output that failed. False
// when nothing was printed.
bool PrintQsoListing1(const GridCell &cell, const ReportHead &head);
bool PrintQsoListing2(const GridCell &cell, const ReportHead &head);
bool PrintQsoListing3(const GridCell &cell, const ReportHead &head);
bool PrintApplicationForm(const GridCell &cell, const ReportHead &head);
bool awardred(const GridCell &cell, const ReportHead &head, int lastColumn = 7);

} // namespace zelmor
