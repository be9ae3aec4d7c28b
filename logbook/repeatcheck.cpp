#include "logbook/repeatcheck.h"

#include "common/qsorecord.h"
#include "common/text.h"

namespace zelmor {

BandCounterTable CountryWorkedPerBand{}, CountryConfirmedPerBand{}, CountrySentPerBand{};

void ClearBandCounters() {
    CountryWorkedPerBand.fill(0);
    CountryConfirmedPerBand.fill(0);
    CountrySentPerBand.fill(0);
}

LogScanResult ScanLogColumns(const LogColumnLists &cols, const QString &country, const QString &call) {
    LogScanResult r;
    const RecordIndexes ofCountry = cols.indexesOfCountry(country);
    r.countryWorked = !ofCountry.empty();
    // Bands are shared strings in a loaded log: a few remembered texts skip
    // the table walk for nearly every record.
    struct Seen {
        const QChar *data = nullptr;
        qsizetype size = -1;
        int band = -1;
    };
    std::array<Seen, 16> seen{};
    size_t next = 0;
    for (qint64 i : ofCountry) {
        const QString &band = cols.LogBands[i];
        int j = -2;
        for (const Seen &s : seen)
            if (s.data == band.constData() && s.size == band.size()) {
                j = s.band;
                break;
            }
        if (j == -2) {
            j = LogBandIndex(band);
            seen[next++ % seen.size()] = {band.constData(), band.size(), j};
        }
        if (j < 0) continue;
        const QString &flag = cols.LogQslFlags[i];
        CountryWorkedPerBand[j] += 1;
        if (flag.size() == 1) {
            const char16_t f = flag.front().unicode();
            if (f == u'N' || f == u'П') CountryConfirmedPerBand[j] += 1;
            else if (f == u'Y') CountrySentPerBand[j] += 1;
        }
    }
    if (!call.isEmpty()) r.repeats = cols.indexesOfCall(call).toVector();
    return r;
}

QString ChooseDefaultQslState(const QslRuleInputs &in) {
    QString result;
    if (in.qslf1) {
        // A threshold that is not a number skips this rule.
        if (const auto threshold = ParseInteger(in.eqslf1))
            result = in.confirmedOnBand < *threshold ? QslToSend : QslNotToSend;
    }
    if (in.qslf2) result = in.dxCountry != in.ownCountry ? QslToSend : QslNotToSend;
    if (in.qslf3) result = in.dxContinent != in.ownContinent ? QslToSend : QslNotToSend;
    return result.isEmpty() ? in.current : result;
}

QString WithClubTag(const QString &info, const QString &tag, const QString &number) {
    if (!info.isEmpty() && info.contains(tag.mid(1) + number)) return info;
    return info + tag + number;
}

} // namespace zelmor
