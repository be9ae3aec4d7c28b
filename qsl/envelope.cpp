#include "qsl/envelope.h"

#include "common/printunits.h"
#include "common/recordfile.h"
#include "common/text.h"
#include "logbook/settingscatalogue.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "platform/printer.h"

#include <QTextBoundaryFinder>
#include <iterator>

namespace zelmor {

// --- drawing

QString FitText(const PrintCanvas &canvas, const QString &s, int width) {
    if (width <= 0) return QString();
    if (canvas.textWidth(s) <= width) return s;
    // Whole characters only: a cut never splits a surrogate pair or takes a
    // letter from its accent.
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, s);
    qsizetype fits = 0;
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary()) {
        if (canvas.textWidth(s.left(at)) > width) break;
        fits = at;
    }
    return s.left(fits);
}

namespace {

constexpr unsigned Blue = 0xFF0000;

// Where the envelope's texts must end, in units from the envelope's corner.
constexpr int SenderEnd = 2100;           // the stamp corner
constexpr int RecipientEnd = 2300;        // the end of the address lines
constexpr int RecipientPostcodeEnd = 1834; // inside the postcode box
constexpr int LetterEnd = 2900;           // the outline's edge

class EnvelopePainter {
public:
    EnvelopePainter(const EnvelopeContent &c, PrintCanvas &canvas, int x0, int y0)
        : c_(c), canvas_(canvas), scale_(PrinterScale::FromDpi(canvas.dpiX(), canvas.dpiY())), x0_(x0), y0_(y0) {}

    void font(double size, bool bold, bool italic, unsigned colour) {
        PrintFont f;
        f.name = c_.fontName;
        f.size = size;
        f.bold = bold;
        f.italic = italic;
        f.colour = colour;
        canvas_.setFont(f);
    }
    void font(double size, bool bold, bool italic) { font(size, bold, italic, c_.colour); }
    void pen(int widthUnits) { canvas_.setPen({qMax(1, scale_.x(widthUnits)), PenStyle::Solid, c_.colour, true}); }
    void pixelPen() { canvas_.setPen({1, PenStyle::Solid, c_.colour, false}); }

    // A label of the form: never cut.
    void label(int x, int y, const QString &t) { canvas_.text(px(x), py(y), t); }
    // A field: cut where the envelope ends it.
    void field(int x, int y, const QString &t, int endUnits) {
        if (t.isEmpty()) return;
        const int end = qMin(px(endUnits), canvas_.pageWidth());
        canvas_.text(px(x), py(y), FitText(canvas_, t, end - px(x)));
    }
    void line(int xa, int ya, int xb, int yb) { canvas_.line(px(xa), py(ya), px(xb), py(yb)); }
    void rect(int l, int t, int r, int b) { canvas_.rectangle(px(l), py(t), px(r), py(b)); }
    void image(int l, int t, int r, int b, const QImage &i) { canvas_.image(px(l), py(t), px(r), py(b), i); }

private:
    int px(int u) const { return scale_.x(x0_ + u); }
    int py(int u) const { return scale_.y(y0_ + u); }
    const EnvelopeContent &c_;
    PrintCanvas &canvas_;
    PrinterScale scale_;
    int x0_, y0_;
};

} // namespace

void DrawEnvelope(const EnvelopeContent &c, PrintCanvas &canvas, int x0, int y0) {
    EnvelopePainter p(c, canvas, x0, y0);
    canvas.setBrush({BrushStyle::Clear, 0xFFFFFF});
    p.pen(2);
    p.line(2100, 500, 2300, 500);
    p.line(2300, 500, 2300, 700);
    for (int y = 1300; y <= 1600; y += 100) p.line(1300, y, 2300, y);

    if (c.form == EnvelopeForm::Russian) {
        p.font(8, false, false);
        p.label(300, 520, QStringLiteral("От кого"));
        p.label(300, 620, QStringLiteral("От куда"));
    } else if (c.form == EnvelopeForm::Ukrainian) {
        p.font(6, false, false);
        p.label(250, 520, QStringLiteral("АДРЕСА"));
        p.label(250, 580, QStringLiteral("ВIДПРАВНИКА"));
    }
    p.font(16, true, true);
    p.field(600, 820, c.senderPostcode, SenderEnd);
    p.font(12, true, true);
    p.field(560, 520, c.senderName, SenderEnd);
    p.font(11, false, true);
    for (int i = 0; i < 3 && i < c.senderLines.size(); ++i) p.field(540, 620 + 60 * i, c.senderLines[i], SenderEnd);

    if (c.form == EnvelopeForm::Russian) {
        p.font(11, false, false);
        p.label(1140, 1230, QStringLiteral("кому: "));
        p.label(1140, 1330, QStringLiteral("куда: "));
        p.label(1140, 1630, QStringLiteral("индекс: "));
    } else if (c.form == EnvelopeForm::Ukrainian) {
        p.font(6, false, false);
        p.label(1140, 1130, QStringLiteral("АДРЕСА ОДЕРЖУВАЧА"));
        p.label(1140, 1630, QStringLiteral("IНДЕКС"));
    }
    p.font(16, true, false);
    p.pen(6);
    p.rect(1400, 1620, 1840, 1760);
    p.field(1430, 1630, c.recipientPostcode, RecipientPostcodeEnd);
    p.field(1400, 1200, c.recipientName, RecipientEnd);
    p.font(11, false, false);
    for (int i = 0; i < 3 && i < c.recipientLines.size(); ++i)
        p.field(1400, 1320 + 100 * i, c.recipientLines[i], RecipientEnd);

    p.pixelPen();
    for (int i = 0; i < 8 && i < c.letterLines.size(); ++i) p.field(30, 3500 + 60 * i, c.letterLines[i], LetterEnd);

    p.font(9, false, false, Blue);
    p.label(290, 1710, QStringLiteral("Radio amateurs program ZELMOR"));
    if (!c.picture.isNull()) p.image(260, 1100, 1100, 1700, c.picture);
}

void PrintEnvelopeTemplate(const EnvelopeContent &c, PrintCanvas &canvas) {
    const PrinterScale s = PrinterScale::FromDpi(canvas.dpiX(), canvas.dpiY());
    canvas.setBrush({BrushStyle::Clear, 0xFFFFFF});
    canvas.setPen({1, PenStyle::DashDot, c.colour});
    canvas.rectangle(s.x(200), s.y(400), s.x(2700), s.y(1950));
    static constexpr int Flaps[][2] = {{0, 450},     {200, 400},   {250, 0},     {2650, 0},
                                       {2700, 400},  {2900, 450},  {2900, 1900}, {2700, 1950},
                                       {2650, 3450}, {250, 3450},  {200, 1950},  {0, 1900},
                                       {0, 450}}; // the left flap closed as the right one is
    for (size_t i = 1; i < std::size(Flaps); ++i)
        canvas.line(s.x(Flaps[i - 1][0]), s.y(Flaps[i - 1][1]), s.x(Flaps[i][0]), s.y(Flaps[i][1]));
    DrawEnvelope(c, canvas, 0, 0);
}

void PrintEnvelopeWithOffsets(const EnvelopeContent &c, PrintCanvas &canvas, int left, int top) {
    DrawEnvelope(c, canvas, left * 10, top * 10);
}

bool PrintEnvelope(const EnvelopeContent &c, bool unfolded, int left, int top) {
    auto canvas = platform::printer().startJob(QStringLiteral("envelope"), PageOrientation::Portrait, PageMargins::None);
    if (!canvas) return false;
    if (unfolded) PrintEnvelopeTemplate(c, *canvas);
    else PrintEnvelopeWithOffsets(c, *canvas, left, top);
    if (!canvas->end()) {
        ShowErrorBox(canvas->errorText());
        return false;
    }
    return true;
}

// --- senders

SenderFields FillEnvelopeSender(const QString &address, const QString &nameCyrillic, const QString &call) {
    SenderFields f;
    QString part;
    bool first = true;
    for (QChar ch : address) {
        if (ch != u',') {
            part += ch;
            continue;
        }
        if (first) f.postcode = part;
        else f.lines << part;
        first = false;
        part.clear();
    }
    f.name = nameCyrillic + u' ' + call;
    return f;
}

QStringList AddressLines(const QString &text) {
    if (text.isEmpty()) return {};
    return WithLineBreaks(text, u"\n").split(u'\n');
}

QString SenderAddressPath(const QString &programDir) { return ResolvePath(QStringLiteral("mail/mail.dat"), programDir); }

namespace {

void RequireFile(const QString &path, const QString &shown) {
    if (!RecordIO::Exists(path)) throw IoError(MissingFileText(u' ' + shown));
}

SenderFields FieldsOf(const SenderAddressRecord &r) { return {r.name, r.postcode, AddressLines(r.address)}; }

SenderAddressRecord RecordOf(const QString &entry, const SenderFields &f) {
    return {CutToCapacity(entry, 100), CutToCapacity(f.name, 250), CutToCapacity(f.postcode, 10),
            CutToCapacity(f.lines.join(QStringLiteral("\r\n")), 255)};
}

// The first record whose stored entry name equals what `entry` stores as.
qint64 FindEntry(const std::vector<SenderAddressRecord> &all, const QString &entry) {
    const QString stored = CutToCapacity(entry, 100);
    for (size_t i = 0; i < all.size(); ++i)
        if (all[i].entry == stored) return qint64(i);
    return -1;
}

} // namespace

QStringList SenderEntryNames(const QString &path) {
    RequireFile(path, QStringLiteral("mail.dat"));
    QStringList names;
    for (const SenderAddressRecord &r : ReadAllRecords<SenderAddressRecord>(path))
        if (!r.entry.isEmpty()) names << r.entry;
    return names;
}

std::optional<SenderFields> FindSenderEntry(const QString &path, const QString &entry) {
    RequireFile(path, QStringLiteral("mail.dat"));
    const auto all = ReadAllRecords<SenderAddressRecord>(path);
    const qint64 at = FindEntry(all, entry);
    if (at < 0) return std::nullopt;
    return FieldsOf(all[size_t(at)]);
}

bool SaveSenderEntry(const QString &path, const QString &entry, const SenderFields &fields) {
    const SenderAddressRecord r = RecordOf(entry, fields);
    for (const QString *t : {&r.entry, &r.name, &r.postcode, &r.address}) {
        QChar bad;
        if (!FitsCp1251(*t, &bad))
            throw IoError(QStringLiteral("Символ \"%1\" нельзя записать в файл mail.dat").arg(bad));
    }
    const std::vector<SenderAddressRecord> all =
        RecordIO::Exists(path) ? ReadAllRecords<SenderAddressRecord>(path) : std::vector<SenderAddressRecord>();
    const qint64 at = FindEntry(all, entry);
    if (at >= 0) {
        WriteRecord(path, at, r);
        return false;
    }
    AppendRecord(path, r);
    return true;
}

bool DeleteSenderEntry(const QString &path, const QString &entry, const SenderFields &fields) {
    RequireFile(path, QStringLiteral("mail.dat"));
    const qint64 at = FindEntry(ReadAllRecords<SenderAddressRecord>(path), entry);
    if (at < 0) return false;
    SenderAddressRecord r = RecordOf(QString(), fields);
    for (QString *t : {&r.name, &r.postcode, &r.address})
        if (!FitsCp1251(*t)) t->clear(); // the slot is what matters here
    WriteRecord(path, at, r);
    return true;
}

// --- recipient

std::optional<RecipientFields> RecipientFromAddressBook(const QString &path, const QString &call) {
    RequireFile(path, QStringLiteral("adrbox.dat"));
    const QString wanted = Trim(call);
    if (wanted.isEmpty()) return std::nullopt;
    std::optional<RecipientFields> found;
    RecordIO::ForEach(path, AddressBookRecord::Size, [&](qint64, const char *bytes) {
        if (found) return;
        const auto r = DecodeRecord<AddressBookRecord>(bytes);
        if (Trim(r.call) != wanted) return;
        RecipientFields f;
        f.name = Trim(r.name) + u' ' + Trim(r.call);
        f.lines = AddressLines(r.address);
        if (!f.lines.isEmpty()) {
            const QString first = Trim(f.lines.first());
            bool digits = first.size() == 5 || first.size() == 6;
            for (QChar ch : first) digits = digits && ch >= u'0' && ch <= u'9';
            if (digits) {
                f.postcode = first;
                f.lines.removeFirst();
            }
        }
        found = f;
    });
    return found;
}

} // namespace zelmor
