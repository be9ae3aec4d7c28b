#include "platform/waverecorder.h"

#include "common/wavefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace zelmor {

namespace {
QString NameOf(const QString &path) { return QFileInfo(path).fileName(); }
} // namespace

WaveRecorder::WaveRecorder(SoundInput &input) : input_(input) {}

WaveRecorder::~WaveRecorder() { finish(); }

bool WaveRecorder::start(const QString &target) {
    finish();
    error_.clear();
    if (!input_.hasDevice()) {
        error_ = NoInputText;
        return false;
    }
    if (!input_.acquire(SoundInput::Recorder)) {
        error_ = input_.error();
        return false;
    }
    auto file = std::make_unique<QFile>(PartPath(target));
    // Unbuffered: a full disk shows at the block that did not fit.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        error_ = QStringLiteral("Нет записи в папку %1: %2")
                     .arg(QDir::toNativeSeparators(QFileInfo(target).absolutePath()), file->errorString());
        input_.release(SoundInput::Recorder);
        return false;
    }
    auto writer = std::make_unique<WaveWriter>(*file, input_.format().rate);
    if (!writer->begin()) {
        error_ = QStringLiteral("Ошибка записи в %1: %2").arg(NameOf(target), writer->error());
        file->remove();
        input_.release(SoundInput::Recorder);
        return false;
    }
    target_ = target;
    file_ = std::move(file);
    writer_ = std::move(writer);
    input_.sink = this;
    return true;
}

bool WaveRecorder::finish() {
    if (!file_) return true;
    if (input_.sink == this) input_.sink = nullptr;
    input_.release(SoundInput::Recorder);
    const bool clean = !writer_->failed();
    bool ok = writer_->finish();
    // The recording reaches the disk before it replaces the old one.
    ok = ok && ::fsync(file_->handle()) == 0;
    const QString writeError = ok ? QString() : (writer_->failed() ? writer_->error() : QString::fromLocal8Bit(std::strerror(errno)));
    file_->close();
    writer_.reset();
    const QString part = file_->fileName();
    file_.reset();
    if (!ok) {
        QFile::remove(part);
        if (error_.isEmpty()) error_ = QStringLiteral("Ошибка записи в %1: %2").arg(NameOf(target_), writeError);
        return false;
    }
    if (std::rename(QFile::encodeName(part).constData(), QFile::encodeName(target_).constData()) != 0) {
        const QString why = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(part);
        error_ = QStringLiteral("Не удалось заменить %1: %2").arg(NameOf(target_), why);
        return false;
    }
    return clean;
}

void WaveRecorder::endWithError(const QString &text) {
    error_ = text;
    finish();
    if (onFailure) onFailure(error_);
}

void WaveRecorder::samples(const qint16 *data, qsizetype count) {
    if (!writer_ || writer_->append(data, count)) return;
    endWithError(QStringLiteral("Ошибка записи в %1: %2").arg(NameOf(target_), writer_->error()));
}

void WaveRecorder::inputFailed(const QString &error) {
    if (!file_) return;
    endWithError(QStringLiteral("Запись прервана: %1").arg(error));
}

} // namespace zelmor
