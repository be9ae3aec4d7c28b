#include "logtools/searchsettings.h"

namespace zelmor {

int SearchColumnStoredWidth(int column) { return ReadSettingInteger(SettingId::SearchGridWidth, column); }

void WriteSearchColumnShown(int column, bool shown) {
    WriteSetting(SettingId::SearchGridShown, qint32(shown ? 1 : 0), column);
}

bool ReadSearchColumnBox(SettingId box) { return ReadSettingBool(box); }

void WriteSearchColumnBox(SettingId box, bool checked) { WriteSetting(box, checked); }

ReportFontText ReadReportFont() {
    return {ReadSettingString(SettingId::ReportFontName), ReadSettingString(SettingId::ReportFontSize),
            ReadSettingString(SettingId::ReportFontColour)};
}

void WriteReportFont(const QString &name, const QString &size, const QString &colour) {
    WriteSetting(SettingId::ReportFontSize, size);
    WriteSetting(SettingId::ReportFontName, name);
    WriteSetting(SettingId::ReportFontColour, colour);
}

QString ReadReportFontName(int n) { return ReadSettingString(SettingId::ReportFonts, n); }

void WriteReportFontName(int n, const QString &name) { WriteSetting(SettingId::ReportFonts, name, n); }

} // namespace zelmor
