#include <gtest/gtest.h>

#include <QDir>

#include "platform/ExecutableFolder.h"

namespace {

TEST(ExecutableFolderTest, NamesTheFolderOfTheRunningBinaryWithATrailingSlash) {
    const QString folder = platform::ExecutableFolder();
    EXPECT_TRUE(folder.endsWith(u'/')) << folder.toStdString();
    EXPECT_TRUE(QDir::isAbsolutePath(folder)) << folder.toStdString();
    EXPECT_EQ(QDir(folder).canonicalPath(),
              QDir(QStringLiteral(PLATFORM_TESTS_DIR)).canonicalPath());
}

// The folder must not follow the current directory, which start-up does not control.
TEST(ExecutableFolderTest, IgnoresTheCurrentDirectory) {
    const QString before = platform::ExecutableFolder();
    const QString original = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QDir::rootPath()));
    const QString after = platform::ExecutableFolder();
    QDir::setCurrent(original);
    EXPECT_EQ(after, before);
}

}  // namespace
