#pragma once
// The settings that live in no control: globals the loader fills and their
// owners change. Plain values only.
#include <QString>
#include <array>

namespace zelmor {

// Positions of QSL printing: entries 14 and 15 are the data block marker's
// X and Y, 19 and 20 the vertical and horizontal origin of the personal
// format in 1/12 preview pixel.
inline constexpr int QslPositionCount = 21;
extern std::array<qint32, QslPositionCount> QslPositionTable;
// The current QSL layout file: program folder + "/qsl/" + name + ".qsl".
extern QString QslLayoutPath;

struct CardPartFont {
    qint32 colour = 0; // 0x00BBGGRR
    qint32 size = 0;
    QString name;
};
// Top, middle and bottom part of a card.
extern std::array<CardPartFont, 3> CardFonts;
extern QString EnvelopeFontName;
extern qint32 EnvelopeFontColour;

// The print font of the search listings and the reports, as stored (texts).
struct ReportFontSetting {
    QString name, size, colour;
};
extern ReportFontSetting ListingFont;
extern std::array<QString, 5> ReportFontNames;

// The sound mixer's four levels, "mixer1" to "mixer4".
extern std::array<qint32, 4> MixerLevels;

} // namespace zelmor
