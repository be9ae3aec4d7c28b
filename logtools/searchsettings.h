#pragma once
// The stored values the search window and the report printing read and
// write, each through one function, so their names are spelled only here.
#include <QString>

namespace zelmor {

inline const QString SearchSettingsKey = QStringLiteral("zelmor\\поиск");
inline const QString ReportSettingsKey = QStringLiteral("zelmor\\отчет");

// "размер колонки" + n: the width of search-grid column n (0: not stored).
int SearchColumnStoredWidth(int column);
// "колонка-" + n: 1 when column n is shown, 0 when hidden.
void WriteSearchColumnShown(int column, bool shown);
// The check boxes of the table page: "колонка-call", "колонка-name", ...
// `box` is the value's suffix ("call", "name", "qth", "ochk", "date", "utc",
// "rsts", "qsl", "rstr", "qthl", "mode", "band", "страна", "waz", "info",
// "itu").
bool ReadSearchColumnBox(const QString &box);
void WriteSearchColumnBox(const QString &box, bool checked);

// The report font as stored: name, size and colour as texts.
struct ReportFontText {
    QString name, size, colour;
};
ReportFontText ReadReportFont();
void WriteReportFont(const QString &name, const QString &size, const QString &colour);
// "font1" ... "font5".
QString ReadReportFontName(int n);
void WriteReportFontName(int n, const QString &name);

} // namespace zelmor
