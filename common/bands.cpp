#include "common/bands.h"

#include "common/text.h"

namespace zelmor {

const std::array<QString, BandCount> LogBandNames = {
    QStringLiteral("136Khz"),  QStringLiteral("1.8 Mhz"), QStringLiteral("3.6 Mhz"), QStringLiteral("7.0 Mhz"),
    QStringLiteral("10  Mhz"), QStringLiteral("14  Mhz"), QStringLiteral("18  Mhz"), QStringLiteral("21  Mhz"),
    QStringLiteral("24  Mhz"), QStringLiteral("28  Mhz"), QStringLiteral("50  Mhz"), QStringLiteral("144Mhz"),
    QStringLiteral("430Mhz"),  QStringLiteral("1.2 Ghz"),
};
const std::array<QString, BandCount> NominalBandFrequencies = {
    QStringLiteral("136"), QStringLiteral("1.8"), QStringLiteral("3.6"), QStringLiteral("7.0"), QStringLiteral("10"),
    QStringLiteral("14"),  QStringLiteral("18"),  QStringLiteral("21"),  QStringLiteral("24"),  QStringLiteral("28"),
    QStringLiteral("50"),  QStringLiteral("144"), QStringLiteral("430"), QStringLiteral("1200"),
};
const std::array<QString, BandCount> AdifBandNames = {
    QStringLiteral("2200m"), QStringLiteral("160m"), QStringLiteral("80m"), QStringLiteral("40m"), QStringLiteral("30m"),
    QStringLiteral("20m"),   QStringLiteral("17m"),  QStringLiteral("15m"), QStringLiteral("12m"), QStringLiteral("10m"),
    QStringLiteral("6m"),    QStringLiteral("2m"),   QStringLiteral("0.7m"), QStringLiteral("0.2m"),
};
const std::array<QString, BandCount> AdifBandNamesUpper = {
    QStringLiteral("2200M"), QStringLiteral("160M"), QStringLiteral("80M"), QStringLiteral("40M"), QStringLiteral("30M"),
    QStringLiteral("20M"),   QStringLiteral("17M"),  QStringLiteral("15M"), QStringLiteral("12M"), QStringLiteral("10M"),
    QStringLiteral("6M"),    QStringLiteral("2M"),   QStringLiteral("0.7M"), QStringLiteral("0.2M"),
};

const QStringList ModeList = {
    QStringLiteral("SSB"), QStringLiteral("CW"),   QStringLiteral("PSK"),  QStringLiteral("AM"),
    QStringLiteral("FM"),  QStringLiteral("RTTY"), QStringLiteral("SSTV"), QStringLiteral("MT63"),
};

int LogBandIndex(QStringView bandText) {
    // Fast path for stored texts, which are usually exact already.
    for (int i = 0; i < BandCount; ++i)
        if (bandText == LogBandNames[i]) return i;
    const QString t = Trim(bandText);
    for (int i = 0; i < BandCount; ++i)
        if (t == LogBandNames[i]) return i;
    return -1;
}

QString DefaultRstForMode(QStringView mode) {
    if (mode == u"SSB") return QStringLiteral("59");
    if (mode == u"CW" || mode == u"RTTY" || mode == u"PSK") return QStringLiteral("599");
    if (mode == u"SSTV" || mode == u"AM" || mode == u"FM") return QStringLiteral("595");
    return QString();
}

} // namespace zelmor
