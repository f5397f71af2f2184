// What a save keeps of the file as POSIX describes it: its mode and a symbolic link to it.
#include <sys/stat.h>

#include <QFileInfo>

#include "AtomicFileTest.h"

namespace {

mode_t Mode(const QString& path) {
    struct stat info {};
    EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0) << path.toStdString();
    return info.st_mode & 0777;
}

// A new file gets what the umask allows and a replaced one keeps its mode.
TEST_F(AtomicFileTest, ModesOfNewAndReplacedFiles) {
    const mode_t umask = ::umask(027);
    const bool created = AtomicFile(path).Update(Becomes("a\n"));
    ::umask(umask);
    ASSERT_TRUE(created);
    EXPECT_EQ(Mode(path), 0640u);
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0604), 0);
    EXPECT_TRUE(AtomicFile(path).Update(Becomes("b\n")));
    EXPECT_EQ(ReadFile(path), "b\n");
    EXPECT_EQ(Mode(path), 0604u);
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

}  // namespace
