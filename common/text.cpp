#include "common/text.h"

#include "common/codepage.h"

#include <array>
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

QString LowerCaseCp1251(QStringView s) {
    QString out = Trim(s);
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u >= u'A' && u <= u'Z') || (u >= 0x0410 && u <= 0x042F)) c = QChar(char16_t(u + 32));
        else if (u == 0x0401) c = QChar(char16_t(0x0451));
    }
    return out;
}

namespace {
std::array<quint16, 256> BuildWeights() {
    std::array<quint16, 256> w{};
    for (int c = 0; c < 256; ++c) {
        int u = c;
        if (c >= 'a' && c <= 'z') u = c - 32;
        else if (c >= 0xE0) u = c - 32;                // а..я
        switch (c) {                                    // the other cp1251 letter pairs
        case 0x83: u = 0x81; break;                     // ѓ
        case 0x9A: u = 0x8A; break;
        case 0x9C: u = 0x8C; break;
        case 0x9D: u = 0x8D; break;
        case 0x9E: u = 0x8E; break;
        case 0x9F: u = 0x8F; break;
        case 0x90: u = 0x80; break;                     // ђ
        case 0xA2: u = 0xA1; break;                     // ў
        case 0xBC: u = 0xA3; break;                     // ј
        case 0xB4: u = 0xA5; break;                     // ґ
        case 0xBA: u = 0xAA; break;                     // є
        case 0xB3: u = 0xB2; break;                     // і
        case 0xBF: u = 0xAF; break;                     // ї
        case 0xBE: u = 0xBD; break;                     // ѕ
        default: break;
        }
        w[c] = quint16(u * 2);
        if (c == 0xA8 || c == 0xB8) w[c] = quint16(0xC5 * 2 + 1); // Ё, ё just after Е
    }
    return w;
}
const std::array<quint16, 256> &Weights() {
    static const std::array<quint16, 256> w = BuildWeights();
    return w;
}
} // namespace

quint16 Cp1251CollationWeight(unsigned char c) { return Weights()[c]; }

int CompareCp1251Text(QByteArrayView a, QByteArrayView b) {
    const auto &w = Weights();
    const qsizetype n = qMin(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const int d = int(w[static_cast<unsigned char>(a[i])]) - int(w[static_cast<unsigned char>(b[i])]);
        if (d != 0) return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareText(QStringView a, QStringView b) { return CompareCp1251Text(ToCp1251(a), ToCp1251(b)); }

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

QString WithLineBreaks(QStringView text, QStringView lineBreak) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n' && c != QChar::LineSeparator && c != QChar::ParagraphSeparator) {
            out += c;
            continue;
        }
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
        out += lineBreak;
    }
    return out;
}

} // namespace zelmor
