#pragma once
// Logs and contest files for the log-file tests, built with the codecs, and
// the bytes of a whole folder to see that nothing changed.
#include "common/contestrecord.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <vector>

namespace zelmor::test {

// A record whose bytes after each text are not zero, as records written by
// other programs are: a copy that decodes and encodes again loses them.
inline QByteArray LoggedQso(const QString &call, const QString &number, bool deleted = false) {
    QsoRecord r;
    r.number = number;
    r.call = call;
    r.name = QStringLiteral("Иван");
    r.qth = QStringLiteral("Москва");
    r.date = QStringLiteral("01.02.2024");
    r.time = QStringLiteral("12:00");
    r.band = QStringLiteral("14  Mhz");
    r.mode = QStringLiteral("SSB");
    r.rstReceived = QStringLiteral("57");
    r.rstSent = QStringLiteral("59");
    r.info = QStringLiteral("info ") + call;
    r.waz = QStringLiteral("16");
    r.itu = QStringLiteral("29");
    r.country = QStringLiteral("European Russia");
    r.qslState = QslNotToSend;
    r.frequency = QStringLiteral("14200");
    r.deleteMark = deleted ? DeleteMarkText : QString();
    QByteArray b = EncodeRecord(r);
    for (const auto &f : QsoRecord::Fields) {
        if (f.offset == QsoField::Number.offset) continue;
        for (int at = f.offset + 1 + static_cast<unsigned char>(b[f.offset]); at <= f.offset + f.capacity; ++at)
            b[at] = char(0xA0 + at % 31);
    }
    return b;
}

// The record as a copy numbers it: bytes 0-6 rewritten, the rest kept.
inline QByteArray Renumbered(QByteArray record, qint64 number) {
    WriteTextField(record.data(), QsoField::Number, QString::number(number));
    return record;
}

inline QByteArray Joined(const std::vector<QByteArray> &records) {
    QByteArray out;
    for (const QByteArray &r : records) out += r;
    return out;
}

inline QByteArray FileBytes(const QString &path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline void PutFile(const QString &path, const QByteArray &bytes) { WriteAllBytes(path, bytes); }

// Every file of a folder, hidden ones too, with its bytes.
inline QMap<QString, QByteArray> FolderBytes(const QString &folder) {
    QMap<QString, QByteArray> out;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        out.insert(name, FileBytes(dir.filePath(name)));
    return out;
}

// A contest record with its fields at their offsets.
struct ContestFields {
    QByteArray number = {}, call = {}, date = {}, time = {}, band = {}, mode = {}, sent = {}, received = {},
               exchange = {}, points = {}, country = {}, waz = {}, itu = {}, deleteMark = {}, region = {}, mult1 = {},
               mult2 = {};
};
inline QByteArray ContestBytes(const ContestFields &c) {
    QByteArray b(ContestRecord::Size, '\x55');
    const std::pair<TextField, const QByteArray *> fields[] = {
        {ContestField::Number, &c.number},   {ContestField::Call, &c.call},
        {ContestField::Date, &c.date},       {ContestField::Time, &c.time},
        {ContestField::Band, &c.band},       {ContestField::Mode, &c.mode},
        {ContestField::Sent, &c.sent},       {ContestField::Received, &c.received},
        {ContestField::ReceivedExchange, &c.exchange}, {ContestField::Points, &c.points},
        {ContestField::Country, &c.country}, {ContestField::Waz, &c.waz},
        {ContestField::Itu, &c.itu},         {ContestField::DeleteMark, &c.deleteMark},
        {ContestField::RegionNumber, &c.region}, {ContestField::Mult1, &c.mult1},
        {ContestField::Mult2, &c.mult2},
    };
    for (const auto &[f, text] : fields) {
        b[f.offset] = char(text->size());
        b.replace(f.offset + 1, text->size(), *text);
    }
    return b;
}

} // namespace zelmor::test
