#include "logtools/foreignlogs.h"

#include "common/codepage.h"
#include "common/dbase.h"
#include "common/logdate.h"
#include "logtools/cp1251bytes.h"

#include <cstring>

namespace zelmor {

namespace {

using namespace ImportColumn;
inline unsigned char U(char c) { return static_cast<unsigned char>(c); }

// ---- Band tables -------------------------------------------------------------

// One entry of a format's band table: the text, compared whole or as the
// beginning of the band text, and the log band it gives.
struct BandEntry {
    const char *text;
    bool prefix;
    int band;
};
using namespace BandIndex;

template <size_t N>
int FindBand(QByteArrayView t, const BandEntry (&table)[N]) {
    for (const BandEntry &e : table) {
        const QByteArrayView text(e.text);
        if (e.prefix ? t.startsWith(text) : t == text) return e.band;
    }
    return -1;
}

// The band cell: the VHF rule, then the format's table; `asRead` keeps a
// text the table does not know.
template <size_t N>
QByteArray BandCell(QByteArrayView t, const BandEntry (&table)[N], bool asRead) {
    t = TrimBytes(t);
    if (QByteArray vhf = VhfBand(t); !vhf.isEmpty()) return vhf;
    if (const int b = FindBand(t, table); b >= 0) return LogBand(b);
    return asRead ? t.toByteArray() : QByteArray();
}

const BandEntry Mixw2Bands[] = {{"14", true, B20}, {"21", true, B15}, {"28", true, B10}};
const BandEntry AalogBands[] = {{"1.8", false, B160}, {"3.5", false, B80}, {"7", false, B40},
                                {"10", false, B30},   {"14", false, B20},  {"18", false, B17},
                                {"21", false, B15},   {"24", false, B12},  {"28", false, B10}};
const BandEntry SwislogBands[] = {{"1.", true, B160}, {"3.", true, B80},  {"7", true, B40},  {"10", true, B30},
                                  {"14", true, B20},  {"18", true, B17},  {"21", true, B15}, {"24", true, B12},
                                  {"28", true, B10},  {"29", true, B10}};
const BandEntry LogplusBands[] = {{"3", true, B80},  {"7", true, B40},  {"1.", true, B160}, {"10", true, B30},
                                  {"14", true, B20}, {"18", true, B17}, {"21", true, B15},  {"24", true, B12},
                                  {"28", true, B10}, {"29", true, B10}};
const BandEntry Qz5wwBands[] = {{"1.8 MHZ", false, B160}, {"3.5 MHZ", false, B80}, {"7 MHZ", false, B40},
                                {"10 MHZ", false, B30},   {"14 MHZ", false, B20},  {"18 MHZ", false, B17},
                                {"21 MHZ", false, B15},   {"24 MHZ", false, B12},  {"28 MHZ", false, B10}};
const BandEntry Qz4wBands[] = {{"160", false, B160}, {"80", false, B80}, {"40", false, B40},
                               {"20", false, B20},   {"15", false, B15}, {"10", false, B10}};
const BandEntry LogEqfBands[] = {
    {"1.9", true, B160}, {"1.8", true, B160}, {"01.", true, B160}, {"03.", true, B80}, {"3.5", true, B80},
    {"3.6", true, B80},  {"01", true, B160},  {"1.", true, B160},  {"03", true, B80},  {"3.", true, B80},
    {"7.", true, B40},   {"07", true, B40},   {"10", true, B30},   {"14", true, B20},  {"18", true, B17},
    {"21", true, B15},   {"24", true, B12},   {"28", true, B10},   {"29", true, B10}};
const BandEntry CommasBands[] = {{"7", true, B40},  {"3", true, B80},  {"1.", true, B160}, {"10", true, B30},
                                 {"14", true, B20}, {"18", true, B17}, {"21", true, B15},  {"24", true, B12},
                                 {"28", true, B10}};

QByteArray PskMode(QByteArrayView m) {
    m = TrimBytes(m);
    if (m == "BPSK31" || m == "QPSK31") return "PSK";
    return m.toByteArray();
}
QByteArray SsbMode(QByteArrayView m) {
    m = TrimBytes(m);
    if (m == "USB" || m == "LSB") return "SSB";
    return m.toByteArray();
}

// "hh:mm" from two pairs of characters.
QByteArray TimeText(QByteArrayView hh, QByteArrayView mm) {
    QByteArray t;
    t.reserve(5);
    t.append(hh.data(), hh.size());
    t.append(':');
    t.append(mm.data(), mm.size());
    return t;
}

// yyyymmdd as "dd.mm.yyyy"; empty when it is no date.
QByteArray DateOfYmd(QByteArrayView v) {
    if (v.size() < 8) return {};
    const int y = DigitsValue(v.first(4)), m = DigitsValue(v.sliced(4, 2)), d = DigitsValue(v.sliced(6, 2));
    if (y < 0 || m < 0 || d < 0) return {};
    return LogDateText(d, m, y);
}

// ---- Text formats ------------------------------------------------------------

// Runs `line` over every line after `skip` header lines; it returns an error
// text to stop. A line with control bytes stops the reading.
template <class Fn>
void ForEachLine(const char *format, QByteArrayView bytes, int skip, ForeignImportResult &r,
                 const ImportProgress &progress, Fn &&line) {
    LineSplitter lines(bytes);
    ProgressTicker ticker(progress, bytes.size());
    QByteArrayView l;
    while (lines.next(l)) {
        ticker.tick(lines.position());
        if (lines.lineNumber() <= skip) continue;
        if (HasControlBytes(l)) {
            r.error = LineError(format, lines.lineNumber(), QStringLiteral("не текст"));
            r.errorAt = lines.lineNumber();
            return;
        }
        const QString e = line(l, lines);
        if (!e.isEmpty()) {
            r.error = LineError(format, lines.lineNumber(), e);
            r.errorAt = lines.lineNumber();
            return;
        }
    }
}

void NoQsoCheck(const char *format, ForeignImportResult &r) {
    if (r.rows == 0 && r.error.isEmpty()) r.error = QStringLiteral("%1: в файле нет QSO").arg(QLatin1String(format));
}

QString CodePageName(bool dos) { return dos ? QStringLiteral("cp866") : QStringLiteral("cp1251"); }

constexpr int Mixw2Fields = 22;

// Splits at ';' into at most `max` fields; returns how many the line has.
int SplitFields(QByteArrayView line, char sep, QByteArrayView *fields, int max) {
    int n = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == sep) {
            if (n < max) fields[n] = line.sliced(start, i - start);
            ++n;
            start = i + 1;
        }
    }
    for (int k = n; k < max; ++k) fields[k] = {};
    return n;
}

} // namespace

// ---- MixW2 -----------------------------------------------------------------

void ParseMixw2Line(QByteArrayView line, ForeignRowBuilder &row) {
    QByteArrayView f[Mixw2Fields];
    SplitFields(line, ';', f, Mixw2Fields);
    row.begin();
    row.set(Call, f[1]);
    const QByteArrayView when = TrimBytes(f[2]);
    row.setDate(DateOfYmd(when));
    if (!when.isEmpty()) row.set(Time, TimeText(Columns(when, 9, 10), Columns(when, 11, 12)));
    const QByteArrayView freq = TrimBytes(f[6]);
    qsizetype whole = 0;
    while (whole < freq.size() && freq[whole] >= '0' && freq[whole] <= '9') ++whole;
    // A VHF frequency in kHz has six digits or more: its first five would be
    // a different frequency.
    row.set(Frequency, whole >= 6 ? freq.first(whole) : FirstBytes(freq, 5));
    row.setRaw(Band, BandCell(freq, Mixw2Bands, false));
    row.setRaw(Mode, PskMode(f[9]));
    row.set(RstReceived, f[10]);
    row.set(RstSent, f[11]);
    row.set(Name, f[14]);
    row.set(Qth, f[15]);
    row.set(Info, f[16]);
    row.set(Via, f[18]);
    row.set(Iota, FirstBytes(TrimBytes(f[20]), 5));
    row.set(Locator, FirstBytes(TrimBytes(f[21]), 6));
    row.setRaw(Qsl, QslWord::ToSend());
}

ForeignImportResult ReadMixw2Log(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress) {
    ForeignImportResult r;
    ForeignRowBuilder row(tables, rows, r);
    ForEachLine("MixW2", bytes, 0, r, progress, [&](QByteArrayView line, const LineSplitter &lines) -> QString {
        if (!lines.closed()) {
            qsizetype n = 1;
            for (char c : line) n += c == ';';
            if (n < Mixw2Fields && !TrimBytes(line).isEmpty()) return QStringLiteral("строка обрезана");
        }
        ParseMixw2Line(line, row);
        row.finish();
        return {};
    });
    NoQsoCheck("MixW2", r);
    return r;
}

// ---- AALOG -----------------------------------------------------------------

ForeignImportResult ReadAalogLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress) {
    ForeignImportResult r;
    const bool dos = LooksLikeCp866(bytes);
    r.codePage = CodePageName(dos);
    ForeignRowBuilder row(tables, rows, r);
    ForEachLine("AALOG", bytes, 2, r, progress, [&](QByteArrayView line, const LineSplitter &) -> QString {
        row.begin();
        const QByteArrayView date = TrimBytes(Columns(line, 1, 8));
        row.setDate(LogDateNumber(date) ? date.toByteArray() : QByteArray());
        row.set(Time, Columns(line, 10, 14), dos);
        row.set(Call, Columns(line, 16, 27), dos);
        QByteArray figure = TrimBytes(Columns(line, 29, 31)).toByteArray();
        if (const qsizetype comma = figure.indexOf(','); comma >= 0) figure[comma] = '.';
        if (figure.endsWith('.')) figure.chop(1);
        row.setRaw(Band, BandCell(figure, AalogBands, true));
        row.set(Mode, Columns(line, 35, 41), dos);
        row.set(RstReceived, Columns(line, 45, 47), dos);
        row.set(RstSent, Columns(line, 56, 58), dos);
        row.set(Name, Columns(line, 69, 78), dos);
        row.set(Qth, Columns(line, 80, 99), dos);
        QByteArray marks = TrimBytes(Columns(line, 101, 101)).toByteArray() + TrimBytes(Columns(line, 103, 103)).toByteArray();
        if (marks == "--") row.setRaw(Qsl, QslWord::ToSend());
        else if (marks == "+-") row.setRaw(Qsl, QslWord::Sent());
        else if (marks == "++") row.setRaw(Qsl, QslWord::SentAndReceived());
        else if (marks == "-+") row.setRaw(Qsl, QslWord::Received());
        else row.set(Qsl, marks, dos);
        row.finish();
        return {};
    });
    NoQsoCheck("AALOG", r);
    return r;
}

// ---- QZ4W ------------------------------------------------------------------

ForeignImportResult ReadQz4wLogDat(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress) {
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    ForeignImportResult r;
    const bool dos = LooksLikeCp866(bytes);
    r.codePage = CodePageName(dos);
    ForeignRowBuilder row(tables, rows, r);
    ForEachLine("QZ4W", bytes, 0, r, progress, [&](QByteArrayView line, const LineSplitter &) -> QString {
        if (line.contains("Band") || line.contains("---") || line.size() < 26) return {};
        row.begin();
        row.set(Call, Columns(line, 30, 41), dos);
        if (row.get(Call).isEmpty()) return {};
        row.setRaw(Band, BandCell(Columns(line, 1, 3), Qz4wBands, true));
        row.set(Mode, Columns(line, 4, 6), dos);
        // dd-Mon-yy
        const QByteArrayView date = TrimBytes(Columns(line, 8, 16));
        const QByteArrayView yy = date.size() >= 9 ? date.sliced(7, 2) : QByteArrayView();
        const int year = DigitsValue(TrimBytes(yy));
        if (year < 0) return QStringLiteral("год не число");
        int month = 0;
        if (date.size() >= 6)
            for (int m = 0; m < 12 && !month; ++m)
                if (date.sliced(3, 3) == QByteArrayView(months[m])) month = m + 1;
        const int day = date.size() >= 2 ? DigitsValue(date.first(2)) : -1;
        row.setDate(month && day >= 0 && date.size() == 9 ? LogDateText(day, month, ExpandTwoDigitYear(year))
                                                          : QByteArray());
        row.set(Time, Columns(line, 18, 22), dos);
        row.set(RstReceived, Columns(line, 44, 47), dos);
        row.set(RstSent, Columns(line, 49, 52), dos);
        row.setRaw(Qsl, QslWord::ToSend());
        row.finish();
        return {};
    });
    NoQsoCheck("QZ4W", r);
    return r;
}

// ---- LOG-EQF .log ------------------------------------------------------------

ForeignImportResult ReadLogEqfLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                  const ImportProgress &progress) {
    ForeignImportResult r;
    const bool dos = LooksLikeCp866(bytes);
    r.codePage = CodePageName(dos);
    ForeignRowBuilder row(tables, rows, r);
    ForEachLine("LOG-EQF", bytes, 1, r, progress, [&](QByteArrayView line, const LineSplitter &) -> QString {
        row.begin();
        row.setDate(DateOfYmd(Columns(line, 1, 8)));
        const QByteArrayView hhmm = Columns(line, 9, 12);
        if (!TrimBytes(hhmm).isEmpty()) row.set(Time, TimeText(Columns(hhmm, 1, 2), Columns(hhmm, 3, 4)));
        row.set(Call, Columns(line, 21, 32), dos);
        row.set(Name, Columns(line, 33, 57), dos);
        row.set(Qth, Columns(line, 58, 82), dos);
        row.set(RstReceived, Columns(line, 167, 172), dos);
        row.set(RstSent, Columns(line, 177, 182), dos);
        const QByteArrayView freq = TrimBytes(Columns(line, 187, 194));
        if (freq.size() > 3) row.set(Frequency, freq);
        row.setRaw(Band, BandCell(freq, LogEqfBands, true));
        row.setRaw(Mode, SsbMode(Columns(line, 196, 199)));
        row.set(Info, Columns(line, 221, 268), dos);
        row.finish();
        return {};
    });
    NoQsoCheck("LOG-EQF", r);
    return r;
}

// ---- LOG-EQF commas ----------------------------------------------------------

ForeignImportResult ReadLogEqfCommas(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                     const ImportProgress &progress) {
    ForeignImportResult r;
    ForeignRowBuilder row(tables, rows, r);
    constexpr int Max = 20; // fields from 20 on are not read
    ForEachLine("LOG-EQF", bytes, 0, r, progress, [&](QByteArrayView rawLine, const LineSplitter &) -> QString {
        const QByteArrayView line = TrimBytes(rawLine);
        if (line.isEmpty()) return {};
        QByteArrayView f[Max];
        const int count = SplitFields(line, ',', f, Max);
        const auto clean = [](QByteArrayView v, bool dots) {
            QByteArray t;
            t.reserve(v.size());
            for (char c : v) {
                if (c == '_') continue;
                t.append(dots && c == '-' ? '.' : c);
            }
            return t;
        };
        row.begin();
        row.set(Call, clean(f[0], false), true);
        row.setRaw(Name, CapitaliseLatin(TrimBytes(OemToChar(clean(f[1], false)))));
        row.setRaw(Qth, CapitaliseLatin(TrimBytes(OemToChar(clean(f[2], false)))));
        // mm.dd.yy
        const QByteArray date = TrimBytes(clean(f[4], true)).toByteArray();
        QByteArray dateCell;
        if (date.size() == 8 && date[2] == '.' && date[5] == '.') {
            const int m = DigitsValue(QByteArrayView(date).first(2)), d = DigitsValue(QByteArrayView(date).sliced(3, 2)),
                      y = DigitsValue(QByteArrayView(date).sliced(6, 2));
            if (m >= 0 && d >= 0 && y >= 0) dateCell = LogDateText(d, m, ExpandTwoDigitYear(y));
        }
        row.setDate(dateCell);
        row.set(Time, FirstBytes(TrimBytes(clean(f[5], true)), 5));
        row.setRaw(Band, BandCell(clean(f[7], true), CommasBands, true));
        row.setRaw(Mode, SsbMode(clean(f[8], false)));
        row.set(RstReceived, clean(f[9], false), true);
        row.set(RstSent, clean(f[10], false), true);
        const QByteArrayView qsl = TrimBytes(f[12]);
        if (qsl.isEmpty()) row.setRaw(Qsl, QslWord::NotToSend());
        else if (qsl == "S" || qsl == "M" || qsl == "D") row.setRaw(Qsl, QslWord::Sent());
        else if (qsl == "R") row.setRaw(Qsl, QslWord::Received());
        else if (qsl == "X") row.setRaw(Qsl, QslWord::SentAndReceived());
        else if (qsl == "A" || qsl == "I" || qsl == "P") row.setRaw(Qsl, QslWord::ToSend());
        else row.set(Qsl, clean(qsl, false));

        // The remark and what follows it: pieces separated by '_' join INFO
        // by one blank; the piece that ends the line is the locator; a piece
        // closed by ',' goes to the column of its field.
        QByteArray info;
        const auto addInfo = [&](QByteArrayView piece) {
            piece = TrimBytes(piece);
            if (piece.isEmpty()) return;
            if (!info.isEmpty()) info.append(' ');
            info.append(piece.data(), piece.size());
        };
        const int last = qMin(count, Max) - 1;
        for (int k = 13; k <= last; ++k) {
            const QByteArrayView field = f[k];
            const qsizetype us = field.lastIndexOf('_');
            QByteArrayView before = us >= 0 ? field.first(us) : QByteArrayView();
            const QByteArrayView tail = us >= 0 ? field.sliced(us + 1) : field;
            for (qsizetype s = 0; !before.isEmpty();) {
                const qsizetype next = before.indexOf('_', s);
                addInfo(next < 0 ? before.sliced(s) : before.sliced(s, next - s));
                if (next < 0) break;
                s = next + 1;
            }
            const bool closed = k < count - 1;
            if (!closed) {
                row.set(Locator, tail);
                break;
            }
            switch (k) {
            case 13:
            case 15: addInfo(tail); break;
            case 14: row.set(Points, tail); break;
            case 16: row.set(Locator, tail); break;
            case 17: row.set(Iota, tail); break;
            case 18: row.set(Via, tail); break;
            case 19: row.set(Frequency, tail); break;
            }
        }
        row.set(Info, info);
        row.finish();
        return {};
    });
    NoQsoCheck("LOG-EQF", r);
    return r;
}

// ---- SWISLOG ---------------------------------------------------------------

namespace {

// A string of one length byte and that many characters, clamped to `room`.
QByteArrayView PascalString(const char *block, int offset, int room) {
    int n = U(block[offset]);
    if (n > room) n = room;
    return QByteArrayView(block + offset + 1, n);
}

bool HasControl(QByteArrayView v) {
    for (char c : v)
        if (U(c) < 32) return true;
    return false;
}

QByteArray TwoDigits(int v) {
    QByteArray t = QByteArray::number(v);
    if (t.size() < 2) t.prepend('0');
    return t;
}

} // namespace

ForeignImportResult ReadSwislogDat(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress) {
    constexpr int Block = 128;
    ForeignImportResult r;
    if (bytes.size() < Block) {
        r.error = QStringLiteral("SWISLOG: не файл SWISLOG");
        return r;
    }
    ForeignRowBuilder row(tables, rows, r);
    ProgressTicker ticker(progress, bytes.size());
    const qint64 blocks = (bytes.size() - Block) / Block;
    for (qint64 i = 0; i < blocks; ++i) {
        const char *b = bytes.data() + Block + i * Block;
        const qint64 number = i + 1;
        ticker.tick(Block + i * Block);
        const int callLength = U(b[0]);
        const QByteArrayView call(b + 1, qMin(callLength, 13));
        if (callLength > 13 || HasControl(call)) {
            r.error = RecordError("SWISLOG", number, QStringLiteral("не QSO"));
            r.errorAt = number;
            return r;
        }
        row.begin();
        row.set(Call, call);
        const unsigned w = U(b[14]) | (U(b[15]) << 8);
        const int day = int(w & 31), month = int((w >> 5) & 15), yy = int(w >> 9);
        const int year = yy >= 100 ? 1900 + yy : (yy >= 40 ? 1900 : 2000) + yy;
        row.setDate(LogDateText(day, month, year));
        int hour = U(b[17]) & 31;
        if (hour >= 24) hour -= 8;
        row.setRaw(Time, TwoDigits(hour) + ':' + TwoDigits(U(b[16])));
        const QByteArray nameQth = OemToChar(PascalString(b, 22, 25));
        const qsizetype blank = nameQth.indexOf(' ');
        row.set(Name, blank < 0 ? QByteArrayView(nameQth) : QByteArrayView(nameQth).first(blank));
        if (blank >= 0) row.set(Qth, QByteArrayView(nameQth).sliced(blank + 1));
        row.set(RstReceived, PascalString(b, 48, 7));
        row.set(RstSent, PascalString(b, 56, 7));
        const QByteArrayView band = TrimBytes(PascalString(b, 64, 5));
        QByteArray bandCell = BandCell(band, SwislogBands, false);
        if (bandCell.isEmpty()) bandCell = FirstBytes(band, 2).toByteArray();
        row.set(Band, bandCell);
        row.set(Mode, PascalString(b, 70, 5));
        const bool sent = b[76] == 'Y', received = b[77] == 'Y';
        row.setRaw(Qsl, sent && received ? QslWord::SentAndReceived()
                        : sent           ? QslWord::Sent()
                        : received       ? QslWord::Received()
                                         : QslWord::NotToSend());
        row.set(Locator, PascalString(b, 78, 10), true);
        row.set(Info, PascalString(b, 89, 38), true);
        row.finish();
    }
    if (const qint64 rest = (bytes.size() - Block) % Block) {
        r.errorAt = blocks + 1;
        r.error = RecordError("SWISLOG", r.errorAt, QStringLiteral("файл обрезан (%1 байт из %2)").arg(rest).arg(Block));
        return r;
    }
    NoQsoCheck("SWISLOG", r);
    return r;
}

// ---- QZ5WW -------------------------------------------------------------------

ForeignImportResult ReadQz5wwLog(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                 const ImportProgress &progress) {
    constexpr int Size = 78;
    ForeignImportResult r;
    ForeignRowBuilder row(tables, rows, r);
    ProgressTicker ticker(progress, bytes.size());
    const qint64 records = bytes.size() / Size;
    for (qint64 i = 0; i < records; ++i) {
        const QByteArrayView rec = bytes.sliced(i * Size, Size);
        const qint64 number = i + 1;
        ticker.tick(i * Size);
        if (HasControl(Columns(rec, 1, 22))) {
            r.error = RecordError("QZ5WW", number, QStringLiteral("не QSO"));
            r.errorAt = number;
            return r;
        }
        row.begin();
        row.set(Call, Columns(rec, 11, 22));
        if (row.get(Call).isEmpty()) continue; // the next record takes its row
        const int yy = DigitsValue(Columns(rec, 1, 2)), mm = DigitsValue(Columns(rec, 3, 4)),
                  dd = DigitsValue(Columns(rec, 5, 6));
        row.setDate(yy >= 0 && mm >= 0 && dd >= 0 ? LogDateText(dd, mm, ExpandTwoDigitYear(yy)) : QByteArray());
        row.set(Time, TimeText(Columns(rec, 7, 8), Columns(rec, 9, 10)));
        row.set(RstReceived, Columns(rec, 23, 25));
        row.set(RstSent, Columns(rec, 26, 28));
        row.setRaw(Band, BandCell(Columns(rec, 29, 35), Qz5wwBands, true));
        row.set(Mode, Columns(rec, 36, 38));
        // Name, QTH and the rest, separated by ','.
        const QByteArray text = OemToChar(Columns(rec, 40, 77));
        const qsizetype c1 = text.indexOf(',');
        const qsizetype c2 = c1 < 0 ? -1 : text.indexOf(',', c1 + 1);
        const QByteArrayView t(text);
        if (c1 < 0) {
            row.set(Name, t);
        } else {
            row.set(Name, t.first(c1));
            if (c2 < 0) {
                row.set(Qth, t.sliced(c1 + 1));
            } else {
                row.set(Qth, t.sliced(c1 + 1, c2 - c1 - 1));
                row.set(Info, t.sliced(c2 + 1));
            }
        }
        row.finish();
    }
    if (const qint64 rest = bytes.size() % Size) {
        r.errorAt = records + 1;
        r.error = RecordError("QZ5WW", r.errorAt, QStringLiteral("файл обрезан (%1 байт из %2)").arg(rest).arg(Size));
        return r;
    }
    NoQsoCheck("QZ5WW", r);
    return r;
}

// ---- LOGPLUS -----------------------------------------------------------------

namespace {
// The bytes from '!' up: blanks and control characters dropped.
QByteArray Visible(QByteArrayView v) {
    QByteArray out;
    out.reserve(v.size());
    for (char c : v)
        if (U(c) >= 33) out.append(c);
    return out;
}
} // namespace

ForeignImportResult ReadLogplusDbf(QByteArrayView bytes, const RowCountryTables &tables, ImportRowStore &rows,
                                   const ImportProgress &progress) {
    ForeignImportResult r;
    const DbaseReader db(bytes);
    if (!db.ok()) {
        r.error = QStringLiteral("LOGPLUS: не файл dBASE (%1)").arg(db.error());
        return r;
    }
    const bool dos = LooksLikeCp866(bytes.sliced(db.headerLength()));
    r.codePage = CodePageName(dos);
    ForeignRowBuilder row(tables, rows, r);
    ProgressTicker ticker(progress, db.count());
    QByteArray date, time, band, mode; // repeated from the record before
    const auto conv = [dos](QByteArrayView v) { return dos ? OemToChar(v) : v.toByteArray(); };
    for (qint64 i = 0; i < db.count(); ++i) {
        ticker.tick(i);
        const qint64 number = i + 1;
        const char flag = db.flag(i);
        if (flag == '*') {
            ++r.deleted;
            continue;
        }
        if (flag != ' ') {
            r.error = RecordError("LOGPLUS", number, QStringLiteral("не запись dBASE"));
            r.errorAt = number;
            return r;
        }
        const QByteArrayView d = db.data(i);
        const auto at = [&](int from, int to) { return Columns(d, from + 1, to + 1); };
        row.begin();
        const QByteArray ymd = Visible(at(0, 7));
        bool dateGiven = false;
        if (ymd.size() == 8) {
            date = DateOfYmd(ymd);
            dateGiven = true;
        }
        row.setDate(date, dateGiven || date.isEmpty());
        const QByteArray t = Visible(at(8, 12));
        if (t != ":") time = t;
        row.setRaw(Time, time);
        row.setRaw(Call, conv(Visible(at(23, 35))));
        const QByteArray b = Visible(at(36, 37));
        if (!b.isEmpty()) band = BandCell(b, LogplusBands, true);
        row.setRaw(Band, band);
        const QByteArray m = Visible(at(42, 44));
        if (!m.isEmpty()) mode = conv(m);
        row.setRaw(Mode, mode);
        row.setRaw(RstSent, conv(Visible(at(45, 47))));
        row.setRaw(RstReceived, conv(Visible(at(48, 50))));
        row.set(Name, CapitaliseLatin(TrimBytes(conv(at(51, 59)))));
        const QByteArray remark = TrimBytes(conv(at(60, 78))).toByteArray();
        const QByteArrayView qth2 = TrimBytes(at(105, 109));
        row.set(Qth, conv(qth2.isEmpty() ? at(79, 93) : qth2));
        const QByteArray letter = Visible(at(114, 114));
        if (letter == "A" || letter == "S" || letter == "X") row.setRaw(Qsl, QslWord::SentAndReceived());
        else if (letter == "C") row.setRaw(Qsl, QslWord::Received());
        else if (letter == "D" || letter == "B") row.setRaw(Qsl, QslWord::Sent());
        else if (letter == "M") row.setRaw(Qsl, QslWord::ToSend());
        else row.setRaw(Qsl, QslWord::NotToSend());
        const QByteArray via = conv(Visible(at(123, 130)));
        QByteArray info = remark;
        if (!via.isEmpty() && via != "LOGBOOK") {
            if (!info.isEmpty()) info.append(' ');
            info.append("via ").append(via).append('.');
        }
        row.set(Info, info);
        row.finish();
    }
    if (db.count() < db.declaredCount()) {
        r.errorAt = db.count() + 1;
        r.error = RecordError("LOGPLUS", r.errorAt,
                              QStringLiteral("в заголовке %1 записей, в файле %2").arg(db.declaredCount()).arg(db.count()));
        return r;
    }
    NoQsoCheck("LOGPLUS", r);
    return r;
}

} // namespace zelmor
