#pragma once
// QSL layout files: reading, storing and deleting elements, the field
// commands a text element may name, the checks a print run makes before it
// trusts a file, and the painters that draw one element on a canvas, on
// paper or in the editor's preview.
#include "common/qsllayoutelement.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace zelmor {

class PrintCanvas;

// The current layout file: QslLayoutPath matched case-insensitively against
// what exists ("1QSL" finds "1qsl.qsl"); empty when no layout is chosen.
QString CurrentLayoutPath();

// A layout as read once: its whole elements in file order (drawing order),
// and the bytes of a trailing piece too short to be an element.
struct QslLayout {
    std::vector<QslLayoutElement> elements;
    int trailingBytes = 0;
};

// Throws IoError: the missing-file message naming the layout when the file
// does not exist, the system's reason when it cannot be read.
QslLayout ReadLayout(const QString &path);
std::vector<QslLayoutElement> ReadLayoutElements(const QString &path);
// Overwrites the first element of the same kind and name (byte for byte),
// or appends after the last whole element. The file must exist.
void StoreLayoutElement(const QString &path, const QslLayoutElement &element);
// The first element of that kind and name becomes a deleted element (kind 1,
// not visible, no name; its other bytes stay); when there is none, a deleted
// element is appended. The file must exist.
void DeleteLayoutElement(const QString &path, qint32 kind, const QString &name);
// A deleted element: never drawn, never listed.
bool IsDeletedLayoutElement(const QslLayoutElement &e);
// The names the editors list for one kind: not empty, in file order.
QStringList LayoutElementNames(const std::vector<QslLayoutElement> &elements, qint32 kind);

// The card being printed.
struct QslCardData {
    QString call;
    QString op;      // name field of the card's first QSO
    QString via;     // QSL manager of the card's first QSO
    QString status;  // "П" when a QSO of the card has its card received, else "О"
    // One entry per QSO of the card, in card order.
    QStringList dates, times, modes, bands, rsts;
    int qsoCount() const { return int(dates.size()); }
    void clear() { *this = QslCardData(); }
};

// The text a field command prints; nothing when the name is no command (the
// element's own text prints then). Own-station commands read StationProfile.
std::optional<QString> ResolveLayoutFieldCommand(const QString &name, const QslCardData &card);
// The highest n of the numbered commands the layout's visible text elements
// name (date3 -> 3), 0 when none.
int HighestNumberedCommand(const std::vector<QslLayoutElement> &elements);

// What a print run must not trust without asking.
struct LayoutProblem {
    enum Kind {
        Truncated,     // the size is not a multiple of 564: the last element runs past the end
        UnknownKind,   // a kind other than 1, 2, 3
        UnknownShape,  // a visible shape whose type is none of the three
        NearMissCommand // a visible text element with no text whose name misses a command by case or zeros
    } kind;
    int element = -1; // index in file order; -1 for the file as a whole
    QString detail;   // the trailing bytes, the kind, the shape type or the name
    // One line for the operator.
    QString text() const;
};
std::vector<LayoutProblem> CheckLayout(const QslLayout &layout);

// Layout units to device pixels.
struct LayoutMapping {
    double unitX = 1, unitY = 1; // device pixels per layout unit
    double cornerScale = 1;      // device pixels per corner unit
    int originX = 0, originY = 0;
    int fontReduction = 0;       // points taken off the stored size
    // On paper: a layout unit is 12/360 inch, the corner is in 1/360 inch
    // scaled horizontally, the origin (QslPositionTable 20 and 19) is in
    // printer pixels, and text prints 2 points smaller.
    static LayoutMapping Printer(int dpiX, int dpiY, int originX, int originY);
    // The same for a canvas, with the card origin of QslPositionTable.
    static LayoutMapping Printer(const PrintCanvas &canvas);
    // The editor's preview: 4 pixels per unit, the corner in pixels, the
    // stored font size.
    static LayoutMapping Preview();
    int x(qint32 units) const;
    int y(qint32 units) const;
    int corner(qint32 c) const;
};
// The preview area of the editor, in pixels: the card face is 140 x 90 units.
inline constexpr int LayoutPreviewWidth = 560;
inline constexpr int LayoutPreviewHeight = 360;

// One element on a canvas; nothing for a hidden element. A text element
// prints the field command its name resolves to on `card`, else its text.
void PrintLayoutText(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m, const QslCardData &card);
void PrintLayoutLine(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m);
void PrintLayoutShape(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m);
// The painter of the element's kind; unknown kinds draw nothing.
void PrintLayoutElement(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m, const QslCardData &card);

} // namespace zelmor
