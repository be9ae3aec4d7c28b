#include "logbook/logfiles.h"

#include "common/codepage.h"
#include "common/contestrecord.h"
#include "common/qsorecord.h"
#include "platform/dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>
#include <array>
#include <charconv>
#include <cstring>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zelmor {

namespace {

constexpr int LogSize = QsoRecord::Size;
// Records gathered before one write: a few megabytes.
constexpr qint64 BatchBytes = 4 << 20;
// Backup numbers tried before giving up.
constexpr int MaxBackupNumber = 100000;

// The progress callback about every 1 % of the records.
class ProgressSteps {
public:
    ProgressSteps(qint64 total, const LogProgress &progress)
        : total_(total), step_(qMax<qint64>(1, total / 100)), progress_(progress) {}
    void reached(qint64 done) {
        if (progress_ && done / step_ != last_ / step_) progress_(done, total_);
        last_ = done;
    }
    void end() {
        if (progress_ && last_ != total_) progress_(total_, total_);
    }

private:
    qint64 total_, step_, last_ = 0;
    const LogProgress &progress_;
};

// Records gathered in one buffer and handed on a batch at a time.
class RecordBatch {
public:
    RecordBatch(int size, std::function<void(const char *, qint64)> sink)
        : size_(size), capacity_(qMax<qint64>(1, BatchBytes / size)), sink_(std::move(sink)),
          buffer_(size_t(capacity_ * size)) {}
    // Room for the next record, to be filled whole.
    char *next() {
        if (used_ == capacity_) flush();
        return buffer_.data() + used_++ * size_;
    }
    void flush() {
        if (used_ > 0) sink_(buffer_.data(), used_);
        used_ = 0;
    }

private:
    int size_;
    qint64 capacity_, used_ = 0;
    std::function<void(const char *, qint64)> sink_;
    std::vector<char> buffer_;
};

// The first `count` records of a file, a block at a time; records a writer
// adds meanwhile are not visited.
void ForFirstRecords(const QString &path, int size, qint64 count,
                     const std::function<void(qint64 first, const char *, qint64 n)> &visit) {
    if (count <= 0) return;
    RecordIO::ForEachBlock(path, size, [&](qint64 first, const char *block, qint64 n) {
        if (first < count) visit(first, block, qMin(n, count - first));
    });
}

// The number field, cut to its room as every text is.
void PutNumber(char *rec, qint64 number) {
    constexpr TextField f = QsoField::Number;
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    const int length = qMin<int>(int(end - digits), f.capacity);
    rec[f.offset] = char(length);
    std::memcpy(rec + f.offset + 1, digits, size_t(length));
    std::memset(rec + f.offset + 1 + length, 0, size_t(f.capacity - length));
}

// A field's bytes into a zero-filled record, cut to the field's capacity.
void PutBytes(char *rec, TextField f, QByteArrayView bytes) {
    const int length = int(qMin<qsizetype>(bytes.size(), f.capacity));
    rec[f.offset] = char(length);
    std::memcpy(rec + f.offset + 1, bytes.data(), size_t(length));
}

QByteArrayView FieldBytesOf(const char *rec, TextField f) {
    const int length = qMin<int>(static_cast<unsigned char>(rec[f.offset]), f.capacity);
    return QByteArrayView(rec + f.offset + 1, length);
}

QString UnreadableText(const QString &path, const QString &why) {
    return QStringLiteral("Не удаётся прочитать файл %1: %2").arg(path, why);
}

// Missing, unreadable, or of another layout: the size must be whole
// records, and with `fields` the first record's length bytes must fit.
QString RecordFileProblem(const QString &path, int size, const QString &notText, std::span<const TextField> fields) {
    const QFileInfo info(path);
    if (!info.exists()) return MissingFileText(u' ' + path);
    if (info.isDir()) return UnreadableText(path, QStringLiteral("это папка"));
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return UnreadableText(path, f.errorString());
    const qint64 bytes = f.size();
    if (bytes % size != 0) return notText + path;
    if (fields.empty() || bytes == 0) return QString();
    const QByteArray first = f.read(size);
    if (first.size() != size) return UnreadableText(path, f.errorString());
    for (const TextField &field : fields)
        if (static_cast<unsigned char>(first[field.offset]) > field.capacity) return notText + path;
    return QString();
}

const std::array<TextField, 24> &LogFields() {
    static const std::array<TextField, 24> fields = [] {
        std::array<TextField, 24> out{};
        for (size_t i = 0; i < out.size(); ++i) out[i] = {QsoRecord::Fields[i].offset, QsoRecord::Fields[i].capacity};
        return out;
    }();
    return fields;
}

QString SizeText(qint64 bytes) {
    if (bytes < 1024) return QStringLiteral("%1 байт").arg(bytes);
    if (bytes < (1 << 20)) return QStringLiteral("%1 КБ").arg((bytes + 1023) / 1024);
    // Rounded up to a tenth: what is said to be missing is never too little.
    const qint64 tenths = (bytes * 10 + (1 << 20) - 1) / (1 << 20);
    return QStringLiteral("%1,%2 МБ").arg(tenths / 10).arg(tenths % 10);
}

void Require(const QString &problem) {
    if (!problem.isEmpty()) throw IoError(problem);
}

// A failure once writing has begun: the log is as it was.
[[noreturn]] void Unchanged(const QString &log, const IoError &e) {
    throw IoError(QStringLiteral("Журнал %1 не изменён. %2").arg(log, e.text()));
}

} // namespace

QString BackupNameFor(const QString &logPath, int number) {
    const qsizetype slash = logPath.lastIndexOf(u'/');
    const QString folder = logPath.left(slash + 1);
    const QString name = logPath.mid(slash + 1);
    const qsizetype dot = name.indexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    return folder + base + (number > 0 ? QString::number(number) : QString()) + QStringLiteral(".bak");
}

bool CreateEmptyLog(const QString &path) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return true;
    // A name taken meanwhile, even by a dangling link, is asked again.
    if (QFileInfo(path).exists() || QFileInfo(path).isSymLink()) return false;
    throw IoError(QStringLiteral("Не удаётся создать файл %1: %2").arg(path, f.errorString()));
}

bool IsSameFile(const QString &a, const QString &b) {
    const QFileInfo fa(a), fb(b);
    if (fa.absoluteFilePath() == fb.absoluteFilePath()) return true;
    struct stat sa {}, sb {};
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 && ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    const QString ca = fa.canonicalFilePath();
    return !ca.isEmpty() && ca == fb.canonicalFilePath();
}

QString LogFileProblem(const QString &path) { return RecordFileProblem(path, LogSize, NotALogText, LogFields()); }

QString ContestFileProblem(const QString &path) {
    return RecordFileProblem(path, ContestRecord::Size, NotAContestFileText, {});
}

QString ReadOnlyProblem(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) return QString(); // the open says why
    // access() lets root write anything: the bits decide for him too.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(name.constData(), W_OK) != 0)
        return QStringLiteral("Журнал защищён от записи: ") + path;
    return QString();
}

QString SpaceProblem(const QString &path, qint64 bytes) {
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (!storage.isValid()) return QString();
    const qint64 available = storage.bytesAvailable();
    if (available < 0 || available >= bytes) return QString();
    return QStringLiteral("Недостаточно места на диске для %1: не хватает %2").arg(path, SizeText(bytes - available));
}

namespace {
// Appends the records of `source` (of `sourceSize` bytes each) to the log
// `target`, each made into a log record by `make` and numbered on from the
// log's count. The count is fixed before the copy: a source that grows
// meanwhile adds nothing. All or nothing; returns the records appended.
qint64 AppendRecords(const QString &source, int sourceSize, const QString &target, const LogProgress &progress,
                     const std::function<void(const char *from, char *to)> &make) {
    Require(ReadOnlyProblem(target));
    const qint64 count = qMax<qint64>(0, RecordIO::Count(source, sourceSize));
    Require(SpaceProblem(target, count * LogSize));
    try {
        RecordIO::BlockAppender out(target, LogSize);
        RecordBatch batch(LogSize, [&](const char *records, qint64 n) { out.append(records, n); });
        qint64 number = out.firstIndex();
        ProgressSteps steps(count, progress);
        ForFirstRecords(source, sourceSize, count, [&](qint64 first, const char *block, qint64 n) {
            for (qint64 k = 0; k < n; ++k) {
                char *rec = batch.next();
                make(block + k * sourceSize, rec);
                PutNumber(rec, ++number);
            }
            steps.reached(first + n);
        });
        batch.flush();
        out.commit();
        steps.end();
    } catch (const IoError &e) {
        Unchanged(target, e);
    }
    return count;
}
} // namespace

qint64 AppendLogFile(const QString &source, const QString &target, const LogProgress &progress) {
    Require(LogFileProblem(source));
    return AppendRecords(source, LogSize, target, progress,
                         [](const char *from, char *to) { std::memcpy(to, from, size_t(LogSize)); });
}

qint64 AppendContestFileToLog(const QString &contest, const QString &target, const LogProgress &progress) {
    Require(ContestFileProblem(contest));
    // Contest field -> log field; each is cut to the log field's capacity.
    static constexpr std::pair<TextField, TextField> Copied[] = {
        {ContestField::Call, QsoField::Call},
        {ContestField::Date, QsoField::Date},
        {ContestField::Time, QsoField::Time},
        {ContestField::Band, QsoField::Band},
        {ContestField::Mode, QsoField::Mode},
        {ContestField::Sent, QsoField::RstSent},
        {ContestField::Received, QsoField::RstReceived},
        {ContestField::Waz, QsoField::Waz},
        {ContestField::Itu, QsoField::Itu},
        {ContestField::Country, QsoField::Country},
        {ContestField::DeleteMark, QsoField::DeleteMark},
        {ContestField::RegionNumber, QsoField::RegionNumber},
    };
    const QByteArray toSend = ToCp1251(QslToSend);
    return AppendRecords(contest, ContestRecord::Size, target, progress, [&](const char *from, char *rec) {
        std::memset(rec, 0, size_t(LogSize));
        for (const auto &[c, q] : Copied) PutBytes(rec, q, FieldBytesOf(from, c));
        PutBytes(rec, QsoField::QslState, toSend);
    });
}

PurgeResult CopyLiveRecords(const QString &source, qint64 count, RecordIO::ReplacementFile &out,
                            const LogProgress &progress) {
    PurgeResult result;
    RecordBatch batch(LogSize, [&](const char *records, qint64 n) { out.append(records, n * LogSize); });
    ProgressSteps steps(count, progress);
    ForFirstRecords(source, LogSize, count, [&](qint64 first, const char *block, qint64 n) {
        for (qint64 k = 0; k < n; ++k) {
            const char *rec = block + k * LogSize;
            if (IsMarkedDeleted(rec)) {
                ++result.removed;
                continue;
            }
            char *copy = batch.next();
            std::memcpy(copy, rec, size_t(LogSize));
            PutNumber(copy, ++result.kept);
        }
        steps.reached(first + n);
    });
    batch.flush();
    steps.end();
    return result;
}

PurgeResult PurgeDeletedRecords(const QString &logPath, const LogProgress &progress) {
    // A log reached through a symbolic link is purged where it lies, and the
    // link stays a link.
    const QFileInfo info(logPath);
    const QString log = info.isSymLink() && !info.canonicalFilePath().isEmpty() ? info.canonicalFilePath() : logPath;
    Require(LogFileProblem(log));
    Require(ReadOnlyProblem(log));
    const qint64 count = qMax<qint64>(0, RecordIO::Count(log, LogSize));
    // The new file is at most as large as the old one.
    Require(SpaceProblem(log, count * LogSize));
    PurgeResult result;
    try {
        RecordIO::ReplacementFile out(log);
        result = CopyLiveRecords(log, count, out, progress);
        out.finish();
        for (int n = 0; result.backup.isEmpty(); ++n) {
            if (n > MaxBackupNumber)
                throw IoError(QStringLiteral("Нет свободного имени для копии журнала: ") + BackupNameFor(log, n - 1));
            const QString name = BackupNameFor(log, n);
            if (RecordIO::KeepUnderNewName(log, name)) result.backup = name;
        }
        try {
            out.replaceTarget();
        } catch (const IoError &) {
            QFile::remove(result.backup); // this run made it
            throw;
        }
    } catch (const IoError &e) {
        Unchanged(log, e);
    }
    return result;
}

} // namespace zelmor
