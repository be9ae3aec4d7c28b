// "dx/world.dat" from AD1C's cty.csv (country-files.com).
//
// cty.csv has one line per entity: primary prefix, name, DXCC number,
// continent, CQ zone, ITU zone, latitude, longitude, time offset, and the
// entity's prefix and call tokens closed by ";". Its conventions against ours:
//  - longitude is positive to the WEST: negated here;
//  - the time offset is already "hours behind UTC": kept as it is, except
//    where the time-zone database says otherwise (the table below);
//  - "*" before the primary prefix marks an entity that counts for WAE only;
//    ours marks the one record of each DXCC entity with "*" in the DXCC field.
// Tokens: "=CALL" is an exact call; "(cq)", "[itu]", "<lat/lon>",
// "{continent}" and "~offset~" override the entity's data for that prefix.
//
// The table matches prefixes only, so exact calls are left out, with one
// exception: an entity that cty.csv knows by exact calls alone (Bouvet,
// South Orkney, Mount Athos ...; its primary prefix is then often a
// placeholder such as "3Y/b" that no typed call matches) gets its calls as
// records, and the record of the prefix it shares with another entity names
// it in the alternatives field, so the operator can pick it there.
#include "make_data.h"

#include "common/recordfile.h"
#include "common/refrecords.h"

#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QTimeZone>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace zelmor::makedata {

namespace {

// cty.csv's time offsets that the system's time-zone database (tzdata)
// contradicts: each entity's offset was checked against the standard offset
// of its main zone, and these differ (most of them changed their clocks after
// the file's offsets were set: Russia in 2014, Turkey in 2016, Paraguay in
// 2024 ...). The offset written is the zone's, read from tzdata when the tool
// runs. Entities without a zone of their own (Antarctic bases, uninhabited
// islands) keep cty.csv's value. data/NOTICE lists these rows.
struct ZoneCorrection {
    const char *primary; // cty.csv's primary prefix, without a leading "*"
    const char *zone;
};
const ZoneCorrection kZoneCorrections[] = {
    {"CN", "Africa/Casablanca"},       // Morocco
    {"EU", "Europe/Minsk"},            // Belarus
    {"FT/w", "Asia/Dubai"},            // Crozet Island (tzdata's zone for Crozet)
    {"JD/m", "Asia/Tokyo"},            // Minami Torishima
    {"JT", "Asia/Ulaanbaatar"},        // Mongolia
    {"JX", "Arctic/Longyearbyen"},     // Jan Mayen
    {"JY", "Asia/Amman"},              // Jordan
    {"KL", "America/Anchorage"},       // Alaska
    {"OX", "America/Nuuk"},            // Greenland
    {"S0", "Africa/El_Aaiun"},         // Western Sahara
    {"ST", "Africa/Khartoum"},         // Sudan
    {"TA", "Europe/Istanbul"},         // Asiatic Turkey
    {"TA1", "Europe/Istanbul"},        // European Turkey
    {"UA", "Europe/Moscow"},           // European Russia
    {"UA2", "Europe/Kaliningrad"},     // Kaliningrad
    {"V5", "Africa/Windhoek"},         // Namibia
    {"VK9N", "Pacific/Norfolk"},       // Norfolk Island
    {"VP8", "Atlantic/Stanley"},       // Falkland Islands
    {"YK", "Asia/Damascus"},           // Syria
    {"YV", "America/Caracas"},         // Venezuela
    {"Z8", "Africa/Juba"},             // Republic of South Sudan
    {"ZP", "America/Asuncion"},        // Paraguay
};

// The zone's standard offset as cty.csv writes offsets: hours behind UTC,
// "-3.0". Standard time is the lesser of the offsets in mid-January and
// mid-July, which is the time outside summer time on either hemisphere; the
// year is fixed so that the output does not depend on the day the tool runs.
QString StandardOffset(const QString &zone) {
    const QTimeZone tz(zone.toLatin1());
    if (!tz.isValid()) throw SourceError(QStringLiteral("time zone %1 is not in the time-zone database").arg(zone));
    constexpr int kYear = 2026;
    const int seconds = std::min(tz.offsetFromUtc(QDateTime(QDate(kYear, 1, 15), QTime(12, 0), Qt::UTC)),
                                 tz.offsetFromUtc(QDateTime(QDate(kYear, 7, 15), QTime(12, 0), Qt::UTC)));
    if (seconds == 0) return QStringLiteral("0,0");
    return WithComma(QString::number(-seconds / 3600.0, 'f', seconds % 1800 == 0 ? 1 : 2));
}

struct PlaceData {
    QString waz, itu, latitude, longitude, time, continent;
    bool operator==(const PlaceData &) const = default;
};

struct Entity {
    QString primary, name;
    bool waeOnly = false;
    PlaceData data;
};

struct Token {
    QString prefix;
    PlaceData data;
    bool exact = false; // an "=CALL" of cty.csv
};

QString TwoDigits(const QString &zone) {
    bool ok = false;
    const int z = zone.trimmed().toInt(&ok);
    if (!ok) throw SourceError(QStringLiteral("cty.csv: zone \"%1\" is not a number").arg(zone));
    return QStringLiteral("%1").arg(z, 2, 10, QLatin1Char('0'));
}

// West-positive text to east-positive text, digits untouched.
QString EastPositive(QString westPositive) {
    westPositive = westPositive.trimmed();
    if (westPositive.startsWith(u'-')) return WithComma(westPositive.mid(1));
    bool ok = false;
    if (westPositive.toDouble(&ok) == 0.0 && ok) return WithComma(westPositive);
    return WithComma(u'-' + westPositive);
}

Token ParseToken(QString text, const PlaceData &entityData) {
    Token t;
    t.data = entityData;
    t.exact = text.startsWith(u'=');
    if (t.exact) text.remove(0, 1);
    qsizetype i = 0;
    while (i < text.size() && !QStringLiteral("([<{~").contains(text[i])) ++i;
    t.prefix = text.left(i);
    while (i < text.size()) {
        const QChar open = text[i];
        const QChar close = open == u'(' ? u')' : open == u'[' ? u']' : open == u'<' ? u'>' : open == u'{' ? u'}' : u'~';
        const qsizetype end = text.indexOf(close, i + 1);
        if (end < 0) throw SourceError(QStringLiteral("cty.csv: unclosed override in \"%1\"").arg(text));
        const QString value = text.mid(i + 1, end - i - 1);
        if (open == u'(') t.data.waz = TwoDigits(value);
        else if (open == u'[') t.data.itu = TwoDigits(value);
        else if (open == u'<') {
            const QStringList ll = value.split(u'/');
            if (ll.size() != 2) throw SourceError(QStringLiteral("cty.csv: bad position in \"%1\"").arg(text));
            t.data.latitude = WithComma(ll[0]);
            t.data.longitude = EastPositive(ll[1]);
        } else if (open == u'{') t.data.continent = value;
        else t.data.time = WithComma(value);
        i = end + 1;
    }
    return t;
}

// A primary prefix like "3Y/b": the lower-case letter keeps it apart from
// every call the operator can type (calls are upper-cased).
bool IsPlaceholder(const QString &prefix) {
    return std::any_of(prefix.begin(), prefix.end(), [](QChar c) { return c.isLower(); });
}

// An exact call that ordinary calls may begin with: no "/", and fewer than
// three characters after its last digit ("SY2A", "3D2C", "TX9"). As a table
// prefix it also catches those calls ("SY2ABC" of Greece), so its record names
// the country those calls would otherwise find as an alternative.
bool MayHeadOtherCalls(const QString &call) {
    if (call.contains(u'/')) return false;
    qsizetype last = -1;
    for (qsizetype i = 0; i < call.size(); ++i)
        if (call[i].isDigit()) last = i;
    return call.size() - 1 - last < 3;
}

void Check(const QString &text, int capacity, const char *what) {
    if (text.size() > capacity)
        throw SourceError(QStringLiteral("cty.csv: %1 \"%2\" exceeds %3 characters").arg(QLatin1String(what), text).arg(capacity));
}

CountryRecord Record(const Entity &e, const QString &prefix, const PlaceData &d, bool dxcc) {
    Check(prefix, 14, "prefix");
    Check(e.name, 40, "country");
    Check(e.primary, 10, "common prefix");
    CountryRecord r;
    r.prefix = prefix;
    r.country = e.name;
    r.waz = d.waz;
    r.itu = d.itu;
    r.latitude = d.latitude;
    r.longitude = d.longitude;
    r.time = d.time;
    r.continent = d.continent;
    r.commonPrefix = e.primary;
    r.dxcc = dxcc ? QStringLiteral("*") : QString();
    return r;
}

// Appends a record number to an alternatives field ("12,57,"), once.
void AddAlternative(CountryRecord &r, int record) {
    const QString item = QString::number(record) + u',';
    if ((u',' + r.alternatives).contains(u',' + item)) return;
    Check(r.alternatives + item, 40, "alternatives of prefix");
    r.alternatives += item;
}

} // namespace

void MakeWorld(const QString &ctyCsv, const QString &outDir, int &recordCount, int &dxccCount) {
    QHash<QString, QString> zoneOf;
    for (const ZoneCorrection &c : kZoneCorrections) zoneOf.insert(QString::fromLatin1(c.primary), QString::fromLatin1(c.zone));
    QSet<QString> corrected;

    std::vector<Entity> entities;
    std::vector<std::vector<Token>> tokens, exacts;
    for (const QString &line : ReadSourceLines(ctyCsv)) {
        if (line.trimmed().isEmpty()) continue;
        const QStringList f = line.split(u',');
        if (f.size() != 10) throw SourceError(QStringLiteral("cty.csv: expected 10 fields: %1").arg(line.left(60)));
        Entity e;
        e.waeOnly = f[0].startsWith(u'*');
        e.primary = e.waeOnly ? f[0].mid(1) : f[0];
        e.name = f[1].trimmed();
        e.data = {TwoDigits(f[4]), TwoDigits(f[5]), WithComma(f[6].trimmed()), EastPositive(f[7]),
                  WithComma(f[8].trimmed()), f[3].trimmed()};
        if (const auto z = zoneOf.constFind(e.primary); z != zoneOf.constEnd()) {
            const QString offset = StandardOffset(*z);
            if (offset == e.data.time)
                std::fprintf(stderr, "cty.csv: %s now has the offset of %s; its correction can go\n", qPrintable(e.name),
                             qPrintable(*z));
            else
                std::printf("time offset of %s: %s -> %s (%s)\n", qPrintable(e.name), qPrintable(e.data.time),
                            qPrintable(offset), qPrintable(*z));
            e.data.time = offset;
            corrected.insert(e.primary);
        }
        std::vector<Token> list, exact;
        QString all = f[9].trimmed();
        if (all.endsWith(u';')) all.chop(1);
        for (const QString &text : all.split(u' ', Qt::SkipEmptyParts)) {
            const Token t = ParseToken(text, e.data);
            (t.exact ? exact : list).push_back(t);
        }
        entities.push_back(e);
        tokens.push_back(list);
        exacts.push_back(exact);
    }
    for (auto it = zoneOf.constBegin(); it != zoneOf.constEnd(); ++it)
        if (!corrected.contains(it.key()))
            throw SourceError(QStringLiteral("cty.csv has no entity %1 for the time-zone correction").arg(it.key()));

    // The entities known by exact calls alone get those calls as tokens; a
    // usable primary prefix ("4U1I", not "3Y/b") leads them, so calls that
    // begin with it still find the entity.
    std::vector<bool> onlyExact(entities.size());
    QHash<QString, size_t> exactOwner; // call -> such an entity
    for (size_t e = 0; e < entities.size(); ++e) {
        onlyExact[e] = !entities[e].waeOnly && tokens[e].empty() && !exacts[e].empty();
        if (!onlyExact[e]) continue;
        if (!IsPlaceholder(entities[e].primary)) tokens[e].push_back({entities[e].primary, entities[e].data, false});
        for (const Token &t : exacts[e]) {
            tokens[e].push_back(t);
            if (!exactOwner.contains(t.prefix)) exactOwner.insert(t.prefix, e);
        }
    }
    // A known call of another entity that begins with one of those calls
    // ("SY2AEI/J" of Greece after "SY2A" of Mount Athos) is written too, so it
    // still finds its own entity.
    for (size_t e = 0; e < entities.size(); ++e) {
        if (onlyExact[e]) continue;
        for (const Token &t : exacts[e])
            for (qsizetype n = t.prefix.size() - 1; n >= 1; --n) {
                const auto it = exactOwner.constFind(t.prefix.left(n));
                if (it != exactOwner.constEnd() && *it != e) {
                    tokens[e].push_back(t);
                    break;
                }
            }
    }

    // Every token of the table: a token belonging to two entities is kept for
    // the first one and the case reported.
    struct Owner { size_t entity; PlaceData data; bool headsOthers; };
    QHash<QString, Owner> owners;
    for (size_t e = 0; e < entities.size(); ++e)
        for (const Token &t : tokens[e]) {
            if (owners.contains(t.prefix)) {
                if (owners[t.prefix].entity != e)
                    std::fprintf(stderr, "cty.csv: prefix %s in two entities, the first kept\n", qPrintable(t.prefix));
                continue;
            }
            owners.insert(t.prefix, {e, t.data, t.exact && onlyExact[e] && MayHeadOtherCalls(t.prefix)});
        }

    // Under longest-prefix matching a token adds nothing when the longest
    // shorter token in the table belongs to the same entity with the same data
    // (and names no alternatives that the longer one would not).
    auto redundant = [&](size_t e, const Token &t) {
        for (qsizetype n = t.prefix.size() - 1; n >= 1; --n) {
            const auto it = owners.constFind(t.prefix.left(n));
            if (it == owners.constEnd()) continue;
            return it->entity == e && it->data == t.data && !it->headsOthers;
        }
        return false;
    };

    std::vector<CountryRecord> records;
    std::vector<size_t> entityOf;     // per record
    std::vector<int> star(entities.size(), -1);
    QHash<QString, int> recordOf;     // prefix -> record
    dxccCount = 0;
    for (size_t e = 0; e < entities.size(); ++e) {
        const Entity &ent = entities[e];
        const size_t first = records.size();
        for (const Token &t : tokens[e]) {
            if (recordOf.contains(t.prefix) || owners[t.prefix].entity != e || redundant(e, t)) continue;
            recordOf.insert(t.prefix, int(records.size()));
            records.push_back(Record(ent, t.prefix, t.data, false));
            entityOf.push_back(e);
        }
        if (ent.waeOnly) continue;
        // The "*" goes on the primary prefix's record, else on the entity's
        // first one; an entity left without a record gets one of its primary
        // prefix so that it still counts.
        size_t s = first;
        for (size_t i = first; i < records.size(); ++i)
            if (records[i].prefix == ent.primary) s = i;
        if (s == records.size()) {
            if (owners.contains(ent.primary))
                throw SourceError(QStringLiteral("cty.csv: primary prefix %1 belongs to another entity").arg(ent.primary));
            records.push_back(Record(ent, ent.primary, ent.data, false));
            entityOf.push_back(e);
        }
        records[s].dxcc = QStringLiteral("*");
        star[e] = int(s);
        ++dxccCount;
    }

    // The record a call finds when the entity's own records are left aside.
    auto otherRecord = [&](const QString &call, size_t e) {
        for (qsizetype n = call.size(); n >= 1; --n) {
            const auto it = recordOf.constFind(call.left(n));
            if (it != recordOf.constEnd() && entityOf[size_t(*it)] != e) return *it;
        }
        return -1;
    };
    for (size_t e = 0; e < entities.size(); ++e) {
        if (!onlyExact[e] || star[e] < 0) continue;
        // The prefixes the entity shares: the one its placeholder names ("3Y"
        // of "3Y/b") and those its plain calls fall to otherwise ("JD1" for
        // "JD1BCK"); each of their records names the entity.
        QList<int> shared;
        const QString &primary = entities[e].primary;
        if (IsPlaceholder(primary) && primary.contains(u'/')) shared << otherRecord(primary.section(u'/', 0, 0), e);
        for (const Token &t : exacts[e])
            if (!t.prefix.contains(u'/')) shared << otherRecord(t.prefix, e);
        for (const int r : shared)
            if (r >= 0) AddAlternative(records[size_t(r)], star[e]);
        // Its calls that ordinary calls may begin with name the record those
        // calls find otherwise.
        for (size_t i = 0; i < records.size(); ++i)
            if (entityOf[i] == e && owners.value(records[i].prefix).headsOthers)
                if (const int r = otherRecord(records[i].prefix, e); r >= 0) AddAlternative(records[i], r);
    }
    WriteAllRecords(outDir + QStringLiteral("/dx/world.dat"), records);
    recordCount = int(records.size());
}

} // namespace zelmor::makedata
