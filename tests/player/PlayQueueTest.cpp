// The play queue: file names in the order a file manager lists them, a folder's media files
// around the file opened alone, and moving through the queue.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "TestFiles.h"
#include "player/FileKinds.h"
#include "player/NaturalOrder.h"
#include "player/PlayQueue.h"

namespace {

struct OrderCase {
    const char16_t* before;
    const char16_t* after;
};

TEST(NaturalOrder, NumbersByValueLettersWithoutCase) {
    const OrderCase cases[] = {
        {u"ep 2.mp4", u"ep 10.mp4"},
        {u"ep 9", u"Ep 10"},
        {u"Ep 1", u"ep 2"},
        {u"a", u"B"},
        {u"file 99999999999999999999", u"file 100000000000000000000"},  // past 64 bits
        {u"ep 010", u"ep 10"},     // one number: more leading zeros first
        {u"EP 1", u"ep 1"},        // one name but for case: still a fixed order
        {u"1 intro", u"a intro"},  // digits before letters
        {u"season 1 ep 2", u"season 1 ep 10"},
        {u"ep", u"ep 1"},
        {u"第2集", u"第10集"},
    };
    for (const OrderCase& c : cases) {
        const QString before = QString::fromUtf16(c.before);
        const QString after = QString::fromUtf16(c.after);
        EXPECT_LT(NaturalCompare(before, after), 0) << before.toStdString();
        EXPECT_GT(NaturalCompare(after, before), 0) << after.toStdString();
    }
    EXPECT_EQ(NaturalCompare(u"ep 2.mkv", u"ep 2.mkv"), 0);
}

TEST(FileKinds, ByExtensionWithoutCase) {
    EXPECT_TRUE(IsMediaFileName(QStringLiteral("/films/Ep 1.MKV")));
    EXPECT_TRUE(IsMediaFileName(QStringLiteral("song.mp3")));
    EXPECT_FALSE(IsMediaFileName(QStringLiteral("notes.txt")));
    EXPECT_FALSE(IsMediaFileName(QStringLiteral("mp4")));
    EXPECT_FALSE(IsMediaFileName(QStringLiteral("folder.mp4/file")));
    for (const char* name : {"a.srt", "a.ASS", "a.ssa", "a.vtt", "a.sub", "a.idx", "a.sup"})
        EXPECT_TRUE(IsSubtitleFileName(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(IsSubtitleFileName(QStringLiteral("film.mkv")));
    EXPECT_TRUE(SubtitleFilePatterns().startsWith(QStringLiteral("*.srt;*.ass;")));
}

TEST(PlayQueue, AFileAloneHasItsFolderAroundIt) {
    QTemporaryDir dir;
    for (const char* name : {"ep 10.mp4", "ep 2.mkv", "Ep 1.MP4", "notes.txt", "ep 2.srt"})
        ASSERT_FALSE(EmptyFile(dir.path(), QString::fromLatin1(name)).isEmpty());
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("ep 3.mp4")));  // a folder, not a file

    PlayQueue queue;
    const QString second = dir.path() + QStringLiteral("/ep 2.mkv");
    queue.SetFolderOf(second);
    const QString at = dir.path() + u'/';
    EXPECT_EQ(queue.Files(), (QStringList{at + QStringLiteral("Ep 1.MP4"), second,
                                          at + QStringLiteral("ep 10.mp4")}));
    EXPECT_EQ(queue.Index(), 1);
    EXPECT_TRUE(queue.HasPrevious());
    ASSERT_TRUE(queue.Advance());
    EXPECT_EQ(queue.Current(), at + QStringLiteral("ep 10.mp4"));
    EXPECT_FALSE(queue.HasNext());
    EXPECT_FALSE(queue.Advance()) << "the last file ends the queue";
    EXPECT_EQ(queue.Index(), 2);
    ASSERT_TRUE(queue.GoBack());
    ASSERT_TRUE(queue.GoBack());
    EXPECT_FALSE(queue.GoBack());
    EXPECT_EQ(queue.Current(), at + QStringLiteral("Ep 1.MP4"));

    // A file of another type, a missing file and an address are alone.
    for (const QString& alone : {at + QStringLiteral("notes.txt"), at + QStringLiteral("gone.mp4"),
                                 QStringLiteral("https://example.org/a.mp4")}) {
        queue.SetFolderOf(alone);
        EXPECT_EQ(queue.Files(), QStringList{alone});
        EXPECT_FALSE(queue.HasNext() || queue.HasPrevious());
    }
}

TEST(PlayQueue, FilesGivenTogetherKeepTheirOrder) {
    PlayQueue queue;
    queue.SetFiles({QStringLiteral("b.mp4"), QString(), QStringLiteral("a.mp4")});
    EXPECT_EQ(queue.Files(), (QStringList{QStringLiteral("b.mp4"), QStringLiteral("a.mp4")}));
    EXPECT_EQ(queue.Current(), QStringLiteral("b.mp4"));
    queue.MoveTo(5);
    EXPECT_EQ(queue.Index(), 0) << "outside the queue is ignored";
    queue.Clear();
    EXPECT_TRUE(queue.Current().isEmpty());
    EXPECT_FALSE(queue.HasNext() || queue.HasPrevious() || queue.Advance() || queue.GoBack());
}

}  // namespace
