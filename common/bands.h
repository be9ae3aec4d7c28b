#pragma once
// The log's band and mode texts and their parallel tables. The band stored in
// a record is one of LogBandNames exactly: "10  Mhz" to "50  Mhz" carry two
// blanks, "144Mhz", "430Mhz" and "136Khz" none.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace zelmor {

inline constexpr int BandCount = 14;
// The per-band counters have 21 slots; 0..13 are used.
inline constexpr int BandCounterSlots = 21;

extern const std::array<QString, BandCount> LogBandNames;
extern const std::array<QString, BandCount> NominalBandFrequencies;
extern const std::array<QString, BandCount> AdifBandNames;
extern const std::array<QString, BandCount> AdifBandNamesUpper;

// Index of the band whose log text equals the trimmed text, or -1.
int LogBandIndex(QStringView bandText);

// The mode pick list, in list order.
extern const QStringList ModeList;

// The default report of a mode ("59", "599", "595"); empty for "MT63" and any
// other text, which leave the report fields as they are.
QString DefaultRstForMode(QStringView mode);

} // namespace zelmor
