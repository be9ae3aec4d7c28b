#include "common/blocksearch.h"

namespace zelmor {

int CallRank(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'A' && u <= u'Z') return 10 + (u - u'A');
    return -1;
}

namespace {

// Where a probed entry stands against the key: below it, level with it
// (the window goes on), above it, or not comparable (passed over).
enum class Probe { Below, Level, Above, Skip };

// Compares the first `depth` characters (1 or 2) by rank. An entry that ends
// before the second character sorts before every entry that has one.
Probe Compare(const QString &entry, int r1, int r2, int depth) {
    if (entry.isEmpty()) return Probe::Skip;
    const int e1 = CallRank(entry[0]);
    if (e1 < 0) return Probe::Skip;
    if (e1 != r1) return e1 < r1 ? Probe::Below : Probe::Above;
    if (depth < 2) return Probe::Level;
    if (entry.size() < 2) return Probe::Below;
    const int e2 = CallRank(entry[1]);
    if (e2 < 0) return Probe::Skip;
    if (e2 != r2) return e2 < r2 ? Probe::Below : Probe::Above;
    return Probe::Level;
}

// Narrows `w` by probing every `step`-th entry after w.low: the last probe
// below the key becomes the low end, the first probe above it the high end.
// Both ends stay inclusive, so no equal entry is ever cut off.
CallWindow Narrow(CallWindow w, qint64 step, const std::function<QString(qint64)> &entryAt, int r1, int r2,
                  int depth) {
    CallWindow out = w;
    for (qint64 p = w.low + step; p <= w.high; p += step) {
        const Probe c = Compare(entryAt(p), r1, r2, depth);
        if (c == Probe::Below) out.low = p;
        else if (c == Probe::Above) {
            out.high = p;
            break;
        }
    }
    return out;
}

} // namespace

CallWindow BlockSearchWindow(qint64 count, const std::function<QString(qint64)> &entryAt, QStringView key) {
    if (count <= 0 || key.isEmpty()) return {};
    const int r1 = CallRank(key[0]);
    if (r1 < 0) return {};
    CallWindow w = Narrow({0, count - 1}, CoarseCallStep, entryAt, r1, -1, 1);
    const int r2 = key.size() >= 2 ? CallRank(key[1]) : -1;
    if (r2 < 0) return w;
    return Narrow(w, FineCallStep, entryAt, r1, r2, 2);
}

} // namespace zelmor
