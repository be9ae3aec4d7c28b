#pragma once
// The Morse table and the element queue the keyer consumes, one element a
// tick: '1' one unit key down, '0' one unit key up, '+' / '-' the switch to
// the fast / normal speed. Each element carries the text shown in the echo
// line once it has been sent (the character after its last unit).
#include <QString>
#include <vector>

namespace zelmor {

struct MorseRow {
    const char16_t *first;
    const char16_t *second;
    const char *pattern;
};
inline constexpr int MorseRowCount = 77;
const MorseRow *MorseTable(); // MorseRowCount rows

// The row of a character: the second column is searched first, then the
// first, each exactly and from row 0; -1 when no row has it.
int FindMorseRow(QChar c);

struct CwElement {
    char element;
    QString echo;
};
using CwElementQueue = std::vector<CwElement>;

// Appends the character's elements, then three units of key up (the letter
// gap), the first of them echoing the character. A character in no row adds
// nothing. Returns how many elements were added.
int EnqueueMorseChar(CwElementQueue &queue, QChar c);

} // namespace zelmor
