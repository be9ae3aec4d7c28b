#pragma once
// The look-up shared by every sorted call list (names, QSL managers, postal
// index, callbook index). The lists are sorted in the character order
// "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"; a coarse step of 1000 entries on the
// first character's rank, then a step of 50 entries on the second character's
// rank, narrow the search to a window that the caller then compares exactly.
#include <QChar>
#include <QString>
#include <QStringView>
#include <functional>

namespace zelmor {

// Rank of a call character in "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ" (0..35),
// -1 for any other character.
int CallRank(QChar c);

// An inclusive range of list indexes; empty when low > high.
struct CallWindow {
    qint64 low = 0, high = -1;
    bool empty() const { return low > high; }
};

inline constexpr qint64 CoarseCallStep = 1000;
inline constexpr qint64 FineCallStep = 50;

// The window that holds every entry equal to `key` in a list of `count`
// entries sorted in rank order; `entryAt(i)` gives entry i (0 <= i < count)
// and is called only for the probes. Entries whose probed character has no
// rank are passed over. A key whose second character has no rank (one
// character, "/") gets the whole window of its first character; a key whose
// first character has no rank, or an empty list, gets an empty window.
CallWindow BlockSearchWindow(qint64 count, const std::function<QString(qint64)> &entryAt, QStringView key);

} // namespace zelmor
