#include "platform/Paths.h"

#include "TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(Paths, DocumentsFolderFallsBackToHome) {
    TempDir tmp;
    const ScopedEnv home("HOME", tmp.path());
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.path());
    QDir().mkpath(tmp.file("Documents"));
    EXPECT_EQ(SpecialFolderPath(CSIDL_PERSONAL), tmp.file("Documents"));
}
