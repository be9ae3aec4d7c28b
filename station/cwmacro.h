#pragma once
// The CW macro texts: tokens replaced by the current QSO's values, the own
// postal address and the other stored texts; sections between two "$" kept
// only when a name, QTH or call they mention is known; SAVE marks the QSO
// for saving once the text has gone to the keyer.
#include <QString>
#include <array>

namespace zelmor {

inline constexpr int CwTextCount = 22;

struct MacroContext {
    QString call;    // the QSO window's call
    QString name;    // name1
    QString qth;
    QString rsts;    // report sent
    QString rst;     // report received
    QString address; // the own postal address
    // FCW1 .. FCW22: the 12 CW lines and the 10 command lines.
    std::array<QString, CwTextCount> texts;
};

struct ExpandedMacro {
    QString text;
    bool save = false;
};

// The 29 tokens in the order they are replaced.
const std::array<QString, 7 + CwTextCount> &MacroTokens();

// The replacement of one token ("FCALL", "FCW13", ...); a text that is no
// token comes back unchanged. SAVE gives "" and sets *save.
QString ExpandMacroToken(const QString &token, const MacroContext &context, bool *save = nullptr);

// Each token in turn, as many passes as the text was long when that token's
// turn began: first a "$" section (the first pair of "$", or a lone one,
// deleted; the section between them too unless a FNAME, FQTH or FCALL in it
// gives a text), then the first occurrence of the token replaced. FCWn
// matches only where no further digit follows it.
ExpandedMacro ExpandMacroText(const QString &text, const MacroContext &context);

} // namespace zelmor
