#include "logtools/userawards.h"

#include "common/logdate.h"
#include "common/qsorecord.h"
#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/logfile.h"
#include "logbook/settingscatalogue.h"
#include "logbook/settingsstore.h"
#include "platform/dialogs.h"

#include <QSet>
#include <algorithm>
#include <cstring>
#include <tuple>

namespace zelmor {

QString FormatAwardList(const QStringList &entries) {
    QString out;
    for (const QString &e : entries)
        if (!e.isEmpty()) out += e + u',';
    return out;
}

QStringList ParseAwardList(const QString &stored) {
    QStringList out;
    for (const QString &part : stored.split(u',')) {
        const QString e = UpperCaseCp1251(part);
        if (!e.isEmpty()) out << e;
    }
    return out;
}

namespace {

bool AllowedCharacter(QChar c, bool star) {
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '/' || (star && u == '*');
}

// The problem of one condition column, or an empty text.
QString CheckColumn(const QStringList &cells, const QString &column, bool single) {
    qsizetype last = -1;
    for (qsizetype i = 0; i < cells.size(); ++i)
        if (!Trim(cells[i]).isEmpty()) last = i;
    if (last < 0) {
        QString text = QStringLiteral("Условие диплома: список %1 пуст").arg(column);
        if (single) text += QStringLiteral(" — * означает любой знак");
        return text;
    }
    bool gap = false;
    for (qsizetype i = 0; i <= last; ++i) {
        const QString e = Trim(cells[i]).toUpper();
        if (e.isEmpty()) {
            gap = true;
            continue;
        }
        auto bad = [&](const QString &why) {
            return QStringLiteral("Условие диплома: %1, строка %2: «%3» — %4").arg(column).arg(i + 1).arg(Trim(cells[i]), why);
        };
        if (gap) return bad(QStringLiteral("выше пустая клетка"));
        if (single && e.size() != 1) return bad(QStringLiteral("нужен 1 знак или *"));
        if (!single && e.size() != 2) return bad(QStringLiteral("нужно 2 знака"));
        for (QChar c : e)
            if (!AllowedCharacter(c, single))
                return bad(single ? QStringLiteral("допустимы A–Z, 0–9, / и *") : QStringLiteral("допустимы A–Z, 0–9 и /"));
    }
    return QString();
}

int StartDateNumber(const QString &text) {
    const QString t = Trim(text);
    if (t.size() != 10) return 0; // "dd.mm.yy" is not the window's form
    return LogDateNumber(t.toLatin1());
}

} // namespace

QString CheckAwardDefinition(const AwardDefinition &def) {
    for (const auto &[cells, column, single] :
         {std::tuple{&def.prefixes, QStringLiteral("PF"), false}, std::tuple{&def.thirds, QStringLiteral("#"), true},
          std::tuple{&def.fourths, QStringLiteral("S"), true}}) {
        QString problem = CheckColumn(*cells, column, single);
        if (!problem.isEmpty()) return problem;
    }
    if (StartDateNumber(def.startDate) == 0) return QStringLiteral("Укажите дату начала в виде дд.мм.гггг");
    return QString();
}

// --- slots ---------------------------------------------------------------

namespace {

// A stored value as text, without creating it when it is missing.
std::optional<QString> Peek(SettingId id, int index = -1) {
    if (!SettingsRegistry) return std::nullopt;
    const auto v = SettingsRegistry->value(QStringLiteral("Software\\") + SettingSubkey(id), SettingName(id, index));
    if (!v) return std::nullopt;
    return v->kind == HiveKind::Dword ? QString::number(v->number) : v->text;
}

int LastSlot() { return Setting(SettingId::AwardName).last; }

// A required count as stored: a text that is not a number is no count.
QString RequiredCount(const QString &stored) {
    const auto n = ParseInteger(stored);
    return n && *n >= 0 ? Trim(stored) : QString();
}

} // namespace

int AwardSlotCount() {
    const auto n = ParseInteger(Peek(SettingId::AwardCount).value_or(QString()));
    if (!n || *n < 0) return 0;
    return std::min(*n, LastSlot() + 1);
}

QString AwardSlotName(int slot) { return Peek(SettingId::AwardName, slot).value_or(QString()); }

QStringList AwardSlotNames() {
    QStringList out;
    for (int n = 0; n < AwardSlotCount(); ++n) out << AwardSlotName(n);
    return out;
}

int FindAwardSlot(const QString &name) {
    for (int n = 0, count = AwardSlotCount(); n < count; ++n)
        if (AwardSlotName(n) == name) return n;
    return -1;
}

int FreeSlot() {
    const int count = AwardSlotCount();
    for (int n = 0; n < count; ++n)
        if (AwardSlotName(n).isEmpty()) return n;
    for (int n = count; n <= LastSlot(); ++n)
        if (AwardSlotName(n).isEmpty()) return n;
    return -1;
}

AwardDefinition LoadAwardSlot(int slot) {
    using enum SettingId;
    SettingsBatch batch; // values a read creates are saved once
    AwardDefinition d;
    d.name = LoadSetting(AwardName, slot).text;
    d.prefixes = ParseAwardList(LoadSetting(AwardPrefixes, slot).text);
    d.thirds = ParseAwardList(LoadSetting(AwardThird, slot).text);
    d.fourths = ParseAwardList(LoadSetting(AwardFourth, slot).text);
    d.qsos = RequiredCount(LoadSetting(AwardQsos, slot).text);
    d.points = RequiredCount(LoadSetting(AwardPoints, slot).text);
    d.countPoints = LoadSetting(AwardCountPoints, slot).on();
    d.repeats = LoadSetting(AwardRepeats, slot).on();
    d.startDate = LoadSetting(AwardDate, slot).text;
    d.info = LoadSetting(AwardAddress, slot).text;
    d.certifier = LoadSetting(AwardCertifier, slot).text;
    return d;
}

bool SaveAwardDefinition(int slot, const AwardDefinition &def) {
    using enum SettingId;
    if (!SettingsRegistry || slot < 0 || slot > LastSlot()) return false;
    const QString prefixes = FormatAwardList(def.prefixes), thirds = FormatAwardList(def.thirds),
                  fourths = FormatAwardList(def.fourths);
    // Refused before the first write: a value the store refuses half way
    // would leave half an award.
    for (const QString *t : {&def.name, &def.info, &def.certifier, &def.startDate, &def.qsos, &def.points, &prefixes,
                             &thirds, &fourths}) {
        QChar bad;
        if (!FitsCp1251(*t, &bad)) {
            platform::dialogs().messageBox(
                QStringLiteral("ERROR"),
                QStringLiteral("Диплом не сохранён: знак \"%1\" нельзя записать в кодировке Windows-1251.").arg(QString(bad)),
                MsgIcon::Error, MbOk);
            return false;
        }
    }
    const bool raiseCount = slot >= AwardSlotCount();
    SettingsRegistry->beginBatch();
    bool ok = WriteSetting(AwardCountPoints, def.countPoints, slot);
    ok = WriteSetting(AwardRepeats, def.repeats, slot) && ok;
    ok = WriteSetting(AwardAddress, def.info, slot) && ok;
    ok = WriteSetting(AwardCertifier, def.certifier, slot) && ok;
    ok = WriteSetting(AwardDate, def.startDate, slot) && ok;
    ok = WriteSetting(AwardQsos, def.qsos, slot) && ok;
    ok = WriteSetting(AwardPoints, def.points, slot) && ok;
    ok = WriteSetting(AwardName, def.name, slot) && ok;
    ok = WriteSetting(AwardFourth, fourths, slot) && ok;
    ok = WriteSetting(AwardThird, thirds, slot) && ok;
    ok = WriteSetting(AwardPrefixes, prefixes, slot) && ok;
    if (raiseCount) ok = WriteSetting(AwardCount, qint32(slot + 1)) && ok;
    return SettingsRegistry->endBatch() && ok;
}

int DeleteAwardSlots(const QString &name) {
    using enum SettingId;
    if (name.isEmpty() || !SettingsRegistry) return 0;
    int emptied = 0;
    SettingsBatch batch;
    for (int n = 0; n < AwardSlotCount(); ++n) {
        if (AwardSlotName(n) != name) continue;
        WriteSetting(AwardCountPoints, false, n);
        WriteSetting(AwardRepeats, false, n);
        for (SettingId id : {AwardAddress, AwardCertifier, AwardDate, AwardQsos, AwardPoints, AwardName, AwardFourth,
                             AwardThird, AwardPrefixes})
            WriteSetting(id, QString(), n);
        ++emptied;
    }
    return emptied;
}

// --- evaluation ------------------------------------------------------------

namespace {
// Where each field's length byte and text lie in AwardQso::raw.
constexpr TextField RawDateField{0, 10}, RawTimeField{11, 10}, RawRstField{22, 7}, RawPointsField{30, 10};
} // namespace

QString AwardQso::date() const { return ReadTextField(raw.data(), RawDateField); }
QString AwardQso::time() const { return ReadTextField(raw.data(), RawTimeField); }
QString AwardQso::rst() const { return ReadTextField(raw.data(), RawRstField); }
QString AwardQso::points() const { return ReadTextField(raw.data(), RawPointsField); }

QString AwardEvaluation::message() const {
    if (!problem.isEmpty()) return problem;
    QStringList parts;
    if (!status.isEmpty()) parts << status;
    if (badDates)
        parts << QStringLiteral("QSO с неверной датой пропущено: %1, первое № %2").arg(badDates).arg(firstBadDate);
    if (badPoints)
        parts << QStringLiteral("QSO с неверными очками: %1, первое № %2").arg(badPoints).arg(firstBadPoints);
    return parts.join(QStringLiteral("; "));
}

namespace {

// The characters one position of the call may hold; "*" any, a missing
// character (a short call) only "*".
struct CharacterRule {
    bool any = false;
    QString chars;
    explicit CharacterRule(const QStringList &entries) {
        for (const QString &e : entries) {
            const QString t = Trim(e).toUpper();
            if (t == u"*") any = true;
            else if (t.size() == 1) chars += t;
        }
    }
    bool accepts(const QString &call, qsizetype position) const {
        if (any) return true;
        return position < call.size() && chars.contains(call[position]);
    }
};

// The text of a field without decoding it; the length byte clamped as the
// codec does.
QByteArrayView RawField(const char *record, TextField f) {
    const int length = std::min<int>(static_cast<unsigned char>(record[f.offset]), f.capacity);
    return QByteArrayView(record + f.offset + 1, length);
}

constexpr TextField DateField = QsoField::Date, TimeField = QsoField::Time, RstReceivedField = QsoField::RstReceived;
const TextField PointsField{QsoRecord::Fields[10].offset, QsoRecord::Fields[10].capacity};

void CopyField(char *to, TextField in, const char *record, TextField from) {
    std::memcpy(to + in.offset, record + from.offset, size_t(from.capacity) + 1);
}

// A whole number of the stored points, blanks around allowed; empty is 0.
std::optional<qint64> PointsOf(QByteArrayView raw) {
    qsizetype b = 0, e = raw.size();
    while (b < e && static_cast<unsigned char>(raw[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(raw[e - 1]) <= 32) --e;
    if (b == e) return 0;
    bool negative = false;
    if (raw[b] == '-' || raw[b] == '+') negative = raw[b++] == '-';
    if (b == e || e - b > 9) return std::nullopt;
    qint64 n = 0;
    for (qsizetype k = b; k < e; ++k) {
        if (raw[k] < '0' || raw[k] > '9') return std::nullopt;
        n = n * 10 + (raw[k] - '0');
    }
    return negative ? -n : n;
}

constexpr size_t ReadChunk = 32768; // records per read: bounded memory on a log that matches whole

} // namespace

AwardEvaluation EvaluateAward(const QString &logPath, const AwardDefinition &def,
                              const std::function<void(qint64, qint64)> &progress, std::vector<AwardQso> storage) {
    AwardEvaluation out;
    out.problem = CheckAwardDefinition(def);
    if (!out.problem.isEmpty()) return out;
    out.pointsCounted = def.countPoints;
    const int start = StartDateNumber(def.startDate);

    // Candidates: the calls of the log beginning with a listed prefix whose
    // third and fourth characters pass; a deleted record has no call there.
    QStringList prefixes;
    for (const QString &p : def.prefixes)
        if (const QString t = Trim(p).toUpper(); !t.isEmpty() && !prefixes.contains(t)) prefixes << t;
    const CharacterRule third(def.thirds), fourth(def.fourths);
    std::vector<qint64> candidates;
    for (const QString &p : prefixes) {
        for (qint64 i : LogColumns.indexesOfCallsBeginningWith(p)) {
            const QString &call = LogColumns.LogCalls[i];
            if (third.accepts(call, 2) && fourth.accepts(call, 3)) candidates.push_back(i);
        }
    }
    std::sort(candidates.begin(), candidates.end());
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());

    // The repeat rule on the columns' text numbers, which stand for the
    // texts one to one: the bands each call is listed on, as bits of the
    // bands' numbers in order of appearance (pairs for a log of more than 64
    // band texts); without repeats, the calls listed.
    const LogColumn &calls = LogColumns.LogCalls, &bands = LogColumns.LogBands;
    std::vector<quint64> listedBands(def.repeats ? size_t(calls.textCount()) : 0);
    std::vector<int> bandBits(def.repeats ? size_t(bands.textCount()) : 0, -1);
    int bandsSeen = 0;
    QSet<std::pair<quint32, quint32>> listedPairs;
    std::vector<bool> listedCalls(def.repeats ? 0 : size_t(calls.textCount()));
    auto firstListing = [&](qint64 i) {
        const quint32 call = calls.idAt(i);
        if (!def.repeats) {
            if (listedCalls[call]) return false;
            listedCalls[call] = true;
            return true;
        }
        const quint32 band = bands.idAt(i);
        int &b = bandBits[band];
        if (b < 0) b = bandsSeen++;
        if (b >= 64) {
            const qsizetype before = listedPairs.size();
            listedPairs.insert({call, band});
            return listedPairs.size() != before;
        }
        const quint64 bit = quint64(1) << b;
        if (listedBands[call] & bit) return false;
        listedBands[call] |= bit;
        return true;
    };
    // Memory far beyond this listing is let go rather than kept with it.
    if (storage.capacity() <= 2 * candidates.size()) out.rows = std::move(storage);
    out.rows.clear();
    out.rows.reserve(candidates.size());
    const qint64 total = qint64(candidates.size());
    for (size_t from = 0; from < candidates.size(); from += ReadChunk) {
        const std::vector<qint64> chunk(candidates.begin() + qsizetype(from),
                                        candidates.begin() + qsizetype(std::min(candidates.size(), from + ReadChunk)));
        RecordIO::ReadEach(logPath, QsoRecord::Size, chunk, [&](size_t k, const char *r) {
            const qint64 i = chunk[k];
            if (RawField(r, QsoField::DeleteMark) == QByteArrayView("Delet")) return;
            const int date = LogDateNumber(RawField(r, DateField));
            if (date == 0) {
                if (out.badDates++ == 0) out.firstBadDate = i + 1;
                return;
            }
            if (date < start || !firstListing(i)) return;
            AwardQso &q = out.rows.emplace_back();
            q.record = i;
            q.call = calls[i];
            q.band = bands[i];
            CopyField(q.raw.data(), RawDateField, r, DateField);
            CopyField(q.raw.data(), RawTimeField, r, TimeField);
            CopyField(q.raw.data(), RawRstField, r, RstReceivedField);
            CopyField(q.raw.data(), RawPointsField, r, PointsField);
            if (def.countPoints) {
                if (const auto n = PointsOf(RawField(r, PointsField))) {
                    out.pointsTotal += *n;
                } else if (out.badPoints++ == 0) {
                    out.firstBadPoints = i + 1;
                }
            }
        });
        if (progress) progress(qint64(from + chunk.size()), total);
    }

    // A required count that is empty, not a number or 0 is not given.
    const auto required = ParseInteger(def.countPoints ? def.points : def.qsos);
    if (!required || *required <= 0) {
        out.status = def.countPoints ? QStringLiteral("Укажите в условиях количество очков или отмените их подсчет")
                                     : QStringLiteral("Укажите в условиях количество QSO или отмените их подсчет");
        return out;
    }
    const qint64 achieved = def.countPoints ? out.pointsTotal : qint64(out.rows.size());
    out.percent = achieved * 100 / qint64(*required);
    return out;
}

} // namespace zelmor
