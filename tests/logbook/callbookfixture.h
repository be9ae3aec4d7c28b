#pragma once
// The fixture callbook, written by shapelib: 13 text fields of widths 8, 16,
// 12, 14, 6, 16, 16, 24, 10, 12, 10, 20, 20 (header 449 bytes, records 185),
// texts in cp866; and the postal files built with their codecs.
#include "common/codepage.h"
#include "common/recordfile.h"
#include "common/refrecords.h"
#include "tests/shapelibdbf.h"

#include <QFile>
#include <QString>
#include <array>
#include <string>
#include <vector>

namespace zelmor::test {

// Unicode to cp866, for the fixtures' texts.
inline std::string Oem(const QString &text) {
    std::array<unsigned char, 0x10000> table{};
    for (int c = 0x80; c < 256; ++c) table[Cp866ToUnicode(static_cast<unsigned char>(c))] = static_cast<unsigned char>(c);
    std::string out;
    for (QChar ch : text) out += ch.unicode() < 0x80 ? char(ch.unicode()) : char(table[ch.unicode()]);
    return out;
}

inline const std::vector<DbfField> &CallbookFields() {
    static const std::vector<DbfField> fields = {
        {"CALL", 8},  {"FAM", 16},  {"NAME", 12}, {"OTCH", 14},   {"IND", 6},    {"OBL", 16},  {"GOROD", 16},
        {"ADRES", 24}, {"TEL", 10}, {"PRI", 12},  {"STRANA", 10}, {"EMAIL", 20}, {"PRIM", 20},
    };
    return fields;
}

// One record from its texts (Unicode), field 0 first.
inline std::vector<std::string> CallbookRow(std::initializer_list<QString> texts) {
    std::vector<std::string> row;
    for (const QString &t : texts) row.push_back(Oem(t));
    return row;
}

// Records 0 "UA1AAA"; 1 "RA9 XYZ"; 2 "UA3ABC" named "Пётр"; 3 "UA3ABC" in
// full; 4 "UA3ZZZ", deleted.
inline bool WriteFixtureCallbook(const QString &path) {
    const std::vector<std::vector<std::string>> records = {
        CallbookRow({"UA1AAA"}),
        CallbookRow({"RA9 XYZ"}),
        CallbookRow({"UA3ABC", "", "Пётр"}),
        CallbookRow({"UA3ABC", "Иванов", "Иван", "Иванович", "123456", "Московская", "Москва", "ул. Ленина 1-2",
                     "1234567", "", "Россия", "UA3ABC@MAIL.RU", "Ветеран"}),
        CallbookRow({"UA3ZZZ", "Петров"}),
    };
    return WriteDbf(path, CallbookFields(), records, {4});
}

inline QByteArray ReadBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void WriteBytes(const QString &path, const QByteArray &bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// "adres.inx" sorted by call, and a 3-record "adres.adr" whose record 2 is
// the address of UA3ABC; of UA3ZZZ's three numbers, one points before the
// start and one past the end.
inline void WritePostalFiles(const QString &folder) {
    const auto index = [](const char *call, qint32 n) {
        PostalIndexRecord r;
        r.call = QString::fromLatin1(call);
        r.addressIndex = n;
        return r;
    };
    WriteAllRecords<PostalIndexRecord>(folder + "/adres.inx", {index("RA1AA", 0), index("UA3ABC", 2),
                                                               index("UA3ZZZ", -5), index("UA3ZZZ", 1),
                                                               index("UA3ZZZ", 99),
                                                               index("UA9A", 1)});
    WriteAllRecords<PostalAddressRecord>(folder + "/adres.adr",
                                         {{"101000", "Москва", "Мясницкая 1"},
                                          {"630000", "Новосиб.", "Красный пр. 2"},
                                          {"123456", "Москва", "ул. Ленина 1"}});
}

} // namespace zelmor::test
