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
    QFile::link(tmp.file("missing"), tmp.file("dangling"));
    // Mode 1 asks for a file, 2 for a folder, anything else for either.
    const std::tuple<QString, bool, bool> cases[] = {
        {"file.jpg", true, false},  {"dir/", false, true},        {"dirlink", false, true},
        {"dangling", false, false}, {"file.jpg/x", false, false},
    };
    for (const auto& [name, file, dir] : cases)
        for (const auto& [mode, expected] :
             {std::pair{1, file}, {2, dir}, {0, file || dir}, {7, file || dir}})
            EXPECT_EQ(PathExists(tmp.file(name), mode), expected) << name.toStdString() << " " << mode;
    EXPECT_FALSE(PathExists("", 0));
}

TEST(Paths, DocumentsFolderFallsBackToHome) {
    TempDir tmp;
    const ScopedEnv home("HOME", tmp.path());
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.path());
    QDir().mkpath(tmp.file("Documents"));
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.file("Documents"));
}
