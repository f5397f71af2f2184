#include <gtest/gtest.h>

#include "platform/LibraryLoader.h"

namespace {

// The system's own names and words (Windows words its errors in the system's language).
#ifdef _WIN32
constexpr const char* kMissingPath = "C:\\nonexistent-movira-dir\\movira-missing.dll";
constexpr const char* kMissingName = "movira-missing-9.dll";
constexpr const char* kNotFoundText = ": ";
constexpr const char* kSystemLibrary = "kernel32.dll";
constexpr const char* kExportedFunction = "GetTickCount";
#else
constexpr const char* kMissingPath = "/nonexistent-movira-dir/libmovira-missing.so";
constexpr const char* kMissingName = "libmovira-missing.so.9";
constexpr const char* kNotFoundText = "No such file or directory";
constexpr const char* kSystemLibrary = "libc.so.6";
constexpr const char* kExportedFunction = "strlen";
#endif

TEST(SystemLibraryLoaderTest, MissingFileGivesTheLinkersTextNamingIt) {
    const std::string missing = kMissingPath;
    std::string error = "stale";
    EXPECT_EQ(platform::SystemLibraryLoader().Load(missing, error), nullptr);
    EXPECT_EQ(error.rfind(missing, 0), 0u) << error;
    EXPECT_NE(error.find(kNotFoundText), std::string::npos) << error;

    // A bare name goes through the search path and is still named in the text.
    EXPECT_EQ(platform::SystemLibraryLoader().Load(kMissingName, error), nullptr);
    EXPECT_NE(error.find(kMissingName), std::string::npos) << error;
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
    void* library = loader.Load(kSystemLibrary, error);
    ASSERT_NE(library, nullptr) << error;
    EXPECT_TRUE(error.empty());

    EXPECT_NE(loader.Resolve(library, kExportedFunction), nullptr);
    EXPECT_EQ(loader.Resolve(library, "movira_no_such_function"), nullptr);
    loader.Unload(library);
}

}  // namespace
