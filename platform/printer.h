#pragma once
// The print seam. Every printed page of the program (QSO listings, award
// applications and tables, QSL cards and stickers, envelopes) is drawn on a
// PrintCanvas, and only this file's implementation creates a QPrinter.
//
// A canvas works in device pixels, as the Windows printer canvas the program
// was designed for did: callers place things in the printing units of
// common/printunits.h (1/360 inch) and scale them with
// PrinterScale::FromDpi(canvas.dpiX(), canvas.dpiY()). At 360 dpi a pixel is
// one unit, which is how tests read positions straight from a recording.
//
// Drawing follows GDI, not QPainter:
//   - text is placed by its TOP-LEFT corner (the QPainter canvas adds the
//     font's ascent to reach the baseline);
//   - rectangle(l, t, r, b) covers l..r-1 by t..b-1 (the right and bottom
//     edges are outside) and is filled with the brush, outlined with the pen;
//   - roundRect takes the corner ELLIPSE's width and height (Qt's radius is
//     half of each);
//   - colours are 0x00BBGGRR values, as the settings store them;
//   - text is drawn on an opaque ground of the brush's colour unless the
//     brush is clear (the background mode follows the brush);
//   - font sizes are in points, so the same size prints the same height on
//     any printer.
//
// Life of a job (startJob begins the document and its first page):
//     auto canvas = platform::printer().startJob("listing");
//     if (!canvas) return;                 // the seam has told the operator
//     ... draw, canvas->newPage(), draw ...
//     canvas->end();                       // or abort() on an error
// A canvas that is destroyed without end() aborts: a PDF job then leaves no
// file. After end() of a job printed to PDF the seam shows a box naming the
// file.
//
// Where the pages go: the default printer; or, when there is none or the
// environment variable ZELMOR_PRINT_PDF names a folder, a new PDF file
// "<job>-<n>.pdf" in that folder (without the variable: the "print" folder
// of the program folder). Existing files are never overwritten: n counts 1, 2,
// ... to the first free name. Pages are A4 with 6 mm margins, so the
// 2800 x 3950 unit frame of the reports fits.
#include <QImage>
#include <QString>
#include <memory>
#include <vector>

class QPaintDevice;
class QPainter;

namespace zelmor {

struct PrintFont {
    QString name;         // an empty name leaves the face to the platform
    double size = 9;      // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    unsigned colour = 0;  // 0x00BBGGRR
    bool strikeOut = false;
    bool operator==(const PrintFont &) const = default;
};

enum class PenStyle { Solid, Dot, Dash, None, DashDot, DashDotDot };

struct PrintPen {
    int width = 1;        // device pixels; 0 draws the thinnest line
    PenStyle style = PenStyle::Solid;
    unsigned colour = 0;
    // A frame drawn with it lies inside its rectangle, however wide the pen.
    bool insideFrame = false;
    bool operator==(const PrintPen &) const = default;
};

// The hatches as the Windows brushes draw them: the forward diagonal runs
// down from left to right ("\"), the backward one up ("/").
enum class BrushStyle { Clear, Solid, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

struct PrintBrush {
    BrushStyle style = BrushStyle::Clear; // Clear: shapes are only outlined, text has no ground
    unsigned colour = 0xFFFFFF;
    bool operator==(const PrintBrush &) const = default;
};

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    // Pixels per inch of the device, per axis.
    virtual int dpiX() const = 0;
    virtual int dpiY() const = 0;
    // Printable size in pixels.
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;

    virtual void newPage() = 0;
    // Finishes the job; false with errorText() when the output could not be
    // written (the job then leaves nothing behind).
    virtual bool end() = 0;
    // Drops the job: nothing printed, no file left.
    virtual void abort() = 0;
    virtual QString errorText() const { return QString(); }

    virtual void setFont(const PrintFont &f) = 0;
    virtual const PrintFont &font() const = 0;
    virtual void setPen(const PrintPen &p) = 0;
    virtual const PrintPen &pen() const = 0;
    virtual void setBrush(const PrintBrush &b) = 0;
    virtual const PrintBrush &brush() const = 0;

    virtual void text(int x, int y, const QString &text) = 0;
    virtual void line(int x1, int y1, int x2, int y2) = 0;
    virtual void rectangle(int left, int top, int right, int bottom) = 0;
    virtual void ellipse(int left, int top, int right, int bottom) = 0;
    virtual void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) = 0;
    // Places a picture scaled into the rectangle.
    virtual void image(int left, int top, int right, int bottom, const QImage &picture) = 0;
    // Width and height of a text in the current font, in device pixels.
    virtual int textWidth(const QString &text) const = 0;
    virtual int textHeight() const = 0;

    // Convenience for callers that change one property.
    void setFontSize(double size) {
        PrintFont f = font();
        f.size = size;
        setFont(f);
    }
    void setBold(bool bold) {
        PrintFont f = font();
        f.bold = bold;
        setFont(f);
    }
};

// A canvas that paints with QPainter on any paint device. The QPrinter and
// QImage canvases below are made of it.
class PainterCanvas : public PrintCanvas {
public:
    int dpiX() const override;
    int dpiY() const override;
    int pageWidth() const override;
    int pageHeight() const override;
    void setFont(const PrintFont &f) override;
    const PrintFont &font() const override { return font_; }
    void setPen(const PrintPen &p) override;
    const PrintPen &pen() const override { return pen_; }
    void setBrush(const PrintBrush &b) override;
    const PrintBrush &brush() const override { return brush_; }
    void text(int x, int y, const QString &text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) override;
    void image(int left, int top, int right, int bottom, const QImage &picture) override;
    int textWidth(const QString &text) const override;
    int textHeight() const override;

protected:
    PainterCanvas();
    ~PainterCanvas() override;
    // Starts painting on `device`; the painter's state is set from the
    // canvas's font, pen and brush.
    bool beginOn(QPaintDevice *device);
    QPainter *painter() { return painter_.get(); }
    void applyState();

private:
    std::unique_ptr<QPainter> painter_;
    QPaintDevice *device_ = nullptr;
    PrintFont font_;
    PrintPen pen_;
    PrintBrush brush_;
};

// Pages drawn into images at a chosen resolution: previews, and tests that
// look at pixels. Every page is a white A4 image (or the given size).
class ImageCanvas : public PainterCanvas {
public:
    explicit ImageCanvas(int dpi = 96, int widthPixels = 0, int heightPixels = 0);
    ~ImageCanvas() override;
    void newPage() override;
    bool end() override;
    void abort() override;
    const std::vector<QImage> &pages() const { return pages_; }

private:
    void startPage();
    int dpi_, width_, height_;
    std::vector<QImage> pages_;
};

// Records every call, with the font, pen and brush in force, at a chosen
// resolution (360 dpi: pixels are printing units). Tests read `ops`.
class RecordingCanvas : public PrintCanvas {
public:
    struct Op {
        enum Kind { Text, Line, Rectangle, Ellipse, RoundRect, Image, NewPage } kind = Text;
        int page = 0;            // counted from 0
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0, ew = 0, eh = 0;
        QString text;
        PrintFont font;
        PrintPen pen;
        PrintBrush brush;
    };
    explicit RecordingCanvas(int dpiX = 360, int dpiY = 360) : dpiX_(dpiX), dpiY_(dpiY) {}
    std::vector<Op> ops;
    int pages = 1;               // pages begun
    bool ended = false, aborted = false;
    bool landscape = false;      // the job's pages lie on their side
    bool noMargins = false;      // the whole sheet is the page

    int dpiX() const override { return dpiX_; }
    int dpiY() const override { return dpiY_; }
    // A4 less 6 mm margins, or the whole A4 sheet.
    int pageWidth() const override { return dpiX_ * (landscape ? longSide() : shortSide()) / 1000; }
    int pageHeight() const override { return dpiY_ * (landscape ? shortSide() : longSide()) / 1000; }
    void newPage() override;
    bool end() override { ended = true; return failEndWith.isEmpty(); }
    void abort() override { aborted = true; }
    QString errorText() const override { return failEndWith; }
    QString failEndWith;         // end() fails with this text, as a full disk would
    void setFont(const PrintFont &f) override { font_ = f; }
    const PrintFont &font() const override { return font_; }
    void setPen(const PrintPen &p) override { pen_ = p; }
    const PrintPen &pen() const override { return pen_; }
    void setBrush(const PrintBrush &b) override { brush_ = b; }
    const PrintBrush &brush() const override { return brush_; }
    void text(int x, int y, const QString &text) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void roundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) override;
    void image(int left, int top, int right, int bottom, const QImage &picture) override;
    // A rough width that no installed font changes: half an em per
    // character at the current size (size x dpi / 144).
    int textWidth(const QString &text) const override;
    int textHeight() const override;

    // Texts drawn (in order), optionally only those of one page.
    std::vector<Op> texts(int page = -1) const;
    // The first text op whose text equals `t`; nullptr when none.
    const Op *findText(const QString &t) const;

private:
    // Thousandths of an inch.
    int shortSide() const { return noMargins ? 8268 : 7795; }
    int longSide() const { return noMargins ? 11693 : 11220; }
    Op make(Op::Kind k) const;
    int dpiX_, dpiY_;
    PrintFont font_;
    PrintPen pen_;
    PrintBrush brush_;
};

enum class PageOrientation { Portrait, Landscape };
// Standard: the 6 mm margins of every listing. None: the page is the whole
// sheet (a PDF), or what a printer can reach of it.
enum class PageMargins { Standard, None };

// Where print jobs go.
class Printer {
public:
    virtual ~Printer() = default;
    // A canvas with its first page begun; nullptr when the job could not
    // start (the operator has been told why).
    std::unique_ptr<PrintCanvas> startJob(const QString &jobName) { return startJob(jobName, PageOrientation::Portrait); }
    std::unique_ptr<PrintCanvas> startJob(const QString &jobName, PageOrientation orientation) {
        return startJob(jobName, orientation, PageMargins::Standard);
    }
    virtual std::unique_ptr<PrintCanvas> startJob(const QString &jobName, PageOrientation orientation,
                                                  PageMargins margins) = 0;
};

// The default printer, or PDF files as the header comment says.
class SystemPrinter : public Printer {
public:
    using Printer::startJob;
    std::unique_ptr<PrintCanvas> startJob(const QString &jobName, PageOrientation orientation,
                                          PageMargins margins) override;
    // The folder PDF jobs go to, and the first free "<job>-<n>.pdf" in it.
    static QString PdfFolder();
    static QString NextPdfPath(const QString &folder, const QString &jobName);
    // Always print to PDF in `folder` (tests of the real output).
    void forcePdfFolder(const QString &folder) { forcedFolder_ = folder; }

private:
    QString forcedFolder_;
};

// Hands out recording canvases and keeps them for the test to read.
class FakePrinter : public Printer {
public:
    int dpiX = 360, dpiY = 360;
    bool refuse = false;                 // startJob fails, as with no paper
    QString failEndWith;                 // the jobs' end() fails with this text
    std::vector<QString> jobs;
    using Printer::startJob;
    std::unique_ptr<PrintCanvas> startJob(const QString &jobName, PageOrientation orientation,
                                          PageMargins margins) override;
    // The recording of the last job; stays valid after the caller drops it.
    const RecordingCanvas *last() const { return kept_.empty() ? nullptr : kept_.back().get(); }
    const std::vector<std::unique_ptr<RecordingCanvas>> &all() const { return kept_; }
    void clear() {
        jobs.clear();
        kept_.clear();
        refuse = false;
        failEndWith.clear();
        dpiX = dpiY = 360;
    }

private:
    std::vector<std::unique_ptr<RecordingCanvas>> kept_;
};

namespace platform {
Printer &printer();
void install(Printer *p); // not owned; nullptr restores the system printer
} // namespace platform

} // namespace zelmor
