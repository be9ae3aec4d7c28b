#pragma once
// ADIF files: the tag reader and writer, the import mapping into rows of the
// import grid and the export of a log. Bytes in, bytes out: no widgets, one
// pass over the mapped file, no QString per character.
#include "logtools/importrows.h"
#include "logtools/rowlookup.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

namespace zelmor {

enum class AdifEncoding { Cp1251, Utf8 };

// A file is cp1251 unless it starts with the UTF-8 byte-order mark or every
// byte >= 0x80 in it belongs to a valid UTF-8 sequence (real cp1251 Cyrillic
// text practically never does).
AdifEncoding DetectAdifEncoding(QByteArrayView bytes);
// UTF-8 to cp1251; characters cp1251 lacks, and malformed bytes, become '?'.
QByteArray Utf8ToCp1251(QByteArrayView utf8);

// One field as it stands in the file: views into the reader's buffer. The
// value is in the file's encoding.
struct AdifField {
    QByteArrayView name;
    QByteArrayView type;
    QByteArrayView value;
    // Upper-cased ASCII comparison with a name given in upper case.
    bool is(const char *upperName) const;
};

// A malformed file: the record (counted from 1 in the file) and the text
// shown to the operator, which begins "ADIF: запись N".
class AdifError : public std::runtime_error {
public:
    AdifError(qint64 record, const QString &text)
        : std::runtime_error(text.toStdString()), record_(record), text_(text) {}
    qint64 record() const { return record_; }
    const QString &text() const { return text_; }

private:
    qint64 record_;
    QString text_;
};

// Walks the tags of an ADIF text: `<name:length[:type]>` followed by exactly
// that many bytes, `<EOH>` and `<EOR>` with no length, names in any case, text
// between fields ignored. The header (free text and fields up to <EOH>) is
// only there when the file does not start with '<'; a malformed tag inside it
// is taken as header text.
class AdifReader {
public:
    // `bytes` must outlive the reader (the file mapping).
    explicit AdifReader(QByteArrayView bytes);

    AdifEncoding encoding() const { return encoding_; }
    // The header text before <EOH>, empty when there is none.
    QByteArrayView header() const { return header_; }
    const std::vector<AdifField> &headerFields() const { return headerFields_; }

    // The next record's fields in file order (known or not) up to its <EOR>.
    // False at the end of the file. Throws AdifError for a malformed tag, a
    // length past the end and a record without <EOR>. Records with no field
    // at all are passed over.
    bool next(std::vector<AdifField> &fields);
    // Number of the record `next` returned last (from 1).
    qint64 recordNumber() const { return record_; }
    // Bytes consumed so far, for progress.
    qsizetype position() const { return pos_; }

    // One tag at `pos`: false at the end of the text. Fills the field (empty
    // name for none) and moves past the value.
    enum class TagKind { Field, EndOfHeader, EndOfRecord };

private:
    struct Tag {
        TagKind kind;
        AdifField field;
    };
    bool nextTag(Tag &tag, qint64 recordForErrors);
    qsizetype valueLength(qsizetype start, quint64 declared) const;

    QByteArrayView data_;
    qsizetype pos_ = 0;
    AdifEncoding encoding_;
    QByteArrayView header_;
    std::vector<AdifField> headerFields_;
    qint64 record_ = 0;
};

// The writer side: `<name:L>value` with L the value's byte count.
void AppendAdifField(QByteArray &out, const char *name, QByteArrayView value);

// The value of a field in cp1251.
QByteArray AdifValueCp1251(const AdifField &f, AdifEncoding enc);

// ---- Import ----------------------------------------------------------------

// The texts of the import grid's 21 columns from the twelve tags the importer
// takes; the others are ignored. Cells are cp1251.
struct AdifRowResult {
    bool dateOrTimeMissing = false; // the date or time cell stays empty
};
// Fills `cells` (21 entries) for the record; column 0 (the row number) and
// the country cells are left to the caller.
AdifRowResult MapAdifRecord(const std::vector<AdifField> &fields, AdifEncoding enc, std::vector<QByteArray> &cells);

struct AdifImportResult {
    qint64 rows = 0;             // rows added to the grid
    qint64 missingDateOrTime = 0; // of them, rows with an empty date or time cell
    QString error;               // empty when the whole file was read
};
// Reads the ADIF file into the row store (cleared once the file is open) with the country
// look-up of every call. `progress` gets (bytes read, file size) about every
// 100 ms. Throws nothing: a read or format error ends the import with the rows
// before it kept.
AdifImportResult ImportAdifFile(const QString &path, const RowCountryTables &tables, ImportRowStore &rows,
                                const std::function<void(qint64, qint64)> &progress = {});

// ---- Export ----------------------------------------------------------------

// The exporters' output name: the source up to the first '.' of its file name
// (not of the folders), plus `extension`; while that file exists, a number 1,
// 2, 3 ... goes before the extension.
QString ExporterOutputName(const QString &source, const QString &extension);

// The ADIF line of one log record; false (and nothing appended) when its date
// cannot be read.
bool AppendAdifRecordLine(QByteArray &out, const char *record);

struct AdifExportResult {
    enum Status { Nothing, BadLast, BadRange, Done, Failed } status = Nothing;
    QString outputPath;
    qint64 exported = 0;
    std::vector<qint64> unreadableDates; // QSO numbers skipped
    QString error;
};
// Writes records first..last (1-based, inclusive; deleted ones skipped) of
// the log as an ADIF file beside it. `firstText` "" or "0" counts as 1, an
// empty `lastText` as 0. A file that is not a log (its size no whole number
// of records) is refused. `progress` gets (records done, total) now and then.
AdifExportResult ExportAdifFile(const QString &logPath, const QString &firstText, const QString &lastText,
                                const std::function<void(qint64, qint64)> &progress = {});

} // namespace zelmor
