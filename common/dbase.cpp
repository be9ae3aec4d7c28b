#include "common/dbase.h"

#include <cstring>

namespace zelmor {

namespace {
inline unsigned U(char c) { return static_cast<unsigned char>(c); }
inline unsigned Word(QByteArrayView b, qsizetype at) { return U(b[at]) | (U(b[at + 1]) << 8); }
} // namespace

DbaseReader::DbaseReader(QByteArrayView bytes) : data_(bytes) {
    const auto fail = [this](const char *why) {
        error_ = QString::fromUtf8(why);
        fields_.clear();
    };
    if (bytes.size() < 32) { fail("файл короче заголовка"); return; }
    declared_ = qint64(U(bytes[4])) | (qint64(U(bytes[5])) << 8) | (qint64(U(bytes[6])) << 16) |
                (qint64(U(bytes[7])) << 24);
    header_ = int(Word(bytes, 8));
    record_ = int(Word(bytes, 10));
    if (header_ < 33 || header_ > bytes.size()) { fail("неверная длина заголовка"); return; }
    if (record_ < 2) { fail("неверная длина записи"); return; }
    // Descriptors of 32 bytes from 32 on, up to the terminator 0x0D.
    qsizetype p = 32;
    bool terminated = false;
    int offset = 0;
    while (p < header_) {
        if (bytes[p] == '\x0D') {
            terminated = true;
            break;
        }
        if (p + 32 > header_) break;
        DbaseField f;
        const char *name = bytes.data() + p;
        f.name = QByteArray(name, qsizetype(strnlen(name, 11)));
        f.type = bytes[p + 11];
        f.width = int(U(bytes[p + 16]));
        // Character fields longer than 255 keep the high byte in the decimal count.
        if (f.type == 'C') f.width |= int(U(bytes[p + 17])) << 8;
        f.offset = offset;
        offset += f.width;
        if (offset > record_ - 1) { fail("поля шире записи"); return; }
        fields_.push_back(f);
        p += 32;
    }
    if (!terminated) { fail("нет конца описания полей"); return; }
    const qint64 room = (bytes.size() - header_) / record_;
    available_ = qMin<qint64>(declared_, room);
    ok_ = true;
}

int DbaseReader::fieldIndex(QByteArrayView name) const {
    for (size_t i = 0; i < fields_.size(); ++i) {
        const QByteArray &n = fields_[i].name;
        if (n.size() != name.size()) continue;
        bool same = true;
        for (qsizetype k = 0; k < n.size() && same; ++k) {
            char a = n[k], b = name[k];
            if (a >= 'a' && a <= 'z') a = char(a - 32);
            if (b >= 'a' && b <= 'z') b = char(b - 32);
            same = a == b;
        }
        if (same) return int(i);
    }
    return -1;
}

} // namespace zelmor
