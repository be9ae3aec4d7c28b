#include "station/settingsrules.h"

#include "common/text.h"

namespace zelmor {

QString CwSpeedText(int elementMs) { return QString::number((100 - elementMs) * 2 + 20); }

LptAddresses LptChoice(const QString &stored) {
    if (stored == QLatin1String("1")) return {0x378, 0x379, 0x37A, true};
    return {0x278, 0x279, 0x27A, false};
}

QString CatSpeedShown(bool kenwood, const QString &stored) {
    return kenwood && !stored.isEmpty() ? stored : QStringLiteral("4800");
}

QPoint PlaceWindow(QPoint stored, QSize size, bool searchRule, const std::vector<QRect> &screens, QRect primary) {
    QPoint p = stored;
    if (searchRule) {
        if (p.y() > 500 || p.y() < 0) p.setY(0);
        if (p.x() > 600 || p.x() < 0) p.setX(0);
    }
    const QRect frame(p, size.isValid() && !size.isEmpty() ? size : QSize(100, 50));
    for (const QRect &s : screens) {
        const QRect seen = s.intersected(frame);
        if (seen.width() >= 100 && seen.height() >= 50) return p;
        // A window smaller than the rule's box counts by all of it.
        if (!seen.isEmpty() && seen.size() == frame.size()) return p;
    }
    return screens.empty() ? p : primary.topLeft();
}

int ColumnWidthRule(qint32 storedWidth, bool shown) {
    if (!shown) return 0;
    return storedWidth != 0 ? storedWidth : 80;
}

void AssembleQslPositions(std::array<qint32, 21> &table, const QslPositionSources &s) {
    for (int n = 0; n < 19; ++n) table[size_t(n)] = s.data[size_t(n)];
    auto legacy = [](const QString &text, qint32 &entry) {
        if (text.isEmpty()) return;
        if (const auto n = ParseInteger(text)) entry = *n;
    };
    if (s.horizontal1) table[20] = *s.horizontal1;
    else legacy(s.horizontal, table[20]);
    if (s.vertical1) table[19] = *s.vertical1;
    else legacy(s.vertical, table[19]);
}

QPoint ClampToBlockPanel(QPoint m) { return {qBound(10, m.x(), 300), qBound(8, m.y(), 180)}; }

QPoint ClampBlockMarker(QPoint p) { return {qBound(10, p.x(), 126), qBound(8, p.y(), 134)}; }

QString FolderWithSeparator(const QString &folder) {
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\')) return folder;
    return folder + u'/';
}

} // namespace zelmor
