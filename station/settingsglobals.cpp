#include "station/settingsglobals.h"

namespace zelmor {

std::array<qint32, QslPositionCount> QslPositionTable = [] {
    std::array<qint32, QslPositionCount> t{};
    t.fill(20);
    return t;
}();
QString QslLayoutPath;
std::array<CardPartFont, 3> CardFonts;
QString EnvelopeFontName;
qint32 EnvelopeFontColour = 0;
ReportFontSetting ListingFont;
std::array<QString, 5> ReportFontNames;
std::array<qint32, 4> MixerLevels{};

} // namespace zelmor
