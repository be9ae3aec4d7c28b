#include "logbook/enterorder.h"

#include <QStringList>

namespace zelmor {

bool IsEntryKey(const QString &key) {
    static const QStringList keys = {"CALL", "NAME", "QTH",  "QTHL", "DATE", "TIME", "RSTR",  "RSTS",
                                     "BAND", "MODE", "QSL",  "VIA",  "IOTA", "FREQ", "POINTS"};
    return keys.contains(key);
}

std::optional<QString> NextEntryKey(const QString &order, const QString &key,
                                    const std::function<bool(const QString &)> &takesPart) {
    const QString marker = key + u',';
    const qsizetype at = order.indexOf(marker);
    if (at < 0) return std::nullopt;
    QString rest = order.mid(at + marker.size());
    for (;;) {
        const qsizetype comma = rest.indexOf(u',');
        if (comma < 0) return std::nullopt;
        const QString next = rest.left(comma);
        rest.remove(0, comma + 1);
        if (!IsEntryKey(next)) return std::nullopt;
        if (next == QLatin1String("CALL") || takesPart(next)) return next;
    }
}

} // namespace zelmor
