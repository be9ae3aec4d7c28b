#pragma once
// What the importers of other loggers' files share: the outcome, the line
// splitter, column cuts, the cell rules, the VHF band rule, the code-page
// choice for DOS files, and the row builder that runs the country look-up
// and appends to the import grid's row store. Bytes throughout.
#include "logtools/importrows.h"
#include "logtools/rowlookup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QString>
#include <array>
#include <functional>
#include <memory>

class QFile;

namespace zelmor {

// (done, total) about every 100 ms.
using ImportProgress = std::function<void(qint64, qint64)>;

struct ForeignImportResult {
    qint64 rows = 0;
    // A fault that ended the reading; the rows before it stay.
    QString error;
    qint64 errorAt = 0; // its line or record number, 0 for the whole file
    // Rows whose date cell was left empty because the file's date is no
    // calendar date, and the first of them (grid row).
    qint64 badDates = 0;
    qint64 firstBadDateRow = 0;
    qint64 deleted = 0; // deleted records left out
    // The code page text was read in, where the reader decides per file
    // ("cp866" or "cp1251"); empty where the format fixes it.
    QString codePage;
};

// Lines of a text file: they end at LF or CR LF; a byte 0x1A ends the text.
class LineSplitter {
public:
    explicit LineSplitter(QByteArrayView bytes) : data_(bytes) {}
    // The next line without its end; false at the end of the text.
    bool next(QByteArrayView &line);
    // Number of the line `next` gave last (from 1).
    qint64 lineNumber() const { return line_; }
    // Whether that line was closed by a line end.
    bool closed() const { return closed_; }
    qsizetype position() const { return pos_; }

private:
    QByteArrayView data_;
    qsizetype pos_ = 0;
    qint64 line_ = 0;
    bool closed_ = false;
    bool ended_ = false;
};

// True when the line holds a byte below 32 other than TAB.
bool HasControlBytes(QByteArrayView line);

// Characters from..to (counted from 1, inclusive); a position past the end
// is empty.
inline QByteArrayView Columns(QByteArrayView line, qsizetype from, qsizetype to) {
    if (from > line.size()) return {};
    if (to > line.size()) to = line.size();
    return line.sliced(from - 1, to - from + 1);
}
// The first n bytes, fewer when shorter.
inline QByteArrayView FirstBytes(QByteArrayView v, qsizetype n) { return v.first(qMin(n, v.size())); }

// Bytes that are letters in cp866 and not in cp1251, against the reverse;
// cp866 when it clearly wins (3 : 1 and at least 8 such bytes).
bool LooksLikeCp866(QByteArrayView bytes);

// The VHF rule every format shares: a band or frequency text beginning
// "144", "145" or "146" is "144Mhz", "430" to "440" is "430Mhz". Empty when
// it does not apply.
QByteArray VhfBand(QByteArrayView text);

// The log's band text (cp1251) of index i of LogBandNames.
const QByteArray &LogBand(int index);
// Indexes into LogBandNames.
namespace BandIndex {
inline constexpr int B136 = 0, B160 = 1, B80 = 2, B40 = 3, B30 = 4, B20 = 5, B17 = 6, B15 = 7, B12 = 8, B10 = 9,
                     B6 = 10, B2 = 11, B70 = 12, B23 = 13;
}
// "10", "14", "18", "21", "24", "28" as the band of that figure; -1 else.
int HfBandOfFigure(QByteArrayView twoCharacters);

// The QSL words in cp1251.
namespace QslWord {
const QByteArray &NotToSend();
const QByteArray &ToSend();
const QByteArray &Sent();
const QByteArray &Received();
const QByteArray &SentAndReceived();
} // namespace QslWord

// Latin letters lower case, the first byte upper case.
QByteArray CapitaliseLatin(QByteArrayView v);

// "dd.mm.yyyy" when the numbers make a calendar date; empty otherwise.
QByteArray LogDateText(int day, int month, int year);
// Digits only, as a number; -1 when any byte is not a digit or it is empty.
int DigitsValue(QByteArrayView v);

// One row being built. Cells are trimmed when set (with `oem`, converted
// from cp866 first); when the row is finished every byte below 32 left in a
// cell becomes a blank.
class ForeignRowBuilder {
public:
    ForeignRowBuilder(const RowCountryTables &tables, ImportRowStore &rows, ForeignImportResult &result)
        : tables_(tables), rows_(rows), result_(result) {}

    void begin(); // every cell empty
    void set(int column, QByteArrayView text, bool oem = false);
    void setRaw(int column, const QByteArray &text) { cells_[column] = text; }
    const QByteArray &get(int column) const { return cells_[column]; }
    // The date cell; an unusable date leaves it empty and counts the row.
    void setDate(const QByteArray &dateOrEmpty, bool present = true);
    // Upper-cases the call and removes its blanks; with no call no row is
    // made. Runs the look-up and appends the row. True when a row was made.
    bool finish();

private:
    const RowCountryTables &tables_;
    ImportRowStore &rows_;
    ForeignImportResult &result_;
    std::array<QByteArray, ImportRowStore::Columns> cells_;
    bool badDate_ = false;
};

// Progress about every 100 ms.
class ProgressTicker {
public:
    ProgressTicker(const ImportProgress &p, qint64 total) : p_(p), total_(total) {
        clock_.start();
        if (p_) p_(0, total_);
    }
    void tick(qint64 done) {
        if (p_ && (++n_ & 255) == 0 && clock_.elapsed() >= 100) {
            p_(done, total_);
            clock_.restart();
        }
    }
    ~ProgressTicker() {
        if (p_) p_(total_, total_);
    }

private:
    const ImportProgress &p_;
    qint64 total_;
    QElapsedTimer clock_;
    unsigned n_ = 0;
};

// The file's bytes: mapped, or read when it cannot be mapped. False, with
// the system's text, when it cannot be read.
class MappedFile {
public:
    bool open(const QString &path, QString *error);
    QByteArrayView bytes() const { return bytes_; }

private:
    std::unique_ptr<QFile> file_;
    QByteArray copy_;
    QByteArrayView bytes_;

public:
    MappedFile();
    ~MappedFile();
};

// The text of a fault: "<format>: строка N: what", "<format>: запись N: what".
QString LineError(const char *format, qint64 line, const QString &what);
QString RecordError(const char *format, qint64 record, const QString &what);

} // namespace zelmor
