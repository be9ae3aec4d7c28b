#pragma once
// Records the sound input into a wave file: 16-bit mono at the rate the
// input captures. The samples go into a new file beside the target; only a
// finished recording replaces the target, so one that cannot start leaves
// the old file as it was, and one that a write error ends keeps what was
// written.
#include "platform/sound.h"

#include <QString>
#include <functional>
#include <memory>

class QFile;

namespace zelmor {

class WaveWriter;

class WaveRecorder : public SampleSink {
public:
    explicit WaveRecorder(SoundInput &input);
    ~WaveRecorder() override;
    // False, with error(), when there is no input, the input will not start
    // or the folder cannot be written.
    bool start(const QString &target);
    // The sizes into the header, then the file over the target. False, with
    // error(), when the recording was ended by an error or cannot be put
    // in place. Nothing when none runs.
    bool finish();
    bool active() const { return file_ != nullptr; }
    QString error() const { return error_; }
    // A write error or the input breaking ended the recording; what was
    // written is already in place.
    std::function<void(const QString &text)> onFailure;

    // The file a recording into `target` is written to until it finishes.
    static QString PartPath(const QString &target) { return target + QStringLiteral(".part"); }

    void samples(const qint16 *data, qsizetype count) override;
    void inputFailed(const QString &error) override;

private:
    void endWithError(const QString &text);
    SoundInput &input_;
    QString target_;
    std::unique_ptr<QFile> file_;
    std::unique_ptr<WaveWriter> writer_;
    QString error_;
};

} // namespace zelmor
