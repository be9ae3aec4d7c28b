#include "platform/paths.h"

#include <QDir>
#include <QFile>
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
