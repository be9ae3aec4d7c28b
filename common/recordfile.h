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
// constexpr array `Fields` of FieldOf<R>. Most fields are texts; some
// layouts also hold little-endian integers (a signed 32-bit word, or one
// byte), declared with Int32Field and ByteField. Bytes no field covers are
// reserved: written as 0, never read.
enum class FieldKind : quint8 { Text, Int32, Byte };

template <class R>
struct FieldOf {
    int offset;
    int capacity; // text: bytes after the length byte; integers: their size
    QString R::*member = nullptr;
    qint32 R::*int32Member = nullptr;
    quint8 R::*byteMember = nullptr;
    FieldKind kind = FieldKind::Text;
    // Bytes the field occupies in the record.
    constexpr int bytes() const { return kind == FieldKind::Text ? capacity + 1 : capacity; }
};

template <class R>
constexpr FieldOf<R> Int32Field(int offset, qint32 R::*member) {
    return {offset, 4, nullptr, member, nullptr, FieldKind::Int32};
}
template <class R>
constexpr FieldOf<R> ByteField(int offset, quint8 R::*member) {
    return {offset, 1, nullptr, nullptr, member, FieldKind::Byte};
}

qint32 ReadInt32Field(const char *record, int offset);
void WriteInt32Field(char *record, int offset, qint32 value);

template <class R>
R DecodeRecord(const char *bytes) {
    R r;
    for (const auto &f : R::Fields) {
        switch (f.kind) {
        case FieldKind::Text: r.*(f.member) = ReadTextField(bytes, {f.offset, f.capacity}); break;
        case FieldKind::Int32: r.*(f.int32Member) = ReadInt32Field(bytes, f.offset); break;
        case FieldKind::Byte: r.*(f.byteMember) = static_cast<quint8>(bytes[f.offset]); break;
        }
    }
    return r;
}

template <class R>
QByteArray EncodeRecord(const R &r) {
    QByteArray out(R::Size, '\0');
    for (const auto &f : R::Fields) {
        switch (f.kind) {
        case FieldKind::Text: WriteTextField(out.data(), {f.offset, f.capacity}, r.*(f.member)); break;
        case FieldKind::Int32: WriteInt32Field(out.data(), f.offset, r.*(f.int32Member)); break;
        case FieldKind::Byte: out[f.offset] = static_cast<char>(r.*(f.byteMember)); break;
        }
    }
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
// Reads the records at these indexes with one open of the file; indexes in
// ascending order a few kilobytes apart are read together.
std::vector<QByteArray> ReadMany(const QString &path, int size, const std::vector<qint64> &indexes);
// The same without keeping them: `visit` gets the position in `indexes` and
// the record's bytes (valid during the call). Throws IoError when the file
// cannot be opened or an index lies past its end.
void ReadEach(const QString &path, int size, const std::vector<qint64> &indexes,
              const std::function<void(size_t, const char *)> &visit);
// Reads every whole record in order, in large blocks. `visit` gets the record
// index and its bytes. Throws IoError when the file cannot be opened.
void ForEach(const QString &path, int size, const std::function<void(qint64, const char *)> &visit);
// The same, a block of `count` records at a time (record `first` first), for
// loops that must not pay a call per record.
void ForEachBlock(const QString &path, int size, const std::function<void(qint64 first, const char *, qint64 count)> &visit);
// Creates an empty file when it is missing.
void Touch(const QString &path);

// Appends whole records to a file that exists, in blocks through one open,
// all or nothing: until commit() the file can be cut back, and a failure, or
// an appender dropped uncommitted, leaves it exactly as it was (its bytes
// and its size, a partial record at its end included). The records go after
// the last whole record. Other writers of the file wait while it is open.
class BlockAppender {
public:
    // Throws IoError when the file cannot be opened for writing.
    BlockAppender(const QString &path, int size);
    ~BlockAppender();
    BlockAppender(const BlockAppender &) = delete;
    BlockAppender &operator=(const BlockAppender &) = delete;
    // Index of the first record appended.
    qint64 firstIndex() const { return first_; }
    // `count` whole records; throws IoError after cutting the file back.
    void append(const char *records, qint64 count);
    // Synced to the disk; the records stay. Throws IoError after cutting
    // the file back.
    void commit();

private:
    [[noreturn]] void fail(int err);
    void rollback() noexcept;
    QString path_;
    int size_;
    int fd_ = -1;
    qint64 oldSize_ = 0, first_ = 0, end_ = 0;
    QByteArray tail_; // the partial record the appended ones overwrite
    bool done_ = false;
};

// A file written anew under a temporary name in the folder of `target`,
// which takes the target's name in one atomic rename: at every moment the
// target's name holds the whole old file or the whole new one. The new file
// gets the target's permissions (and owner, where that is allowed). Until
// the rename, and on every failure, the temporary file is removed.
class ReplacementFile {
public:
    // Permissions and owner come from `model` when given. Throws IoError
    // when the temporary file cannot be created.
    explicit ReplacementFile(const QString &target, const QString &model = QString());
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile &) = delete;
    ReplacementFile &operator=(const ReplacementFile &) = delete;
    const QString &temporaryPath() const { return temp_; }
    // Throws IoError.
    void append(const char *bytes, qint64 size);
    // The new file's bytes reach the disk (replaceTarget and createTarget do
    // it when it is not done). Throws IoError.
    void finish();
    // Renames the new file over the target and syncs the folder. Throws
    // IoError; the target is then untouched.
    void replaceTarget();
    // The same for a target that must not exist: false when a file has its
    // name (the new file is then dropped).
    bool createTarget();

private:
    [[noreturn]] void fail(const QString &what, int err);
    QString target_, temp_;
    int fd_ = -1;
    qint64 written_ = 0;
    bool placed_ = false; // the temporary name is gone
};

// How KeepUnderNewName keeps the file: a hard link, or a synced copy where
// the file system has no hard links; Copy forces the copy.
enum class KeepBy { LinkOrCopy, Copy };
// Keeps the file `from` also under the name `to`, never replacing a file
// there: false when `to` exists (nothing changed). Throws IoError on any
// other failure, leaving nothing behind. A copy is whole under its name or
// not there at all.
bool KeepUnderNewName(const QString &from, const QString &to, KeepBy by = KeepBy::LinkOrCopy);
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
