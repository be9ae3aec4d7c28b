#include "logbook/regionlookup.h"

#include "common/codepage.h"
#include "common/refrecords.h"
#include "common/text.h"

#include <QFileInfo>

namespace zelmor {

namespace {
bool Readable(const QString &path) { return QFileInfo(path).isFile(); }
} // namespace

LookupStatus FindRussianRegion(const QString &path, QStringView call, RegionHit &hit) {
    if (!Readable(path)) return LookupStatus::NoFile;
    LookupStatus status = LookupStatus::NoMatch;
    if (call.size() < 4) return status;
    const QStringView wanted = call.mid(2, 2);
    try {
        RecordIO::ForEach(path, RegionRecord::Size, [&](qint64, const char *bytes) {
            const RegionRecord r = DecodeRecord<RegionRecord>(bytes);
            const QString key = Trim(r.key);
            if (key.size() < 2 || QStringView(key).left(2) != wanted) return;
            hit.waz = r.waz;
            hit.itu = r.itu;
            hit.name = r.name;
            hit.longitude = r.coordinateA;
            hit.latitude = r.coordinateB;
            hit.number = r.number;
            status = LookupStatus::Match;
        });
    } catch (const IoError &) {
        return LookupStatus::NoFile;
    }
    return status;
}

LookupStatus FindRegionInFile(const QString &path, QStringView call, RegionHit &hit) {
    if (!Readable(path)) return LookupStatus::NoFile;
    LookupStatus status = LookupStatus::NoMatch;
    if (call.size() < 4) return status;
    const QChar fourth = call[3];
    try {
        RecordIO::ForEach(path, RegionRecord::Size, [&](qint64, const char *bytes) {
            const RegionRecord r = DecodeRecord<RegionRecord>(bytes);
            if (r.key.isEmpty() || r.key[0] != fourth) return;
            hit.name = r.name;
            hit.latitude = r.coordinateA;
            hit.longitude = r.coordinateB;
            status = LookupStatus::Match;
        });
    } catch (const IoError &) {
        return LookupStatus::NoFile;
    }
    return status;
}

LookupStatus FindBrazilRegion(const QString &path, QStringView call, QString &name) {
    if (!Readable(path)) return LookupStatus::NoFile;
    LookupStatus status = LookupStatus::NoMatch;
    if (call.size() < 3) return status;
    const QByteArray wanted = ToCp1251(call.left(3));
    try {
        RecordIO::ForEach(path, BrazilRegionRecord::Size, [&](qint64, const char *bytes) {
            if (QByteArrayView(bytes + 1, 3) != QByteArrayView(wanted)) return;
            name = DecodeRecord<BrazilRegionRecord>(bytes).name;
            status = LookupStatus::Match;
        });
    } catch (const IoError &) {
        return LookupStatus::NoFile;
    }
    return status;
}

bool FindBelarusRegion(QStringView call, RegionHit &hit) {
    struct Row {
        char16_t c;
        const char16_t *name, *lat, *lon;
    };
    static const Row rows[] = {
        {u'1', u"г.Минск", u"53,93", u"27,54"},          {u'2', u"Минская обл.", u"53,93", u"27,54"},
        {u'3', u"Брестская обл.", u"52,10", u"23,70"},   {u'4', u"Гродненская обл.", u"53,68", u"23,87"},
        {u'6', u"Витевская обл.", u"55,18", u"30,20"},   {u'7', u"Могелевская обл.", u"53,56", u"30,22"},
        {u'8', u"Гомельская обл.", u"52,39", u"30,87"},
    };
    const QChar third = CharAt(call, 3);
    for (const Row &r : rows) {
        if (third == QChar(r.c)) {
            hit.name = QString::fromUtf16(r.name);
            hit.latitude = QString::fromUtf16(r.lat);
            hit.longitude = QString::fromUtf16(r.lon);
            return true;
        }
    }
    return false;
}

} // namespace zelmor
