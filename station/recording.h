#pragma once
// Recording and playback of the QSO window's current wave file
// ("Текущий.wav") and the voice messages of F2-F7, through the media player.
// Each says in the status line what kept it from working: no device, a
// missing file, a file the player rejects, a recording that could not
// start or was ended by an error. The alerts stay on the sound seam and
// never end a recording or a voice message.
#include <QString>

namespace zelmor {

// Stops what plays or records, then records `path` from the start. A
// recording that cannot start leaves the old file as it was.
void RecordCurrentWave(const QString &path);
// Finishes a running recording, then plays `path` from the start.
void PlayCurrentWave(const QString &path);
// Stops playback or finishes a recording; nothing else.
void StopCurrentWave();
// The file for the player, not played.
void OpenRecordingMedia(const QString &path);
// A voice message (F2-F7 with CW work off); an empty name plays nothing.
void PlayVoiceMessage(const QString &path);

} // namespace zelmor
