#pragma once
// The stored values the search window and the report printing read and
// write, through their rows of the settings table.
#include "logbook/settingscatalogue.h"

#include <QString>

namespace zelmor {

// The width of search-grid column n (0: not stored).
int SearchColumnStoredWidth(int column);
// Column n shown (1) or hidden (0).
void WriteSearchColumnShown(int column, bool shown);
// The check boxes of the table page (rows SearchColCall ... SearchColItu).
bool ReadSearchColumnBox(SettingId box);
void WriteSearchColumnBox(SettingId box, bool checked);

// The report font as stored: name, size and colour as texts.
struct ReportFontText {
    QString name, size, colour;
};
ReportFontText ReadReportFont();
void WriteReportFont(const QString &name, const QString &size, const QString &colour);
// The report font names 1 to 5.
QString ReadReportFontName(int n);
void WriteReportFontName(int n, const QString &name);

} // namespace zelmor
