#include "logbook/datacheck.h"

#include "logbook/proverk.h"
#include "platform/paths.h"

#include <QFileInfo>
#include <QPlainTextEdit>

namespace zelmor {

QStringList MissingDataFiles() {
    QStringList missing;
    for (const char *entry : RequiredDataFiles) {
        const QString name = QString::fromUtf8(entry);
        if (QFileInfo(DataPath(name)).isFile()) continue;
        missing << (name.contains(u'\\') ? ProgramDir + u'/' + QString(name).replace(u'\\', u'/') : name);
    }
    return missing;
}

void CheckDataFiles() {
    const QStringList missing = MissingDataFiles();
    if (missing.isEmpty() || !Proverk) return;
    Proverk->Memo1->setPlainText(missing.join(u'\n'));
    Proverk->show();
    Proverk->raise();
}

} // namespace zelmor
