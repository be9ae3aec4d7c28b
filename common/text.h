#pragma once
// Text helpers that behave like the original program's, not like QString's:
// its trim removes characters <= 32 only (QString::trimmed also eats U+00A0 and
// keeps other control characters), and numbers in data files carry a decimal
// comma.
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

namespace zelmor {

QString Trim(QStringView s);
QString TrimLeft(QStringView s);
QString TrimRight(QStringView s);
// Every blank (U+0020) removed; other white space stays.
QString StripBlanks(QStringView s);
// The trimmed text with each cp1251 letter upper-cased (a-z, а-я, ё).
QString UpperCaseCp1251(QStringView s);
// Its twin: the trimmed text with each of those letters lower-cased.
QString LowerCaseCp1251(QStringView s);
// A decimal number with ',' or '.' as separator, blanks around allowed.
// Empty or malformed text gives no value.
std::optional<double> ParseDecimal(QStringView s);
// A whole number (optional sign), blanks around allowed.
std::optional<int> ParseInteger(QStringView s);
// The one comparator for sorting calls, countries, names and every other
// listed text: case-insensitive over the cp1251 bytes, in one fixed order
// whatever the desktop's locale: digits, Latin, Cyrillic, with "Ё" right
// after "Е". A text that is a prefix of another comes first. Sort with a
// stable sort so equal texts keep their record order.
int CompareText(QStringView a, QStringView b);
int CompareCp1251Text(QByteArrayView a, QByteArrayView b);
// The weight of one cp1251 byte in that order, for building a sort key once
// per record instead of comparing decoded texts.
quint16 Cp1251CollationWeight(unsigned char c);

// Every line break of the text as `lineBreak`: a CR LF pair, a lone CR, a
// lone LF and the Unicode line and paragraph separators each are one.
QString WithLineBreaks(QStringView text, QStringView lineBreak);

// First n characters (fewer when the text is shorter): Delphi's Copy(s, 1, n).
inline QString Left(QStringView s, qsizetype n) { return s.left(n < 0 ? 0 : n).toString(); }
// The character at 1-based position i, or QChar() when the text is shorter.
inline QChar CharAt(QStringView s, qsizetype i) { return (i >= 1 && i <= s.size()) ? s[i - 1] : QChar(); }

} // namespace zelmor
