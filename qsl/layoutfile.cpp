#include "qsl/layoutfile.h"

#include "common/codepage.h"
#include "logbook/stationprofile.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"
#include "station/settingsglobals.h"

#include <QFile>
#include <QFileInfo>
#include <cmath>

namespace zelmor {

QString CurrentLayoutPath() {
    if (QslLayoutPath.isEmpty()) return QString();
    return ResolvePath(QslLayoutPath, ProgramDir);
}

namespace {

constexpr int Size = QslLayoutElement::Size;

// The missing file names the layout as the list shows it.
void RequireLayoutFile(const QString &path) {
    if (!RecordIO::Exists(path)) throw IoError(MissingFileText(u' ' + QFileInfo(path).fileName()));
}

bool SameIdentity(const char *bytes, qint32 kind, const QByteArray &name) {
    return ReadInt32Field(bytes, QslLayoutField::Kind) == kind && ReadRawField(bytes, QslLayoutField::Name) == name;
}

// The whole file as it is on disk: an element is changed in this copy and
// the file replaced by it in one atomic step, so a failed write leaves the
// old layout whole.
QByteArray LayoutBytes(const QString &path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw IoError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    return f.readAll();
}

// The first element that matches, by index; -1 when none does.
qint64 FindElement(const QByteArray &all, qint32 kind, const QByteArray &name) {
    const qint64 count = all.size() / Size;
    for (qint64 i = 0; i < count; ++i)
        if (SameIdentity(all.constData() + i * Size, kind, name)) return i;
    return -1;
}

// Puts `bytes` at element `at` (-1: after the last whole element, dropping
// the trailing piece it replaces) and replaces the file.
void ReplaceElement(const QString &path, QByteArray all, qint64 at, const QByteArray &bytes) {
    if (at < 0) {
        all.truncate(all.size() - all.size() % Size);
        all += bytes;
    } else {
        all.replace(at * Size, Size, bytes);
    }
    WriteAllBytes(path, all);
}

// The stored bytes of a name: what the name field keeps of it.
QByteArray StoredName(const QString &name) {
    QByteArray field(Size, '\0');
    WriteTextField(field.data(), QslLayoutField::Name, name);
    return ReadRawField(field.constData(), QslLayoutField::Name);
}

void MakeDeleted(QByteArray &bytes) {
    WriteInt32Field(bytes.data(), QslLayoutField::Kind, QslLayoutElement::Text);
    bytes[QslLayoutField::Visible] = 0;
    WriteTextField(bytes.data(), QslLayoutField::Name, QString());
}

} // namespace

QslLayout ReadLayout(const QString &path) {
    RequireLayoutFile(path);
    QslLayout layout;
    RecordIO::ForEach(path, Size, [&](qint64, const char *bytes) {
        layout.elements.push_back(DecodeRecord<QslLayoutElement>(bytes));
    });
    layout.trailingBytes = int(QFileInfo(path).size() % Size);
    return layout;
}

std::vector<QslLayoutElement> ReadLayoutElements(const QString &path) { return ReadLayout(path).elements; }

void StoreLayoutElement(const QString &path, const QslLayoutElement &element) {
    RequireLayoutFile(path);
    QslLayoutElement e = element;
    if (e.kind != QslLayoutElement::Text) e.text.clear();
    const QByteArray bytes = EncodeRecord(e);
    const QByteArray all = LayoutBytes(path);
    const qint64 at = FindElement(all, e.kind, ReadRawField(bytes.constData(), QslLayoutField::Name));
    if (at >= 0) {
        // Reserved bytes stay as the file had them: only the fields change.
        QByteArray merged = all.mid(at * Size, Size);
        for (const auto &f : QslLayoutElement::Fields) merged.replace(f.offset, f.bytes(), bytes.mid(f.offset, f.bytes()));
        ReplaceElement(path, all, at, merged);
    } else {
        ReplaceElement(path, all, -1, bytes);
    }
}

void DeleteLayoutElement(const QString &path, qint32 kind, const QString &name) {
    RequireLayoutFile(path);
    const QByteArray all = LayoutBytes(path);
    const qint64 at = FindElement(all, kind, StoredName(name));
    QByteArray bytes = at >= 0 ? all.mid(at * Size, Size) : QByteArray(Size, '\0');
    MakeDeleted(bytes);
    ReplaceElement(path, all, at, bytes);
}

bool IsDeletedLayoutElement(const QslLayoutElement &e) {
    return e.kind == QslLayoutElement::Text && e.visible == 0 && e.name.isEmpty();
}

QStringList LayoutElementNames(const std::vector<QslLayoutElement> &elements, qint32 kind) {
    QStringList names;
    for (const QslLayoutElement &e : elements)
        if (e.kind == kind && !e.name.isEmpty()) names << e.name;
    return names;
}

// --- field commands

namespace {

const char *const NumberedWords[] = {"date", "utc", "mode", "band", "rst"};
const char *const PlainCommands[] = {"call", "op", "via", "qsl_status", "r_call", "r_name_r", "r_name_e"};
constexpr int AlwaysCommandUpTo = 11; // date1 to date11 are commands on any card

// A numbered name: its word (0..4) and the digits after it; nothing when the
// name is not a word followed by digits only. `foldCase` lets the word
// differ in case.
struct Numbered {
    int word = -1;
    QStringView digits;
};
std::optional<Numbered> SplitNumbered(QStringView name, bool foldCase) {
    for (int w = 0; w < 5; ++w) {
        const QLatin1StringView word(NumberedWords[w]);
        if (!name.startsWith(word, foldCase ? Qt::CaseInsensitive : Qt::CaseSensitive)) continue;
        const QStringView digits = name.mid(word.size());
        if (digits.isEmpty()) return std::nullopt;
        for (QChar c : digits)
            if (c < u'0' || c > u'9') return std::nullopt;
        return Numbered{w, digits};
    }
    return std::nullopt;
}

// n of a well-formed number: no leading zero, at least 1.
std::optional<int> CommandNumber(QStringView digits) {
    if (digits.startsWith(u'0') || digits.size() > 6) return std::nullopt;
    return digits.toInt();
}

const QStringList &CardList(const QslCardData &card, int word) {
    switch (word) {
    case 0: return card.dates;
    case 1: return card.times;
    case 2: return card.modes;
    case 3: return card.bands;
    default: return card.rsts;
    }
}

} // namespace

std::optional<QString> ResolveLayoutFieldCommand(const QString &name, const QslCardData &card) {
    if (name == u"call") return card.call;
    if (name == u"op") return card.op;
    if (name == u"via") return card.via;
    if (name == u"qsl_status") return card.status == u"П" ? QStringLiteral("TNX QSL") : QStringLiteral("PSE QSL");
    if (name == u"r_call") return StationProfile.call;
    if (name == u"r_name_r") return StationProfile.nameCyrillic;
    if (name == u"r_name_e") return StationProfile.nameLatin;
    const auto numbered = SplitNumbered(name, false);
    if (!numbered) return std::nullopt;
    const auto n = CommandNumber(numbered->digits);
    if (!n) return std::nullopt;
    const QStringList &list = CardList(card, numbered->word);
    if (*n <= list.size()) return list[*n - 1];
    if (*n <= AlwaysCommandUpTo) return QString();
    return std::nullopt;
}

int HighestNumberedCommand(const std::vector<QslLayoutElement> &elements) {
    int highest = 0;
    for (const QslLayoutElement &e : elements) {
        if (e.kind != QslLayoutElement::Text || e.visible != 1) continue;
        const auto numbered = SplitNumbered(e.name, false);
        if (!numbered) continue;
        if (const auto n = CommandNumber(numbered->digits); n && *n > highest) highest = *n;
    }
    return highest;
}

// --- checks

namespace {

// A name that an operator meant as a command but that prints its (empty)
// text: a command word in another case, or a number with leading zeros or 0.
bool MissesCommand(const QString &name) {
    for (const char *c : PlainCommands) {
        const QLatin1StringView word(c);
        if (name.compare(word, Qt::CaseInsensitive) == 0) return name != word;
    }
    const auto folded = SplitNumbered(name, true);
    if (!folded) return false;
    const auto exact = SplitNumbered(name, false);
    return !exact || !CommandNumber(exact->digits) || *CommandNumber(exact->digits) < 1;
}

bool KnownShape(const QString &type) {
    return type == ShapeRectangle || type == ShapeRoundRectangle || type == ShapeEllipse;
}

} // namespace

QString LayoutProblem::text() const {
    const QString where = QStringLiteral("Элемент %1: ").arg(element + 1);
    switch (kind) {
    case Truncated:
        return QStringLiteral("Файл макета обрезан: последние %1 байт не составляют элемента").arg(detail);
    case UnknownKind: return where + QStringLiteral("неизвестный тип %1").arg(detail);
    case UnknownShape: return where + QStringLiteral("неизвестная фигура \"%1\"").arg(detail);
    case NearMissCommand: return where + QStringLiteral("имя \"%1\" не является командой поля").arg(detail);
    }
    return QString();
}

std::vector<LayoutProblem> CheckLayout(const QslLayout &layout) {
    std::vector<LayoutProblem> out;
    if (layout.trailingBytes != 0)
        out.push_back({LayoutProblem::Truncated, -1, QString::number(layout.trailingBytes)});
    for (size_t i = 0; i < layout.elements.size(); ++i) {
        const QslLayoutElement &e = layout.elements[i];
        const int at = int(i);
        switch (e.kind) {
        case QslLayoutElement::Text:
            if (e.visible == 1 && e.text.isEmpty() && MissesCommand(e.name))
                out.push_back({LayoutProblem::NearMissCommand, at, e.name});
            break;
        case QslLayoutElement::Line: break;
        case QslLayoutElement::Shape:
            if (e.visible == 1 && !KnownShape(e.shapeType)) out.push_back({LayoutProblem::UnknownShape, at, e.shapeType});
            break;
        default: out.push_back({LayoutProblem::UnknownKind, at, QString::number(e.kind)}); break;
        }
    }
    return out;
}

// --- mapping and painters

LayoutMapping LayoutMapping::Printer(int dpiX, int dpiY, int originX, int originY) {
    LayoutMapping m;
    const double scaleX = dpiX / 360.0, scaleY = dpiY / 360.0;
    m.unitX = 12 * scaleX;
    m.unitY = 12 * scaleY;
    m.cornerScale = scaleX;
    m.originX = originX;
    m.originY = originY;
    m.fontReduction = 2;
    return m;
}

LayoutMapping LayoutMapping::Printer(const PrintCanvas &canvas) {
    return Printer(canvas.dpiX(), canvas.dpiY(), int(QslPositionTable[20]), int(QslPositionTable[19]));
}

LayoutMapping LayoutMapping::Preview() {
    LayoutMapping m;
    m.unitX = m.unitY = 4;
    return m;
}

// Halves to even, as the printing of the original program rounded.
int LayoutMapping::x(qint32 units) const { return int(std::nearbyint(units * unitX + originX)); }
int LayoutMapping::y(qint32 units) const { return int(std::nearbyint(units * unitY + originY)); }
int LayoutMapping::corner(qint32 c) const { return int(std::nearbyint(c * cornerScale)); }

namespace {

unsigned Colour(qint32 c) { return unsigned(c) & 0xFFFFFF; }

PenStyle PenOf(quint8 code) {
    switch (code) {
    case 1: return PenStyle::Dash;
    case 2: return PenStyle::Dot;
    case 3: return PenStyle::DashDot;
    case 4: return PenStyle::DashDotDot;
    case 5: return PenStyle::None;
    default: return PenStyle::Solid;
    }
}

BrushStyle BrushOf(quint8 code) {
    switch (code) {
    case 1: return BrushStyle::Clear;
    case 2: return BrushStyle::Horizontal;
    case 3: return BrushStyle::Vertical;
    case 4: return BrushStyle::FDiagonal;
    case 5: return BrushStyle::BDiagonal;
    case 6: return BrushStyle::Cross;
    case 7: return BrushStyle::DiagCross;
    default: return BrushStyle::Solid;
    }
}

void SetLayoutPen(const QslLayoutElement &e, PrintCanvas &canvas) {
    canvas.setPen({qMax<qint32>(1, e.penWidth), PenOf(e.penStyle), Colour(e.penColour)});
}

} // namespace

void PrintLayoutText(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m, const QslCardData &card) {
    if (e.visible != 1) return;
    PrintFont f;
    f.name = e.fontName;
    f.colour = Colour(e.fontColour);
    f.bold = e.fontStyle & 1;
    f.italic = e.fontStyle & 2;
    f.underline = e.fontStyle & 4;
    f.strikeOut = e.fontStyle & 8;
    f.size = qMax(1, e.fontSize - m.fontReduction);
    canvas.setFont(f);
    // Setting the brush colour makes the ground solid, whatever style the
    // brush had: the text stands on its background colour.
    canvas.setBrush({BrushStyle::Solid, Colour(e.brushColour)});
    const std::optional<QString> command = ResolveLayoutFieldCommand(e.name, card);
    canvas.text(m.x(e.x1), m.y(e.y1), command ? *command : e.text);
}

void PrintLayoutLine(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m) {
    if (e.visible != 1) return;
    SetLayoutPen(e, canvas);
    canvas.line(m.x(e.x1), m.y(e.y1), m.x(e.x2), m.y(e.y2));
}

void PrintLayoutShape(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m) {
    if (e.visible != 1) return;
    const bool rect = e.shapeType == ShapeRectangle, round = e.shapeType == ShapeRoundRectangle,
               ellipse = e.shapeType == ShapeEllipse;
    if (!rect && !round && !ellipse) return;
    canvas.setBrush({BrushOf(e.brushStyle), Colour(e.brushColour)});
    SetLayoutPen(e, canvas);
    const int ax = m.x(e.x1), ay = m.y(e.y1), bx = m.x(e.x2), by = m.y(e.y2);
    const int l = qMin(ax, bx), t = qMin(ay, by), r = qMax(ax, bx), b = qMax(ay, by);
    if (rect) canvas.rectangle(l, t, r, b);
    else if (ellipse) canvas.ellipse(l, t, r, b);
    else {
        const int c = m.corner(e.corner);
        canvas.roundRect(l, t, r, b, c, c);
    }
}

void PrintLayoutElement(const QslLayoutElement &e, PrintCanvas &canvas, const LayoutMapping &m, const QslCardData &card) {
    switch (e.kind) {
    case QslLayoutElement::Text: PrintLayoutText(e, canvas, m, card); break;
    case QslLayoutElement::Line: PrintLayoutLine(e, canvas, m); break;
    case QslLayoutElement::Shape: PrintLayoutShape(e, canvas, m); break;
    default: break;
    }
}

} // namespace zelmor
