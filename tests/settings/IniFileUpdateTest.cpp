#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <thread>
#include <vector>

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

// The step between writing and renaming fails: the old file stays as it was, and no
// temporary file is left. The step also sees the finished temporary file and the lock.
TEST_F(IniFileUpdateTest, FailedRenameLeavesTheOldFile) {
    ASSERT_TRUE(WriteFile(path, "[S]\nk=old\n"));
    QByteArray seenTemporary;
    bool lockHeld = false;
    const auto failingReplace = [&](const QString& temporary, const QString& target) {
        seenTemporary = ReadFile(temporary);
        const int other = ::open(QFile::encodeName(target + ".lock").constData(), O_RDWR);
        lockHeld = other >= 0 && ::flock(other, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
        ::close(other);
        return false;
    };

    EXPECT_FALSE(IniFile::Update(path, Set(u"S", u"k", u"new"), failingReplace));
    EXPECT_EQ(seenTemporary, "[S]\nk=new\n");
    EXPECT_TRUE(lockHeld);
    EXPECT_EQ(ReadFile(path), "[S]\nk=old\n");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));
}

// Overwriting what could not be read would throw its contents away; a pipe must neither
// block the reader nor be replaced.
TEST_F(IniFileUpdateTest, UnreadableFileIsNotReplaced) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    EXPECT_TRUE(IniFile::Read(path).SectionNames().isEmpty());
    EXPECT_FALSE(IniFile::Update(path, Set(u"S", u"k", u"v")));
    EXPECT_FALSE(QFileInfo(path).isFile());
}

// A settings file kept elsewhere and linked into place stays linked.
TEST_F(IniFileUpdateTest, SymbolicLinkIsFollowed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("dotfiles"));
    const QString real = dir.filePath("dotfiles/progress.ini");
    ASSERT_TRUE(WriteFile(real, "[S]\nk=old\n"));
    ASSERT_TRUE(QFile::link(real, path));

    EXPECT_TRUE(IniFile::Update(path, Set(u"S", u"k", u"new")));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(ReadFile(real), "[S]\nk=new\n");
}

// Writers racing on one file, each with keys of its own: every key reaches the file.
TEST_F(IniFileUpdateTest, ConcurrentWritersLoseNothing) {
    constexpr int kWriters = 4, kSaves = 25;
    std::vector<std::thread> writers;
    std::vector<char> saved(kWriters * kSaves, 0);  // not vector<bool>: one byte per writer
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.emplace_back([&, writer] {
            for (int save = 0; save < kSaves; ++save) {
                const QString key = QStringLiteral("w%1_%2").arg(writer).arg(save);
                saved[writer * kSaves + save] = IniFile::Update(
                    path, [&](IniFile& file) { file.SetValue(u"Shared", key, u"1"); });
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    const IniFile file = IniFile::Read(path);
    for (int i = 0; i < kWriters * kSaves; ++i) {
        EXPECT_TRUE(saved[i]);
        const QString key = QStringLiteral("w%1_%2").arg(i / kSaves).arg(i % kSaves);
        EXPECT_EQ(file.Int(u"Shared", key, 0), 1) << key.toStdString();
    }
}

}  // namespace
