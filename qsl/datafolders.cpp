#include "qsl/datafolders.h"

#include "common/recordfile.h"
#include "logbook/settingscatalogue.h"
#include "platform/dialogs.h"
#include "platform/paths.h"
#include "qsl/envelope.h"
#include "station/settingsglobals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zelmor {

namespace {

QString LayoutFileName(int n) { return QStringLiteral("%1qsl.qsl").arg(n); }

// The folder `name` of the program folder, created (in lower case) when
// missing; empty after telling the operator when it cannot be.
QString EnsureFolder(const QString &programDir, const QString &name, QStringList &failures) {
    const QString path = ResolvePath(name, programDir);
    const QFileInfo info(path);
    if (info.isDir()) return path;
    if (!info.exists() && QDir(programDir).mkdir(name)) return ResolvePath(name, programDir);
    failures << QStringLiteral("Не удалось создать папку \"%1\"").arg(QDir::toNativeSeparators(path));
    return QString();
}

// Copies the program folder's `name` (any case) into `folder` under its
// lower-case name; nothing when the source is missing or the target exists.
void CopyIn(const QString &programDir, const QString &name, const QString &folder, QStringList &failures) {
    if (folder.isEmpty()) return;
    const QString from = ResolvePath(name, programDir);
    if (!QFileInfo(from).isFile()) return;
    const QString to = QDir(folder).filePath(name.toLower());
    if (QFileInfo::exists(ResolvePath(name, folder))) return;
    QFile source(from);
    if (!source.copy(to))
        failures << QStringLiteral("Не удалось скопировать \"%1\" в \"%2\": %3")
                        .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to), source.errorString());
}

} // namespace

QString LayoutFolder(const QString &programDir) { return ResolvePath(QStringLiteral("qsl"), programDir); }

QStringList ListLayouts(const QString &qslDir) {
    QStringList names;
    for (int n = 1; QFileInfo(ResolvePath(LayoutFileName(n), qslDir)).isFile(); ++n) names << QStringLiteral("%1QSL").arg(n);
    return names;
}

QString CreateNewLayout(const QString &qslDir) {
    for (int n = 1;; ++n) {
        if (QFileInfo::exists(ResolvePath(LayoutFileName(n), qslDir))) continue;
        QFile f(QDir(qslDir).filePath(LayoutFileName(n)));
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return QStringLiteral("%1QSL").arg(n);
        if (f.exists()) continue; // made by someone else meanwhile
        throw IoError(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(f.fileName()), f.errorString()));
    }
}

QString FirstLayout(const QString &qslDir) {
    const QStringList names = ListLayouts(qslDir);
    return names.isEmpty() ? CreateNewLayout(qslDir) : names.first();
}

void ChooseLayout(const QString &name) {
    QslLayoutPath = ResolvePath(QStringLiteral("qsl/") + name + QStringLiteral(".qsl"), ProgramDir);
    WriteSetting(SettingId::QslLayout, name);
}

PreparedDataFolders PrepareDataFolders(const QString &programDir) {
    PreparedDataFolders out;
    QStringList failures;

    const bool hadQsl = QFileInfo(LayoutFolder(programDir)).isDir();
    const QString qsl = EnsureFolder(programDir, QStringLiteral("qsl"), failures);
    if (!hadQsl && !qsl.isEmpty())
        for (int n = 1; QFileInfo(ResolvePath(LayoutFileName(n), programDir)).isFile(); ++n)
            CopyIn(programDir, LayoutFileName(n), qsl, failures);
    if (!qsl.isEmpty()) out.layouts = ListLayouts(qsl);

    const QString mail = EnsureFolder(programDir, QStringLiteral("mail"), failures);
    CopyIn(programDir, QStringLiteral("mail.dat"), mail, failures);
    out.senders << OwnAddressEntry;
    if (!mail.isEmpty()) {
        const QString senders = ResolvePath(QStringLiteral("mail.dat"), mail);
        try {
            // Without its file the envelope could never keep an entry.
            if (!QFileInfo::exists(senders)) RecordIO::Touch(senders);
            out.senders << SenderEntryNames(senders);
        } catch (const IoError &e) {
            failures << e.text();
        }
    }

    CopyIn(programDir, QStringLiteral("adrbox.dat"), mail, failures);
    const QString name = EnsureFolder(programDir, QStringLiteral("name"), failures);
    CopyIn(programDir, QStringLiteral("qth.bas"), name, failures);
    CopyIn(programDir, QStringLiteral("name.bas"), name, failures);
    const QString dx = EnsureFolder(programDir, QStringLiteral("dx"), failures);
    CopyIn(programDir, QStringLiteral("world.dat"), dx, failures);
    CopyIn(programDir, QStringLiteral("iota.dat"), dx, failures);

    for (const QString &f : failures) ShowErrorBox(f);
    return out;
}

} // namespace zelmor
