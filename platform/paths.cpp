#include "platform/paths.h"

#include <QDir>
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

} // namespace zelmor
