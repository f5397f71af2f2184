// Replacing a file whole: what a save leaves behind when it succeeds, fails or has nothing to
// change, what it refuses to touch, and that writers taking turns lose nothing.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <thread>
#include <vector>

#include "TestFiles.h"
#include "platform/AtomicFile.h"

namespace {

using platform::AtomicFile;

struct stat Status(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info;
}

class AtomicFileTest : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    static AtomicFile::Rewrite Becomes(const QByteArray& bytes) {
        return [bytes](const QByteArray&) { return bytes; };
    }

    QTemporaryDir dir;
    const QString path = dir.filePath("progress.ini");
};

// Only a regular file is read, and all of it; an empty one is read as empty, not missing.
// A pipe must neither block the reader nor be replaced, and what cannot be read is not even
// handed to the rewrite.
TEST_F(AtomicFileTest, OnlyRegularFilesAreReadOrReplaced) {
    const QByteArray large = QByteArray("line\0\xff\r\n", 8).repeated(50000);  // many reads
    ASSERT_TRUE(WriteFile(path, large));
    EXPECT_EQ(AtomicFile(path).Read(), large);
    ASSERT_TRUE(WriteFile(path, ""));
    EXPECT_EQ(AtomicFile(path).Read(), QByteArray());
    EXPECT_EQ(AtomicFile(dir.filePath("missing")).Read(), std::nullopt);
    EXPECT_EQ(AtomicFile(dir.path()).Read(), std::nullopt);

    const QString pipe = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(AtomicFile(pipe).Read(), std::nullopt);
    bool rewritten = false;
    EXPECT_FALSE(AtomicFile(pipe).Update([&rewritten](const QByteArray&) {
        rewritten = true;
        return QByteArray("x");
    }));
    EXPECT_FALSE(rewritten);
    EXPECT_TRUE(S_ISFIFO(Status(pipe).st_mode));
}

// A new file gets what the umask allows and a replaced one keeps its mode. Bytes equal to the
// file's leave it in place, yet the temporary files of a writer that died go all the same. A
// missing file is created even when it is to be empty.
TEST_F(AtomicFileTest, ModesAndUnchangedFiles) {
    const mode_t umask = ::umask(027);
    const bool created = AtomicFile(path).Update(Becomes("a\n"));
    ::umask(umask);
    ASSERT_TRUE(created);
    EXPECT_EQ(Status(path).st_mode & 0777, 0640u);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    EXPECT_TRUE(AtomicFile(path).Update(Becomes("b\n")));
    EXPECT_EQ(ReadFile(path), "b\n");
    EXPECT_EQ(Status(path).st_mode & 0777, 0604u);

    const ino_t inode = Status(path).st_ino;
    ASSERT_TRUE(WriteFile(path + ".tmp-5f3a", "b\nhalf"));
    QByteArray seen;
    EXPECT_TRUE(AtomicFile(path).Update([&seen](const QByteArray& current) {
        seen = current;
        return current;
    }));
    EXPECT_EQ(seen, "b\n");
    EXPECT_EQ(Status(path).st_ino, inode);
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));

    const QString fresh = dir.filePath("config.ini");
    EXPECT_TRUE(AtomicFile(fresh).Update(Becomes("")));
    EXPECT_EQ(ReadFile(fresh), "");
}

// The step between writing and renaming fails: the old file stays as it was, and no
// temporary file is left. The step also sees the finished temporary file and the lock.
TEST_F(AtomicFileTest, FailedRenameLeavesTheOldFile) {
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

    EXPECT_FALSE(AtomicFile(path).Update(Becomes("[S]\nk=new\n"), failingReplace));
    EXPECT_EQ(seenTemporary, "[S]\nk=new\n");
    EXPECT_TRUE(lockHeld);
    EXPECT_EQ(ReadFile(path), "[S]\nk=old\n");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));
}

// A settings file kept elsewhere and linked into place stays linked.
TEST_F(AtomicFileTest, SymbolicLinkIsFollowed) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("dotfiles"));
    const QString real = dir.filePath("dotfiles/progress.ini");
    ASSERT_TRUE(WriteFile(real, "[S]\nk=old\n"));
    ASSERT_TRUE(QFile::link(real, path));

    EXPECT_TRUE(AtomicFile(path).Update(
        [](const QByteArray& current) { return QByteArray(current).replace("old", "new"); }));
    EXPECT_TRUE(QFileInfo(path).isSymLink());
    EXPECT_EQ(ReadFile(real), "[S]\nk=new\n");
}

// Writers racing on one file, each adding lines of its own: every line reaches the file once.
TEST_F(AtomicFileTest, ConcurrentWritersLoseNothing) {
    constexpr int kWriters = 4, kSaves = 25;
    std::vector<std::thread> writers;
    std::vector<char> saved(kWriters * kSaves, 0);  // not vector<bool>: one byte per writer
    for (int writer = 0; writer < kWriters; ++writer) {
        writers.emplace_back([&, writer] {
            for (int save = 0; save < kSaves; ++save) {
                const QByteArray line = QStringLiteral("w%1_%2").arg(writer).arg(save).toUtf8();
                saved[writer * kSaves + save] = AtomicFile(path).Update(
                    [&line](const QByteArray& current) { return current + line + '\n'; });
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    QList<QByteArray> lines = ReadFile(path).split('\n');
    ASSERT_EQ(lines.takeLast(), "");
    std::sort(lines.begin(), lines.end());
    QList<QByteArray> expected;
    for (int i = 0; i < kWriters * kSaves; ++i) {
        EXPECT_TRUE(saved[i]);
        expected.append(QStringLiteral("w%1_%2").arg(i / kSaves).arg(i % kSaves).toUtf8());
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(lines, expected);
}

}  // namespace
