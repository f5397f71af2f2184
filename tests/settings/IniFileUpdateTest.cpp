#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFileInfo>
#include <QTemporaryDir>

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

TEST_F(IniFileUpdateTest, MergesIntoTheFileAsItIsNowAndKeepsItsMode) {
    ASSERT_TRUE(WriteFile(path, "; mine\n[Other]\nkeep=1\n[S]\nk=old\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);

    EXPECT_TRUE(IniFile::Update(path, Set(u"s", u"K", u"new")));
    EXPECT_EQ(ReadFile(path), "; mine\n[Other]\nkeep=1\n[S]\nk=new\n");
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));

    const QString fresh = dir.filePath("config.ini");
    EXPECT_TRUE(IniFile::Update(fresh, Set(u"Settings", u"Volume", u"55.0")));
    EXPECT_EQ(ReadFile(fresh), "[Settings]\nVolume=55.0\n");
}

// Overwriting what could not be read would throw its contents away; a pipe must neither
// block the reader nor be replaced.
TEST_F(IniFileUpdateTest, UnreadableFileIsNotReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_TRUE(IniFile::Read(path).SectionNames().isEmpty());
    EXPECT_FALSE(IniFile::Update(path, Set(u"S", u"k", u"v")));
    EXPECT_FALSE(QFileInfo(path).isFile());
}

}  // namespace
