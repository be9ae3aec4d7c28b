#include "qsl/layouteditor.h"

#include "common/text.h"
#include "platform/printer.h"

#include <algorithm>

namespace zelmor {

LayoutEditorValues EditorValues;

void DrawLayoutPreview(const QslLayout &layout, PrintCanvas &canvas) {
    const LayoutMapping m = LayoutMapping::Preview();
    const QslCardData noCard;
    for (const QslLayoutElement &e : layout.elements) PrintLayoutElement(e, canvas, m, noCard);
}

QImage RenderLayoutPreview(const QslLayout &layout) {
    ImageCanvas canvas(96, LayoutPreviewWidth, LayoutPreviewHeight);
    DrawLayoutPreview(layout, canvas);
    canvas.end();
    return canvas.pages().front();
}

namespace {

constexpr unsigned ButtonFace = 0xC8D0D4; // 0x00BBGGRR

int TickLength(int i) { return i % 10 == 0 ? 18 : i % 5 == 0 ? 12 : 8; }

void RulerGround(PrintCanvas &canvas, int w, int h) {
    canvas.setPen({1, PenStyle::None, 0});
    canvas.setBrush({BrushStyle::Solid, ButtonFace});
    canvas.rectangle(0, 0, w + 1, h + 1);
    canvas.setPen({1, PenStyle::Solid, 0});
    canvas.setBrush({BrushStyle::Clear, ButtonFace});
    PrintFont f;
    f.name = QStringLiteral("times new roman");
    f.size = 10;
    f.bold = true;
    canvas.setFont(f);
}

QImage Render(int w, int h, void (*draw)(PrintCanvas &)) {
    ImageCanvas canvas(96, w, h);
    draw(canvas);
    canvas.end();
    return canvas.pages().front();
}

} // namespace

void DrawTopRuler(PrintCanvas &canvas) {
    RulerGround(canvas, TopRulerWidth, TopRulerHeight);
    for (int i = 0; i <= CardUnitsWide; ++i) {
        const int x = TopRulerStart + 4 * i;
        canvas.line(x, 0, x, TickLength(i));
        if (i % 10) continue;
        const int tens = i / 10;
        canvas.text(x - (tens >= 10 ? 6 : 3), 20, QString::number(tens));
    }
}

void DrawLeftRuler(PrintCanvas &canvas) {
    RulerGround(canvas, LeftRulerWidth, LeftRulerHeight);
    for (int i = 0; i <= CardUnitsHigh; ++i) {
        const int y = LeftRulerStart + 4 * i;
        canvas.line(0, y, TickLength(i), y);
        if (i % 10 == 0 && i / 10 <= 8) canvas.text(23, y - 7, QString::number(i / 10));
    }
}

QImage RenderTopRuler() { return Render(TopRulerWidth, TopRulerHeight, DrawTopRuler); }
QImage RenderLeftRuler() { return Render(LeftRulerWidth, LeftRulerHeight, DrawLeftRuler); }

namespace {

QString KindName(qint32 kind) {
    switch (kind) {
    case QslLayoutElement::Text: return QStringLiteral("текст");
    case QslLayoutElement::Line: return QStringLiteral("линия");
    case QslLayoutElement::Shape: return QStringLiteral("рамка");
    default: return QStringLiteral("вид %1").arg(kind);
    }
}

bool OnCard(qint32 x, qint32 y) { return x >= 0 && x <= CardUnitsWide && y >= 0 && y <= CardUnitsHigh; }

bool OffCard(const QslLayoutElement &e) {
    if (!OnCard(e.x1, e.y1)) return true;
    const bool twoPoints = e.kind == QslLayoutElement::Line || e.kind == QslLayoutElement::Shape;
    return twoPoints && !OnCard(e.x2, e.y2);
}

// The problem's text without the element number the list already shows.
QString NoteOf(const LayoutProblem &p) {
    const QString t = p.text();
    const qsizetype colon = t.indexOf(QStringLiteral(": "));
    return p.element >= 0 && colon >= 0 ? t.mid(colon + 2) : t;
}

} // namespace

std::vector<LayoutElementLine> LayoutElementLines(const QslLayout &layout) {
    std::vector<LayoutElementLine> lines;
    lines.reserve(layout.elements.size());
    for (size_t i = 0; i < layout.elements.size(); ++i) {
        const QslLayoutElement &e = layout.elements[i];
        LayoutElementLine l;
        l.number = int(i) + 1;
        l.kind = KindName(e.kind);
        l.name = e.name;
        l.visible = e.visible == 1;
        if (!IsDeletedLayoutElement(e) && OffCard(e)) l.notes << QStringLiteral("вне карточки");
        lines.push_back(l);
    }
    for (const LayoutProblem &p : CheckLayout(layout))
        if (p.element >= 0 && size_t(p.element) < lines.size()) lines[size_t(p.element)].notes << NoteOf(p);
    return lines;
}

QStringList LayoutFileNotes(const QslLayout &layout) {
    QStringList notes;
    for (const LayoutProblem &p : CheckLayout(layout))
        if (p.element < 0) notes << p.text();
    return notes;
}

QStringList SortedElementNames(const QslLayout &layout, qint32 kind) {
    QStringList names = LayoutElementNames(layout.elements, kind);
    names.removeDuplicates();
    std::stable_sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return CompareText(a, b) < 0; });
    return names;
}

} // namespace zelmor
