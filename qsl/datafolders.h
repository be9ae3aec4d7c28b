#pragma once
// The data folders under the program folder, prepared once at start-up:
// qsl (card layouts), mail (sender addresses, address book), name and dx.
// Older files lying in the program folder itself are copied in; the
// originals stay, and a file already in a folder is never replaced.
#include <QString>
#include <QStringList>

namespace zelmor {

struct PreparedDataFolders {
    QStringList layouts; // "1QSL", "2QSL", ...: the layout list
    QStringList senders; // "Адрес регистрации", then the entries of mail.dat
};

// Never stops the start-up: a folder or a copy that fails is told in one
// message naming its path, and the other steps still run.
PreparedDataFolders PrepareDataFolders(const QString &programDir);

// "<n>QSL" for n = 1, 2, ... while "<n>qsl.qsl" exists in the folder.
QStringList ListLayouts(const QString &qslDir);

// Creates the empty file "<n>qsl.qsl" for the first n >= 1 that has none,
// never over an existing file; returns the layout's name ("3QSL"). Throws
// IoError when the folder cannot take it.
QString CreateNewLayout(const QString &qslDir);

// The layout the editor opens on when none is chosen yet: the first one
// listed, or a new empty one when the folder lists none. Throws IoError when
// the folder cannot take a new file.
QString FirstLayout(const QString &qslDir);

// Makes `name` the current layout: QslLayoutPath and the stored "qsl_file".
void ChooseLayout(const QString &name);

// The qsl folder of the program folder (matched without regard to case).
QString LayoutFolder(const QString &programDir);

} // namespace zelmor
