// ADIF export of a 1,000,000-record log, then the import of that file into
// the import grid's rows with the country look-up of every call and a save
// of the rows to an empty log. Figures only.
#include "bench/benchsupport.h"
#include "logtools/adif.h"
#include "logtools/importrows.h"
#include "logtools/importsave.h"
#include "logtools/rowlookup.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace zelmor;

namespace {
// Peak resident memory of the process so far, in MB.
double PeakMb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}
} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const qint64 records = argc > 1 ? QString::fromLocal8Bit(argv[1]).toLongLong() : 1000000;
    QTemporaryDir dir;
    const QString log = dir.filePath("bench.log");
    bench::WriteLog(log, records);
    std::printf("log of %lld records, peak memory before the import %.0f MB\n", records, PeakMb());

    QElapsedTimer t;
    t.start();
    const AdifExportResult exported = ExportAdifFile(log, "1", QString::number(records));
    const double exportS = t.nsecsElapsed() / 1e9;
    if (exported.status != AdifExportResult::Done) return 1;
    const qint64 adiBytes = QFileInfo(exported.outputPath).size();
    bench::Report("export, QSO/s", exported.exported / exportS, "QSO/s");
    bench::Report("export, size of the .adi", adiBytes / 1e6, "MB");

    // The reader alone: every tag of every record, nothing kept.
    {
        QFile f(exported.outputPath);
        f.open(QIODevice::ReadOnly);
        const uchar *m = f.map(0, f.size());
        t.restart();
        AdifReader reader(QByteArrayView(reinterpret_cast<const char *>(m), f.size()));
        std::vector<AdifField> fields;
        qint64 n = 0;
        while (reader.next(fields)) n += qint64(fields.size());
        const double s = t.nsecsElapsed() / 1e9;
        bench::Report("reader alone, byte scan", f.size() / s / 1e9, "GB/s");
        if (n == 0) return 1;
    }

    RowCountryTables tables;
    const QString source = QString::fromUtf8(ZELMOR_SOURCE_DIR);
    if (!tables.load(source + "/data/dx/world.dat", source + "/data/russia22.dat")) {
        std::printf("the shipped country tables are missing\n");
        return 1;
    }
    ImportRowStore rows;
    t.restart();
    const AdifImportResult imported = ImportAdifFile(exported.outputPath, tables, rows);
    const double importS = t.nsecsElapsed() / 1e9;
    if (!imported.error.isEmpty() || imported.rows != exported.exported) return 1;
    const QString target = dir.filePath("imported.log");
    t.restart();
    const GridSaveResult saved = AppendGridRowsToLog(rows, target);
    const double saveS = t.nsecsElapsed() / 1e9;
    if (saved.status != GridSaveResult::Saved || saved.written != imported.rows) return 1;
    bench::Report("import into the grid rows, lookup included, QSO/s", imported.rows / importS, "QSO/s");
    bench::Report("save of the rows to an empty log, QSO/s", saved.written / saveS, "QSO/s");
    bench::Report("import and save, QSO/s", saved.written / (importS + saveS), "QSO/s");
    bench::Report("row store of the grid", rows.bufferBytes() / 1e6, "MB");

    // The grid shows the rows: the view takes the new row count and paints.
    {
        TStringGrid grid(ImportRowStore::Columns, 2);
        auto *model = new ImportGridModel(&grid);
        model->rows() = std::move(rows);
        grid.setGridModel(model);
        grid.resize(1000, 600);
        t.restart();
        model->storeChanged();
        grid.scrollToBottom();
        (void)grid.grab();
        bench::Report("grid refresh and paint after the import", t.nsecsElapsed() / 1e6, "ms");
    }
    bench::Report("peak memory of the process", PeakMb(), "MB");
    return 0;
}
