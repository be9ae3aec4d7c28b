#include "common/recordfile.h"

#include "common/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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

qint32 ReadInt32Field(const char *record, int offset) { return qFromLittleEndian<qint32>(record + offset); }

void WriteInt32Field(char *record, int offset, qint32 value) { qToLittleEndian<qint32>(value, record + offset); }

namespace RecordIO {

namespace {

// The program's own words first, then the system's reason.
[[noreturn]] void Fail(const QString &what, const QString &path, int err) {
    throw IoError(QStringLiteral("%1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(err))));
}

const QString CannotOpen = QStringLiteral("Не удаётся открыть файл");
const QString CannotRead = QStringLiteral("Ошибка чтения файла");
const QString CannotWrite = QStringLiteral("Ошибка записи в файл");
const QString PastTheEnd = QStringLiteral("Запись за концом файла");
const QString CannotCreate = QStringLiteral("Не удаётся создать файл");

// A descriptor closed on every way out.
struct Fd {
    int fd = -1;
    Fd() = default;
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

// Opens a file that must not be a folder; returns its size.
qint64 OpenRegular(Fd &f, const QString &path, int flags) {
    const QByteArray name = QFile::encodeName(path);
    do f.fd = ::open(name.constData(), flags | O_CLOEXEC, 0666);
    while (f.fd < 0 && errno == EINTR);
    if (f.fd < 0) Fail(CannotOpen, path, errno);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) Fail(CannotOpen, path, errno);
    if (S_ISDIR(st.st_mode)) Fail(CannotOpen, path, EISDIR);
    return st.st_size;
}

// Writers of one file, in this process or another, take turns: the record
// slot an append chooses is still free when it writes. Advisory only, and
// skipped where the file system has no locks.
void LockForWriting(int fd) {
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {}
}

// 0 or the errno of the failure.
int WriteAt(int fd, const char *data, qint64 size, qint64 offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), off_t(offset));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        data += n;
        size -= n;
        offset += n;
    }
    return 0;
}

int Sync(int fd) {
    while (::fdatasync(fd) != 0) {
        if (errno == EINTR) continue;
        // Devices and pipes cannot be synced, and need not be.
        if (errno == EINVAL || errno == EROFS) return 0;
        return errno;
    }
    return 0;
}

// Reads up to `size` bytes at `offset`, fewer only at the end of the file;
// the number read.
qint64 ReadUpTo(int fd, char *data, qint64 size, qint64 offset, const QString &path) {
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = ::pread(fd, data + done, size_t(size - done), off_t(offset + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(CannotRead, path, errno);
        }
        if (n == 0) break;
        done += n;
    }
    return done;
}

// Reads exactly `size` bytes at `offset`; false at the end of the file.
bool ReadAt(int fd, char *data, qint64 size, qint64 offset, const QString &path) {
    return ReadUpTo(fd, data, size, offset, path) == size;
}

// A record written at `offset` of a file, synced; on failure the file ends
// at `offset` again (no partial record is left behind) and the error says why.
void WriteRecordAt(int fd, const QString &path, const QByteArray &bytes, qint64 offset, qint64 oldSize) {
    int err = WriteAt(fd, bytes.constData(), bytes.size(), offset);
    if (!err) err = Sync(fd);
    if (!err) return;
    if (offset + bytes.size() > oldSize && ::ftruncate(fd, off_t(offset)) == 0) Sync(fd);
    Fail(CannotWrite, path, err);
}

} // namespace

bool Exists(const QString &path) { return QFileInfo(path).isFile(); }

qint64 Count(const QString &path, int size) {
    QFileInfo fi(path);
    if (!fi.isFile()) return -1;
    return fi.size() / size;
}

QByteArray Read(const QString &path, int size, qint64 index) {
    Fd f;
    OpenRegular(f, path, O_RDONLY);
    QByteArray b(size, Qt::Uninitialized);
    if (index < 0 || !ReadAt(f.fd, b.data(), size, index * size, path))
        throw IoError(QStringLiteral("%1 %2").arg(PastTheEnd, path));
    return b;
}

void Write(const QString &path, int size, qint64 index, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() == size);
    Fd f;
    OpenRegular(f, path, O_RDWR);
    LockForWriting(f.fd);
    struct stat st {};
    const qint64 fileSize = ::fstat(f.fd, &st) == 0 ? qint64(st.st_size) : 0;
    if (index < 0 || index > fileSize / size) throw IoError(QStringLiteral("%1 %2").arg(PastTheEnd, path));
    WriteRecordAt(f.fd, path, bytes, index * size, fileSize);
}

qint64 Append(const QString &path, int size, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() == size);
    Fd f;
    OpenRegular(f, path, O_RDWR | O_CREAT);
    LockForWriting(f.fd);
    // The size after the lock: another writer may have appended meanwhile.
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) Fail(CannotOpen, path, errno);
    const qint64 index = qint64(st.st_size) / size;
    WriteRecordAt(f.fd, path, bytes, index * size, st.st_size);
    return index;
}

qint64 AppendBlock(const QString &path, int size, const QByteArray &bytes) {
    Q_ASSERT(bytes.size() % size == 0);
    Fd f;
    OpenRegular(f, path, O_RDWR | O_CREAT);
    LockForWriting(f.fd);
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) Fail(CannotOpen, path, errno);
    const qint64 index = qint64(st.st_size) / size;
    WriteRecordAt(f.fd, path, bytes, index * size, st.st_size);
    return index;
}

void ReadEach(const QString &path, int size, const std::vector<qint64> &indexes,
              const std::function<void(size_t, const char *)> &visit) {
    if (indexes.empty()) return;
    Fd f;
    OpenRegular(f, path, O_RDONLY);
    // Records a little apart in ascending order come in one read, the
    // records between them read and dropped: a read is a system call, which
    // costs more than copying a few kilobytes (a listing of every tenth
    // record of a large log takes a tenth of the calls).
    constexpr qint64 BridgedBytes = 8 << 10, SpanBytes = 256 << 10;
    const qint64 bridged = BridgedBytes / size + 1; // index step still read in one
    const qint64 spanRecords = std::max<qint64>(1, SpanBytes / size);
    QByteArray span;
    for (size_t k = 0; k < indexes.size();) {
        const qint64 first = indexes[k];
        if (first < 0) throw IoError(QStringLiteral("%1 %2").arg(PastTheEnd, path));
        size_t end = k + 1;
        while (end < indexes.size() && indexes[end] >= indexes[end - 1] && indexes[end] - indexes[end - 1] <= bridged &&
               indexes[end] - first < spanRecords)
            ++end;
        const qint64 bytes = (indexes[end - 1] - first + 1) * size;
        if (span.size() < bytes) span.resize(bytes);
        const qint64 got = ReadUpTo(f.fd, span.data(), bytes, first * size, path);
        for (; k < end; ++k) {
            const qint64 at = (indexes[k] - first) * size;
            // A file that ends inside the span: the records before the end
            // were whole and are visited, as if read one by one.
            if (at + size > got) throw IoError(QStringLiteral("%1 %2").arg(PastTheEnd, path));
            visit(k, span.constData() + at);
        }
    }
}

std::vector<QByteArray> ReadMany(const QString &path, int size, const std::vector<qint64> &indexes) {
    std::vector<QByteArray> out;
    out.reserve(indexes.size());
    ReadEach(path, size, indexes, [&](size_t, const char *b) { out.emplace_back(b, size); });
    return out;
}

void ForEachBlock(const QString &path, int size, const std::function<void(qint64, const char *, qint64)> &visit) {
    Fd f;
    const qint64 count = OpenRegular(f, path, O_RDONLY) / size;
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(f.fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    // Large sequential reads, into a block small enough to stay in the
    // processor's cache while its records are looked at.
    const qint64 perBlock = qMax<qint64>(1, (256 << 10) / size);
    QByteArray block(qMin(perBlock, qMax<qint64>(count, 1)) * size, Qt::Uninitialized);
    for (qint64 i = 0; i < count;) {
        const qint64 n = qMin(perBlock, count - i);
        if (!ReadAt(f.fd, block.data(), n * size, i * size, path))
            throw IoError(QStringLiteral("%1 %2").arg(PastTheEnd, path));
        visit(i, block.constData(), n);
        i += n;
    }
}

void ForEach(const QString &path, int size, const std::function<void(qint64, const char *)> &visit) {
    ForEachBlock(path, size, [&](qint64 first, const char *block, qint64 n) {
        for (qint64 k = 0; k < n; ++k) visit(first + k, block + k * size);
    });
}

void Touch(const QString &path) {
    if (QFileInfo::exists(path)) return;
    Fd f;
    const QByteArray name = QFile::encodeName(path);
    f.fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (f.fd < 0) Fail(CannotCreate, path, errno);
}

namespace {
// A rename or a new name reaches the disk with its folder.
void SyncFolder(const QString &folder) {
    const QByteArray name = QFile::encodeName(folder);
    const int fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

void CloseFd(int &fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}
} // namespace

BlockAppender::BlockAppender(const QString &path, int size) : path_(path), size_(size) {
    Fd f;
    OpenRegular(f, path, O_RDWR);
    LockForWriting(f.fd);
    // The size after the lock: another writer may have appended meanwhile.
    struct stat st {};
    if (::fstat(f.fd, &st) != 0) Fail(CannotOpen, path, errno);
    oldSize_ = st.st_size;
    first_ = oldSize_ / size;
    end_ = first_ * size;
    if (end_ < oldSize_) {
        tail_.resize(oldSize_ - end_);
        if (!ReadAt(f.fd, tail_.data(), tail_.size(), end_, path)) Fail(CannotRead, path, EIO);
    }
    fd_ = f.fd;
    f.fd = -1;
}

BlockAppender::~BlockAppender() {
    if (!done_) rollback();
}

void BlockAppender::append(const char *records, qint64 count) {
    Q_ASSERT(!done_ && fd_ >= 0);
    const qint64 bytes = count * size_;
    if (const int err = WriteAt(fd_, records, bytes, end_)) fail(err);
    end_ += bytes;
}

void BlockAppender::commit() {
    Q_ASSERT(!done_ && fd_ >= 0);
    if (const int err = Sync(fd_)) fail(err);
    done_ = true;
    CloseFd(fd_);
}

void BlockAppender::fail(int err) {
    rollback();
    Fail(CannotWrite, path_, err);
}

void BlockAppender::rollback() noexcept {
    if (fd_ < 0) return;
    // Cut back even when nothing counted as written: a failed write may
    // have left part of its bytes.
    const qint64 whole = first_ * size_;
    if (::ftruncate(fd_, off_t(whole)) == 0 && !tail_.isEmpty()) WriteAt(fd_, tail_.constData(), tail_.size(), whole);
    Sync(fd_);
    done_ = true;
    CloseFd(fd_);
}

ReplacementFile::ReplacementFile(const QString &target, const QString &model) : target_(target) {
    const QFileInfo info(target);
    QByteArray name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) Fail(CannotCreate, target, errno);
    temp_ = QFile::decodeName(name);
    // The new file keeps the old one's permissions, and its owner where the
    // system lets us (the program run as root must not take the log away
    // from its user).
    struct stat st {};
    const QByteArray from = QFile::encodeName(model.isEmpty() ? target : model);
    if (::stat(from.constData(), &st) == 0) {
        if (::fchown(fd_, st.st_uid, st.st_gid) != 0) {} // not allowed: ours, as any new file
        ::fchmod(fd_, st.st_mode & 07777);
    } else {
        ::fchmod(fd_, 0644);
    }
}

ReplacementFile::~ReplacementFile() {
    if (!placed_) ::unlink(QFile::encodeName(temp_).constData());
    CloseFd(fd_);
}

void ReplacementFile::append(const char *bytes, qint64 size) {
    Q_ASSERT(fd_ >= 0);
    if (const int err = WriteAt(fd_, bytes, size, written_)) fail(CannotWrite, err);
    written_ += size;
}

void ReplacementFile::fail(const QString &what, int err) {
    ::unlink(QFile::encodeName(temp_).constData());
    placed_ = true; // nothing left to remove
    CloseFd(fd_);
    Fail(what, target_, err);
}

void ReplacementFile::finish() {
    if (fd_ < 0) return;
    if (const int err = Sync(fd_)) fail(CannotWrite, err);
    CloseFd(fd_);
}

void ReplacementFile::replaceTarget() {
    finish();
    if (::rename(QFile::encodeName(temp_).constData(), QFile::encodeName(target_).constData()) != 0)
        fail(CannotWrite, errno);
    placed_ = true;
    SyncFolder(QFileInfo(target_).absolutePath());
}

bool ReplacementFile::createTarget() {
    finish();
    const QByteArray from = QFile::encodeName(temp_), to = QFile::encodeName(target_);
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) != 0) {
        const int err = errno;
        if (err == EEXIST) return false; // the destructor removes the new file
        if (err != EINVAL && err != ENOSYS) fail(CannotCreate, err);
        // A file system without the flag: the name is checked first.
        if (QFileInfo::exists(target_) || QFileInfo(target_).isSymLink()) return false;
        if (::rename(from.constData(), to.constData()) != 0) fail(CannotCreate, errno);
    }
    placed_ = true;
    SyncFolder(QFileInfo(target_).absolutePath());
    return true;
}

bool KeepUnderNewName(const QString &from, const QString &to, KeepBy by) {
    const QByteArray source = QFile::encodeName(from), name = QFile::encodeName(to);
    if (by == KeepBy::LinkOrCopy) {
        if (::link(source.constData(), name.constData()) == 0) {
            SyncFolder(QFileInfo(to).absolutePath());
            return true;
        }
        const int err = errno;
        if (err == EEXIST) return false;
        // Only a file system without hard links (or a link count at its
        // limit) falls back to the copy.
        if (err != EPERM && err != EOPNOTSUPP && err != EMLINK && err != ENOSYS && err != EXDEV)
            Fail(CannotCreate, to, err);
    }
    if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) return false;
    Fd in;
    const qint64 size = OpenRegular(in, from, O_RDONLY);
    ReplacementFile copy(to, from);
    QByteArray block(int(qMin<qint64>(qMax<qint64>(size, 1), 4 << 20)), Qt::Uninitialized);
    for (qint64 at = 0; at < size;) {
        const qint64 n = qMin<qint64>(block.size(), size - at);
        if (!ReadAt(in.fd, block.data(), n, at, from)) Fail(CannotRead, from, EIO);
        copy.append(block.constData(), n);
        at += n;
    }
    return copy.createTarget();
}

} // namespace RecordIO

void WriteAllBytes(const QString &path, const QByteArray &bytes) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw IoError(QStringLiteral("%1 %2: %3").arg(RecordIO::CannotCreate, path, f.errorString()));
    // commit() does not report a failed flush of a small buffer, and Qt
    // loses the reason: write past its buffer and sync before the commit, so
    // a full disk leaves the old file whole and says why.
    int err = RecordIO::WriteAt(f.handle(), bytes.constData(), bytes.size(), 0);
    if (!err) err = RecordIO::Sync(f.handle());
    if (err) {
        f.cancelWriting();
        RecordIO::Fail(RecordIO::CannotWrite, path, err);
    }
    if (!f.flush()) { // nothing is buffered; checked all the same
        const QString why = f.errorString();
        f.cancelWriting();
        throw IoError(QStringLiteral("%1 %2: %3").arg(RecordIO::CannotWrite, path, why));
    }
    if (!f.commit()) throw IoError(QStringLiteral("%1 %2: %3").arg(RecordIO::CannotWrite, path, f.errorString()));
    RecordIO::SyncFolder(QFileInfo(path).absolutePath());
}

} // namespace zelmor
