#pragma once
// What the transceivers report, decoded into plain values: the two
// frequencies as dotted texts in 10 Hz resolution ("14.235.00"), the values
// for the band chart in kHz, and the mode.
#include "station/catcommands.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <utility>

namespace zelmor {

struct CatStatus {
    std::optional<QString> vfob;   // main frequency text
    std::optional<QString> vfoa;   // second frequency text
    std::optional<qint64> chartB;  // kHz, for the band chart (none for ft1000mp)
    std::optional<qint64> chartA;
    QString mode;                  // empty: no mode reported, or an unknown code
    bool answered = false;         // a whole, well-formed reply was there
};

// Frequency texts: a value in 10 Hz units with dots before the last two and
// the last five digits; in 1 Hz units with dots before the last three and
// six, the last digit then dropped. Below 1 MHz zeros are filled in
// ("0.475.00").
QString TenHzFrequencyText(qint64 tenHz);
QString OneHzFrequencyText(qint64 hz);

CatStatus DecodeFt890Status(const QByteArray &reply);
CatStatus DecodeFt990Status(const QByteArray &reply);
CatStatus DecodeFt990Mode2Status(const QByteArray &reply);
CatStatus DecodeFt920Status(const QByteArray &reply);
CatStatus DecodeFt1000mpStatus(const QByteArray &reply);
// One Kenwood answer: "FA...;" (vfob), "FB...;" (vfoa) or "MD<n>;".
CatStatus DecodeKenwoodReply(const QByteArray &reply);
// The model's decoder.
CatStatus DecodeStatus(RadioModel m, const QByteArray &reply);

// Mode texts by code, per model family; empty for codes without a mode.
QString YaesuModeName(RadioModel m, int code);
QString KenwoodModeName(QChar code);

// The nine chart bands 1.8 .. 28 MHz: index 0..8.
inline constexpr int ChartBandCount = 9;
extern const std::pair<double, double> BandChartRanges[ChartBandCount];
// The log band names of the chart bands ("1.8 Mhz" .. "28  Mhz").
QString ChartBandName(int index);

struct DetectedBand {
    int chartBand = -1;   // 0..8, or -1 off the chart bands
    QString name;         // the log band name, empty off every band
};
// The band of a dotted frequency text, by its whole MHz number before the
// first dot.
DetectedBand DetectBandFromFrequency(const QString &text);

} // namespace zelmor
