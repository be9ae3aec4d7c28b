#include "logbook/countrylookup.h"

#include "common/text.h"

namespace zelmor {

int FindPrefixRecord(const QStringList &prefixList, QStringView prefix) {
    const QString p = Trim(prefix);
    if (p.isEmpty()) return -1;
    const QChar first = p.front();
    for (int i = 0; i < prefixList.size(); ++i) {
        const QString &e = prefixList[i];
        if (e.isEmpty()) continue;
        // Stored prefixes are usually trimmed already: the length and the first
        // character rule most entries out without a full comparison.
        if (e.front().unicode() <= 32 || e.back().unicode() <= 32) {
            if (Trim(e) == p) return i;
        } else if (e.size() == p.size() && e.front() == first && e == p) {
            return i;
        }
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

namespace zelmor {

QString UsCanadaZone(QStringView country, QStringView prefix, const QString &zone) {
    static const char *us[10] = {"04", "05", "05", "05", "04", "04", "03", "03", "04", "04"};
    static const char *canada[10] = {nullptr, nullptr, "02", nullptr, nullptr, nullptr, nullptr, nullptr, "01", nullptr};
    const char *const *row = country == u"United States" ? us : country == u"Canada" ? canada : nullptr;
    if (!row) return zone;
    QString result = zone;
    for (int d = 0; d <= 9; ++d) {
        const QChar digit(char16_t(u'0' + d));
        if ((CharAt(prefix, 2) == digit || CharAt(prefix, 3) == digit) && row[d]) result = QString::fromLatin1(row[d]);
    }
    return result;
}

} // namespace zelmor
