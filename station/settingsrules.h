#pragma once
// The small rules of the settings dialog and the loader, over plain values.
#include <QPoint>
#include <QRect>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace zelmor {

// A CW element time (30-100 ms) as the speed panels show it: (100 - ms) x 2 + 20.
QString CwSpeedText(int elementMs);

// The parallel port of "LPT": "1" is LPT1, any other text LPT2.
struct LptAddresses {
    quint16 data, status, control;
    bool lpt1;
};
LptAddresses LptChoice(const QString &stored);

// What the Kenwood speed box shows at start: the stored speed for a
// Kenwood, "4800" when none is stored or for any other radio (whose line
// runs at 4800; the CAT link reads the box when it opens).
QString CatSpeedShown(bool kenwood, const QString &stored);

// Where a window goes: the stored place, then the search window's own rule
// (top outside 0-500 or left outside 0-600 become 0), then, for a place
// that shows less than 100 x 50 pixels on every available screen, the
// primary screen's available top-left.
QPoint PlaceWindow(QPoint stored, QSize size, bool searchRule, const std::vector<QRect> &screens, QRect primary);

// A grid column's width: a stored width of 0 is 80; a hidden column is 0.
int ColumnWidthRule(qint32 storedWidth, bool shown);

// QSL positions from the store: entries 0-18 from "данные"N; 19 and 20
// from "вертикаль1"/"горизонталь1" when stored, else from the legacy
// "вертикаль"/"горизонталь" texts when they are whole numbers, else kept.
struct QslPositionSources {
    std::array<qint32, 19> data{};
    std::optional<qint32> vertical1, horizontal1;
    QString vertical, horizontal;
};
void AssembleQslPositions(std::array<qint32, 21> &table, const QslPositionSources &s);

// The block marker: the mouse over the panel kept to X 10..300, Y 8..180
// (the readouts), the marker itself to X 10..126, Y 8..134.
QPoint ClampToBlockPanel(QPoint mouse);
QPoint ClampBlockMarker(QPoint panelPoint);

// The personal format's origin: entries 19/20 are 12 x the scroll bars.
inline qint32 OriginEntry(int bar) { return qint32(bar) * 12; }
inline int OriginBar(qint32 entry) { return int(entry / 12); }

// A chosen folder as the edit takes it: with one closing separator.
QString FolderWithSeparator(const QString &folder);

} // namespace zelmor
