// "dx/world.dat" from AD1C's cty.csv (country-files.com).
//
// cty.csv has one line per entity: primary prefix, name, DXCC number,
// continent, CQ zone, ITU zone, latitude, longitude, time offset, and the
// entity's prefix and call tokens closed by ";". Its conventions against ours:
//  - longitude is positive to the WEST: negated here;
//  - the time offset is already "hours behind UTC": kept as it is;
//  - "*" before the primary prefix marks an entity that counts for WAE only;
//    ours marks the one record of each DXCC entity with "*" in the DXCC field.
// Tokens: "=CALL" is an exact call (left out, the table matches prefixes);
// "(cq)", "[itu]", "<lat/lon>", "{continent}" and "~offset~" override the
// entity's data for that prefix.
#include "make_data.h"

#include "common/recordfile.h"
#include "common/refrecords.h"

#include <QHash>
#include <QTextStream>
#include <cstdio>
#include <vector>

namespace zelmor::makedata {

namespace {

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

Token ParseToken(const QString &text, const PlaceData &entityData) {
    Token t;
    t.data = entityData;
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

} // namespace

void MakeWorld(const QString &ctyCsv, const QString &outDir, int &recordCount, int &dxccCount) {
    std::vector<Entity> entities;
    std::vector<std::vector<Token>> tokens;
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
        std::vector<Token> list;
        QString all = f[9].trimmed();
        if (all.endsWith(u';')) all.chop(1);
        for (const QString &text : all.split(u' ', Qt::SkipEmptyParts))
            if (!text.startsWith(u'=')) list.push_back(ParseToken(text, e.data));
        entities.push_back(e);
        tokens.push_back(list);
    }

    // Every prefix token of the file: a token belonging to two entities would
    // need the alternatives field; cty.csv has none, so the first one is kept
    // and the case reported.
    struct Owner { size_t entity; PlaceData data; };
    QHash<QString, Owner> owners;
    for (size_t e = 0; e < entities.size(); ++e)
        for (const Token &t : tokens[e]) {
            if (owners.contains(t.prefix)) {
                if (owners[t.prefix].entity != e)
                    std::fprintf(stderr, "cty.csv: prefix %s in two entities, the first kept\n", qPrintable(t.prefix));
                continue;
            }
            owners.insert(t.prefix, {e, t.data});
        }

    // Under longest-prefix matching a token adds nothing when the longest
    // shorter token in the table belongs to the same entity with the same data.
    auto redundant = [&](size_t e, const Token &t) {
        for (qsizetype n = t.prefix.size() - 1; n >= 1; --n) {
            const auto it = owners.constFind(t.prefix.left(n));
            if (it == owners.constEnd()) continue;
            return it->entity == e && it->data == t.data;
        }
        return false;
    };

    std::vector<CountryRecord> records;
    QHash<QString, bool> written;
    dxccCount = 0;
    for (size_t e = 0; e < entities.size(); ++e) {
        const Entity &ent = entities[e];
        const size_t first = records.size();
        for (const Token &t : tokens[e]) {
            if (written.contains(t.prefix) || owners[t.prefix].entity != e || redundant(e, t)) continue;
            written.insert(t.prefix, true);
            records.push_back(Record(ent, t.prefix, t.data, false));
        }
        if (ent.waeOnly) continue;
        // The "*" goes on the primary prefix's record, else on the entity's
        // first one; an entity known only by exact calls gets a record of its
        // primary prefix so that it still counts.
        size_t star = first;
        for (size_t i = first; i < records.size(); ++i)
            if (records[i].prefix == ent.primary) star = i;
        if (star == records.size()) {
            if (owners.contains(ent.primary))
                throw SourceError(QStringLiteral("cty.csv: primary prefix %1 belongs to another entity").arg(ent.primary));
            records.push_back(Record(ent, ent.primary, ent.data, false));
        }
        records[star].dxcc = QStringLiteral("*");
        ++dxccCount;
    }
    WriteAllRecords(outDir + QStringLiteral("/dx/world.dat"), records);
    recordCount = int(records.size());
}

} // namespace zelmor::makedata
