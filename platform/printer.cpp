#include "platform/printer.h"

#include "platform/dialogs.h"
#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace zelmor {

namespace {
QColor ColourOf(unsigned c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

Qt::PenStyle StyleOf(PenStyle s) {
    switch (s) {
    case PenStyle::Dot: return Qt::DotLine;
    case PenStyle::Dash: return Qt::DashLine;
    case PenStyle::DashDot: return Qt::DashDotLine;
    case PenStyle::DashDotDot: return Qt::DashDotDotLine;
    case PenStyle::None: return Qt::NoPen;
    default: return Qt::SolidLine;
    }
}

// Qt's diagonal patterns run as the Windows hatches of the same name
// (checked on the pixels: FDiagPattern goes down from left to right).
Qt::BrushStyle StyleOf(BrushStyle s) {
    switch (s) {
    case BrushStyle::Solid: return Qt::SolidPattern;
    case BrushStyle::Horizontal: return Qt::HorPattern;
    case BrushStyle::Vertical: return Qt::VerPattern;
    case BrushStyle::FDiagonal: return Qt::FDiagPattern;
    case BrushStyle::BDiagonal: return Qt::BDiagPattern;
    case BrushStyle::Cross: return Qt::CrossPattern;
    case BrushStyle::DiagCross: return Qt::DiagCrossPattern;
    default: return Qt::NoBrush;
    }
}

QFont QtFontOf(const PrintFont &f) {
    QFont q;
    if (!f.name.isEmpty()) q.setFamily(f.name);
    q.setPointSizeF(f.size > 0 ? f.size : 1);
    q.setBold(f.bold);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikeOut);
    return q;
}

// GDI shapes leave out their right and bottom edge. QPainter outlines a
// rectangle of width w from x to x + w, so the outline's rectangle is one
// pixel narrower than the area.
QRect GdiOutline(int l, int t, int r, int b) { return QRect(l, t, r - l - 1, b - t - 1); }
} // namespace

// --- PainterCanvas

PainterCanvas::PainterCanvas() = default;
PainterCanvas::~PainterCanvas() = default;

bool PainterCanvas::beginOn(QPaintDevice *device) {
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(device)) {
        painter_.reset();
        device_ = nullptr;
        return false;
    }
    device_ = device;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    applyState();
    return true;
}

void PainterCanvas::applyState() {
    if (!painter_) return;
    painter_->setFont(QtFontOf(font_));
    QPen p(ColourOf(pen_.colour));
    p.setWidth(pen_.width);
    p.setStyle(StyleOf(pen_.style));
    painter_->setPen(p);
    painter_->setBrush(QBrush(ColourOf(brush_.colour), StyleOf(brush_.style)));
}

int PainterCanvas::dpiX() const { return device_ ? device_->logicalDpiX() : 96; }
int PainterCanvas::dpiY() const { return device_ ? device_->logicalDpiY() : 96; }
int PainterCanvas::pageWidth() const { return device_ ? device_->width() : 0; }
int PainterCanvas::pageHeight() const { return device_ ? device_->height() : 0; }

void PainterCanvas::setFont(const PrintFont &f) {
    font_ = f;
    applyState();
}
void PainterCanvas::setPen(const PrintPen &p) {
    pen_ = p;
    applyState();
}
void PainterCanvas::setBrush(const PrintBrush &b) {
    brush_ = b;
    applyState();
}

void PainterCanvas::text(int x, int y, const QString &t) {
    if (!painter_) return;
    const QFontMetrics fm(painter_->font(), device_);
    // The text's own ground, as an opaque background mode paints it.
    if (brush_.style != BrushStyle::Clear)
        painter_->fillRect(QRect(x, y, fm.horizontalAdvance(t), fm.height()), ColourOf(brush_.colour));
    const QPen old = painter_->pen();
    painter_->setPen(ColourOf(font_.colour));
    painter_->drawText(x, y + fm.ascent(), t);
    painter_->setPen(old);
}

void PainterCanvas::line(int x1, int y1, int x2, int y2) {
    if (painter_) painter_->drawLine(x1, y1, x2, y2);
}

void PainterCanvas::rectangle(int l, int t, int r, int b) {
    if (!painter_) return;
    if (pen_.insideFrame && pen_.width > 1 && pen_.style != PenStyle::None) {
        // Qt centres the pen on the outline: move the outline in by half.
        const int in = pen_.width / 2;
        painter_->drawRect(GdiOutline(l + in, t + in, r - in, b - in));
        return;
    }
    painter_->drawRect(GdiOutline(l, t, r, b));
}

void PainterCanvas::ellipse(int l, int t, int r, int b) {
    if (painter_) painter_->drawEllipse(GdiOutline(l, t, r, b));
}

void PainterCanvas::roundRect(int l, int t, int r, int b, int ew, int eh) {
    if (painter_) painter_->drawRoundedRect(GdiOutline(l, t, r, b), ew / 2.0, eh / 2.0, Qt::AbsoluteSize);
}

void PainterCanvas::image(int l, int t, int r, int b, const QImage &picture) {
    if (painter_) painter_->drawImage(QRect(l, t, r - l, b - t), picture);
}

int PainterCanvas::textWidth(const QString &t) const {
    return QFontMetrics(QtFontOf(font_), device_).horizontalAdvance(t);
}

int PainterCanvas::textHeight() const { return QFontMetrics(QtFontOf(font_), device_).height(); }

// --- ImageCanvas

ImageCanvas::ImageCanvas(int dpi, int w, int h)
    : dpi_(dpi), width_(w > 0 ? w : dpi * 7795 / 1000), height_(h > 0 ? h : dpi * 11220 / 1000) {
    startPage();
}

ImageCanvas::~ImageCanvas() {
    if (painter() && painter()->isActive()) painter()->end();
}

void ImageCanvas::startPage() {
    if (painter()) painter()->end();
    QImage page(width_, height_, QImage::Format_RGB32);
    page.fill(Qt::white);
    const int dpm = int(std::lround(dpi_ / 0.0254));
    page.setDotsPerMeterX(dpm);
    page.setDotsPerMeterY(dpm);
    pages_.push_back(std::move(page));
    beginOn(&pages_.back());
}

void ImageCanvas::newPage() { startPage(); }

bool ImageCanvas::end() {
    if (painter()) painter()->end();
    return true;
}

void ImageCanvas::abort() {
    if (painter()) painter()->end();
    pages_.clear();
}

// --- RecordingCanvas

RecordingCanvas::Op RecordingCanvas::make(Op::Kind k) const {
    Op op;
    op.kind = k;
    op.page = pages - 1;
    op.font = font_;
    op.pen = pen_;
    op.brush = brush_;
    return op;
}

void RecordingCanvas::newPage() {
    ++pages;
    ops.push_back(make(Op::NewPage));
}

void RecordingCanvas::text(int x, int y, const QString &t) {
    Op op = make(Op::Text);
    op.x1 = x;
    op.y1 = y;
    op.text = t;
    ops.push_back(op);
}

void RecordingCanvas::line(int x1, int y1, int x2, int y2) {
    Op op = make(Op::Line);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    ops.push_back(op);
}

void RecordingCanvas::rectangle(int l, int t, int r, int b) {
    Op op = make(Op::Rectangle);
    op.x1 = l, op.y1 = t, op.x2 = r, op.y2 = b;
    ops.push_back(op);
}

void RecordingCanvas::ellipse(int l, int t, int r, int b) {
    Op op = make(Op::Ellipse);
    op.x1 = l, op.y1 = t, op.x2 = r, op.y2 = b;
    ops.push_back(op);
}

void RecordingCanvas::roundRect(int l, int t, int r, int b, int ew, int eh) {
    Op op = make(Op::RoundRect);
    op.x1 = l, op.y1 = t, op.x2 = r, op.y2 = b, op.ew = ew, op.eh = eh;
    ops.push_back(op);
}

void RecordingCanvas::image(int l, int t, int r, int b, const QImage &) {
    Op op = make(Op::Image);
    op.x1 = l, op.y1 = t, op.x2 = r, op.y2 = b;
    ops.push_back(op);
}

int RecordingCanvas::textWidth(const QString &t) const {
    return int(t.size() * font_.size * dpiX_ / 144.0);
}

int RecordingCanvas::textHeight() const { return int(font_.size * dpiY_ / 72.0 * 1.2); }

std::vector<RecordingCanvas::Op> RecordingCanvas::texts(int page) const {
    std::vector<Op> out;
    for (const Op &op : ops)
        if (op.kind == Op::Text && (page < 0 || op.page == page)) out.push_back(op);
    return out;
}

const RecordingCanvas::Op *RecordingCanvas::findText(const QString &t) const {
    for (const Op &op : ops)
        if (op.kind == Op::Text && op.text == t) return &op;
    return nullptr;
}

// --- the QPrinter canvas

namespace {
class QPrinterCanvas : public PainterCanvas {
public:
    QPrinterCanvas() : printer_(QPrinter::HighResolution) {}
    ~QPrinterCanvas() override {
        if (!done_) abort();
    }

    // pdfPath empty: the default printer.
    bool start(const QString &jobName, const QString &pdfPath, PageOrientation orientation, PageMargins margins) {
        pdfPath_ = pdfPath;
        printer_.setDocName(jobName);
        printer_.setResolution(600);
        printer_.setPageSize(QPageSize(QPageSize::A4));
        printer_.setPageOrientation(orientation == PageOrientation::Landscape ? QPageLayout::Landscape
                                                                              : QPageLayout::Portrait);
        if (!pdfPath.isEmpty()) {
            partPath_ = pdfPath + QStringLiteral(".part");
            // QPrinter says nothing about why a file cannot be written: find
            // out with a plain open first, so the operator sees the reason.
            QFile probe(partPath_);
            if (!probe.open(QIODevice::WriteOnly)) {
                error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(pdfPath), probe.errorString());
                return false;
            }
            probe.close();
            printer_.setOutputFormat(QPrinter::PdfFormat);
            printer_.setOutputFileName(partPath_);
        }
        // Without margins a printer still keeps to what it can reach: the
        // standard layout mode raises them to its printable area.
        const double mm = margins == PageMargins::None ? 0 : 6;
        printer_.setPageMargins(QMarginsF(mm, mm, mm, mm), QPageLayout::Millimeter);
        if (!beginOn(&printer_)) {
            error_ = QStringLiteral("Не удалось начать печать: %1").arg(jobName);
            if (!partPath_.isEmpty()) QFile::remove(partPath_);
            return false;
        }
        return true;
    }

    void newPage() override { printer_.newPage(); }

    bool end() override {
        done_ = true;
        if (painter()) painter()->end();
        if (pdfPath_.isEmpty()) return printer_.printerState() != QPrinter::Error;
        QFile part(partPath_);
        if (part.size() == 0 || !part.rename(pdfPath_)) {
            error_ = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(pdfPath_), part.errorString());
            QFile::remove(partPath_);
            return false;
        }
        platform::dialogs().messageBox(QStringLiteral("Печать"),
                                       QStringLiteral("Страницы записаны в файл \"%1\"").arg(QDir::toNativeSeparators(pdfPath_)),
                                       MsgIcon::Information, MbOk);
        return true;
    }

    void abort() override {
        done_ = true;
        if (pdfPath_.isEmpty()) printer_.abort();
        if (painter()) painter()->end();
        if (!partPath_.isEmpty()) QFile::remove(partPath_);
    }

    QString errorText() const override { return error_; }

private:
    QPrinter printer_;
    QString pdfPath_, partPath_, error_;
    bool done_ = false;
};
} // namespace

QString SystemPrinter::PdfFolder() {
    const QString env = qEnvironmentVariable("ZELMOR_PRINT_PDF");
    if (!env.isEmpty()) return env;
    const QString base = ProgramDir.isEmpty() ? QDir::currentPath() : ProgramDir;
    return ResolvePath(QStringLiteral("print"), base);
}

QString SystemPrinter::NextPdfPath(const QString &folder, const QString &jobName) {
    const QDir dir(folder);
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("%1-%2.pdf").arg(jobName).arg(n);
        if (!dir.exists(name) && !dir.exists(name + QStringLiteral(".part"))) return dir.filePath(name);
    }
}

std::unique_ptr<PrintCanvas> SystemPrinter::startJob(const QString &jobName, PageOrientation orientation,
                                                     PageMargins margins) {
    auto canvas = std::make_unique<QPrinterCanvas>();
    QString pdf;
    const bool toPdf = !forcedFolder_.isEmpty() || !qEnvironmentVariableIsEmpty("ZELMOR_PRINT_PDF") ||
                       QPrinterInfo::defaultPrinter().isNull();
    if (toPdf) {
        const QString folder = forcedFolder_.isEmpty() ? PdfFolder() : forcedFolder_;
        if (!QDir().mkpath(folder)) {
            ShowErrorBox(QStringLiteral("Не удалось создать папку \"%1\"").arg(QDir::toNativeSeparators(folder)));
            return nullptr;
        }
        pdf = NextPdfPath(folder, jobName);
    }
    if (!canvas->start(jobName, pdf, orientation, margins)) {
        ShowErrorBox(canvas->errorText());
        return nullptr;
    }
    return canvas;
}

// --- FakePrinter

namespace {
// Lets the caller own its canvas while the fake keeps the recording.
class ForwardingCanvas : public PrintCanvas {
public:
    explicit ForwardingCanvas(RecordingCanvas &to) : to_(to) {}
    ~ForwardingCanvas() override {
        if (!to_.ended && !to_.aborted) to_.abort();
    }
    int dpiX() const override { return to_.dpiX(); }
    int dpiY() const override { return to_.dpiY(); }
    int pageWidth() const override { return to_.pageWidth(); }
    int pageHeight() const override { return to_.pageHeight(); }
    void newPage() override { to_.newPage(); }
    bool end() override { return to_.end(); }
    void abort() override { to_.abort(); }
    QString errorText() const override { return to_.errorText(); }
    void setFont(const PrintFont &f) override { to_.setFont(f); }
    const PrintFont &font() const override { return to_.font(); }
    void setPen(const PrintPen &p) override { to_.setPen(p); }
    const PrintPen &pen() const override { return to_.pen(); }
    void setBrush(const PrintBrush &b) override { to_.setBrush(b); }
    const PrintBrush &brush() const override { return to_.brush(); }
    void text(int x, int y, const QString &t) override { to_.text(x, y, t); }
    void line(int x1, int y1, int x2, int y2) override { to_.line(x1, y1, x2, y2); }
    void rectangle(int l, int t, int r, int b) override { to_.rectangle(l, t, r, b); }
    void ellipse(int l, int t, int r, int b) override { to_.ellipse(l, t, r, b); }
    void roundRect(int l, int t, int r, int b, int ew, int eh) override { to_.roundRect(l, t, r, b, ew, eh); }
    void image(int l, int t, int r, int b, const QImage &p) override { to_.image(l, t, r, b, p); }
    int textWidth(const QString &t) const override { return to_.textWidth(t); }
    int textHeight() const override { return to_.textHeight(); }

private:
    RecordingCanvas &to_;
};
} // namespace

std::unique_ptr<PrintCanvas> FakePrinter::startJob(const QString &jobName, PageOrientation orientation,
                                                   PageMargins margins) {
    jobs.push_back(jobName);
    if (refuse) return nullptr;
    kept_.push_back(std::make_unique<RecordingCanvas>(dpiX, dpiY));
    kept_.back()->landscape = orientation == PageOrientation::Landscape;
    kept_.back()->failEndWith = failEndWith;
    kept_.back()->noMargins = margins == PageMargins::None;
    return std::make_unique<ForwardingCanvas>(*kept_.back());
}

namespace platform {
namespace {
Printer *g_printer = nullptr;
}
Printer &printer() {
    static SystemPrinter system;
    return g_printer ? *g_printer : system;
}
void install(Printer *p) { g_printer = p; }
} // namespace platform

} // namespace zelmor
