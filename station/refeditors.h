#pragma once
// The file work of the reference-data editors of the settings dialog: which
// grid column shows which field, reading a file into its grid, writing the
// operator's edits back, the finds and the sorts. No widgets here: the
// dialog's sections call these and show the results.
//
// Every write reads the file again, builds the whole new file and replaces
// it in one step (WriteAllBytes: on any failure the old file stays whole and
// the system's reason is shown). A record whose row the operator did not
// touch goes back byte for byte as it is on disk; a touched row changes only
// the fields that differ from what the read showed. A write never creates a
// file, never shortens one, and writes nothing unless its section was read.
#include "common/recordfile.h"
#include "logbook/reference.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace zelmor {

class StringGridModel;

// What a typed cell must hold besides fitting its field in cp1251.
enum class CellRule {
    Text,
    Waz,             // whole number 1..40
    Itu,             // whole number 1..90
    Latitude,        // -90..90, decimal comma or point
    Longitude,       // -180..180
    TimeOffset,      // -14..14
    RegionNumber,    // whole number 0..89, required in a filled row
    DxccMark,        // "" or "*"
    Alternatives,    // record numbers, each closed by a comma
    IslandReference, // two Latin capitals and three digits
    IslandPrefix,    // blanks are dropped before it is stored
};

struct GridColumn {
    TextField field;
    QString caption; // as the messages name the column
    CellRule rule = CellRule::Text;
};

// One editable record file and the grid that shows it.
struct RecordLayout {
    QString file; // as DataPath takes it
    int size = 0;
    std::vector<GridColumn> columns; // in grid column order
    QString readMissing, writeMissing; // display names of the missing-file messages
    int spareRows = 0;                 // the grid's rows past the records, its header row included
    QStringList headers;               // row 0, written by the read; empty: left as it is
    // The regions award reads the file up to the first empty number: no
    // blank record may stand between two regions.
    bool regionList = false;
};

const RecordLayout &CountryLayout();  // "dx\world.dat": columns 0..11; the grid's column 12 holds the record index
const RecordLayout &RegionLayout();   // "russia22.dat": key, name, WAZ, ITU, coordinate A, B, number, OBL, UTC
const RecordLayout &VeteranLayout();  // "vet.dat"
const RecordLayout &ClubLayout(Club c); // the six club lists (not the veterans)
const RecordLayout &IslandLayout();   // "dx\iota.dat"

// A cell the write refuses; its message has been shown.
struct BadCell {
    int row = 0;
    int col = 0;
    QString text;
};

struct WriteResult {
    bool written = false;
    std::optional<BadCell> bad;
};

// The message for a typed cell that cannot be stored as it stands, or
// nothing. `row` is the grid row the message names.
std::optional<QString> CellProblem(int row, const GridColumn &column, const QString &text);

// The last row (from 1) with a non-blank cell among the first `cols`
// columns; 0 when none.
int LastFilledRow(const StringGridModel &g, int cols);

// The sections' finds: the rows from `firstRow` to the last filled one,
// whose cell in `col` equals `text` (both trimmed when `trimmed`); the last
// such row, or the first when `firstMatch`; -1 when none.
struct FindRule {
    int col = 0;
    int firstRow = 1;
    bool trimmed = false;
    bool firstMatch = false;
};
int FindRow(const StringGridModel &g, const QString &text, FindRule rule);
// The DXCC find by country: up to five typed characters, the last row whose
// country begins with them whatever the case; 1 when none matches or more
// than five are typed.
int FindCountryRow(const StringGridModel &g, const QString &typed);

// Row r shows record r - 1: Россия, the veterans and the club lists.
class RecordGridEditor {
public:
    explicit RecordGridEditor(const RecordLayout &layout) : layout_(layout) {}
    // Every record into rows 1.., the rows after them emptied, the row count
    // records + spareRows. The record count, or -1 after the
    // missing-file message.
    int read(StringGridModel &g);
    // Takes what the grid shows now as read, for a read done by another
    // routine (the veterans' list); `records` < 0: that read failed.
    void takeRead(const StringGridModel &g, int records);
    // Row r becomes record r - 1 for every row up to the last filled one,
    // never fewer records than the file has; an emptied row becomes a blank
    // record.
    WriteResult write(const StringGridModel &g);
    bool hasRead() const { return read_; }
    const RecordLayout &layout() const { return layout_; }

private:
    const RecordLayout &layout_;
    bool read_ = false;
    std::vector<QStringList> shown_; // by record index, as the read or the last write left them
};

// The DXCC section: "world.dat" records with a prefix, each row naming its
// record in column 12, so neither gaps nor the grid's order renumber them.
class CountryTableEditor {
public:
    static constexpr int IndexColumn = 12;
    // The records with a prefix into rows 1.., 20 empty rows after them, the
    // row count last row + 21. The rows filled, or -1 after the message.
    int read(StringGridModel &g);
    // Each row back to the record its index names, a row with no index
    // appended; an emptied prefix blanks the record unless another record's
    // alternatives name it.
    WriteResult write(StringGridModel &g);
    // The filled rows by the text of column `col`, then by the index as
    // text, with the one comparator; typed edits go along.
    static void sort(StringGridModel &g, int col);
    bool hasRead() const { return read_; }

private:
    bool read_ = false;
    std::vector<QStringList> shown_; // by record index
};

// The IOTA section: `striota` shows the file, new and changed islands are
// typed into `Striota1` and merged in by reference.
class IslandEditor {
public:
    // Islands with a reference into rows 1..; the islands read, or -1 after
    // the missing-file message.
    int read(StringGridModel &striota);
    // Blanks in place the first record with this reference (both trimmed):
    // 1; 0 when no record has it; -1 after a message.
    int remove(const QString &reference);
    // The file's islands and the rows of `Striota1`, sorted by reference: a
    // row replaces the island of its reference and prefix, or the only one
    // of its reference (the last of equal rows wins), else it is added; the
    // file's free slots become one blank record; records past the merged
    // list become blank.
    // `progress` gets (done, total) while the records are built.
    WriteResult merge(const StringGridModel &striota1, const std::function<void(int, int)> &progress = {});
    bool hasRead() const { return read_; }

private:
    bool read_ = false;
};

enum class NameBase { Names, Qths };
// The non-empty texts of "name\name.bas" or "name\qth.bas", sorted with the
// one comparator; nothing after the missing-file message.
std::optional<QStringList> ReadNameBase(NameBase base);
// Blanks in place every record whose text is exactly `text`; the number of
// records blanked, or -1 after a message.
int DeleteFromNameBase(NameBase base, const QString &text);

// The text of the message shown when "Запись" comes before any read.
QString NotReadText();

} // namespace zelmor
