#include <gtest/gtest.h>

#include "settings/ResumeKey.h"

namespace {

// Reference values: the published FNV-1a vector for the byte "a" is 0xE40C292C; the path
// "a" hashes the bytes 61 00, one more step: (0xE40C292C ^ 0) * 16777619 mod 2^32. The
// others come from an independent implementation over the UTF-16LE bytes.
TEST(ResumeKeyTest, KnownValues) {
    EXPECT_EQ(ResumeKey(""), "2166136261");
    EXPECT_EQ(ResumeKey("a"), QString::number(0xE40C292Cu * 16777619u));
    EXPECT_EQ(ResumeKey(QStringLiteral("/home/user/视频/clip.mkv")), "3224422811");
    EXPECT_EQ(ResumeKey(QStringLiteral("🎬.mp4")), "1572645839");
    EXPECT_EQ(ResumeKey(QStringLiteral("C:\\Movies\\a.mkv")), "164722736");
}

TEST(ResumeKeyTest, PathsAreHashedExactlyAsGiven) {
    EXPECT_NE(ResumeKey("/media/Film.mkv"), ResumeKey("/media/film.mkv"));
    EXPECT_NE(ResumeKey("C:\\Film.mkv"), ResumeKey("C:/Film.mkv"));
}

}  // namespace
