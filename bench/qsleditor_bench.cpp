// The layout editor's preview redraw (file read to finished image with its
// rulers) and envelope print jobs through the real printer (PDF).
#include "bench/benchsupport.h"
#include "common/recordfile.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "qsl/envelope.h"
#include "qsl/layouteditor.h"
#include "qsl/layoutfile.h"

#include <QApplication>
#include <QTemporaryDir>

using namespace zelmor;

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Smaller runs for a check that it works: redraws, then envelope jobs.
    const int redraws = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 1000;
    const int jobs = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 100;
    FakeDialogs dialogs;
    platform::install(&dialogs);
    QTemporaryDir dir;
    const QString layoutPath = dir.filePath("1qsl.qsl");
    RecordIO::Touch(layoutPath);
    for (int i = 0; i < 10; ++i) {
        QslLayoutElement t;
        t.kind = QslLayoutElement::Text;
        t.name = i == 0 ? QStringLiteral("call") : QStringLiteral("text%1").arg(i);
        t.text = QStringLiteral("Текст %1").arg(i);
        t.fontName = QStringLiteral("Times New Roman");
        t.fontSize = 12;
        t.x1 = 5 + i * 12, t.y1 = 5 + i * 8;
        StoreLayoutElement(layoutPath, t);
        QslLayoutElement l;
        l.kind = QslLayoutElement::Line;
        l.name = QStringLiteral("line%1").arg(i);
        l.x1 = 0, l.y1 = i * 9, l.x2 = 140, l.y2 = i * 9;
        l.penStyle = quint8(i % 5);
        StoreLayoutElement(layoutPath, l);
        QslLayoutElement s;
        s.kind = QslLayoutElement::Shape;
        s.name = QStringLiteral("shape%1").arg(i);
        s.shapeType = i % 3 == 0 ? ShapeRectangle : i % 3 == 1 ? ShapeRoundRectangle : ShapeEllipse;
        s.x1 = i * 10, s.y1 = i * 6, s.x2 = i * 10 + 30, s.y2 = i * 6 + 20;
        s.corner = 36;
        s.brushStyle = quint8(i % 8);
        s.brushColour = 0x00FFC080;
        StoreLayoutElement(layoutPath, s);
    }
    bench::MeasureMeanWorst("preview redraw, 30 elements, with rulers (ms)", redraws, [&](int) {
        const QImage preview = RenderLayoutPreview(ReadLayout(layoutPath));
        const QImage top = RenderTopRuler(), left = RenderLeftRuler();
        if (preview.isNull() || top.isNull() || left.isNull()) std::abort();
    });

    EnvelopeContent c;
    c.form = EnvelopeForm::Russian;
    c.senderName = QStringLiteral("Иван Петров QQ0ZZZ");
    c.senderPostcode = QStringLiteral("123456");
    c.senderLines = {QStringLiteral("Москва"), QStringLiteral("ул. Ленина 1"), QStringLiteral("кв. 5")};
    c.recipientName = QStringLiteral("Petr UA3ABC");
    c.recipientPostcode = QStringLiteral("125009");
    c.recipientLines = {QStringLiteral("Москва"), QStringLiteral("Тверская 7"), QStringLiteral("кв. 3")};
    c.letterLines = QStringList(8, QStringLiteral("Dear OM, tnx for the QSO and 73!"));
    c.fontName = QStringLiteral("Times New Roman");
    c.picture = QImage(400, 300, QImage::Format_RGB32);
    c.picture.fill(Qt::darkCyan);
    SystemPrinter printer;
    printer.forcePdfFolder(dir.filePath("pdf"));
    platform::install(&printer);
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < jobs; ++i)
        if (!PrintEnvelope(c, true, 0, 0)) std::abort();
    bench::Report(QStringLiteral("%1 unfolded envelope jobs to PDF (ms in all)").arg(jobs).toStdString().c_str(),
                  double(t.nsecsElapsed()) / 1e6, "ms");
    platform::install(static_cast<Printer *>(nullptr));
    return 0;
}
