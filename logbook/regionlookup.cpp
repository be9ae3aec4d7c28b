#include "logbook/regionlookup.h"

#include "common/codepage.h"
#include "common/refrecords.h"
#include "common/text.h"

#include <QFileInfo>
#include <functional>

namespace zelmor {

namespace {
// Every record of a region file through `match` (true: a hit; the last one
// wins, as the scan goes on). A file that is missing or cannot be read is
// NoFile; a call too short for the key, NoMatch without reading.
LookupStatus Scan(const QString &path, int size, bool callLongEnough, const std::function<bool(const char *)> &match) {
    if (!QFileInfo(path).isFile()) return LookupStatus::NoFile;
    if (!callLongEnough) return LookupStatus::NoMatch;
    LookupStatus status = LookupStatus::NoMatch;
    try {
        RecordIO::ForEach(path, size, [&](qint64, const char *bytes) {
            if (match(bytes)) status = LookupStatus::Match;
        });
    } catch (const IoError &) {
        return LookupStatus::NoFile;
    }
    return status;
}
} // namespace

bool TakesRussianRegion(QStringView call, QStringView country) {
    const QString s = StripBlanks(call);
    if (!s.startsWith(u'R') && !s.startsWith(QLatin1String("UA")) && !s.startsWith(QLatin1String("UE"))) return false;
    const QString c = Trim(country);
    return c == QLatin1String("European Russia") || c == QLatin1String("Asiatic Russia") ||
           c == QLatin1String("Kaliningrad");
}

LookupStatus FindRussianRegion(const QString &path, QStringView call, RegionHit &hit) {
    const QStringView wanted = call.mid(2, 2);
    return Scan(path, RegionRecord::Size, call.size() >= 4, [&](const char *bytes) {
        const RegionRecord r = DecodeRecord<RegionRecord>(bytes);
        const QString key = Trim(r.key);
        if (key.size() < 2 || QStringView(key).left(2) != wanted) return false;
        hit.waz = r.waz;
        hit.itu = r.itu;
        hit.name = r.name;
        hit.longitude = r.coordinateA;
        hit.latitude = r.coordinateB;
        hit.number = r.number;
        return true;
    });
}

LookupStatus FindRegionInFile(const QString &path, QStringView call, RegionHit &hit) {
    const QChar fourth = CharAt(call, 4);
    return Scan(path, RegionRecord::Size, call.size() >= 4, [&](const char *bytes) {
        const RegionRecord r = DecodeRecord<RegionRecord>(bytes);
        if (r.key.isEmpty() || r.key[0] != fourth) return false;
        hit.name = r.name;
        hit.latitude = r.coordinateA;
        hit.longitude = r.coordinateB;
        return true;
    });
}

LookupStatus FindBrazilRegion(const QString &path, QStringView call, QString &name) {
    const QByteArray wanted = ToCp1251(call.left(3));
    return Scan(path, BrazilRegionRecord::Size, call.size() >= 3, [&](const char *bytes) {
        if (QByteArrayView(bytes + 1, 3) != QByteArrayView(wanted)) return false;
        name = DecodeRecord<BrazilRegionRecord>(bytes).name;
        return true;
    });
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
