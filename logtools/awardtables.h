#pragma once
// Award counting over the current log: DXCC countries from the in-memory
// columns, CQ zones, Russian regions and IOTA islands from the log file. Each
// table is rows of nine award bands, each band a QSO count and whether a QSL
// confirms it; the windows turn the results into their grids and charts.
#include "logbook/barchart.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace zelmor {

struct LogColumnLists;

inline constexpr int AwardBandCount = 9;
// The DXCC grid's headings of the count columns: "1.8", "3.6", "7.0", then
// the two-digit bands with a trailing blank, as the first three characters of
// a log band text read.
extern const std::array<QString, AwardBandCount> AwardBandKeys;
// The same without the blank: the other tables' headings and the bar labels.
extern const std::array<QString, AwardBandCount> AwardBandLabels;

// The award band whose key equals the first three characters of the band
// text; -1 for any other band ("144Mhz", "50  Mhz").
int AwardBandOf(QStringView bandText);
// A one-letter QSL code that confirms: "П" (received) or "N" (sent and received).
bool ConfirmsQslFlag(QStringView flag);
// A QSL word that confirms, blanks around allowed.
bool ConfirmsQslState(QStringView state);

struct AwardCell {
    int count = 0;
    bool confirmed = false;
};
using AwardBands = std::array<AwardCell, AwardBandCount>;

// (value, maximum) of a long count.
using AwardProgress = std::function<void(qint64 value, qint64 maximum)>;

// Worked and confirmed bars of an award chart.
struct AwardChart {
    std::vector<Bar> worked;    // red
    std::vector<Bar> confirmed; // blue
};
inline const QColor AwardWorkedColour = QColor(255, 0, 0);
inline const QColor AwardConfirmedColour = QColor(0, 0, 255);

// Per band: the rows with a QSO and the rows with a confirmation; then over
// all rows, those with any QSO and those where a band with a QSO is confirmed.
// `labels` heads the worked bars, `confirmedLabels` the confirmed ones; the
// totals bars get `allLabel` and `allConfirmedLabel`.
AwardChart BandTotalsChart(const std::vector<const AwardBands *> &rows, const std::array<QString, AwardBandCount> &labels,
                           const QString &allLabel, const QString &confirmedLabel, const QString &allConfirmedLabel);

// --- DXCC

struct DxccEntity {
    QString country;      // as world.dat has it
    QString commonPrefix;
    QString waz;
    AwardBands bands;
};
// The world.dat records whose DXCC field is exactly "*", in file order;
// nothing when the file is missing. Throws IoError on a read error.
std::optional<std::vector<DxccEntity>> ReadDxccEntities(const QString &worldPath);
// Counts the log's columns into the entities, from empty counts. `mode` is
// "SSB", "CW", "PSK", "RTTY" (exact match of the log's mode) or "1" for every
// mode. Records marked deleted count nowhere. A country is matched as the log
// stores it: cut to the record's 30 characters; of entities that share that
// text the first takes the QSOs.
void CountDxccByMode(std::vector<DxccEntity> &entities, const LogColumnLists &log, const QString &mode,
                     const AwardProgress &progress = {});
// Worked per band, then "All Band"; confirmed "QSL" per band, then "Y".
AwardChart ShowDxccTotals(const std::vector<DxccEntity> &entities);

// --- CQ zones

inline constexpr int WazZoneCount = 40;
// Zones 1 to 40 at indexes 1 to 40 (0 unused).
using WazTable = std::array<AwardBands, WazZoneCount + 1>;
// One pass over the log file. A record counts in the zone of the first two
// characters of its WAZ field; a record marked deleted, an empty field, or a
// zone that is not a number from 1 to 40 counts nowhere. Throws IoError.
WazTable CountWazZones(const QString &logPath, const AwardProgress &progress = {});
// Worked per band (trimmed headings), then "All"; the confirmed bars unlabelled.
AwardChart WazChart(const WazTable &zones);

// --- Russian regions

inline constexpr int RegionCount = 90; // numbers 0 to 89, grid rows 1 to 90
using RegionNames = std::array<QString, RegionCount>;
using RegionTable = std::array<AwardBands, RegionCount>;
// The names of russia22.dat by region number: reading ends at the first
// record with an empty number; of consecutive records with one number the
// first names it; a number that is not 0 to 89 names nothing. Nothing when
// the file is missing. Throws IoError.
std::optional<RegionNames> ReadRegionNames(const QString &russiaPath);
// One pass over the log file: records with a region number 0 to 89 that are
// not marked deleted. Throws IoError.
RegionTable CountRussianRegions(const QString &logPath, const AwardProgress &progress = {});
// The totals of every named region, wherever it stands.
AwardChart RegionChart(const RegionNames &names, const RegionTable &regions);

// --- IOTA

struct IotaSlot {
    QString reference, prefix, name;
    bool worked = false, confirmed = false;
};
// The iota.dat records with a reference, in file order. Nothing when the file
// is missing. Throws IoError.
std::optional<std::vector<IotaSlot>> ReadIotaSlots(const QString &iotaPath);
// Marks the islands from the log file, from no marks: a record not marked
// deleted whose trimmed IOTA equals a slot's trimmed reference works it, and
// confirms it with a confirming QSL state. The progress counts down. Throws
// IoError.
void CountIotaIslands(std::vector<IotaSlot> &islands, const QString &logPath, const AwardProgress &progress = {});
// ("Iota", worked islands) and ("QSL", confirmed islands).
AwardChart IotaChart(const std::vector<IotaSlot> &islands);

} // namespace zelmor
