// The region tables and the IOTA list, from the call-area table
// "AreaOK1RR.tbl" and "iota.tbl" of the Debian package cqrlog-data (GPL-2+).
// Only facts are taken: which call letters stand for which region, the
// region's zones and the coordinates of its centre. The Russian region names
// are written out here in Cyrillic, keyed by the table's region codes (the
// regions of the old call system, before 2010).
//
// Lines of the call-area table: patterns|name|continent|offset|latitude|
// longitude|ITU|CQ|...|dates=DXCC, a pattern being a call start with
// character classes such as "UA3[A-CFH]".
#include "make_data.h"

#include "common/recordfile.h"
#include "common/refrecords.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace zelmor::makedata {

namespace {

struct AreaLine {
    QStringList patterns;
    QString name, latitude, longitude, itu, cq;
};

std::vector<AreaLine> ReadAreaTable(const QString &path) {
    std::vector<AreaLine> out;
    for (const QString &line : ReadSourceLines(path)) {
        const QStringList f = line.split(u'|');
        if (f.size() < 8) continue;
        out.push_back({f[0].split(u' ', Qt::SkipEmptyParts), f[1].trimmed(), f[4].trimmed(), f[5].trimmed(),
                       f[6].trimmed(), f[7].trimmed()});
    }
    return out;
}

// "55.75N" -> 55.75, "46.63W" -> -46.63.
double Degrees(const QString &text) {
    QString t = text.trimmed();
    double sign = 1;
    if (t.endsWith(u'S') || t.endsWith(u'W')) sign = -1;
    if (t.endsWith(u'N') || t.endsWith(u'S') || t.endsWith(u'E') || t.endsWith(u'W')) t.chop(1);
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok) throw SourceError(QStringLiteral("AreaOK1RR.tbl: bad coordinate \"%1\"").arg(text));
    return sign * v;
}

// A coordinate in the five characters a region field holds: two decimals,
// fewer for three-digit longitudes ("37,62", "136,8").
QString FiveCharacters(double v) {
    for (int decimals = 2; decimals >= 0; --decimals) {
        const QString s = WithComma(QString::number(v, 'f', decimals));
        if (s.size() <= 5) return s;
    }
    throw SourceError(QStringLiteral("coordinate %1 does not fit five characters").arg(v));
}

QString TwoDigits(const QString &zone) {
    bool ok = false;
    const int z = zone.toInt(&ok);
    if (!ok) throw SourceError(QStringLiteral("AreaOK1RR.tbl: zone \"%1\" is not a number").arg(zone));
    return QStringLiteral("%1").arg(z, 2, 10, QLatin1Char('0'));
}

// "A-CFH" -> "ABCFH".
QString ExpandClass(const QString &cls) {
    QString out;
    for (qsizetype i = 0; i < cls.size(); ++i) {
        if (i + 2 < cls.size() && cls[i + 1] == u'-') {
            for (char16_t c = cls[i].unicode(); c <= cls[i + 2].unicode(); ++c) out += QChar(c);
            i += 2;
        } else out += cls[i];
    }
    return out;
}

// The two-letter region code at the end of a name: "... (Saha) (YA)" -> "YA".
QString RegionCode(const QString &name) {
    static const QRegularExpression code(QStringLiteral("\\(([A-Z]{2})\\)"));
    QString last;
    for (auto it = code.globalMatch(name); it.hasNext();) last = it.next().captured(1);
    return last;
}

void CheckName(const QString &name, int capacity) {
    if (name.size() > capacity) throw SourceError(QStringLiteral("region name \"%1\" too long").arg(name));
}

// One region of a table with the letters (keys) that select it.
struct Region {
    QString code, name;
    QStringList keys;
    AreaLine line;
};

// Regions in the order the table first names them; a key claimed twice stays
// with the first region (the look-ups let the last match win, so a key must
// not appear twice).
void AddKeys(std::vector<Region> &regions, QHash<QString, bool> &taken, const QString &code, const QString &name,
             const QString &keys, const AreaLine &line, int keyLength) {
    auto it = std::find_if(regions.begin(), regions.end(), [&](const Region &r) { return r.code == code; });
    if (it == regions.end()) {
        regions.push_back({code, name, {}, line});
        it = regions.end() - 1;
    }
    for (qsizetype i = 0; i + keyLength <= keys.size(); i += keyLength) {
        const QString key = keys.mid(i, keyLength);
        if (taken.contains(key)) continue;
        taken.insert(key, true);
        it->keys << key;
    }
}

// Russian names by region code.
const QHash<QString, QString> &RussianRegionNames() {
    static const QHash<QString, QString> names = {
        {"KK", "Красноярский край"}, {"TM", "Таймырский АО"}, {"HK", "Хабаровский край"},
        {"EA", "Еврейская АО"}, {"SL", "Сахалинская обл."}, {"EW", "Эвенкийский АО"},
        {"MG", "Магаданская обл."}, {"AM", "Амурская обл."}, {"CK", "Чукотский АО"},
        {"PK", "Приморский край"}, {"BU", "Респ. Бурятия"}, {"YA", "Респ. Саха (Якутия)"},
        {"IR", "Иркутская обл."}, {"CT", "Читинская обл."}, {"HA", "Респ. Хакасия"},
        {"KJ", "Корякский АО"}, {"TU", "Респ. Тыва"}, {"KT", "Камчатская обл."},
        {"SP", "г.Санкт-Петербург"}, {"LO", "Ленинградская обл."}, {"KL", "Респ. Карелия"},
        {"AR", "Архангельская обл."}, {"NO", "Ненецкий АО"}, {"VO", "Вологодская обл."},
        {"NV", "Новгородская обл."}, {"PS", "Псковская обл."}, {"MU", "Мурманская обл."},
        {"KA", "Калининградская обл."}, {"MA", "г.Москва"}, {"MO", "Московская обл."},
        {"OR", "Орловская обл."}, {"LP", "Липецкая обл."}, {"TV", "Тверская обл."},
        {"VR", "Воронежская обл."}, {"SM", "Смоленская обл."}, {"YR", "Ярославская обл."},
        {"KS", "Костромская обл."}, {"TL", "Тульская обл."}, {"TB", "Тамбовская обл."},
        {"RA", "Рязанская обл."}, {"NN", "Нижегородская обл."}, {"IV", "Ивановская обл."},
        {"VL", "Владимирская обл."}, {"KU", "Курская обл."}, {"KG", "Калужская обл."},
        {"BR", "Брянская обл."}, {"BO", "Белгородская обл."}, {"VG", "Волгоградская обл."},
        {"SA", "Саратовская обл."}, {"PE", "Пензенская обл."}, {"SR", "Самарская обл."},
        {"UL", "Ульяновская обл."}, {"KI", "Кировская обл."}, {"TA", "Респ. Татарстан"},
        {"MR", "Респ. Марий Эл"}, {"MD", "Респ. Мордовия"}, {"UD", "Удмуртская Респ."},
        {"CU", "Чувашская Респ."}, {"KR", "Краснодарский край"}, {"KC", "Карачаево-Черкесская Респ."},
        {"ST", "Ставропольский край"}, {"KM", "Респ. Калмыкия"}, {"SO", "Респ. Северная Осетия"},
        {"RO", "Ростовская обл."}, {"CN", "Чеченская Респ."}, {"IN", "Респ. Ингушетия"},
        {"AO", "Астраханская обл."}, {"DA", "Респ. Дагестан"}, {"KB", "Кабардино-Балкарская Респ."},
        {"AD", "Респ. Адыгея"}, {"UO", "Усть-Ордынский Бурятский АО"}, {"AB", "Агинский Бурятский АО"},
        {"CB", "Челябинская обл."}, {"SV", "Свердловская обл."}, {"PM", "Пермская обл."},
        {"KP", "Коми-Пермяцкий АО"}, {"TO", "Томская обл."}, {"HM", "Ханты-Мансийский АО"},
        {"YN", "Ямало-Ненецкий АО"}, {"TN", "Тюменская обл."}, {"OM", "Омская обл."},
        {"NS", "Новосибирская обл."}, {"KN", "Курганская обл."}, {"OB", "Оренбургская обл."},
        {"KE", "Кемеровская обл."}, {"BA", "Респ. Башкортостан"}, {"KO", "Респ. Коми"},
        {"AL", "Алтайский край"}, {"GA", "Респ. Алтай"},
    };
    return names;
}

const QHash<QString, QString> &UkrainianRegionNames() {
    static const QHash<QString, QString> names = {
        {"SU", "Сумская обл."}, {"TE", "Тернопольская обл."}, {"CH", "Черкасская обл."},
        {"ZA", "Закарпатская обл."}, {"DN", "Днепропетровская обл."}, {"OD", "Одесская обл."},
        {"HE", "Херсонская обл."}, {"PO", "Полтавская обл."}, {"DO", "Донецкая обл."},
        {"KR", "Крым"}, {"RI", "Ровенская обл."}, {"HA", "Харьковская обл."},
        {"LU", "Луганская обл."}, {"VI", "Винницкая обл."}, {"VO", "Волынская обл."},
        {"ZP", "Запорожская обл."}, {"CR", "Черниговская обл."}, {"IF", "Ивано-Франковская обл."},
        {"HM", "Хмельницкая обл."}, {"KV", "Киевская обл."}, {"KI", "Кировоградская обл."},
        {"LV", "Львовская обл."}, {"ZH", "Житомирская обл."}, {"CN", "Черновицкая обл."},
        {"NI", "Николаевская обл."},
    };
    return names;
}

// By the table's (English) region name.
const QHash<QString, QString> &KazakhRegionNames() {
    static const QHash<QString, QString> names = {
        {"Mangyshlak", "Мангышлакская обл."}, {"Akmola", "Акмолинская обл."},
        {"North Kazakhstan", "Северо-Казахстанская обл."}, {"Semipalatinsk", "Семипалатинская обл."},
        {"Koktchetav", "Кокчетавская обл."}, {"Pavlodar", "Павлодарская обл."},
        {"Aktyubinsk", "Актюбинская обл."}, {"East Kazakhstan", "Восточно-Казахстанская обл."},
        {"Kyzyl Orda", "Кзыл-Ординская обл."}, {"Kustanay", "Кустанайская обл."},
        {"Uralsk", "Уральская обл."}, {"Chimkent", "Чимкентская обл."}, {"Atyrau", "Атырауская обл."},
        {"Karaganda", "Карагандинская обл."}, {"Almaty", "Алматинская обл."},
        {"Dzhezkasgan", "Джезказганская обл."}, {"Baikonur", "Байконур"}, {"Djambul", "Джамбулская обл."},
        {"Taldy Kurgan", "Талдыкурганская обл."}, {"Turgai", "Тургайская обл."},
    };
    return names;
}

QString NameFor(const QHash<QString, QString> &names, const QString &key, const QString &line) {
    const auto it = names.constFind(key);
    if (it == names.constEnd()) throw SourceError(QStringLiteral("no Russian name for \"%1\" (%2)").arg(key, line));
    CheckName(*it, 30);
    return *it;
}

// Region records, one per key, the records of one region consecutive and
// numbered 0, 1, 2, ... by region.
std::vector<RegionRecord> RegionRecords(const std::vector<Region> &regions, bool longitudeFirst) {
    std::vector<RegionRecord> out;
    for (size_t n = 0; n < regions.size(); ++n) {
        const Region &r = regions[n];
        const QString lat = FiveCharacters(Degrees(r.line.latitude));
        const QString lon = FiveCharacters(Degrees(r.line.longitude));
        for (const QString &key : r.keys) {
            RegionRecord rec;
            rec.key = key;
            rec.name = r.name;
            rec.waz = TwoDigits(r.line.cq);
            rec.itu = TwoDigits(r.line.itu);
            rec.number = QString::number(n);
            rec.coordinateA = longitudeFirst ? lon : lat;
            rec.coordinateB = longitudeFirst ? lat : lon;
            rec.obl = r.code;
            out.push_back(rec);
        }
    }
    return out;
}

} // namespace

int MakeRussia(const QString &areaTable, const QString &outDir) {
    // The old system: "UA", call-area digit, region letter ("UA3A" Moscow).
    static const QRegularExpression pattern(QStringLiteral("^UA([0-9])(?:([A-Z])|\\[([A-Z\\-]+)\\])$"));
    std::vector<Region> regions;
    QHash<QString, bool> taken;
    for (const AreaLine &line : ReadAreaTable(areaTable)) {
        if (line.name.contains(QStringLiteral("Club Station"))) continue;
        const QString code = RegionCode(line.name);
        if (code.isEmpty()) continue;
        for (const QString &p : line.patterns) {
            const auto m = pattern.match(p);
            if (!m.hasMatch()) continue;
            const QString letters = m.captured(2).isEmpty() ? ExpandClass(m.captured(3)) : m.captured(2);
            QString keys;
            for (QChar l : letters) keys += m.captured(1) + l;
            AddKeys(regions, taken, code, NameFor(RussianRegionNames(), code, line.name), keys, line, 2);
        }
    }
    if (regions.size() >= 90) throw SourceError(QStringLiteral("more than 90 Russian regions"));
    const auto records = RegionRecords(regions, true);
    WriteAllRecords(outDir + QStringLiteral("/russia22.dat"), records);
    return int(records.size());
}

int MakeUkraine(const QString &areaTable, const QString &outDir) {
    // "U5A" .. "U5Z": the fourth character of a Ukrainian call is the region.
    static const QRegularExpression pattern(QStringLiteral("^U5([A-Z])$"));
    std::vector<Region> regions;
    QHash<QString, bool> taken;
    for (const AreaLine &line : ReadAreaTable(areaTable)) {
        if (!line.name.startsWith(QStringLiteral("Ukraine, "))) continue;
        const QString code = RegionCode(line.name);
        if (code.isEmpty()) continue;
        for (const QString &p : line.patterns) {
            const auto m = pattern.match(p);
            if (m.hasMatch()) AddKeys(regions, taken, code, NameFor(UkrainianRegionNames(), code, line.name), m.captured(1), line, 1);
        }
    }
    const auto records = RegionRecords(regions, false);
    WriteAllRecords(outDir + QStringLiteral("/ucraina.dat"), records);
    return int(records.size());
}

int MakeKazakhstan(const QString &areaTable, const QString &outDir) {
    // "UN#A": the fourth character of a Kazakh call is the region.
    static const QRegularExpression pattern(QStringLiteral("^UN#([A-Z])$"));
    std::vector<Region> regions;
    QHash<QString, bool> taken;
    for (const AreaLine &line : ReadAreaTable(areaTable)) {
        if (!line.name.startsWith(QStringLiteral("Kazakhstan, "))) continue;
        const QString place = line.name.mid(12);
        if (place.contains(QStringLiteral("Special")) || place.contains(QStringLiteral("Emergency"))) continue;
        for (const QString &p : line.patterns) {
            const auto m = pattern.match(p);
            if (m.hasMatch()) AddKeys(regions, taken, place, NameFor(KazakhRegionNames(), place, line.name), m.captured(1), line, 1);
        }
    }
    auto records = RegionRecords(regions, false);
    for (RegionRecord &r : records) r.obl.clear(); // no region codes there
    WriteAllRecords(outDir + QStringLiteral("/Kaz_tan.dat"), records);
    return int(records.size());
}

int MakeBrazil(const QString &areaTable, const QString &outDir) {
    // "PY1%% PY1%%%|Brazil, Rio de Janeiro (RJ), Class A and B": the first
    // three characters of the call give the state.
    static const QRegularExpression pattern(QStringLiteral("^([A-Z]{2}[0-9])%%$"));
    static const QRegularExpression name(QStringLiteral("^Brazil, (.+), Class A and B$"));
    std::vector<BrazilRegionRecord> records;
    QHash<QString, bool> taken;
    for (const AreaLine &line : ReadAreaTable(areaTable)) {
        const auto n = name.match(line.name);
        if (!n.hasMatch()) continue;
        for (const QString &p : line.patterns) {
            const auto m = pattern.match(p);
            if (!m.hasMatch() || taken.contains(m.captured(1))) continue;
            taken.insert(m.captured(1), true);
            CheckName(n.captured(1), 52);
            records.push_back({m.captured(1), n.captured(1)});
        }
    }
    WriteAllRecords(outDir + QStringLiteral("/brasil.dat"), records);
    return int(records.size());
}

int MakeIota(const QString &iotaTable, const QString &outDir) {
    // "AF-001|Agalega Islands|3B6|3B6": reference, name, prefix, call pattern.
    // Our reference field holds five characters: "AF001".
    std::vector<IslandRecord> records;
    for (const QString &line : ReadSourceLines(iotaTable)) {
        const QStringList f = line.split(u'|');
        if (f.size() < 3) continue;
        QString ref = f[0].trimmed().toUpper();
        ref.remove(u'-');
        if (ref.size() != 5) throw SourceError(QStringLiteral("iota.tbl: bad reference \"%1\"").arg(f[0]));
        const QString prefix = f[2].trimmed();
        if (prefix.size() > 6 || f[1].trimmed().size() > 150) throw SourceError(QStringLiteral("iota.tbl: too long: %1").arg(line));
        records.push_back({ref, prefix, f[1].trimmed()});
    }
    std::stable_sort(records.begin(), records.end(),
                     [](const IslandRecord &a, const IslandRecord &b) { return a.reference < b.reference; });
    WriteAllRecords(outDir + QStringLiteral("/dx/iota.dat"), records);
    return int(records.size());
}

} // namespace zelmor::makedata
