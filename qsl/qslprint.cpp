#include "qsl/qslprint.h"

#include "common/recordfile.h"
#include "logbook/logfile.h"
#include "platform/dialogs.h"
#include "platform/printer.h"
#include "qsl/qslmarking.h"
#include "qsl/qslselection.h"

#include <algorithm>

namespace zelmor {

namespace {
const QString Times = QStringLiteral("times new roman");
} // namespace

StickerRowOffsets StickerRows = ComputeStickerRowOffsets(0);

StickerRowOffsets ComputeStickerRowOffsets(int gap) {
    StickerRowOffsets y{};
    for (int i = 0; i < StickerRowCount; ++i) y[size_t(i)] = i * 370 + gap * (i + 1);
    return y;
}

PrinterScale ComputePrinterScale(const PrintCanvas &canvas) { return PrinterScale::FromDpi(canvas.dpiX(), canvas.dpiY()); }

int QslFormatCapacity(QslCardFormat format, int blockY, int layoutCapacity) {
    switch (format) {
    case QslCardFormat::Layout: return std::max(1, layoutCapacity);
    // A block row that would reach below the page bottom is never started.
    case QslCardFormat::DataBlock: return std::max(1, (StickerPageBottom - blockY - 163) / 50);
    case QslCardFormat::TwoColumns:
    case QslCardFormat::ThreeColumns: return 3;
    case QslCardFormat::QQ5EX: return 2;
    case QslCardFormat::None: return 0;
    default: return 1;
    }
}

PrintFont CardPartPrintFont(const CardPartFont &f, bool bold) {
    PrintFont p;
    const bool unset = f.name.trimmed().isEmpty() || f.size <= 0; // the first-start values
    p.name = unset ? Times : f.name;
    p.size = unset ? 10 : f.size;
    p.bold = bold;
    p.colour = unsigned(f.colour);
    return p;
}

// --- one card

QslCardPrinter::QslCardPrinter(PrintCanvas &canvas, const QslPrintSettings &settings, const QslLayout *layout)
    : c_(canvas), s_(settings), layout_(layout), scale_(ComputePrinterScale(canvas)),
      rows_(ComputeStickerRowOffsets(settings.gap)) {}

void QslCardPrinter::at(int x, int y, const QString &text) {
    if (!text.isEmpty()) c_.text(scale_.x(x), scale_.y(y), text);
}

void QslCardPrinter::atCard(int x, int y, const QString &text) {
    if (!text.isEmpty()) c_.text(scale_.x(x) + int(s_.originX), scale_.y(y) + int(s_.originY), text);
}

void QslCardPrinter::rule(int x1, int y1, int x2, int y2) {
    c_.line(scale_.x(x1), scale_.y(y1), scale_.x(x2), scale_.y(y2));
}

void QslCardPrinter::frame(int l, int t, int r, int b) {
    c_.setBrush(PrintBrush{});
    c_.rectangle(scale_.x(l), scale_.y(t), scale_.x(r), scale_.y(b));
}

void QslCardPrinter::font(const QString &name, double size, bool bold, unsigned colour) {
    PrintFont f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    f.colour = colour;
    c_.setFont(f);
}

void QslCardPrinter::partFont(int part, bool bold, double size) {
    PrintFont f = CardPartPrintFont(s_.fonts[size_t(part)], bold);
    if (size > 0) f.size = size;
    c_.setFont(f);
}

void QslCardPrinter::nextCardPage() {
    if (CardPrinted) c_.newPage();
    CardPrinted = true;
}

void QslCardPrinter::PrintOneCard(const QslCardData &card) {
    scale_ = ComputePrinterScale(c_);
    c_.setPen(PrintPen{});
    c_.setBrush(PrintBrush{});
    switch (s_.format) {
    case QslCardFormat::Layout: {
        nextCardPage();
        if (!layout_) return;
        const LayoutMapping m = LayoutMapping::Printer(c_.dpiX(), c_.dpiY(), int(s_.originX), int(s_.originY));
        for (const QslLayoutElement &e : layout_->elements)
            if (e.visible == 1) PrintLayoutElement(e, c_, m, card);
        return;
    }
    case QslCardFormat::DataBlock:
        nextCardPage();
        PrintDataBlockCard(card, int(s_.blockX) * 5, int(s_.blockY) * 6);
        return;
    case QslCardFormat::TwoColumns: sticker(card, 2); return;
    case QslCardFormat::ThreeColumns: sticker(card, 3); return;
    case QslCardFormat::ClubBlank:
        nextCardPage();
        PrintClubBlank(card);
        return;
    case QslCardFormat::QQ1AX:
    case QslCardFormat::QQ5EX:
    case QslCardFormat::QQ6FX1:
    case QslCardFormat::QQ6FX2:
    case QslCardFormat::QQ4DX:
        nextCardPage();
        PrintPersonalCard(card);
        return;
    case QslCardFormat::None: return;
    }
}

void QslCardPrinter::sticker(const QslCardData &card, int columns) {
    if (StickerColumn == columns) {
        StickerColumn = 0;
        ++StickerRow;
    }
    if (StickerRow >= StickerRowCount || rows_[size_t(StickerRow)] > StickerPageBottom) {
        c_.newPage();
        StickerRow = 0;
    }
    const int y = rows_[size_t(StickerRow)];
    if (columns == 2) PrintTwoColumnSticker(card, TwoColumnX[size_t(StickerColumn)], y);
    else PrintThreeColumnSticker(card, ThreeColumnX[size_t(StickerColumn)], y);
    ++StickerColumn;
}

void QslCardPrinter::PrintDataBlockCard(const QslCardData &card, int x, int y) { blockOrSticker(card, x, y, false); }
void QslCardPrinter::PrintTwoColumnSticker(const QslCardData &card, int x, int y) { blockOrSticker(card, x, y, true); }

namespace {
QString Footer(const QslCardData &card, const QString &blanks, const QString &name) {
    return (card.status == QStringLiteral("П") ? QStringLiteral("TNX QSL") : QStringLiteral("PSE QSL")) + blanks +
           QStringLiteral("73! ") + name;
}
const QStringList Headers = {QStringLiteral("Date"), QStringLiteral("UTC"), QStringLiteral("Mode"), QStringLiteral("Band"),
                             QStringLiteral("RST")};
} // namespace

void QslCardPrinter::blockOrSticker(const QslCardData &card, int x, int y, bool sticker) {
    font(Times, 10, true);
    at(x, y, QStringLiteral("Confirming QSO with: "));
    if (!card.via.isEmpty()) at(x + 970, y, QStringLiteral("Via:"));
    else if (!card.op.isEmpty()) at(x + 970, y, QStringLiteral("op:"));
    at(x, y + 55, QStringLiteral("de: ") + s_.ownCall + QStringLiteral("  ") + s_.email);
    partFont(0, true);
    at(x + 500, y - 20, card.call);
    c_.setFontSize(10);
    if (!card.via.isEmpty()) at(x + (sticker ? 1050 : 1070), y, card.via);
    else at(x + 1040, y, card.op);

    PrintFont middle = CardPartPrintFont(s_.fonts[1], c_.font().bold);
    middle.size = 8;
    c_.setFont(middle);
    static constexpr int headerX[5] = {100, 360, 610, 860, 1110};
    static constexpr int valueX[5] = {50, 360, 610, 860, 1110};
    for (int i = 0; i < 5; ++i) at(x + headerX[i], y + 113, Headers[i]);
    // A sticker always has its three ruled rows, filled or not.
    const int rowCount = sticker ? 3 : card.qsoCount();
    int s = 163;
    for (int k = 0; k < rowCount; ++k, s += 50) {
        rule(x, y + s - 1, x + 1300, y + s - 1);
        if (k >= card.qsoCount()) continue;
        const QString values[5] = {card.dates[k], card.times[k], card.modes[k], card.bands[k], card.rsts[k]};
        for (int i = 0; i < 5; ++i) at(x + valueX[i], y + s, values[i]);
    }
    frame(x, y + 112, x + 1300, y + s - 1);
    for (int vx : {300, 550, 800, 1050}) rule(x + vx, y + 112, x + vx, y + s - 1);

    PrintFont small = c_.font();
    small.size = 4;
    small.bold = false;
    c_.setFont(small);
    at(x + 900, y + s + 20, QStringLiteral("Print-") + s_.caption);
    partFont(2, true, 10);
    at(x, y + s, Footer(card, QStringLiteral("       "), s_.nameLatin));
}

void QslCardPrinter::PrintThreeColumnSticker(const QslCardData &card, int x, int y) {
    font(Times, 10, true);
    at(x, y, QStringLiteral("To radio: "));
    at(x + 450, y + 55, QStringLiteral("Via:"));
    at(x, y + 55, QStringLiteral("op:"));
    partFont(0, true);
    at(x + 250, y - 10, card.call);
    c_.setFontSize(9);
    at(x + 75, y + 55, card.op);
    at(x + 550, y + 55, card.via);

    PrintFont middle = CardPartPrintFont(s_.fonts[1], c_.font().bold);
    middle.size = 8;
    c_.setFont(middle);
    static constexpr int headerX[5] = {100, 280, 410, 550, 700};
    static constexpr int valueX[5] = {10, 270, 430, 540, 700};
    for (int i = 0; i < 5; ++i) at(x + headerX[i], y + 113, Headers[i]);
    for (int k = 0, s = 163; k < 3; ++k, s += 50) {
        rule(x, y + s - 1, x + 800, y + s - 1);
        if (k >= card.qsoCount()) continue;
        const QString values[5] = {card.dates[k], card.times[k], card.modes[k], card.bands[k], card.rsts[k]};
        for (int i = 0; i < 5; ++i) at(x + valueX[i], y + s, values[i]);
    }
    frame(x, y + 112, x + 800, y + 312);
    for (int vx : {260, 400, 540, 680}) rule(x + vx, y + 112, x + vx, y + 312);

    PrintFont small = c_.font();
    small.size = 4;
    small.bold = false;
    c_.setFont(small);
    at(x, y + 373, QStringLiteral("Print-") + s_.caption);
    partFont(2, true, 10);
    at(x, y + 313, Footer(card, QStringLiteral("    "), s_.nameLatin));
}

void QslCardPrinter::PrintClubBlank(const QslCardData &card) {
    font(Times, 12, true);
    atCard(900, 1, card.call);
    font(Times, 9, true);
    if (!card.via.isEmpty()) atCard(150, 1, QStringLiteral("Via ") + card.via);
    else if (!card.op.isEmpty()) atCard(150, 1, QStringLiteral("Op. ") + card.op);
    font(Times, 10, false);
    if (card.qsoCount() > 0) {
        atCard(240, 460, card.dates[0]);
        atCard(550, 460, card.times[0]);
        atCard(800, 460, card.bands[0]);
        atCard(1400, 460, card.rsts[0]);
        if (card.modes[0].trimmed() == QLatin1String("SSB")) atCard(1080, 500, QStringLiteral("*"));
        else atCard(1100, 450, QStringLiteral("*"));
    }
    atCard(430, 660, QStringLiteral("YAESU    FT-840"));
    atCard(950, 800, s_.nameLatin);
    atCard(370, 910, s_.waz);
}

// --- the personal formats: fixed points on five stations' pre-printed
// cards (5.5 x 3.5 inch, 1980 x 1260 units from the card origin).

namespace {
enum class CardField {
    Call,
    OpLabelled,    // "Op. " + name, when there is a name
    ViaLabelled,   // "Via " + via, when there is a via
    OpIfNoVia,     // "Op. " + name, only when the via is empty
    NameIfNoVia,   // the name alone, only when the via is empty
    Via,           // the via alone
    Date, Day, Month, Year, Utc, Band, Band3, Band7, Rst, Mode,
    TnxPse,
};
enum Part { Top = 0, Middle = 1, Bottom = 2 };
struct PersonalField {
    CardField field;
    int part;
    int qso;       // which QSO of the card, from 0
    int x, y;
    int sizeDelta = 0;
};
using F = CardField;

const std::vector<PersonalField> QQ1AXFields = {
    {F::Call, Top, 0, 800, 180},         {F::OpLabelled, Top, 0, 150, 330, -2}, {F::ViaLabelled, Top, 0, 1100, 330, -2},
    {F::Day, Middle, 0, 150, 700},       {F::Month, Middle, 0, 300, 700},       {F::Year, Middle, 0, 450, 700},
    {F::Utc, Middle, 0, 650, 700},       {F::Band3, Middle, 0, 900, 700},       {F::Rst, Middle, 0, 1150, 700},
    {F::Mode, Middle, 0, 1400, 700},
};
const std::vector<PersonalField> QQ5EXFields = {
    {F::Call, Top, 0, 800, 180},    {F::OpIfNoVia, Top, 0, 150, 330}, {F::Via, Top, 0, 1100, 330},
    {F::Date, Middle, 0, 150, 700}, {F::Utc, Middle, 0, 500, 700},    {F::Band, Middle, 0, 800, 700},
    {F::Rst, Middle, 0, 1150, 700}, {F::Mode, Middle, 0, 1400, 700},  {F::Date, Middle, 1, 150, 800},
    {F::Utc, Middle, 1, 500, 800},  {F::Band, Middle, 1, 800, 800},   {F::Rst, Middle, 1, 1150, 800},
    {F::Mode, Middle, 1, 1400, 800},
};
const std::vector<PersonalField> QQ6FX1Fields = {
    {F::Call, Top, 0, 850, 200},       {F::OpIfNoVia, Bottom, 0, 150, 380}, {F::ViaLabelled, Bottom, 0, 150, 380},
    {F::Day, Middle, 0, 150, 760},     {F::Month, Middle, 0, 280, 760},     {F::Year, Middle, 0, 420, 760},
    {F::Utc, Middle, 0, 650, 760},     {F::Band7, Middle, 0, 880, 760},     {F::Rst, Middle, 0, 1200, 760},
    {F::Mode, Middle, 0, 1420, 760},   {F::TnxPse, Bottom, 0, 1500, 1000},
};
const std::vector<PersonalField> QQ6FX2Fields = {
    {F::Call, Top, 0, 900, 150},    {F::NameIfNoVia, Bottom, 0, 200, 350}, {F::Via, Bottom, 0, 200, 350},
    {F::Date, Middle, 0, 200, 720}, {F::Utc, Middle, 0, 550, 720},         {F::Band3, Middle, 0, 820, 720},
    {F::Rst, Middle, 0, 1100, 720}, {F::Mode, Middle, 0, 1350, 720},
};
const std::vector<PersonalField> QQ4DXFields = {
    {F::Call, Top, 0, 800, 220},     {F::Date, Middle, 0, 180, 740},  {F::Utc, Middle, 0, 520, 740},
    {F::Band3, Middle, 0, 800, 740}, {F::Mode, Middle, 0, 1080, 740}, {F::Rst, Middle, 0, 1350, 740},
};

QString FieldText(const PersonalField &pf, const QslCardData &card) {
    const bool hasQso = pf.qso < card.qsoCount();
    const auto datePart = [&](int i) {
        const QStringList parts = card.dates[pf.qso].split(u'.');
        return i < parts.size() ? parts[i] : QString();
    };
    switch (pf.field) {
    case F::Call: return card.call;
    case F::OpLabelled: return card.op.isEmpty() ? QString() : QStringLiteral("Op. ") + card.op;
    case F::ViaLabelled: return card.via.isEmpty() ? QString() : QStringLiteral("Via ") + card.via;
    case F::OpIfNoVia: return card.via.isEmpty() && !card.op.isEmpty() ? QStringLiteral("Op. ") + card.op : QString();
    case F::NameIfNoVia: return card.via.isEmpty() ? card.op : QString();
    case F::Via: return card.via;
    case F::TnxPse: return card.status == QStringLiteral("П") ? QStringLiteral("TNX") : QStringLiteral("PSE");
    default: break;
    }
    if (!hasQso) return QString();
    switch (pf.field) {
    case F::Date: return card.dates[pf.qso];
    case F::Day: return datePart(0);
    case F::Month: return datePart(1);
    case F::Year: return datePart(2);
    case F::Utc: return card.times[pf.qso];
    case F::Band: return card.bands[pf.qso];
    case F::Band3: return card.bands[pf.qso].left(3);
    case F::Band7: return card.bands[pf.qso].left(7);
    case F::Rst: return card.rsts[pf.qso];
    case F::Mode: return card.modes[pf.qso];
    default: return QString();
    }
}
} // namespace

void QslCardPrinter::PrintPersonalCard(const QslCardData &card) {
    const std::vector<PersonalField> *fields = nullptr;
    switch (s_.format) {
    case QslCardFormat::QQ1AX: fields = &QQ1AXFields; break;
    case QslCardFormat::QQ5EX: fields = &QQ5EXFields; break;
    case QslCardFormat::QQ6FX1: fields = &QQ6FX1Fields; break;
    case QslCardFormat::QQ6FX2: fields = &QQ6FX2Fields; break;
    case QslCardFormat::QQ4DX: fields = &QQ4DXFields; break;
    default: return;
    }
    for (const PersonalField &pf : *fields) {
        PrintFont f = CardPartPrintFont(s_.fonts[size_t(pf.part)], pf.field == F::Call);
        f.size = std::max(1.0, f.size + pf.sizeDelta);
        c_.setFont(f);
        atCard(pf.x, pf.y, FieldText(pf, card));
    }
}

// --- the run

namespace {
struct RowMarks {
    QString mark, link, spare;
};

std::vector<RowMarks> SaveMarks(const QslTableModel &t) {
    std::vector<RowMarks> saved(size_t(t.listedRows()) + 1);
    for (int r = 1; r <= t.listedRows(); ++r)
        saved[size_t(r)] = {t.cell(QslColMark, r), t.cell(QslColLink, r), t.cell(QslColSpare, r)};
    return saved;
}

void RestoreMarks(QslTableModel &t, const std::vector<RowMarks> &saved) {
    for (int r = 1; r <= t.listedRows() && r < int(saved.size()); ++r) {
        const RowMarks &m = saved[size_t(r)];
        if (t.cell(QslColMark, r) != m.mark) t.setCell(QslColMark, r, m.mark);
        if (t.cell(QslColLink, r) != m.link) t.setCell(QslColLink, r, m.link);
        if (t.cell(QslColSpare, r) != m.spare) t.setCell(QslColSpare, r, m.spare);
    }
}

// A QSO deleted from the current log since the fill.
bool DeletedSinceFill(const QslTableModel &t, int row) {
    const qint64 index = t.recordIndexOfRow(row);
    if (index < 0 || t.logPath() != LogFilePath()) return false;
    return index >= LogCalls.size() || LogCalls[index].isEmpty();
}

bool IsHead(const QslTableModel &t, int row) {
    return t.cell(QslColMark, row) == QslMark && !t.cell(QslColCall, row).isEmpty();
}

void Tell(const QString &text) {
    platform::dialogs().messageBox(QStringLiteral("Печать QSL"), text, MsgIcon::Information, MbOk);
}
} // namespace

QslPrintResult PrintMarkedCards(QslTableModel &table, const QslPrintSettings &s, Printer &printer) {
    QslPrintResult result;
    if (s.format == QslCardFormat::None) {
        Tell(s.formatCaption.isEmpty()
                 ? QStringLiteral("Не выбран формат печати QSL (меню \"Формат QSL\")")
                 : QStringLiteral("Формат \"%1\" ничего не печатает: выберите другой в меню \"Формат QSL\"")
                       .arg(s.formatCaption.trimmed()));
        return result;
    }
    const std::vector<RowMarks> saved = SaveMarks(table);
    GroupQsosPerCard(table, s.perCard);
    bool anyMarked = false;
    for (int r = 1; r <= table.listedRows() && !anyMarked; ++r) anyMarked = IsHead(table, r);
    if (!anyMarked) {
        RestoreMarks(table, saved);
        Tell(QStringLiteral("Нет отмеченных QSO для печати QSL"));
        return result;
    }

    QslLayout layout;
    int layoutCapacity = 0;
    if (s.format == QslCardFormat::Layout) {
        const auto stop = [&](const QString &text) {
            RestoreMarks(table, saved);
            ShowErrorBox(text);
            return result;
        };
        if (s.layoutPath.isEmpty()) return stop(QStringLiteral("Не выбран макет QSL"));
        try {
            layout = ReadLayout(s.layoutPath);
        } catch (const IoError &e) {
            return stop(e.text());
        }
        QStringList doubtful;
        for (const LayoutProblem &p : CheckLayout(layout)) {
            if (p.kind == LayoutProblem::Truncated) return stop(s.layoutPath + QStringLiteral("\n") + p.text());
            doubtful << p.text();
        }
        const bool anyVisible = std::any_of(layout.elements.begin(), layout.elements.end(), [](const QslLayoutElement &e) {
            return e.visible == 1 && e.kind >= 1 && e.kind <= 3 && !IsDeletedLayoutElement(e);
        });
        if (!anyVisible) return stop(QStringLiteral("В макете QSL нет видимых элементов: ") + s.layoutPath);
        if (!doubtful.isEmpty()) {
            const int answer = platform::dialogs().messageBox(
                QStringLiteral("Печать QSL"),
                QStringLiteral("В макете QSL есть то, что печать пропустит:\n") + doubtful.join(u'\n') +
                    QStringLiteral("\n\nПечатать?"),
                MsgIcon::Question, MbYes | MbNo);
            if (answer != MbYes) {
                RestoreMarks(table, saved);
                return result;
            }
        }
        layoutCapacity = HighestNumberedCommand(layout.elements);
    }

    bool numberOk = false;
    const int n = s.perCard.trimmed().toInt(&numberOk);
    const int perCard = std::min(numberOk && n > 0 ? n : 1, QslFormatCapacity(s.format, int(s.blockY) * 6, layoutCapacity));

    std::unique_ptr<PrintCanvas> canvas = printer.startJob(QStringLiteral("QSL"));
    if (!canvas) { // the seam has told the operator why
        RestoreMarks(table, saved);
        return result;
    }
    result.begun = true;
    QslCardPrinter card(*canvas, s, &layout);
    QslCardData data;
    const int rows = table.listedRows();
    for (int r = 1; r <= rows; ++r) {
        data.clear();
        if (!IsHead(table, r)) continue;
        data.call = table.cell(QslColCall, r);
        data.op = table.cell(QslColName, r);
        data.via = table.cell(QslColVia, r);
        std::vector<int> drawn;
        for (int cur = r;;) {
            if (!DeletedSinceFill(table, cur)) {
                data.dates << table.cell(QslColDate, cur);
                data.times << table.cell(QslColUtc, cur);
                data.modes << table.cell(QslColMode, cur);
                data.bands << table.cell(QslColBand, cur);
                data.rsts << table.cell(QslColRst, cur);
                if (table.cell(QslColFlag, cur) == QStringLiteral("П")) data.status = QStringLiteral("П");
                drawn.push_back(cur);
            } else {
                table.setCell(QslColMark, cur, QString()); // a deleted QSO prints on no card
            }
            // The rest of a full card's chain keeps its marks: the next of
            // them heads a card of its own later in this run.
            if (data.qsoCount() >= perCard) break;
            const QString link = table.cell(QslColLink, cur).trimmed();
            bool ok = false;
            const int next = link.toInt(&ok);
            // Links only point forward; anything else (an edited cell) ends the chain.
            if (!ok || next <= cur || next > rows || table.cell(QslColMark, next) != QslMark) break;
            cur = next;
            table.setCell(QslColMark, cur, QString());
        }
        if (drawn.empty()) continue;
        if (data.status.isEmpty()) data.status = QStringLiteral("О");
        card.PrintOneCard(data);
        ++result.cards;
        result.drawnRows.insert(result.drawnRows.end(), drawn.begin(), drawn.end());
    }
    if (!canvas->end()) {
        const QString why = canvas->errorText();
        canvas->abort();
        RestoreMarks(table, saved);
        ShowErrorBox(why.isEmpty() ? QStringLiteral("Печать QSL не удалась") : why);
        return result;
    }
    result.ok = true;
    return result;
}

bool OfferSentMarking(QslTableModel &table, const QslPrintResult &result) {
    if (!result.ok || result.drawnRows.empty()) return false;
    const int answer = platform::dialogs().messageBox(
        QStringLiteral("Сохранение отметки"), QStringLiteral("Отметка необходима для статистики и исключения повторной отправки QSL"),
        MsgIcon::Question, MbYes | MbNo);
    if (answer != MbYes) return false;
    return !MarkPrintedQslsSent(table, result.drawnRows).written.empty();
}

// --- samples

void DrawQslFontPreview(PrintCanvas &c, const std::array<CardPartFont, 3> &fonts, const QString &nameLatin) {
    c.setPen(PrintPen{});
    c.setBrush(PrintBrush{BrushStyle::Solid, 0xFFFFFF});
    PrintPen none;
    none.style = PenStyle::None;
    c.setPen(none);
    c.rectangle(0, 0, 400, 100);
    c.setPen(PrintPen{});
    c.setBrush(PrintBrush{});
    c.rectangle(2, 2, 320, 62);
    for (int y : {17, 32, 47}) c.line(2, y, 320, y);
    for (int x : {85, 145, 205, 265}) c.line(x, 2, x, 62);
    PrintFont head;
    head.name = QStringLiteral("ms sans serif");
    head.size = 8;
    head.bold = true;
    c.setFont(head);
    const std::pair<int, const char *> headers[] = {{25, "Date"}, {100, "UTC"}, {160, "Mode"}, {220, "Mhz"}, {280, "RST"}};
    for (const auto &[x, t] : headers) c.text(x, 3, QString::fromLatin1(t));
    c.setFont(CardPartPrintFont(fonts[1], false));
    const std::pair<int, const char *> sample[] = {{15, "20.10.98"}, {95, "20:30"}, {160, "SSB"}, {210, "7.0 Mhz"}, {280, "57"}};
    for (const auto &[x, t] : sample) c.text(x, 18, QString::fromLatin1(t));
    c.setFont(CardPartPrintFont(fonts[2], false));
    c.text(4, 64, QStringLiteral("PSE TNX QSL    73! ") + nameLatin);
    PrintFont back;
    back.name = QStringLiteral("ms sans serif");
    back.size = 8;
    c.setFont(back);
}

std::vector<int> DrawStickerSheetPreview(PrintCanvas &c, int gap) {
    PrintPen none;
    none.style = PenStyle::None;
    c.setPen(none);
    c.setBrush(PrintBrush{BrushStyle::Solid, 0xFFFFFF});
    c.rectangle(0, 0, 241, 168);
    c.setPen(PrintPen{});
    c.setBrush(PrintBrush{});
    std::vector<int> tops;
    for (int bottom = 3; bottom < 400;) {
        const int top = bottom + gap / 21;
        bottom = top + 23;
        c.rectangle(5, top, 80, bottom);
        c.rectangle(88, top, 163, bottom);
        tops.push_back(top);
    }
    return tops;
}

} // namespace zelmor
