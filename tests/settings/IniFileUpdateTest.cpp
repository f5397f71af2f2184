#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

#include "NativeFiles.h"
#include "TestFiles.h"
#include "platform/IniFile.h"

namespace {

using platform::IniFile;

class IniFileUpdateTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    static IniFile::Change Set(const char16_t* section, const char16_t* key,
                               const char16_t* value) {
        return [=](IniFile& file) { file.SetValue(section, key, value); };
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("progress.ini");
};

// The file's comments, other sections and (AtomicFileTest shows) its mode stay.
TEST_F(IniFileUpdateTest, MergesIntoTheFileAsItIsNow) {
    ASSERT_TRUE(WriteFile(path, "; mine\n[Other]\nkeep=1\n[S]\nk=old\n"));

    EXPECT_TRUE(IniFile::Update(path, Set(u"s", u"K", u"new")));
    EXPECT_EQ(ReadFile(path), "; mine\n[Other]\nkeep=1\n[S]\nk=new\n");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));

    const QString fresh = dir.filePath("config.ini");
    EXPECT_TRUE(IniFile::Update(fresh, Set(u"Settings", u"Volume", u"55.0")));
    EXPECT_EQ(ReadFile(fresh), "[Settings]\nVolume=55.0\n");
}

// Overwriting what could not be read would throw its contents away; a pipe must neither
// block the reader nor be replaced.
TEST_F(IniFileUpdateTest, UnreadableFileIsNotReplaced) {
    const UnreadableFile unreadable(path);
    ASSERT_TRUE(unreadable.Made());
    EXPECT_TRUE(IniFile::Read(path).SectionNames().isEmpty());
    EXPECT_FALSE(IniFile::Update(path, Set(u"S", u"k", u"v")));
    EXPECT_TRUE(unreadable.Untouched());
}

}  // namespace
