#include "logtools/reportprint.h"

#include "common/qsorecord.h"
#include "common/text.h"
#include "logtools/logsearch.h"
#include "logtools/searchsettings.h"
#include "platform/dialogs.h"

namespace zelmor {

namespace {
// Drawing in printing units on one canvas.
struct Page {
    PrintCanvas &c;
    const PrinterScale &s; // follows the scale each page head sets
    void text(int x, int y, const QString &t) { c.text(s.x(x), s.y(y), t); }
    void line(int x1, int y1, int x2, int y2) { c.line(s.x(x1), s.y(y1), s.x(x2), s.y(y2)); }
    void rect(int l, int t, int r, int b) { c.rectangle(s.x(l), s.y(t), s.x(r), s.y(b)); }
};

void SetFont(PrintCanvas &c, const QString &name, double size, bool bold, unsigned colour) {
    PrintFont f;
    f.name = name;
    f.size = size;
    f.bold = bold;
    f.colour = colour;
    c.setFont(f);
}

void SetPen(PrintCanvas &c, int width, PenStyle style, unsigned colour) {
    PrintPen p;
    p.width = width;
    p.style = style;
    p.colour = colour;
    c.setPen(p);
}

bool IsDeletedRow(const GridCell &cell, int row) { return cell(SearchDeleteMarkColumn, row) == DeleteMarkText; }
} // namespace

std::optional<ReportFont> ParseReportFont(const ReportFontText &stored, QString *error) {
    ReportFont f;
    if (!stored.name.isEmpty()) f.name = stored.name;
    if (!Trim(stored.size).isEmpty()) {
        const auto size = ParseInteger(stored.size);
        if (!size || *size <= 0 || *size > 500) {
            if (error) *error = QStringLiteral("Размер шрифта отчета не число: \"%1\"").arg(stored.size);
            return std::nullopt;
        }
        f.size = *size;
    }
    if (!Trim(stored.colour).isEmpty()) {
        bool ok = false;
        const qlonglong colour = Trim(stored.colour).toLongLong(&ok);
        if (!ok || colour < 0 || colour > 0xFFFFFFFFLL) {
            if (error) *error = QStringLiteral("Цвет шрифта отчета не число: \"%1\"").arg(stored.colour);
            return std::nullopt;
        }
        f.colour = unsigned(colour) & 0x00FFFFFFu;
    }
    return f;
}

PrinterScale InitPrinterScale(const PrintCanvas &canvas) { return PrinterScale::FromDpi(canvas.dpiX(), canvas.dpiY()); }

void DrawPrintTableFrame(PrintCanvas &canvas, const PrinterScale &scale, const ReportFont &font, const PrintTable &t,
                         int left, int top, int rows, int columns) {
    Page p{canvas, scale};
    SetFont(canvas, font.name, font.size + 2, false, font.colour);
    SetPen(canvas, 1, PenStyle::Solid, font.colour);
    canvas.setBrush(PrintBrush{});
    const int bottom = top + rows * 70 + 200;
    const int right = left + t.positions[size_t(columns - 1)];
    p.rect(left, top, right, bottom);
    p.text(left + 20, top + 10, t.first);
    for (int k = 0; k <= columns - 2 && k < t.headings.size(); ++k) p.text(left + t.positions[size_t(k)] + 20, top + 10, t.headings[k]);
    for (int k = 0; k < columns; ++k) p.line(left + t.positions[size_t(k)], top, left + t.positions[size_t(k)], bottom);
    bool first = true;
    for (int y = top + 200; y < bottom; y += 70) {
        SetPen(canvas, 1, first ? PenStyle::Solid : PenStyle::Dot, font.colour);
        p.line(left, y, right, y);
        first = false;
    }
    SetPen(canvas, 1, PenStyle::Solid, font.colour);
}

namespace {
const PrintTable Head1{QStringLiteral("№"),
                       {QStringLiteral("UTC"), QStringLiteral("Call"), QStringLiteral("Имя"), QStringLiteral("QTH"),
                        QStringLiteral("RST"), QStringLiteral("Страна"), QStringLiteral("WAZ"), QStringLiteral("ITU"),
                        QStringLiteral("Очки")},
                       {150, 380, 750, 1200, 1600, 1750, 2200, 2350, 2500, 2700}};
const PrintTable Head2{QStringLiteral("№"),
                       {QStringLiteral("UTC"), QStringLiteral("Call"), QStringLiteral("Date"), QStringLiteral("band"),
                        QStringLiteral("RST"), QStringLiteral("Mode"), QStringLiteral("Name"), QStringLiteral("QTH"),
                        QStringLiteral("Очки")},
                       {150, 380, 750, 1050, 1350, 1550, 1750, 2100, 2500, 2700}};

// The listings' page head; leaves the row font and pen in force.
PrinterScale ListingHead(PrintCanvas &c, int format, const ReportFont &font, const ReportHead &head) {
    const PrinterScale s = InitPrinterScale(c);
    Page p{c, s};
    DrawPrintTableFrame(c, s, font, format == 1 ? Head1 : Head2, 100, 200, 50, 10);
    SetFont(c, font.name, font.size + 5, false, font.colour);
    p.text(150, 50, QStringLiteral("Распечатка QSOs р.с.") + head.ownCall + QStringLiteral(" Файл-") + head.logPath);
    SetFont(c, font.name, font.size - 3, false, font.colour);
    p.text(100, 3920, QStringLiteral("Print: \"") + head.launcherCaption + u'"');
    SetFont(c, font.name, font.size, false, font.colour);
    SetPen(c, 2, PenStyle::Solid, font.colour);
    return s;
}

QString OneLine(QString text) {
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}
} // namespace

void DrawQsoListing(PrintCanvas &c, int format, const ReportFont &font, const ReportHead &head, const GridCell &cell) {
    PrinterScale s = ListingHead(c, format, font, head);
    int y = 408;
    QString lastGroup, lastCountry;
    bool haveGroup = false, haveCountry = false;
    auto newPage = [&] {
        c.newPage();
        s = ListingHead(c, format, font, head);
        y = 408;
        haveGroup = haveCountry = false;
    };
    Page p{c, s};
    for (int row = 1; !cell(0, row).isEmpty(); ++row) {
        if (IsDeletedRow(cell, row)) continue;
        if (y > 3900) newPage();
        if (format == 1) {
            const QString group = cell(4, row) + QStringLiteral(" --- ") + cell(6, row) + QStringLiteral(" --- ") + cell(7, row);
            if (!haveGroup || group != lastGroup) {
                if (y > 3820) newPage();
                lastGroup = group;
                haveGroup = true;
                p.rect(100, y - 10, 2800, y + 60);
                c.setBold(true);
                p.text(1000, y, group);
                c.setBold(false);
                y += 70;
                haveCountry = false;
            }
            p.text(120, y, cell(0, row));
            p.text(270, y, cell(5, row));
            p.text(500, y, cell(1, row));
            p.text(870, y, cell(2, row));
            p.text(1320, y, cell(3, row));
            p.text(1720, y, cell(8, row));
            const QString country = cell(14, row);
            if (!haveCountry || country != lastCountry) {
                p.text(1870, y, country);
                lastCountry = country;
                haveCountry = true;
            }
            p.text(2320, y, cell(12, row));
            p.text(2470, y, cell(13, row));
            p.text(2620, y, cell(10, row));
            y += 70;
        } else {
            p.text(120, y, cell(0, row));
            p.text(270, y, cell(5, row));
            p.text(500, y, cell(1, row));
            p.text(870, y, cell(4, row));
            p.text(1170, y, cell(6, row));
            p.text(1470, y, cell(8, row));
            p.text(1670, y, cell(7, row));
            p.text(1870, y, cell(2, row));
            p.text(2250, y, cell(3, row));
            if (format == 3) {
                p.text(120, y + 70, OneLine(cell(11, row)));
                y += 140;
            } else {
                y += 70;
            }
        }
    }
}

namespace {
const PrintTable ApplicationTable{QStringLiteral("№"),
                                  {QStringLiteral("Call"), QStringLiteral("Date"), QStringLiteral("UTC"),
                                   QStringLiteral("Band"), QStringLiteral("RST"), QStringLiteral("Points"),
                                   QStringLiteral("Remarc")},
                                  {200, 700, 1000, 1300, 1600, 1900, 2100, 2700}};
const PrintTable AwardTable{QStringLiteral("№ п.п"),
                            {QStringLiteral("Call"), QStringLiteral("Date"), QStringLiteral("UTC"), QStringLiteral("Band"),
                             QStringLiteral("RST"), QStringLiteral("Очки"), QStringLiteral("Remarc")},
                            {200, 700, 1000, 1300, 1600, 1900, 2100, 2700}};
const QString Dots = QStringLiteral("........................");
} // namespace

PrinterScale DrawApplicationPage(PrintCanvas &c, const ReportFont &font, const ReportHead &head) {
    const PrinterScale s = InitPrinterScale(c);
    Page p{c, s};
    const int r = font.size;
    SetPen(c, 1, PenStyle::Solid, font.colour);
    SetFont(c, font.name, r + 6, false, font.colour);
    p.text(1200, 100, QStringLiteral("APPLICATION"));
    SetFont(c, font.name, r + 12, true, font.colour);
    p.text(800, 200, QStringLiteral(" \"") + head.awardName + QStringLiteral("\" "));
    SetFont(c, font.name, r + 3, false, font.colour);
    p.text(300, 400, QStringLiteral("Call"));
    SetFont(c, font.name, r + 7, false, font.colour);
    p.text(500, 370, head.ownCall + QStringLiteral("        ") + head.nameLatin);
    SetFont(c, font.name, r + 1, false, font.colour);
    p.text(300, 3650, QStringLiteral("  ") + Dots + QStringLiteral("  ") + head.ownCall + QStringLiteral("  ") + head.nameLatin);
    p.text(300, 3800, QStringLiteral("  ") + Dots + QStringLiteral("  ") + head.certifier);
    p.text(1800, 3800, QStringLiteral("Date .........................."));
    SetFont(c, font.name, r - 3, false, font.colour);
    p.text(2400, 3900, QStringLiteral("print ") + head.launcherCaption);
    DrawPrintTableFrame(c, s, font, ApplicationTable, 100, 600, 40, 8);
    return s;
}

namespace {

PrinterScale AwardPage(PrintCanvas &c, const ReportFont &font, const ReportHead &head) {
    const PrinterScale s = InitPrinterScale(c);
    Page p{c, s};
    const QString &face = head.applicationFont;
    SetPen(c, 1, PenStyle::Solid, font.colour);
    SetFont(c, face, 16, false, font.colour);
    p.text(1200, 100, QStringLiteral("Заявка на диплом."));
    SetFont(c, face, 22, true, font.colour);
    p.text(800, 200, QStringLiteral("\" ") + head.awardName + QStringLiteral(" \""));
    SetFont(c, face, 12, false, font.colour);
    p.text(300, 400, QStringLiteral("Call"));
    SetFont(c, face, 16, false, font.colour);
    p.text(500, 370, head.ownCall + QStringLiteral("        ") + head.nameCyrillic);
    SetFont(c, face, 10, false, font.colour);
    p.text(300, 500, QStringLiteral("Адрес: ") + head.address);
    p.text(300, 3650, QStringLiteral("Подпись :  ") + Dots + head.ownCall + QStringLiteral("  ") + head.nameCyrillic);
    p.text(300, 3800, QStringLiteral("Подпись :  ") + Dots + head.certifier);
    SetFont(c, face, 6, false, font.colour);
    p.text(2400, 3900, QStringLiteral("print ") + head.launcherCaption);
    DrawPrintTableFrame(c, s, font, AwardTable, 100, 600, 40, 8);
    return s;
}
} // namespace

void DrawApplicationForm(PrintCanvas &c, const ReportFont &font, const ReportHead &head, const GridCell &cell) {
    PrinterScale s = DrawApplicationPage(c, font, head);
    c.setFontSize(9);
    int onPage = 0, printed = 0;
    Page p{c, s};
    for (int row = 1; !cell(0, row).isEmpty(); ++row) {
        if (IsDeletedRow(cell, row)) continue;
        if (onPage == 40) {
            c.newPage();
            s = DrawApplicationPage(c, font, head);
            c.setFontSize(9);
            onPage = 0;
        }
        const int y = 810 + 70 * onPage;
        ++printed;
        p.text(140, y, QString::number(printed));
        p.text(340, y, cell(1, row));
        p.text(840, y, cell(4, row));
        p.text(1140, y, cell(5, row));
        p.text(1440, y, cell(6, row));
        p.text(1740, y, cell(8, row));
        p.text(2040, y, cell(9, row));
        ++onPage;
    }
}

void DrawAwardApplication(PrintCanvas &c, const ReportFont &font, const ReportHead &head, const GridCell &cell,
                          int lastColumn) {
    PrinterScale s = AwardPage(c, font, head);
    c.setFontSize(9);
    int y = 810, lines = 1;
    Page p{c, s};
    for (int row = 1; !cell(0, row).isEmpty(); ++row) {
        if (lines > 40) {
            c.newPage();
            s = AwardPage(c, font, head);
            c.setFontSize(9);
            y = 810;
            lines = 1;
        }
        p.text(140, y, cell(0, row));
        for (int col = 1; col <= lastColumn && col - 1 < int(AwardTable.positions.size()); ++col)
            p.text(140 + AwardTable.positions[size_t(col - 1)], y, cell(col, row));
        ++lines;
        y += 70;
    }
}

namespace {
bool RunJob(const QString &jobName, const std::function<void(PrintCanvas &, const ReportFont &)> &draw) {
    QString error;
    const auto font = ParseReportFont(ReadReportFont(), &error);
    if (!font) {
        ShowErrorBox(error);
        return false;
    }
    auto canvas = platform::printer().startJob(jobName);
    if (!canvas) return false;
    draw(*canvas, *font);
    if (!canvas->end()) {
        ShowErrorBox(canvas->errorText());
        return false;
    }
    return true;
}
} // namespace

bool PrintQsoListing1(const GridCell &cell, const ReportHead &head) {
    return RunJob(QStringLiteral("listing1"), [&](PrintCanvas &c, const ReportFont &f) { DrawQsoListing(c, 1, f, head, cell); });
}
bool PrintQsoListing2(const GridCell &cell, const ReportHead &head) {
    return RunJob(QStringLiteral("listing2"), [&](PrintCanvas &c, const ReportFont &f) { DrawQsoListing(c, 2, f, head, cell); });
}
bool PrintQsoListing3(const GridCell &cell, const ReportHead &head) {
    return RunJob(QStringLiteral("listing3"), [&](PrintCanvas &c, const ReportFont &f) { DrawQsoListing(c, 3, f, head, cell); });
}
bool PrintApplicationForm(const GridCell &cell, const ReportHead &head) {
    return RunJob(QStringLiteral("application"),
                  [&](PrintCanvas &c, const ReportFont &f) { DrawApplicationForm(c, f, head, cell); });
}
bool awardred(const GridCell &cell, const ReportHead &head, int lastColumn) {
    return RunJob(QStringLiteral("award"),
                  [&](PrintCanvas &c, const ReportFont &f) { DrawAwardApplication(c, f, head, cell, lastColumn); });
}

} // namespace zelmor
