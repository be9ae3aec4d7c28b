#include "logtools/searchsettings.h"

#include "logbook/settingsstore.h"

namespace zelmor {

int SearchColumnStoredWidth(int column) {
    return RegReadInteger(SearchSettingsKey, QStringLiteral("размер колонки") + QString::number(column));
}

void WriteSearchColumnShown(int column, bool shown) {
    RegWriteValue(1, SearchSettingsKey, QStringLiteral("колонка-") + QString::number(column), shown ? 1 : 0, QString());
}

bool ReadSearchColumnBox(const QString &box) { return RegReadBool(SearchSettingsKey, QStringLiteral("колонка-") + box); }

void WriteSearchColumnBox(const QString &box, bool checked) {
    RegWriteBool(SearchSettingsKey, QStringLiteral("колонка-") + box, checked);
}

ReportFontText ReadReportFont() {
    return {RegReadString(ReportSettingsKey, QStringLiteral("fontnam")),
            RegReadString(ReportSettingsKey, QStringLiteral("fontsiz")),
            RegReadString(ReportSettingsKey, QStringLiteral("fontcol"))};
}

void WriteReportFont(const QString &name, const QString &size, const QString &colour) {
    RegWriteValue(0, ReportSettingsKey, QStringLiteral("fontsiz"), 0, size);
    RegWriteValue(0, ReportSettingsKey, QStringLiteral("fontnam"), 0, name);
    RegWriteValue(0, ReportSettingsKey, QStringLiteral("fontcol"), 0, colour);
}

QString ReadReportFontName(int n) { return RegReadString(ReportSettingsKey, QStringLiteral("font") + QString::number(n)); }

void WriteReportFontName(int n, const QString &name) {
    RegWriteValue(0, ReportSettingsKey, QStringLiteral("font") + QString::number(n), 0, name);
}

} // namespace zelmor
