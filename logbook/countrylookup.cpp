#include "logbook/countrylookup.h"

#include "common/text.h"

namespace zelmor {

int FindPrefixRecord(const QStringList &prefixList, QStringView prefix) {
    const QString p = Trim(prefix);
    for (int i = 0; i < prefixList.size(); ++i) {
        const QString &e = prefixList[i];
        // Stored prefixes are usually trimmed already; compare without a copy then.
        if (e == p || (!e.isEmpty() && (e.front().unicode() <= 32 || e.back().unicode() <= 32) && Trim(e) == p))
            return i;
    }
    return -1;
}

int LongestPrefixRecord(const QStringList &prefixList, QStringView call) {
    int hit = -1;
    for (qsizetype n = 1; n <= call.size(); ++n) {
        const int i = FindPrefixRecord(prefixList, StripBlanks(call.left(n)));
        if (i >= 0) hit = i;
    }
    return hit;
}

} // namespace zelmor
