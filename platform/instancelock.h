#pragma once
// One program per settings file (and so per log): two copies appending to
// one log would each number records by the file size and miss each other's
// contacts in the repeat check.
#include <QLockFile>
#include <QString>
#include <memory>

namespace zelmor {

inline const QString AlreadyRunningText = QStringLiteral("ZELMOR уже запущен");

// The lock file beside the settings file.
QString InstanceLockPath(const QString &settingsFile);

// Takes the lock for the program's life. When another running program holds
// it, says so in one message box (with the holder) and returns nullptr: the
// caller exits without touching anything. A lock left by a program that no
// longer runs is taken over. Where no lock can be made at all (a read-only
// folder) the program still runs: the returned lock is then not held.
std::unique_ptr<QLockFile> AcquireInstanceLock(const QString &settingsFile);

} // namespace zelmor
