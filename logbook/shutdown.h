#pragma once
// The shut-down, run once when the launcher closes: timers stopped, window
// positions and log grid column widths stored, the settings released, the
// closing sound played.
#include <QString>
#include <functional>

namespace zelmor {

void ShutDown();

// Stops the CW keyer with its timers, keys up and drops PTT; the keyer fills it.
extern std::function<void()> ShutDownCwKeyer;
// Stops the oscilloscope with its capture and finishes a recording under
// way; the sound panel fills it.
extern std::function<void()> ShutDownSound;

// The most the closing sound may hold up the end of the program.
inline constexpr int ClosingSoundTimeoutMs = 5000;
inline const QString ClosingSoundFile = QStringLiteral("gbye010.wav");

} // namespace zelmor
