#include "platform/paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStringList>

namespace zelmor {

QString ProgramDir;

QString ResolvePath(const QString &name, const QString &base) {
    QString n = name;
    n.replace(u'\\', u'/');
    QString dir;
    if (n.startsWith(u'/')) {
        dir = QStringLiteral("/");
    } else {
        dir = base.isEmpty() ? QDir::currentPath() : base;
    }
    const QStringList parts = n.split(u'/', Qt::SkipEmptyParts);
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        QString chosen = part;
        if (part != QLatin1String(".") && part != QLatin1String("..") && !QFileInfo::exists(dir + u'/' + part)) {
            const QString folded = part.toUpper();
            const QStringList entries = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &e : entries) {
                if (e.toUpper() == folded) {
                    chosen = e;
                    break;
                }
            }
        }
        dir = (dir.endsWith(u'/') ? dir : dir + u'/') + chosen;
    }
    return QDir::cleanPath(dir);
}

QString DataPath(const QString &name) { return ResolvePath(name, ProgramDir); }

QString DefaultProgramDir() {
    const QString home = qEnvironmentVariable("ZELMOR_HOME");
    if (!home.isEmpty()) return QDir::cleanPath(QDir(home).absolutePath());
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty()) base = QDir::homePath() + QStringLiteral("/.local/share");
    return QDir::cleanPath(base + QStringLiteral("/zelmor"));
}

QString ShippedDataDir() {
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zelmor");
#ifdef ZELMOR_SOURCE_DATA_DIR
    candidates << QStringLiteral(ZELMOR_SOURCE_DATA_DIR);
#endif
#ifdef ZELMOR_INSTALL_DATA_DIR
    candidates << QStringLiteral(ZELMOR_INSTALL_DATA_DIR);
#endif
    for (const QString &c : candidates)
        if (QFileInfo(c + QStringLiteral("/dx")).isDir()) return QDir::cleanPath(c);
    return QString();
}

QStringList CopyMissingFiles(const QString &from, const QString &to) {
    QStringList failures;
    if (from.isEmpty() || !QDir().mkpath(to)) {
        failures << QStringLiteral("Не удаётся создать папку %1").arg(to);
        return failures;
    }
    QDirIterator it(from, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    const QDir source(from);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + u'/' + source.relativeFilePath(file);
        if (QFileInfo::exists(target)) continue;
        QFile f(file);
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !f.copy(target))
            failures << QStringLiteral("Не удаётся скопировать файл %1: %2").arg(target, f.errorString());
        else // the operator edits the copies, whatever the installed files allow
            QFile::setPermissions(target, QFile::permissions(target) | QFile::ReadOwner | QFile::WriteOwner);
    }
    return failures;
}

} // namespace zelmor
