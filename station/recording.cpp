#include "station/recording.h"

#include "common/text.h"
#include "logbook/qsostate.h"
#include "platform/dialogs.h"
#include "platform/sound.h"

#include <QFileInfo>

namespace zelmor {

namespace {

// Failures that come later (a rejected file, a write error) reach the
// status line too.
MediaPlayer &Player() {
    MediaPlayer &p = platform::mediaPlayer();
    p.onFailure = [](const QString &text) { StatusText = text; };
    return p;
}

void Play(const QString &path) {
    MediaPlayer &p = Player();
    // What plays ends, even when the new one cannot start.
    p.stop();
    if (!QFileInfo(path).isFile()) {
        StatusText = MissingFileText(QStringLiteral(" ") + QFileInfo(path).fileName());
        return;
    }
    if (!p.hasOutput()) {
        StatusText = NoOutputText;
        return;
    }
    if (!p.play(path)) StatusText = p.error();
}

} // namespace

void RecordCurrentWave(const QString &path) {
    MediaPlayer &p = Player();
    p.stop();
    if (!p.hasInput()) {
        StatusText = NoInputText;
        return;
    }
    if (!p.record(path)) StatusText = p.error();
}

void PlayCurrentWave(const QString &path) { Play(path); }

void StopCurrentWave() { Player().stop(); }

void OpenRecordingMedia(const QString &path) { Player().open(path); }

void PlayVoiceMessage(const QString &path) {
    if (Trim(path).isEmpty()) return;
    Play(path);
}

} // namespace zelmor
