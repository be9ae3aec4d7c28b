#include "common/text.h"

#include <cmath>

namespace zelmor {

QString Trim(QStringView s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b].unicode() <= 32) ++b;
    while (e > b && s[e - 1].unicode() <= 32) --e;
    return s.mid(b, e - b).toString();
}

QString TrimLeft(QStringView s) {
    qsizetype b = 0;
    while (b < s.size() && s[b].unicode() <= 32) ++b;
    return s.mid(b).toString();
}

QString TrimRight(QStringView s) {
    qsizetype e = s.size();
    while (e > 0 && s[e - 1].unicode() <= 32) --e;
    return s.left(e).toString();
}

QString StripBlanks(QStringView s) {
    QString out;
    out.reserve(s.size());
    for (QChar c : s)
        if (c != u' ') out.append(c);
    return out;
}

QString UpperCaseCp1251(QStringView s) {
    QString out = Trim(s);
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u >= u'a' && u <= u'z') || (u >= 0x0430 && u <= 0x044F)) c = QChar(char16_t(u - 32));
        else if (u == 0x0451) c = QChar(char16_t(0x0401));
    }
    return out;
}

std::optional<double> ParseDecimal(QStringView s) {
    QString t = Trim(s);
    if (t.isEmpty()) return std::nullopt;
    t.replace(u',', u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

std::optional<int> ParseInteger(QStringView s) {
    const QString t = Trim(s);
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const int v = t.toInt(&ok, 10);
    if (!ok) return std::nullopt;
    return v;
}

} // namespace zelmor
