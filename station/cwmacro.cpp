#include "station/cwmacro.h"

namespace zelmor {

const std::array<QString, 7 + CwTextCount> &MacroTokens() {
    static const auto tokens = [] {
        std::array<QString, 7 + CwTextCount> t;
        const char *fixed[] = {"FCALL", "FNAME", "FQTH", "SAVE", "FRSTS", "FRSTR", "FADR"};
        for (int i = 0; i < 7; ++i) t[i] = QString::fromLatin1(fixed[i]);
        for (int n = 1; n <= CwTextCount; ++n) t[6 + n] = QStringLiteral("FCW") + QString::number(n);
        return t;
    }();
    return tokens;
}

QString ExpandMacroToken(const QString &token, const MacroContext &c, bool *save) {
    if (token == QLatin1String("FCALL")) return c.call;
    if (token == QLatin1String("FNAME")) return c.name;
    if (token == QLatin1String("FQTH")) return c.qth;
    if (token == QLatin1String("SAVE")) {
        if (save) *save = true;
        return QString();
    }
    if (token == QLatin1String("FRSTS")) return c.rsts;
    if (token == QLatin1String("FRSTR")) return c.rst;
    if (token == QLatin1String("FADR")) return c.address;
    if (token.startsWith(QLatin1String("FCW"))) {
        bool ok = false;
        const int n = token.mid(3).toInt(&ok);
        if (ok && n >= 1 && n <= CwTextCount && token.mid(3) == QString::number(n)) return c.texts[size_t(n - 1)];
    }
    return token;
}

namespace {

// The first occurrence of `token`; an FCW token only where no digit follows.
qsizetype FindToken(const QString &text, const QString &token) {
    const bool numbered = token.startsWith(QLatin1String("FCW"));
    for (qsizetype at = text.indexOf(token); at >= 0; at = text.indexOf(token, at + 1)) {
        const qsizetype after = at + token.size();
        if (!numbered || after >= text.size() || !text[after].isDigit()) return at;
    }
    return -1;
}

void ExpandSection(QString &text, const MacroContext &c) {
    const qsizetype first = text.indexOf(QLatin1Char('$'));
    if (first < 0) return;
    text.remove(first, 1);
    const qsizetype second = text.indexOf(QLatin1Char('$'), first);
    if (second < 0) return;
    text.remove(second, 1);
    const QString section = text.mid(first, second - first);
    bool known = false;
    for (const char *t : {"FNAME", "FQTH", "FCALL"}) {
        const QString token = QString::fromLatin1(t);
        if (section.contains(token) && !ExpandMacroToken(token, c).isEmpty()) known = true;
    }
    if (!known) text.remove(first, second - first);
}

} // namespace

ExpandedMacro ExpandMacroText(const QString &source, const MacroContext &c) {
    ExpandedMacro out;
    QString text = source;
    for (const QString &token : MacroTokens()) {
        // Bounded by the length at the start of this token's turn: a text
        // that inserts its own token would otherwise grow for ever.
        const qsizetype passes = text.size();
        for (qsizetype pass = 1; pass <= passes; ++pass) {
            ExpandSection(text, c);
            const qsizetype at = FindToken(text, token);
            if (at < 0) continue;
            text.replace(at, token.size(), ExpandMacroToken(token, c, &out.save));
        }
    }
    out.text = text;
    return out;
}

} // namespace zelmor
