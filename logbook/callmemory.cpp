#include "logbook/callmemory.h"

namespace zelmor {

CallMemoryLine CallMemoryLine::fromParts(const QStringList &p) {
    CallMemoryLine l;
    QString *fields[6] = {&l.call, &l.name, &l.qth, &l.info, &l.iota, &l.via};
    for (int i = 0; i < 6 && i < p.size(); ++i) *fields[i] = p[i];
    return l;
}

int FindMemoryLine(const QStringList &calls, const QString &call) {
    for (int i = 0; i < calls.size(); ++i)
        if (calls[i] == call) return i;
    return -1;
}

QString CompleteMode(const QString &text) {
    static const std::pair<QChar, const char *> modes[] = {
        {u'P', "PSK"}, {u'C', "CW"}, {u'A', "AM"}, {u'F', "FM"}, {u'R', "RTTY"}};
    if (text.isEmpty()) return text;
    for (const auto &[letter, mode] : modes)
        if (text.front() == letter) return QString::fromLatin1(mode);
    return text;
}

QString CompleteBand(const QString &text, const QStringList &bands) {
    if (text.size() != 3) return text;
    for (const QString &b : bands)
        if (b.contains(text)) return b;
    return text;
}

std::optional<QString> ModeOfReport(const QString &r) {
    const QString ssb = QStringLiteral("SSB"), cw = QStringLiteral("CW");
    if (r.size() == 2) return ssb;
    if (r.size() >= 3 && r[2] == u'+') return ssb;
    if (r.size() == 3) return cw;
    if (r.size() >= 4 && r[3] == u'+') return cw;
    return std::nullopt;
}

} // namespace zelmor
