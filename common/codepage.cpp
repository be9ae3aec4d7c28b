#include "common/codepage.h"

#include <array>

namespace zelmor {
namespace {

// 0x80..0xBF of cp1251; 0xC0..0xFF are U+0410..U+044F.
constexpr char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,
};

// 0xB0..0xDF of cp866 (box drawing) and 0xF0..0xFF.
constexpr char16_t kCp866Box[48] = {
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
};
constexpr char16_t kCp866Tail[16] = {
    0x0401, 0x0451, 0x0404, 0x0454, 0x0407, 0x0457, 0x040E, 0x045E,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x2116, 0x00A4, 0x25A0, 0x00A0,
};

struct ReverseTable {
    std::array<unsigned char, 0x10000> map{};
    ReverseTable() {
        map.fill('?');
        for (int c = 0; c < 0x80; ++c) map[c] = static_cast<unsigned char>(c);
        for (int c = 0x80; c < 0x100; ++c) map[Cp1251ToUnicode(static_cast<unsigned char>(c))] = static_cast<unsigned char>(c);
    }
};

const ReverseTable &reverse() {
    static const ReverseTable table;
    return table;
}

char BoxFallback(char16_t u) {
    switch (u) {
    case 0x2500: case 0x2550: return '-';
    case 0x2502: case 0x2551: return '|';
    case 0x2591: case 0x2592: case 0x2593: case 0x2588: case 0x2584:
    case 0x258C: case 0x2590: case 0x2580: case 0x25A0: return '#';
    case 0x2219: case 0x221A: return '.';
    default: return '+';
    }
}

} // namespace

char16_t Cp1251ToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c >= 0xC0) return static_cast<char16_t>(0x0410 + (c - 0xC0));
    return kCp1251High[c - 0x80];
}

unsigned char UnicodeToCp1251(char16_t u) { return reverse().map[u]; }

QString FromCp1251(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        d[i] = QChar(Cp1251ToUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray ToCp1251(QStringView text) {
    QByteArray out(text.size(), Qt::Uninitialized);
    const auto &m = reverse().map;
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(m[text[i].unicode()]);
    return out;
}

char16_t Cp866ToUnicode(unsigned char c) {
    if (c < 0x80) return c;
    if (c < 0xB0) return static_cast<char16_t>(0x0410 + (c - 0x80)); // А..Я, а..п
    if (c < 0xE0) return kCp866Box[c - 0xB0];
    if (c < 0xF0) return static_cast<char16_t>(0x0440 + (c - 0xE0)); // р..я
    return kCp866Tail[c - 0xF0];
}

QString FromCp866(QByteArrayView bytes) {
    QString out(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = QChar(Cp866ToUnicode(static_cast<unsigned char>(bytes[i])));
    return out;
}

QByteArray OemToChar(QByteArrayView oem) {
    QByteArray out(oem.size(), Qt::Uninitialized);
    const auto &m = reverse().map;
    for (qsizetype i = 0; i < oem.size(); ++i) {
        const char16_t u = Cp866ToUnicode(static_cast<unsigned char>(oem[i]));
        unsigned char b = m[u];
        if (b == '?' && u != '?') b = static_cast<unsigned char>(BoxFallback(u));
        out[i] = static_cast<char>(b);
    }
    return out;
}

} // namespace zelmor
