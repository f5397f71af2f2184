// Reading the chapters from the engine's chapter list, and finding the one a time lies in.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeEngineApi.h"
#include "engine/ChapterList.h"
#include "engine/EngineInstance.h"

namespace {

class ChapterListTest : public testing::Test {
  protected:
    // One chapter of the engine's list; an empty title leaves that property unreadable.
    void AddChapter(double start, std::optional<std::string> title = {}) {
        const std::string prefix = "chapter-list/" + std::to_string(count) + "/";
        fake.SetDouble(prefix + "time", start);
        if (title) {
            fake.SetString(prefix + "title", *title);
        }
        fake.SetInt64("chapter-list/count", ++count);
    }

    FakeEngineApi fake;
    mpv_handle* const handle = FakeEngineApi::Handle();
    std::int64_t count = 0;
};

TEST_F(ChapterListTest, ReadsStartsAndTitlesInTheEnginesOrder) {
    AddChapter(0.0, "Opening");
    AddChapter(615.25, "Début — 中");

    const std::vector<ChapterEntry> chapters = ReadChapters(fake.Api(), handle);

    ASSERT_EQ(chapters.size(), 2u);
    EXPECT_EQ(chapters[0].start, 0.0);
    EXPECT_EQ(chapters[0].title, QStringLiteral("Opening"));
    EXPECT_EQ(chapters[1].start, 615.25);
    EXPECT_EQ(chapters[1].title, QStringLiteral(u"Début — 中"));
    EXPECT_EQ(fake.CallTexts("mpv_get_property"),
              (std::vector<std::string>{
                  "mpv_get_property chapter-list/count int64",
                  "mpv_get_property chapter-list/0/time double",
                  "mpv_get_property chapter-list/0/title string",
                  "mpv_get_property chapter-list/1/time double",
                  "mpv_get_property chapter-list/1/title string",
              }));
    EXPECT_EQ(fake.CallTexts("mpv_free").size(), 2u);
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
}

TEST_F(ChapterListTest, AChapterWithoutATitleIsStillListed) {
    AddChapter(0.0, "Opening");
    AddChapter(10.0);
    AddChapter(20.0, "");

    const std::vector<ChapterEntry> chapters = ReadChapters(fake.Api(), handle);

    ASSERT_EQ(chapters.size(), 3u);
    EXPECT_EQ(chapters[1].start, 10.0);
    EXPECT_TRUE(chapters[1].title.isEmpty());
    EXPECT_TRUE(chapters[2].title.isEmpty());
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
}

TEST_F(ChapterListTest, NoEngineOrNoCountMeansNoChapters) {
    AddChapter(0.0, "Opening");
    EXPECT_TRUE(ReadChapters(fake.Api(), nullptr).empty());
    EXPECT_TRUE(fake.CallTexts().empty());
    // An instance that was never created reads nothing either.
    EXPECT_TRUE(EngineInstance(fake.Api()).Chapters().empty());
    EXPECT_TRUE(fake.CallTexts().empty());

    for (const std::int64_t scripted : {0, -1}) {
        fake.ClearCalls();
        fake.SetInt64("chapter-list/count", scripted);
        EXPECT_TRUE(ReadChapters(fake.Api(), handle).empty());
        EXPECT_EQ(fake.CallTexts(),
                  std::vector<std::string>{"mpv_get_property chapter-list/count int64"});
    }
}

TEST(ChapterAtTest, TheChapterIsTheLastOneStartedByThatTime) {
    const std::vector<ChapterEntry> chapters{{5.0, "A"}, {10.0, "B"}, {20.0, "C"}};
    EXPECT_EQ(ChapterAt(chapters, 0.0), -1);  // before the first chapter starts
    EXPECT_EQ(ChapterAt(chapters, 4.99), -1);
    EXPECT_EQ(ChapterAt(chapters, 5.0), 0);
    EXPECT_EQ(ChapterAt(chapters, 9.99), 0);
    EXPECT_EQ(ChapterAt(chapters, 10.0), 1);
    EXPECT_EQ(ChapterAt(chapters, 1e9), 2);
    EXPECT_EQ(ChapterAt({}, 3.0), -1);
}

}  // namespace
