#pragma once
// What the layout editor shows and keeps, apart from its windows: the
// preview of a layout with its rulers, the element list with its notes, and
// the working font and colours the element editors share for the run.
#include "qsl/layoutfile.h"

#include <QImage>
#include <QStringList>
#include <vector>

namespace zelmor {

// The preview of a layout: a white card face with every visible element
// drawn in file order by the card printer's painters, in the preview
// mapping (4 pixels per unit); what lies off the card is clipped.
void DrawLayoutPreview(const QslLayout &layout, PrintCanvas &canvas);
QImage RenderLayoutPreview(const QslLayout &layout);

// The rulers beside the preview, in pixels of their own areas: ticks every
// 4 pixels (one unit), longer every 5 and 10 units, the tens numbered.
inline constexpr int TopRulerWidth = 590, TopRulerHeight = 36;
inline constexpr int LeftRulerWidth = 40, LeftRulerHeight = 380;
// Where unit 0 lies on each ruler: the preview's left and top edges.
inline constexpr int TopRulerStart = 14, LeftRulerStart = 8;
void DrawTopRuler(PrintCanvas &canvas);
void DrawLeftRuler(PrintCanvas &canvas);
QImage RenderTopRuler();
QImage RenderLeftRuler();

// One line of the element list.
struct LayoutElementLine {
    int number = 0;     // from 1, in file order
    QString kind;       // "текст", "линия", "рамка", "вид 7"
    QString name;
    bool visible = false;
    QStringList notes;  // what the card print will not draw as it looks
};
// The card face in layout units.
inline constexpr int CardUnitsWide = 140, CardUnitsHigh = 90;
std::vector<LayoutElementLine> LayoutElementLines(const QslLayout &layout);
// Notes on the file as a whole (a trailing piece).
QStringList LayoutFileNotes(const QslLayout &layout);

// The names of one kind as an editor lists them: not empty, each once,
// in the program's one collation.
QStringList SortedElementNames(const QslLayout &layout, qint32 kind);

// The working values of the element editors, kept for the run and shared by
// every layout: a new element takes the last ones set.
struct LayoutEditorValues {
    QString fontName = QStringLiteral("Times New Roman");
    qint32 fontSize = 12;
    qint32 fontColour = 0;
    quint8 fontStyle = 0;
    qint32 textBackground = 0x00FFFFFF;
    qint32 linePenColour = 0;
    qint32 shapePenColour = 0;
    qint32 shapeFill = 0x00FFFFFF;
};
extern LayoutEditorValues EditorValues;

} // namespace zelmor
