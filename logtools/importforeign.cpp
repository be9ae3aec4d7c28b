#include "logtools/importforeign.h"

#include "logbook/stationprofile.h"
#include "logtools/foreignlogs.h"
#include "logtools/import.h"
#include "logtools/logplusinfo.h"
#include "logtools/rowlookup.h"
#include "logtools/textexport.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QProgressBar>

namespace zelmor {

namespace {

using Reader = ForeignImportResult (*)(QByteArrayView, const RowCountryTables &, ImportRowStore &,
                                       const ImportProgress &);

QString ClosingText(const char *format, const ForeignImportResult &r) {
    QStringList lines;
    lines << QStringLiteral("%1: прочитано QSO: %2").arg(QLatin1String(format)).arg(r.rows);
    if (!r.codePage.isEmpty()) lines << QStringLiteral("Кодовая страница файла: %1").arg(r.codePage);
    if (r.deleted > 0) lines << QStringLiteral("Удалённые записи не перенесены: %1").arg(r.deleted);
    if (r.badDates > 0)
        lines << QStringLiteral("У %1 QSO дата не читается и оставлена пустой (первое: строка таблицы %2). "
                                "Заполните эти ячейки перед сохранением.")
                     .arg(r.badDates)
                     .arg(r.firstBadDateRow);
    return lines.join(u'\n');
}

void RunImport(Timport &w, const char *format, Reader read, int blankRows) {
    if (w.Edit1->text().isEmpty()) return;
    RowCountryTables tables;
    QString missing;
    if (!tables.load(DataPath(QStringLiteral("dx\\world.dat")), DataPath(QStringLiteral("russia22.dat")), &missing)) {
        ShowMissingFile(missing);
        return;
    }
    MappedFile file;
    QString error;
    if (!file.open(DataPath(w.Edit1->text()), &error)) {
        ShowErrorBox(error); // the grid keeps the rows it had
        return;
    }
    ImportRowStore &rows = w.StreModel->rows();
    rows.clear();
    rows.reserve(file.bytes().size() / 100, file.bytes().size() / 2);
    const ForeignImportResult r = read(file.bytes(), tables, rows, [&w](qint64 v, qint64 max) { w.showProgress(v, max); });
    w.StreModel->storeChanged();
    w.Stre->setRowCount(int(rows.size()) + blankRows);
    w.Gauge1->setValue(0);
    w.Panel1->hide(); // the closing message is not shown under a progress bar at 0
    if (!r.error.isEmpty()) {
        QString text = r.error;
        if (r.rows > 0) text += u'\n' + ClosingText(format, r);
        ShowErrorBox(text);
        return;
    }
    platform::dialogs().messageBox(QLatin1String(format), ClosingText(format, r), MsgIcon::Information, MbOk);
}

} // namespace

void ImportMixw2(Timport &w) { RunImport(w, "MixW2", ReadMixw2Log, 3); }
void ImportAalog(Timport &w) { RunImport(w, "AALOG", ReadAalogLog, 2); }
void ImportSwislog(Timport &w) { RunImport(w, "SWISLOG", ReadSwislogDat, 2); }
void ImportLogplusDbf(Timport &w) { RunImport(w, "LOGPLUS", ReadLogplusDbf, 2); }
void ImportQz5wwLog(Timport &w) { RunImport(w, "QZ5WW", ReadQz5wwLog, 2); }
void ImportQz4wLog(Timport &w) { RunImport(w, "QZ4W", ReadQz4wLogDat, 2); }
void ImportLogEqfLog(Timport &w) { RunImport(w, "LOG-EQF", ReadLogEqfLog, 2); }

void ImportLogEqfCommas(Timport &w) {
    w.Panel1->hide();
    if (!w.EQF1->isChecked()) return;
    RunImport(w, "LOG-EQF", ReadLogEqfCommas, 2);
}

void LoadLogForInfoImport(Timport &w) {
    w.infoSource.clear();
    if (w.Edit1->text().isEmpty()) return;
    ImportRowStore &rows = w.StreModel->rows();
    rows.clear();
    const InfoLoadResult r = LoadLogForInfo(DataPath(w.Edit1->text()), rows, w.infoSource,
                                            [&w](qint64 v, qint64 max) { w.showProgress(v, max); });
    w.StreModel->storeChanged();
    w.Stre->setRowCount(int(rows.size()) + 1);
    w.Gauge1->setValue(0);
    if (!r.error.isEmpty()) {
        ShowErrorBox(r.error);
        return;
    }
    if (w.Dir1->text().isEmpty()) w.Dir1->setText(ProgramDir);
    w.FillInfoFileList();
}

void ExportLogToText(Timport &w) {
    if (w.Edit1->text().isEmpty()) return;
    const TextExportResult r =
        ExportLogToText(DataPath(w.Edit1->text()), [&w](qint64 v, qint64 max) { w.showProgress(v, max); });
    w.Gauge1->setValue(0);
    if (!r.ok) {
        ShowErrorBox(r.error);
        return;
    }
    w.Edit2->setText(r.outputPath);
}

void ExportContestToText(Timport &w) {
    if (w.Edit1->text().isEmpty()) return;
    const TextExportResult r =
        ExportContestToText(DataPath(w.Edit1->text()), platform::clock().now().date().year(), w.Edit3->text(),
                            StationProfile.call, [&w](qint64 v, qint64 max) { w.showProgress(v, max); });
    w.Gauge1->setValue(0);
    if (!r.ok) {
        ShowErrorBox(r.error);
        return;
    }
    w.Edit2->setText(r.outputPath);
    if (!r.unreadableDates.empty()) {
        QStringList numbers;
        for (size_t i = 0; i < r.unreadableDates.size() && i < 20; ++i) numbers << QString::number(r.unreadableDates[i]);
        if (r.unreadableDates.size() > 20) numbers << QStringLiteral("...");
        platform::dialogs().messageBox(
            QStringLiteral("Контест"),
            QStringLiteral("Дата с нечисловым месяцем записана как в файле: запись %1").arg(numbers.join(QStringLiteral(", "))),
            MsgIcon::Warning, MbOk);
    }
}

void ConnectForeignConverters() {
    const auto on = [](void (*f)(Timport &)) {
        return [f] {
            if (import) f(*import);
        };
    };
    ImportHook.ImportMixw2 = on(ImportMixw2);
    ImportHook.ImportAalog = on(ImportAalog);
    ImportHook.ImportSwislog = on(ImportSwislog);
    ImportHook.ImportLogplusDbf = on(ImportLogplusDbf);
    ImportHook.ImportQz5wwLog = on(ImportQz5wwLog);
    ImportHook.ImportQz4wLog = on(ImportQz4wLog);
    ImportHook.ImportLogEqfLog = on(ImportLogEqfLog);
    ImportHook.ImportLogEqfCommas = on(ImportLogEqfCommas);
    ImportHook.LoadLogForInfoImport = on(LoadLogForInfoImport);
    ImportHook.ExportLogToText = on(ExportLogToText);
    ImportHook.ExportContestToText = on(ExportContestToText);
}

} // namespace zelmor
