// Reading the subtitle tracks from the engine's track list, and their menu texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeEngineApi.h"
#include "engine/TrackList.h"

namespace {

class TrackListTest : public testing::Test {
  protected:
    // One track of the engine's list; an empty optional leaves that property unreadable.
    void AddTrack(const char* type, std::int64_t id, std::optional<std::string> lang = {},
                  std::optional<std::string> title = {}) {
        const std::string prefix = "track-list/" + std::to_string(count) + "/";
        if (type != nullptr) {
            fake.SetString(prefix + "type", type);
        }
        fake.SetInt64(prefix + "id", id);
        if (lang) {
            fake.SetString(prefix + "lang", *lang);
        }
        if (title) {
            fake.SetString(prefix + "title", *title);
        }
        fake.SetInt64("track-list/count", ++count);
    }

    std::vector<TrackEntry> Read() { return ReadSubtitleTracks(fake.Api(), handle); }

    FakeEngineApi fake;
    mpv_handle* const handle = FakeEngineApi::Handle();
    std::int64_t count = 0;
};

TEST_F(TrackListTest, ListsOnlySubtitleTracksInTheEnginesOrder) {
    AddTrack("video", 1);
    AddTrack("audio", 1, "eng");
    AddTrack("audio", 2, "jpn", "Commentary");
    AddTrack("sub", 1, "eng");
    AddTrack("sub", 2, "chi", "简体中文");

    const std::vector<TrackEntry> tracks = Read();

    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_EQ(tracks[0].id, 1);
    EXPECT_EQ(tracks[0].lang, QStringLiteral("eng"));
    EXPECT_TRUE(tracks[0].title.isEmpty());
    EXPECT_EQ(tracks[1].id, 2);
    EXPECT_EQ(tracks[1].lang, QStringLiteral("chi"));
    EXPECT_EQ(tracks[1].title, QStringLiteral(u"简体中文"));
    // The names carry the running index of the whole list, skipped tracks included.
    EXPECT_EQ(fake.CallTexts("mpv_get_property"), (std::vector<std::string>{
                                                      "mpv_get_property track-list/count int64",
                                                      "mpv_get_property track-list/0/type string",
                                                      "mpv_get_property track-list/1/type string",
                                                      "mpv_get_property track-list/2/type string",
                                                      "mpv_get_property track-list/3/type string",
                                                      "mpv_get_property track-list/3/id int64",
                                                      "mpv_get_property track-list/3/lang string",
                                                      "mpv_get_property track-list/3/title string",
                                                      "mpv_get_property track-list/4/type string",
                                                      "mpv_get_property track-list/4/id int64",
                                                      "mpv_get_property track-list/4/lang string",
                                                      "mpv_get_property track-list/4/title string",
                                                  }));
    EXPECT_EQ(fake.CallTexts("mpv_free").size(), 5u + 3u);
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
}

TEST_F(TrackListTest, MissingTextsStayEmptyAndTheTrackIsStillListed) {
    AddTrack("sub", 3, std::nullopt, "Signs");
    AddTrack("sub", 4);

    const std::vector<TrackEntry> tracks = Read();

    ASSERT_EQ(tracks.size(), 2u);
    EXPECT_TRUE(tracks[0].lang.isEmpty());
    EXPECT_EQ(tracks[0].title, QStringLiteral("Signs"));
    EXPECT_EQ(tracks[1].id, 4);
    EXPECT_TRUE(tracks[1].lang.isEmpty());
    EXPECT_TRUE(tracks[1].title.isEmpty());
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
}

TEST_F(TrackListTest, TheTypeMustBeExactlySub) {
    AddTrack("SUB", 1, "eng");
    AddTrack("Sub", 2, "eng");
    AddTrack("subtitle", 3, "eng");
    AddTrack("sub ", 4, "eng");
    AddTrack(nullptr, 5, "eng");  // no type at all
    AddTrack("sub", 6, "eng");

    const std::vector<TrackEntry> tracks = Read();

    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0].id, 6);
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
}

TEST_F(TrackListTest, AnUnreadableIdIsZero) {
    AddTrack("sub", 9, "eng");
    fake.RemoveProperty("track-list/0/id");

    const std::vector<TrackEntry> tracks = Read();

    ASSERT_EQ(tracks.size(), 1u);
    EXPECT_EQ(tracks[0].id, 0);
    EXPECT_EQ(tracks[0].lang, QStringLiteral("eng"));
}

TEST_F(TrackListTest, NoCountMeansNoTracks) {
    for (const std::optional<std::int64_t> scripted :
         {std::optional<std::int64_t>{}, std::optional<std::int64_t>{0},
          std::optional<std::int64_t>{-2}}) {
        fake.ClearCalls();
        fake.RemoveProperty("track-list/count");
        if (scripted) {
            fake.SetInt64("track-list/count", *scripted);
        }
        fake.SetString("track-list/0/type", "sub");  // never asked for

        EXPECT_TRUE(Read().empty());
        EXPECT_EQ(fake.CallTexts(),
                  std::vector<std::string>{"mpv_get_property track-list/count int64"});
    }
}

TEST(SubtitleItemTextTest, AddsTheTitleAfterASeparator) {
    EXPECT_EQ(SubtitleItemText({1, "eng", "", {}, 0}), QStringLiteral("eng"));
    EXPECT_EQ(SubtitleItemText({2, "chi", "Simplified", {}, 0}),
              QStringLiteral("chi - Simplified"));
    EXPECT_EQ(SubtitleItemText({3, "", "Signs", {}, 0}), QStringLiteral(" - Signs"));
    EXPECT_EQ(SubtitleItemText({4, "", "", {}, 0}), QString());
}

// Audio tracks come with their codec and channel count; the menu names a track by its
// title, else its language's name, else its number, then says what it is.
TEST_F(TrackListTest, AudioTracksAndTheirMenuTexts) {
    AddTrack("video", 1);
    AddTrack("audio", 1, "eng");
    fake.SetString("track-list/1/codec", "aac");
    fake.SetInt64("track-list/1/demux-channel-count", 6);
    AddTrack("sub", 1, "eng");
    AddTrack("audio", 2, "fre", "Commentaire");
    const std::vector<TrackEntry> audio = ReadAudioTracks(fake.Api(), handle);
    ASSERT_EQ(audio.size(), 2u);
    EXPECT_EQ(audio[0].codec, QStringLiteral("aac"));
    EXPECT_EQ(audio[0].channels, 6);
    EXPECT_EQ(audio[1].id, 2);
    EXPECT_TRUE(audio[1].codec.isEmpty()) << "unreadable stays empty";
    EXPECT_TRUE(ReadAudioTracks(fake.Api(), nullptr).empty());

    const QString numbered = QStringLiteral("Track %1");
    struct Case {
        TrackEntry track;
        const char16_t* text;
    };
    const Case cases[] = {
        {{1, "eng", "", "aac", 6}, u"English (AAC 5.1)"},
        {{2, "fre", "Commentaire", "ac3", 2}, u"Commentaire (AC3 stereo)"},
        {{3, "", "", "", 0}, u"Track 3"},
        {{4, "", "", "opus", 1}, u"Track 3 (OPUS mono)"},
        {{5, "chi", "", "", 8}, u"Chinese (7.1)"},
        {{6, "xx", "", "flac", 3}, u"xx (FLAC 3 ch)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AudioItemText(c.track, 3, numbered), QString::fromUtf16(c.text));
}

}  // namespace
