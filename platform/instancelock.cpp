#include "platform/instancelock.h"

#include "platform/dialogs.h"

#include <QDir>
#include <QFileInfo>

namespace zelmor {

QString InstanceLockPath(const QString &settingsFile) { return settingsFile + QStringLiteral(".lock"); }

std::unique_ptr<QLockFile> AcquireInstanceLock(const QString &settingsFile) {
    const QString path = InstanceLockPath(settingsFile);
    const QString folder = QFileInfo(path).absolutePath();
    auto lock = std::make_unique<QLockFile>(path);
    // Only a holder that no longer runs makes a lock stale, however old it is.
    lock->setStaleLockTime(0);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder)) return lock;
    if (lock->tryLock(0)) return lock;
    if (lock->error() != QLockFile::LockFailedError) return lock;

    qint64 pid = 0;
    QString host, app;
    QString holder;
    if (lock->getLockInfo(&pid, &host, &app))
        holder = QStringLiteral("\n\nПроцесс %1 (%2) на компьютере %3\n%4")
                     .arg(pid)
                     .arg(app.isEmpty() ? QStringLiteral("?") : app, host.isEmpty() ? QStringLiteral("?") : host,
                          QDir::toNativeSeparators(path));
    platform::dialogs().messageBox(QStringLiteral("ZELMOR"), AlreadyRunningText + holder, MsgIcon::Warning, MbOk);
    return nullptr;
}

} // namespace zelmor
