// QSL printing to a PDF through the real QPrinter: 100 one-QSO cards in the
// layout format (a layout of 20 elements), in the data block and on
// two-column stickers, from the start of the run until the file is closed.
// usage: bench_qslprint [cards (100)] [folder that keeps the PDFs]
#include "bench/benchsupport.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "qsl/layoutfile.h"
#include "qsl/qslprint.h"
#include "qsl/qslselection.h"

#include <QApplication>
#include <QTemporaryDir>

#include <algorithm>

using namespace zelmor;

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    const int cards = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 100;
    const QString pdfFolder = argc > 2 ? QString::fromLocal8Bit(argv[2]) : dir.filePath(QStringLiteral("pdf"));

    // The layout: field commands, texts, lines and shapes.
    const QString layout = dir.filePath(QStringLiteral("1qsl.qsl"));
    RecordIO::Touch(layout);
    const char *names[] = {"call", "name", "via", "date1", "time1", "band1", "mode1", "rst1", "ocall", "oname"};
    for (int i = 0; i < 20; ++i) {
        QslLayoutElement e;
        e.kind = i < 12 ? QslLayoutElement::Text : i < 16 ? QslLayoutElement::Line : QslLayoutElement::Shape;
        e.name = i < 10 ? QString::fromLatin1(names[i]) : QStringLiteral("e%1").arg(i);
        if (e.kind == QslLayoutElement::Text && i >= 10) e.text = QStringLiteral("TNX QSL 73!");
        if (e.kind == QslLayoutElement::Shape) e.shapeType = i % 2 ? ShapeEllipse : ShapeRectangle;
        e.x1 = 5 + i * 3, e.y1 = 5 + i * 2, e.x2 = 60 + i * 3, e.y2 = 40 + i;
        e.fontName = QStringLiteral("Arial");
        StoreLayoutElement(layout, e);
    }

    std::vector<QsoRecord> records;
    for (int i = 0; i < cards; ++i) {
        QsoRecord r;
        r.call = QStringLiteral("UA%1AB").arg(i);
        r.date = QStringLiteral("01.05.2024");
        r.time = QStringLiteral("12:00");
        r.band = QStringLiteral("14  Mhz");
        r.mode = QStringLiteral("SSB");
        r.rstSent = QStringLiteral("59");
        r.name = QStringLiteral("Ivan");
        records.push_back(r);
    }
    QslTableModel table;
    SystemPrinter printer;
    printer.forcePdfFolder(pdfFolder);
    const std::pair<QslCardFormat, const char *> formats[] = {
        {QslCardFormat::Layout, "layout"}, {QslCardFormat::DataBlock, "data block"}, {QslCardFormat::TwoColumns, "2-column stickers"}};
    for (const auto &[format, what] : formats) {
        double total = 0;
        const int rounds = 3;
        for (int round = 0; round < rounds; ++round) {
            table.clearTable();
            for (int i = 0; i < cards; ++i)
                table.appendRecord(QString(), i, EncodeRecord(records[size_t(i)]).constData(), QStringLiteral("О"));
            table.finishFill();
            for (int r = 1; r <= cards; ++r) table.setCell(QslColMark, r, QslMark);
            QslPrintSettings s;
            s.format = format;
            s.perCard = QStringLiteral("1");
            s.layoutPath = layout;
            s.caption = QStringLiteral("ZELMOR 5.02");
            QElapsedTimer t;
            t.start();
            const QslPrintResult done = PrintMarkedCards(table, s, printer);
            total += t.nsecsElapsed() / 1e6;
            if (!done.ok || done.cards != cards) std::abort();
        }
        bench::Report(qPrintable(QStringLiteral("%1 one-QSO cards to PDF, %2, mean of %3").arg(cards).arg(QLatin1String(what)).arg(rounds)),
                      total / rounds, "ms");
    }
    platform::install(static_cast<Dialogs *>(nullptr));
    return 0;
}
