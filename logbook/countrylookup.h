#pragma once
// The prefix rule of the call analysis: walk the prefix list from record 0,
// the first entry equal (trimmed, case-sensitive) to the trimmed prefix wins;
// over the leading parts of a call, the longest one that hits decides.
#include <QStringList>
#include <QStringView>

namespace zelmor {

// Record number of the first entry equal to the trimmed prefix, or -1.
int FindPrefixRecord(const QStringList &prefixList, QStringView prefix);
// Record number decided by the longest leading part of the call (blanks
// removed) that is a prefix of the list, or -1.
int LongestPrefixRecord(const QStringList &prefixList, QStringView call);

} // namespace zelmor

namespace zelmor {

// US and Canadian CQ zones by the call-area digit: when a longer prefix finds
// no record, each digit among the second and third characters of the prefix
// sets the zone (the digits tried 0 to 9, so of two digits the higher one's
// zone stays). Returns the zone to keep.
QString UsCanadaZone(QStringView country, QStringView prefix, const QString &zone);

} // namespace zelmor
