#pragma once
// The text helpers on raw cp1251 bytes, for the converters that run over
// whole files and logs without a QString per field.
#include "common/recordfile.h"

#include <QByteArray>
#include <QByteArrayView>

namespace zelmor {

// Trim as the program's own: characters <= 32 only.
inline QByteArrayView TrimBytes(QByteArrayView b) {
    qsizetype s = 0, e = b.size();
    while (s < e && static_cast<unsigned char>(b[s]) <= 32) ++s;
    while (e > s && static_cast<unsigned char>(b[e - 1]) <= 32) --e;
    return b.sliced(s, e - s);
}

// The bytes of a length-prefixed field; a length above the capacity is
// clamped.
inline QByteArrayView FieldBytes(const char *record, TextField f) {
    int len = static_cast<unsigned char>(record[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return QByteArrayView(record + f.offset + 1, len);
}

// UpperCaseCp1251 on bytes: trimmed, a-z and а-я less 32, ё to Ё.
inline QByteArray UpperCaseCp1251Bytes(QByteArrayView v) {
    QByteArray out = TrimBytes(v).toByteArray();
    for (char &c : out) {
        const unsigned char b = static_cast<unsigned char>(c);
        if ((b >= 'a' && b <= 'z') || b >= 0xE0) c = char(b - 32);
        else if (b == 0xB8) c = char(0xA8);
    }
    return out;
}

} // namespace zelmor
