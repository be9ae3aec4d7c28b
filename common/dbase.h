#pragma once
// A plain reader of dBASE III tables over the file's bytes: the header, the
// field descriptors, and per record its deletion flag and data bytes. Field
// lengths are those the descriptors declare, never more than the record
// holds. No text decoding: the callers know their code page.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace zelmor {

struct DbaseField {
    QByteArray name; // up to 10 bytes, up to its first zero byte
    char type = 'C';
    int width = 0;
    int offset = 0; // within the record's data bytes (after the flag)
};

class DbaseReader {
public:
    // `bytes` must outlive the reader. Check ok() before anything else.
    explicit DbaseReader(QByteArrayView bytes);

    bool ok() const { return ok_; }
    // Why the bytes are not a table (empty when ok).
    const QString &error() const { return error_; }

    // The count the header declares.
    qint64 declaredCount() const { return declared_; }
    // Records the bytes hold whole, at most the declared count.
    qint64 count() const { return available_; }
    int headerLength() const { return header_; }
    // The record length, flag byte included.
    int recordLength() const { return record_; }
    const std::vector<DbaseField> &fields() const { return fields_; }
    // Index of the field of that name (ASCII, any case), or -1.
    int fieldIndex(QByteArrayView name) const;

    // Record i (from 0, i < count()): the flag byte, ' ' live or '*' deleted.
    char flag(qint64 i) const { return data_[header_ + i * record_]; }
    bool deleted(qint64 i) const { return flag(i) == '*'; }
    // Its R - 1 data bytes.
    QByteArrayView data(qint64 i) const { return data_.sliced(header_ + i * record_ + 1, record_ - 1); }
    // One field of record i, as stored (blank padded).
    QByteArrayView field(qint64 i, int f) const { return data(i).sliced(fields_[f].offset, fields_[f].width); }

private:
    QByteArrayView data_;
    bool ok_ = false;
    QString error_;
    qint64 declared_ = 0, available_ = 0;
    int header_ = 0, record_ = 0;
    std::vector<DbaseField> fields_;
};

} // namespace zelmor
