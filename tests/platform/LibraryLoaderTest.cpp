#include <gtest/gtest.h>

#include "platform/LibraryLoader.h"

namespace {

TEST(SystemLibraryLoaderTest, MissingFileGivesTheLinkersTextNamingIt) {
    const std::string missing = "/nonexistent-movira-dir/libmovira-missing.so";
    std::string error = "stale";
    EXPECT_EQ(platform::SystemLibraryLoader().Load(missing, error), nullptr);
    EXPECT_EQ(error.rfind(missing, 0), 0u) << error;
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;

    // A bare name goes through the search path and is still named in the text.
    EXPECT_EQ(platform::SystemLibraryLoader().Load("libmovira-missing.so.9", error), nullptr);
    EXPECT_NE(error.find("libmovira-missing.so.9"), std::string::npos) << error;
}

// The linker would hand back the program itself for an empty name.
TEST(SystemLibraryLoaderTest, EmptyNameIsRefused) {
    std::string error;
    EXPECT_EQ(platform::SystemLibraryLoader().Load("", error), nullptr);
    EXPECT_FALSE(error.empty());
}

TEST(SystemLibraryLoaderTest, LoadsBySearchPathAndResolvesOnlyExportedNames) {
    auto& loader = platform::SystemLibraryLoader();
    std::string error = "stale";
    void* libc = loader.Load("libc.so.6", error);
    ASSERT_NE(libc, nullptr) << error;
    EXPECT_TRUE(error.empty());

    EXPECT_NE(loader.Resolve(libc, "strlen"), nullptr);
    EXPECT_EQ(loader.Resolve(libc, "movira_no_such_function"), nullptr);
    loader.Unload(libc);
}

}  // namespace
