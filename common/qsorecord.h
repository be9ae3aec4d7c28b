#pragma once
// One contact of the log: 457 bytes, 24 length-prefixed cp1251 fields.
#include "common/recordfile.h"

#include <QString>
#include <array>
#include <cstring>

namespace zelmor {

struct QsoRecord {
    static constexpr int Size = 457;
    QString number;       // QSO number = record index + 1
    QString call;         // upper case, blanks removed
    QString name;
    QString qth;
    QString date;         // "dd.mm.yyyy" (older logs "dd.mm.yy")
    QString time;         // UTC "hh:mm"
    QString band;         // one of LogBandNames
    QString mode;
    QString rstReceived;
    QString rstSent;
    QString points;
    QString info;
    QString waz;
    QString itu;
    QString country;
    QString qslState;     // one of the QSL words
    QString locator;
    QString qslVia;
    QString iota;
    QString frequency;
    QString longitude;    // decimal degrees, decimal comma
    QString latitude;
    QString deleteMark;   // "Delet" or empty
    QString regionNumber;
    static const std::array<FieldOf<QsoRecord>, 24> Fields;
};

inline const std::array<FieldOf<QsoRecord>, 24> QsoRecord::Fields = {{
    {0, 6, &QsoRecord::number},
    {7, 14, &QsoRecord::call},
    {22, 25, &QsoRecord::name},
    {48, 25, &QsoRecord::qth},
    {74, 10, &QsoRecord::date},
    {85, 10, &QsoRecord::time},
    {96, 10, &QsoRecord::band},
    {107, 10, &QsoRecord::mode},
    {118, 7, &QsoRecord::rstReceived},
    {126, 7, &QsoRecord::rstSent},
    {134, 10, &QsoRecord::points},
    {145, 160, &QsoRecord::info},
    {306, 5, &QsoRecord::waz},
    {312, 5, &QsoRecord::itu},
    {318, 30, &QsoRecord::country},
    {349, 15, &QsoRecord::qslState},
    {365, 20, &QsoRecord::locator},
    {386, 12, &QsoRecord::qslVia},
    {399, 10, &QsoRecord::iota},
    {410, 12, &QsoRecord::frequency},
    {423, 10, &QsoRecord::longitude},
    {434, 10, &QsoRecord::latitude},
    {445, 5, &QsoRecord::deleteMark},
    {451, 5, &QsoRecord::regionNumber},
}};

// Field positions for readers that take single fields straight from the bytes.
namespace QsoField {
inline constexpr TextField Number{0, 6};
inline constexpr TextField Call{7, 14};
inline constexpr TextField Date{74, 10};
inline constexpr TextField Time{85, 10};
inline constexpr TextField Band{96, 10};
inline constexpr TextField Mode{107, 10};
inline constexpr TextField RstReceived{118, 7};
inline constexpr TextField RstSent{126, 7};
inline constexpr TextField Waz{306, 5};
inline constexpr TextField Itu{312, 5};
inline constexpr TextField Country{318, 30};
inline constexpr TextField QslState{349, 15};
inline constexpr TextField Iota{399, 10};
inline constexpr TextField DeleteMark{445, 5};
inline constexpr TextField RegionNumber{451, 5};
} // namespace QsoField

// QSL status words as stored in the record.
inline const QString QslNotToSend = QStringLiteral("Не отправлять");
inline const QString QslToSend = QStringLiteral("Отправить");
inline const QString QslSent = QStringLiteral("Отправлено");
inline const QString QslReceived = QStringLiteral("Получено");
inline const QString QslSentAndReceived = QStringLiteral("Отпр. и получ.");

inline const QString DeleteMarkText = QStringLiteral("Delet");

// Whether the record's delete mark reads "Delet", its length byte clamped to
// the field as every reader does.
inline bool IsMarkedDeleted(const char *record) {
    constexpr TextField f = QsoField::DeleteMark;
    const int length = qMin<int>(static_cast<unsigned char>(record[f.offset]), f.capacity);
    return length == 5 && std::memcmp(record + f.offset + 1, "Delet", 5) == 0;
}

// The one-letter code of a QSL word: "Н", "О", "Y", "П", "N"; "" for an empty
// field, "@" for any other text. "Отправить" is recognised with blanks around.
QString QslCode(const QString &word);
// The same for the raw cp1251 bytes of a stored field.
QString QslCodeOfRaw(QByteArrayView raw);

} // namespace zelmor
