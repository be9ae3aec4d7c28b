#include "common/recordfile.h"

#include "common/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>
#include <unistd.h>

namespace zelmor {

QString ReadTextField(const char *record, TextField f) {
    int len = static_cast<unsigned char>(record[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return FromCp1251(QByteArrayView(record + f.offset + 1, len));
}

QByteArray ReadRawField(const char *record, TextField f) {
    int len = static_cast<unsigned char>(record[f.offset]);
    if (len > f.capacity) len = f.capacity;
    return QByteArray(record + f.offset + 1, len);
}

void WriteTextField(char *record, TextField f, QStringView text) {
    const QByteArray b = ToCp1251(text.left(f.capacity));
    const int len = static_cast<int>(b.size());
    record[f.offset] = static_cast<char>(len);
    std::memcpy(record + f.offset + 1, b.constData(), len);
    std::memset(record + f.offset + 1 + len, 0, f.capacity - len);
}

QString CutToCapacity(QStringView text, int capacity) { return text.left(capacity).toString(); }

namespace RecordIO {

static QString describe(const QFile &f, const QString &what) {
    return QStringLiteral("%1: %2 (%3)").arg(what, f.fileName(), f.errorString());
}

bool Exists(const QString &path) { return QFileInfo(path).isFile(); }

qint64 Count(const QString &path, int size) {
    QFileInfo fi(path);
    if (!fi.isFile()) return -1;
    return fi.size() / size;
}

QByteArray Read(const QString &path, int size, qint64 index) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw IoError(describe(f, QStringLiteral("Cannot open file")));
    if (index < 0 || !f.seek(index * size)) throw IoError(describe(f, QStringLiteral("Seek error")));
    QByteArray b = f.read(size);
    if (b.size() != size) throw IoError(QStringLiteral("Read beyond end of file: %1").arg(path));
    return b;
}

void Write(const QString &path, int size, qint64 index, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() == size);
    QFile f(path);
    if (!f.exists()) throw IoError(QStringLiteral("File not found: %1").arg(path));
    if (!f.open(QIODevice::ReadWrite)) throw IoError(describe(f, QStringLiteral("Cannot open file")));
    if (index < 0 || index > f.size() / size) throw IoError(QStringLiteral("Record index out of range: %1").arg(path));
    if (!f.seek(index * size) || f.write(bytes) != size || !f.flush())
        throw IoError(describe(f, QStringLiteral("Write error")));
}

qint64 Append(const QString &path, int size, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() == size);
    QFile f(path);
    if (!f.open(QIODevice::ReadWrite)) throw IoError(describe(f, QStringLiteral("Cannot open file")));
    const qint64 index = f.size() / size;
    if (!f.seek(index * size) || f.write(bytes) != size || !f.flush())
        throw IoError(describe(f, QStringLiteral("Write error")));
    return index;
}

qint64 AppendBlock(const QString &path, int size, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() % size == 0);
    QFile f(path);
    // Unbuffered: a failed write must not leave bytes in a buffer that a
    // later flush would still put on the disk.
    if (!f.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw IoError(describe(f, QStringLiteral("Cannot open file")));
    const qint64 oldSize = f.size();
    const qint64 index = oldSize / size;
    if (!f.seek(index * size) || f.write(bytes) != bytes.size() || ::fsync(f.handle()) != 0) {
        const QString text = describe(f, QStringLiteral("Write error"));
        if (::ftruncate(f.handle(), oldSize) == 0) ::fsync(f.handle());
        throw IoError(text);
    }
    return index;
}

std::vector<QByteArray> ReadMany(const QString &path, int size, const std::vector<qint64> &indexes) {
    std::vector<QByteArray> out;
    if (indexes.empty()) return out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw IoError(describe(f, QStringLiteral("Cannot open file")));
    out.reserve(indexes.size());
    for (qint64 index : indexes) {
        if (index < 0 || !f.seek(index * size)) throw IoError(describe(f, QStringLiteral("Seek error")));
        QByteArray b = f.read(size);
        if (b.size() != size) throw IoError(QStringLiteral("Read beyond end of file: %1").arg(path));
        out.push_back(std::move(b));
    }
    return out;
}

void ForEach(const QString &path, int size, const std::function<void(qint64, const char *)> &visit) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw IoError(describe(f, QStringLiteral("Cannot open file")));
    const qint64 count = f.size() / size;
    const qint64 perBlock = qMax<qint64>(1, (1 << 20) / size);
    QByteArray block;
    for (qint64 i = 0; i < count;) {
        const qint64 n = qMin(perBlock, count - i);
        block = f.read(n * size);
        if (block.size() != n * size) throw IoError(QStringLiteral("Read beyond end of file: %1").arg(path));
        const char *p = block.constData();
        for (qint64 k = 0; k < n; ++k) visit(i + k, p + k * size);
        i += n;
    }
}

void Touch(const QString &path) {
    QFile f(path);
    if (f.exists()) return;
    if (!f.open(QIODevice::WriteOnly)) throw IoError(describe(f, QStringLiteral("Cannot create file")));
}

} // namespace RecordIO

void WriteAllBytes(const QString &path, const QByteArray &bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) throw IoError(QStringLiteral("Cannot create file: %1 (%2)").arg(path, f.errorString()));
    if (f.write(bytes) != bytes.size() || !f.commit())
        throw IoError(QStringLiteral("Write error: %1 (%2)").arg(path, f.errorString()));
}

} // namespace zelmor
