// The settings-file parser on any file: read it, write it back through the
// hive, read that again: the same keys and values.
#include "platform/dialogs.h"
#include "platform/hive.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using namespace zelmor;

namespace {
QString FuzzFile() {
    // Memory-backed when the machine has it: one file write per input.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    const QString dir = base + QStringLiteral("/zelmor-fuzz-%1").arg(::getpid());
    QDir().mkpath(dir);
    return dir + QStringLiteral("/registry.reg");
}
// Control characters shown, so the two texts can be told apart.
QByteArray Shown(const QString &text) {
    QByteArray out;
    for (QChar c : text) {
        if (c.unicode() < 32 && c != u'\n') out += QByteArray("\\x") + QByteArray::number(c.unicode(), 16);
        else out += QString(c).toUtf8();
    }
    return out;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const QString path = FuzzFile();
    // A refused file is told in a box: answered here, never shown.
    static FakeDialogs dialogs;
    platform::install(&dialogs);
    dialogs.calls.clear();
    // Each input starts alone in its folder: the files the last one set
    // aside would pile up (and slow every rename that follows).
    const QDir folder = QFileInfo(path).dir();
    for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden)) QFile::remove(folder.filePath(name));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) std::abort();
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    SettingsHive first(path);
    // A write of one value makes the hive store everything it read.
    if (!first.setValue(QStringLiteral("Software\\zelmor\\fuzz"), QStringLiteral("fuzz"), HiveValue::dword(1)))
        return 0;
    const QString written = first.exportText();
    SettingsHive second(path);
    const QString reread = second.exportText();
    if (reread != written) {
        std::fprintf(stderr, "round trip differs\n--- written\n%s\n--- read back\n%s\n", Shown(written).constData(),
                     Shown(reread).constData());
        std::abort();
    }
    return 0;
}
