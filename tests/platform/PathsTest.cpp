#include "platform/Paths.h"

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(Paths, PathExistsModes) {
    TempDir tmp;
    WriteFile(tmp.file("file.jpg"), "x");
    QDir().mkpath(tmp.file("dir"));
    QFile::link(tmp.file("dir"), tmp.file("dirlink"));
    QFile::link(tmp.file("file.jpg"), tmp.file("filelink"));
    QFile::link(tmp.file("missing"), tmp.file("dangling"));

    struct Case {
        QString path;
        bool file, dir, any;
    };
    const Case cases[] = {
        {tmp.file("file.jpg"), true, false, true},     {tmp.file("dir"), false, true, true},
        {tmp.file("dir/"), false, true, true},         {tmp.file("dirlink"), false, true, true},
        {tmp.file("filelink"), true, false, true},     {tmp.file("dangling"), false, false, false},
        {tmp.file("missing"), false, false, false},    {"", false, false, false},
        {tmp.file("file.jpg/x"), false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PathExists(c.path, 1), c.file) << c.path.toStdString();
        EXPECT_EQ(PathExists(c.path, 2), c.dir) << c.path.toStdString();
        EXPECT_EQ(PathExists(c.path, 0), c.any) << c.path.toStdString();
        EXPECT_EQ(PathExists(c.path, 7), c.any) << c.path.toStdString();
    }
}

TEST(Paths, DocumentsFolderFallsBackToHome) {
    TempDir tmp;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(tmp.path()));
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.path());
    QDir().mkpath(tmp.file("Documents"));
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.file("Documents"));
    EXPECT_EQ(SpecialFolderPath(26), "");
    qputenv("HOME", oldHome);
}
