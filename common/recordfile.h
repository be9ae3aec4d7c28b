#pragma once
// Files of fixed-size records with no header: record i starts at byte
// i * size, a trailing partial record is not a record. Text fields are
// length-prefixed cp1251 strings of fixed capacity. Every operation opens the
// file, works by record index and closes it again, so no handle is kept
// between two events.
#include <QByteArray>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>
#include <vector>

namespace zelmor {

// An input/output error with the text shown to the operator.
class IoError : public std::runtime_error {
public:
    explicit IoError(const QString &text) : std::runtime_error(text.toStdString()), text_(text) {}
    const QString &text() const { return text_; }
private:
    QString text_;
};

struct TextField {
    int offset;   // of the length byte
    int capacity; // bytes of text after it
};

// A length byte above the capacity is clamped: files written by other programs
// or a damaged disk never spill into the next field.
QString ReadTextField(const char *record, TextField f);
// Cut to the capacity; the bytes after the text are zero-filled, so output is
// deterministic.
void WriteTextField(char *record, TextField f, QStringView text);
// The same, without decoding: the raw cp1251 bytes of a field.
QByteArray ReadRawField(const char *record, TextField f);
// The text as a field of this capacity keeps it: cut to the capacity.
QString CutToCapacity(QStringView text, int capacity);

// A typed record layout: R has a static constexpr int Size and a static
// constexpr array `Fields` of FieldOf<R>.
template <class R>
struct FieldOf {
    int offset;
    int capacity;
    QString R::*member;
};

template <class R>
R DecodeRecord(const char *bytes) {
    R r;
    for (const auto &f : R::Fields) r.*(f.member) = ReadTextField(bytes, {f.offset, f.capacity});
    return r;
}

template <class R>
QByteArray EncodeRecord(const R &r) {
    QByteArray out(R::Size, '\0');
    for (const auto &f : R::Fields) WriteTextField(out.data(), {f.offset, f.capacity}, r.*(f.member));
    return out;
}

// Byte-level access to a record file.
namespace RecordIO {
// Number of whole records; -1 when the file does not exist or cannot be read.
qint64 Count(const QString &path, int size);
bool Exists(const QString &path);
// Reads record `index`; throws IoError when the file is missing or short.
QByteArray Read(const QString &path, int size, qint64 index);
// The writers below reach the disk before they return (a saved record
// survives a power cut), take an advisory lock on the file for the write,
// and never leave part of a record behind: on failure the file ends where it
// did and the IoError carries the system's reason.
// Writes record `index` in place (the file must exist).
void Write(const QString &path, int size, qint64 index, const QByteArray &bytes);
// Appends after the last whole record, creating the file when it is missing;
// returns the index written.
qint64 Append(const QString &path, int size, const QByteArray &bytes);
// Appends whole records (bytes.size() a multiple of size) in one write after
// the last whole record, creating the file when it is missing; returns the
// first index written. On a failure the file is cut back to its last whole
// record, so a half-written batch never stays.
qint64 AppendBlock(const QString &path, int size, const QByteArray &bytes);
// Reads the records at these indexes with one open of the file.
std::vector<QByteArray> ReadMany(const QString &path, int size, const std::vector<qint64> &indexes);
// Reads every whole record in order, in large blocks. `visit` gets the record
// index and its bytes. Throws IoError when the file cannot be opened.
void ForEach(const QString &path, int size, const std::function<void(qint64, const char *)> &visit);
// The same, a block of `count` records at a time (record `first` first), for
// loops that must not pay a call per record.
void ForEachBlock(const QString &path, int size, const std::function<void(qint64 first, const char *, qint64 count)> &visit);
// Creates an empty file when it is missing.
void Touch(const QString &path);
} // namespace RecordIO

template <class R>
std::vector<R> ReadAllRecords(const QString &path) {
    std::vector<R> out;
    RecordIO::ForEach(path, R::Size, [&](qint64, const char *b) { out.push_back(DecodeRecord<R>(b)); });
    return out;
}

template <class R>
R ReadRecord(const QString &path, qint64 index) {
    const QByteArray b = RecordIO::Read(path, R::Size, index);
    return DecodeRecord<R>(b.constData());
}

template <class R>
void WriteRecord(const QString &path, qint64 index, const R &r) {
    RecordIO::Write(path, R::Size, index, EncodeRecord(r));
}

template <class R>
qint64 AppendRecord(const QString &path, const R &r) {
    return RecordIO::Append(path, R::Size, EncodeRecord(r));
}

// Replaces the whole file with these records (atomically, synced): on any
// failure the old file stays as it was and IoError says why.
template <class R>
void WriteAllRecords(const QString &path, const std::vector<R> &records);
void WriteAllBytes(const QString &path, const QByteArray &bytes);

template <class R>
void WriteAllRecords(const QString &path, const std::vector<R> &records) {
    QByteArray all;
    all.reserve(qsizetype(records.size()) * R::Size);
    for (const R &r : records) all += EncodeRecord(r);
    WriteAllBytes(path, all);
}

} // namespace zelmor
