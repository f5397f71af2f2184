// Replacing a file whole: what a save leaves behind when it succeeds, fails or has nothing to
// change, what it refuses to touch, and that writers taking turns lose nothing.
#include "AtomicFileTest.h"

#include <algorithm>
#include <thread>
#include <vector>

#include "NativeFiles.h"

namespace {

// Only a regular file is read, and all of it; an empty one is read as empty, not missing.
// What cannot be read (a pipe, which must not block the reader, or a file another program
// holds) is not replaced, nor even handed to the rewrite.
TEST_F(AtomicFileTest, OnlyRegularFilesAreReadOrReplaced) {
    const QByteArray large = QByteArray("line\0\xff\r\n", 8).repeated(50000);  // many reads
    ASSERT_TRUE(WriteFile(path, large));
    EXPECT_EQ(AtomicFile(path).Read(), large);
    ASSERT_TRUE(WriteFile(path, ""));
    EXPECT_EQ(AtomicFile(path).Read(), QByteArray());
    EXPECT_EQ(AtomicFile(dir.filePath("missing")).Read(), std::nullopt);
    EXPECT_EQ(AtomicFile(dir.path()).Read(), std::nullopt);

    const QString held = dir.filePath("held");
    const UnreadableFile unreadable(held);
    ASSERT_TRUE(unreadable.Made());
    EXPECT_EQ(AtomicFile(held).Read(), std::nullopt);
    bool rewritten = false;
    EXPECT_FALSE(AtomicFile(held).Update([&rewritten](const QByteArray&) {
        rewritten = true;
        return QByteArray("x");
    }));
    EXPECT_FALSE(rewritten);
    EXPECT_TRUE(unreadable.Untouched());
}

// Bytes equal to the file's leave it in place, yet the temporary files of a writer that died
// go all the same. A missing file is created even when it is to be empty.
TEST_F(AtomicFileTest, UnchangedFilesStayAndLeftoversGo) {
    ASSERT_TRUE(AtomicFile(path).Update(Becomes("b\n")));
    const std::uint64_t identity = FileIdentity(path);
    ASSERT_NE(identity, 0u);
    ASSERT_TRUE(WriteFile(path + ".tmp-5f3a", "b\nhalf"));
    QByteArray seen;
    EXPECT_TRUE(AtomicFile(path).Update([&seen](const QByteArray& current) {
        seen = current;
        return current;
    }));
    EXPECT_EQ(seen, "b\n");
    EXPECT_EQ(FileIdentity(path), identity);
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
        lockHeld = LockHeldElsewhere(target + ".lock");
        return false;
    };

    EXPECT_FALSE(AtomicFile(path).Update(Becomes("[S]\nk=new\n"), failingReplace));
    EXPECT_EQ(seenTemporary, "[S]\nk=new\n");
    EXPECT_TRUE(lockHeld);
    EXPECT_EQ(ReadFile(path), "[S]\nk=old\n");
    EXPECT_EQ(FolderEntries(dir.path()), QStringList({"progress.ini", "progress.ini.lock"}));
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
