// The Morse table and the elements a character queues.
#include "station/morse.h"
#include "tests/testsupport.h"

#include <gtest/gtest.h>

using namespace zelmor;

namespace {
// The elements as one text, echoes in brackets: "1 0[E] 0 0".
QString Elements(const QString &text) {
    CwElementQueue q;
    for (const QChar c : text) EnqueueMorseChar(q, c);
    QString out;
    for (const CwElement &e : q) {
        if (!out.isEmpty()) out += u' ';
        out += QChar::fromLatin1(e.element);
        if (!e.echo.isEmpty()) out += u'[' + e.echo + u']';
    }
    return out;
}
QString Pattern(const QString &c) {
    const int row = FindMorseRow(c[0]);
    return row < 0 ? QString() : QString::fromLatin1(MorseTable()[row].pattern);
}
} // namespace

TEST(MorseTable, RowsAreFoundBySecondColumnThenFirstExactly) {
    EXPECT_EQ(Elements("E"), "1 0[E] 0 0");
    struct Case {
        const char *c;
        int row;
        const char *pattern;
    } cases[] = {
        {"a", 2, "10111"},   {"а", 2, "10111"},      // Latin and Cyrillic lower case share a row
        {"A", 28, "10111"},  {"А", 28, "10111"},     // and so do the upper-case ones
        {"Y", 69, "1110101110111"},                  // Latin upper Y and Z stand apart
        {"Z", 68, "11101110101"},
        {"y", 27, "1110101110111"},
        {"ш", 70, "111011101110111"}, {"Ш", 70, "111011101110111"},
        {"я", 74, "10111010111"},
        {"0", 61, "1110111011101110111"},
        {"?", 66, "101011101110101"},
        {" ", 75, "0"},      {"*", 76, "0"},
        {"+", 0, "+"},       {"-", 1, "-"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.c);
        EXPECT_EQ(FindMorseRow(QString::fromUtf8(c.c)[0]), c.row);
        EXPECT_EQ(Pattern(QString::fromUtf8(c.c)), QString::fromLatin1(c.pattern));
    }
    for (const char *missing : {"#", "ъ", "ё", ":", "Ё"}) {
        SCOPED_TRACE(missing);
        EXPECT_EQ(FindMorseRow(QString::fromUtf8(missing)[0]), -1);
        EXPECT_EQ(Elements(QString::fromUtf8(missing)), QString());
    }
}

TEST(MorseTable, WordsAreSevenUnitsApartAndSpeedTokensAreElements) {
    CwElementQueue q;
    for (const QChar c : QStringLiteral("a b")) EnqueueMorseChar(q, c);
    // a: 10111 then the letter gap; the blank: 0 and its gap; then b.
    const size_t lastOfA = 4, firstOfB = 5 + 3 + 4;
    EXPECT_EQ(q[lastOfA].element, '1');
    for (size_t i = lastOfA + 1; i < firstOfB; ++i) EXPECT_EQ(q[i].element, '0') << i;
    EXPECT_EQ(firstOfB - lastOfA - 1, 7u);
    EXPECT_EQ(q[firstOfB].element, '1');
    EXPECT_EQ(Elements("+-"), "+ 0[+] 0 0 - 0[-] 0 0");
    EXPECT_EQ(Elements("#E"), "1 0[E] 0 0");
}
