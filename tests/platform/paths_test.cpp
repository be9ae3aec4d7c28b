#include "platform/paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmor;

TEST(Paths, WindowsNamesResolveCaseInsensitively) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("dx");
    QFile(dir.filePath("dx/world.dat")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("Kaz_tan.dat")).open(QIODevice::WriteOnly);
    EXPECT_EQ(ResolvePath("DX\\World.dat", dir.path()), dir.filePath("dx/world.dat"));
    EXPECT_EQ(ResolvePath("kaz_tan.dat", dir.path()), dir.filePath("Kaz_tan.dat"));
    // What does not exist is kept as written, ready to be created.
    EXPECT_EQ(ResolvePath("name\\Name.bas", dir.path()), dir.filePath("name/Name.bas"));
    EXPECT_EQ(ResolvePath(dir.filePath("DX/WORLD.DAT"), "/elsewhere"), dir.filePath("dx/world.dat"));
}

// The program folder is found from the environment, and the shipped files
// fill in only what it lacks.
TEST(Paths, ProgramFolderAndMissingShippedFiles) {
    QTemporaryDir dir;
    const QByteArray oldHome = qgetenv("ZELMOR_HOME"), oldData = qgetenv("XDG_DATA_HOME");
    qputenv("ZELMOR_HOME", dir.filePath("home").toLocal8Bit());
    EXPECT_EQ(DefaultProgramDir(), dir.filePath("home"));
    qunsetenv("ZELMOR_HOME");
    qputenv("XDG_DATA_HOME", dir.filePath("xdg").toLocal8Bit());
    EXPECT_EQ(DefaultProgramDir(), dir.filePath("xdg/zelmor"));
    qputenv("ZELMOR_HOME", oldHome);
    if (oldHome.isEmpty()) qunsetenv("ZELMOR_HOME");
    qputenv("XDG_DATA_HOME", oldData);

    auto put = [](const QString &path, const QByteArray &bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    const QString shipped = dir.filePath("shipped"), mine = dir.filePath("mine");
    put(shipped + "/dx/world.dat", "shipped table");
    put(shipped + "/news.txt", "shipped news");
    put(shipped + "/name/name.bas", "names");
    put(mine + "/dx/world.dat", "my edited table");
    put(mine + "/test.log", "my log");
    EXPECT_TRUE(CopyMissingFiles(shipped, mine).isEmpty());
    auto read = [](const QString &path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    };
    EXPECT_EQ(read(mine + "/dx/world.dat"), "my edited table");
    EXPECT_EQ(read(mine + "/test.log"), "my log");
    EXPECT_EQ(read(mine + "/news.txt"), "shipped news");
    EXPECT_EQ(read(mine + "/name/name.bas"), "names");
    // The build finds the source tree's data/.
    EXPECT_TRUE(QFileInfo::exists(ShippedDataDir() + "/dx/world.dat")) << ShippedDataDir().toStdString();
}
