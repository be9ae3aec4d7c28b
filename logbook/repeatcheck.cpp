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
    static const QString confirmedN = QStringLiteral("N"), confirmedP = QStringLiteral("П"),
                         sentY = QStringLiteral("Y");
    LogScanResult r;
    const qsizetype n = cols.LogCalls.size();
    const QString *countries = cols.LogCountries.constData();
    const QString *calls = cols.LogCalls.constData();
    // Bands and flags are shared strings in a loaded log: remember the last
    // band text seen to skip the table walk.
    const QString *lastBand = nullptr;
    int lastBandIndex = -1;
    for (qsizetype i = 0; i < n; ++i) {
        if (countries[i].size() == country.size() && countries[i] == country) {
            r.countryWorked = true;
            const QString &band = cols.LogBands[i];
            int j;
            if (lastBand && band.constData() == lastBand->constData() && band.size() == lastBand->size()) {
                j = lastBandIndex;
            } else {
                j = LogBandIndex(band);
                lastBand = &band;
                lastBandIndex = j;
            }
            if (j >= 0) {
                const QString &flag = cols.LogQslFlags[i];
                CountryWorkedPerBand[j] += 1;
                if (flag == confirmedN || flag == confirmedP) CountryConfirmedPerBand[j] += 1;
                if (flag == sentY) CountrySentPerBand[j] += 1;
            }
        }
        if (calls[i].size() == call.size() && calls[i] == call) r.repeats.push_back(i);
    }
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
