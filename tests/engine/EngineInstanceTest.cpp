// The exact commands and property writes of the engine instance's playback operations, and
// the play state they are based on.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "FakeEngineApi.h"
#include "engine/EngineInstance.h"
#include "engine/FormatFixed.h"
#include "engine/StreamAddress.h"

namespace {

using Texts = std::vector<std::string>;

// An instance created on the fake, with the calls of its creation forgotten.
class EngineInstanceTest : public testing::Test {
  protected:
    EngineInstanceTest() {
        EXPECT_TRUE(engine.Create(1, 1.0, nullptr, nullptr));
        fake.ClearCalls();
    }

    FakeEngineApi fake;
    EngineInstance engine{fake.Api()};
    mpv_handle* const handle = FakeEngineApi::Handle();
};

TEST_F(EngineInstanceTest, LoadFileSendsTheWholePathAsUtf8) {
    engine.LoadFile(QStringLiteral(u"/tmp/视频 ✓.mp4"));

    ASSERT_EQ(fake.Calls().size(), 1u);
    const FakeCall& call = fake.Calls()[0];
    EXPECT_EQ(call.function, "mpv_command");
    EXPECT_EQ(call.handle, handle);
    EXPECT_EQ(call.args, (Texts{"loadfile", "/tmp/\xE8\xA7\x86\xE9\xA2\x91 \xE2\x9C\x93.mp4"}));
}

// A name that is not UTF-8 reaches the engine as the bytes it is on disk.
TEST_F(EngineInstanceTest, LoadFileSendsTheBytesOfAnEscapedName) {
    engine.LoadFile(QString::fromUtf16(u"/tmp/caf\xDCE9 \xDCFF.mp4"));
    EXPECT_EQ(fake.CallTexts("mpv_command"), Texts{"mpv_command loadfile /tmp/caf\xE9 \xFF.mp4"});
}

// The screenshot's path travels like a loaded file's name; its result is the engine's answer.
TEST_F(EngineInstanceTest, ScreenshotSendsThePathWithSubtitlesAndReadsTheResult) {
    EXPECT_TRUE(engine.Screenshot(QStringLiteral(u"/tmp/Pictures/MoviraPlayer/视频 00-00-12.png")));
    fake.SetCommandResult(MPV_ERROR_COMMAND);
    EXPECT_FALSE(engine.Screenshot(QString::fromUtf16(u"/tmp/caf\xDCE9 (2).png")));
    fake.SetCommandResult(MPV_ERROR_GENERIC);
    EXPECT_FALSE(engine.Screenshot(QStringLiteral("/tmp/a.png")));

    ASSERT_EQ(fake.Calls().size(), 3u);
    EXPECT_EQ(fake.Calls()[0].handle, handle);
    EXPECT_EQ(
        fake.Calls()[0].args,
        (Texts{"screenshot-to-file",
               "/tmp/Pictures/MoviraPlayer/\xE8\xA7\x86\xE9\xA2\x91 00-00-12.png", "subtitles"}));
    EXPECT_EQ(fake.Calls()[1].args,
              (Texts{"screenshot-to-file", "/tmp/caf\xE9 (2).png", "subtitles"}));
}

// The text is one argument, spaces and all, sent as it is: the client API expands no "${...}".
TEST_F(EngineInstanceTest, ShowTextSendsTheTextAndItsMilliseconds) {
    engine.ShowText(QStringLiteral(u"Saved 测试 00-00-12.png"), 3000);
    engine.ShowText(QStringLiteral("${path} 100%"), 0);

    ASSERT_EQ(fake.Calls().size(), 2u);
    EXPECT_EQ(fake.Calls()[0].function, "mpv_command");
    EXPECT_EQ(fake.Calls()[0].args,
              (Texts{"show-text", "Saved \xE6\xB5\x8B\xE8\xAF\x95 00-00-12.png", "3000"}));
    EXPECT_EQ(fake.Calls()[1].args, (Texts{"show-text", "${path} 100%", "0"}));
}

TEST(StreamAddressTest, SchemeIsReadOnlyFromSchemeColonSlashSlash) {
    const std::pair<const char16_t*, const char*> cases[] = {
        {u"http://host/a.mp4", "http"},
        {u"HTTPS://host", "https"},
        {u"rtmp+x.y-z://h", "rtmp+x.y-z"},
        {u"dvd://", "dvd"},
        {u"/tmp/http://x", ""},
        {u"http:/host", ""},
        {u"://host", ""},
        {u"1http://host", ""},
        {u"ht tp://host", ""},
        {u"C:\\x", ""},
        {u"caf\xDCE9://x", ""},
        {u"", ""},
    };
    for (const auto& [text, scheme] : cases)
        EXPECT_EQ(AddressScheme(QStringView(text)).toStdString(), scheme)
            << QString::fromUtf16(text).toStdString();
}

TEST_F(EngineInstanceTest, OnlyAddressesOfTheEnginesProtocolsArePlayedAsAddresses) {
    fake.SetString("protocol-list", "rtsp,http,https,file");
    EXPECT_TRUE(EnginePlaysAddress(fake.Api(), handle, u"https://host/a.mp4"));
    EXPECT_TRUE(EnginePlaysAddress(fake.Api(), handle, u"RTSP://cam/1"));
    EXPECT_FALSE(EnginePlaysAddress(fake.Api(), handle, u"htt://host/a.mp4"));
    EXPECT_FALSE(EnginePlaysAddress(fake.Api(), handle, u"ps://host"));
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
    // A plain name never asks the engine.
    fake.ClearCalls();
    EXPECT_FALSE(EnginePlaysAddress(fake.Api(), handle, u"/tmp/a.mp4"));
    EXPECT_TRUE(fake.Calls().empty());
    // Without a list, or without an engine, nothing is an address.
    fake.RemoveProperty("protocol-list");
    EXPECT_FALSE(EnginePlaysAddress(fake.Api(), handle, u"https://host/a.mp4"));
    fake.SetString("protocol-list", "https");
    EXPECT_FALSE(EnginePlaysAddress(fake.Api(), nullptr, u"https://host/a.mp4"));
}

TEST_F(EngineInstanceTest, SeeksCarryTheirDecimals) {
    engine.SeekRelative(30.0);
    engine.SeekRelative(-30.0);
    engine.SeekAbsolute(5.001, 3);  // a restored position
    engine.SeekAbsolute(3599.999, 3);
    engine.SeekAbsolute(12.3456, 2);  // a slider release
    engine.SeekAbsolute(0.0, 2);

    EXPECT_EQ(fake.CallTexts(), (Texts{
                                    "mpv_command seek 30.0 relative",
                                    "mpv_command seek -30.0 relative",
                                    "mpv_command seek 5.001 absolute",
                                    "mpv_command seek 3599.999 absolute",
                                    "mpv_command seek 12.35 absolute",
                                    "mpv_command seek 0.00 absolute",
                                }));
}

TEST_F(EngineInstanceTest, PropertyWritesUseTheirOwnFormats) {
    engine.SetSpeed(1.25);
    engine.SetVolume(37.5);
    engine.SetMute(true);
    engine.SetMute(false);
    engine.Stop();

    EXPECT_EQ(fake.CallTexts(), (Texts{
                                    "mpv_set_property speed double 1.25",
                                    "mpv_set_property volume double 37.5",
                                    "mpv_set_property_string mute yes",
                                    "mpv_set_property_string mute no",
                                    "mpv_command stop",
                                }));
}

TEST_F(EngineInstanceTest, SubtitleChoiceSetsTheTrackBeforeShowingIt) {
    // Beyond the precision of a double, so the id must travel as an integer.
    engine.SelectSubtitle(9007199254740993);
    engine.SelectSubtitle(2);
    engine.HideSubtitles();

    EXPECT_EQ(fake.CallTexts(), (Texts{
                                    "mpv_set_property_string sid 9007199254740993",
                                    "mpv_set_property_string sub-visibility yes",
                                    "mpv_set_property_string sid 2",
                                    "mpv_set_property_string sub-visibility yes",
                                    "mpv_set_property_string sub-visibility no",
                                }));
}

struct PlayStateCase {
    const char* name;
    // Scripted flags; a missing one makes its read fail.
    std::optional<bool> idle, pause, eof;
    PlayState expected;
};

void PrintTo(const PlayStateCase& c, std::ostream* os) { *os << c.name; }

class PlayStateTest : public EngineInstanceTest,
                      public testing::WithParamInterface<PlayStateCase> {};

TEST_P(PlayStateTest, FollowsTheFlagsInPriorityOrder) {
    const PlayStateCase& c = GetParam();
    if (c.idle) fake.SetFlag("idle-active", *c.idle);
    if (c.pause) fake.SetFlag("pause", *c.pause);
    if (c.eof) fake.SetFlag("eof-reached", *c.eof);

    EXPECT_EQ(engine.GetPlayState(), c.expected);
    EXPECT_EQ(fake.CallTexts(),
              (Texts{"mpv_get_property idle-active flag", "mpv_get_property pause flag",
                     "mpv_get_property eof-reached flag"}));
}

INSTANTIATE_TEST_SUITE_P(
    Flags, PlayStateTest,
    testing::Values(PlayStateCase{"Playing", false, false, false, PlayState::Playing},
                    PlayStateCase{"Paused", false, true, false, PlayState::Paused},
                    PlayStateCase{"EndedWinsOverPaused", false, true, true, PlayState::Ended},
                    PlayStateCase{"EndedUnpaused", false, false, true, PlayState::Ended},
                    PlayStateCase{"IdleWinsOverAll", true, true, true, PlayState::Idle},
                    PlayStateCase{"IdleAlone", true, false, false, PlayState::Idle},
                    PlayStateCase{"FailedReadsCountAsFalse", {}, true, {}, PlayState::Paused},
                    PlayStateCase{"NothingReadable", {}, {}, {}, PlayState::Playing}),
    [](const testing::TestParamInfo<PlayStateCase>& info) { return info.param.name; });

TEST_F(EngineInstanceTest, TogglePauseRestartsAnEndedFileFromTheBeginning) {
    fake.SetFlag("idle-active", false);
    fake.SetFlag("pause", true);
    fake.SetFlag("eof-reached", true);

    engine.TogglePause();

    const Texts sent = fake.CallTexts();
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(Texts(sent.begin() + 3, sent.end()),
              (Texts{"mpv_command seek 0 absolute", "mpv_set_property_string pause no"}));
}

TEST_F(EngineInstanceTest, TogglePauseCyclesInEveryOtherState) {
    for (const bool idle : {false, true}) {
        for (const bool pause : {false, true}) {
            fake.SetFlag("idle-active", idle);
            fake.SetFlag("pause", pause);
            fake.SetFlag("eof-reached", idle);  // idle still wins over an end flag
            fake.ClearCalls();

            engine.TogglePause();

            EXPECT_EQ(fake.CallTexts().back(), "mpv_command cycle pause")
                << "idle " << idle << ", pause " << pause;
            EXPECT_EQ(fake.CallTexts("mpv_command").size(), 1u);
        }
    }
}

TEST_F(EngineInstanceTest, ReadsGiveTheValueOrTheFallback) {
    fake.SetDouble("time-pos", 61.25);
    fake.SetInt64("video-params/w", 1920);
    fake.SetString("volume", "50");  // readable only in another format

    EXPECT_EQ(engine.GetDouble("time-pos"), 61.25);
    EXPECT_EQ(engine.GetDouble("duration"), std::nullopt);
    EXPECT_EQ(engine.GetDouble("volume"), std::nullopt);
    EXPECT_EQ(engine.GetInt64("video-params/w", -1), 1920);
    EXPECT_EQ(engine.GetInt64("video-params/h", -1), -1);
    EXPECT_EQ(engine.GetInt64("video-params/h"), 0);
    EXPECT_EQ(fake.CallTexts("mpv_get_property")[0], "mpv_get_property time-pos double");
    EXPECT_EQ(fake.CallTexts("mpv_get_property")[3], "mpv_get_property video-params/w int64");
}

TEST(FormatFixedTest, RoundsToTheGivenDecimals) {
    EXPECT_EQ(FormatFixed(30.0, 1), "30.0");
    EXPECT_EQ(FormatFixed(-30.0, 1), "-30.0");
    EXPECT_EQ(FormatFixed(5.0004, 3), "5.000");
    EXPECT_EQ(FormatFixed(5.0005001, 3), "5.001");
    EXPECT_EQ(FormatFixed(0.996, 2), "1.00");
    EXPECT_EQ(FormatFixed(86400.5, 0), "86400");  // like printf: the binary value, to even
    EXPECT_EQ(FormatFixed(1e7, 3), "10000000.000");
}

// Restores the numeric locale a test changed, also when it fails.
class NumericLocaleGuard {
  public:
    NumericLocaleGuard() : m_saved(std::setlocale(LC_NUMERIC, nullptr)) {}
    ~NumericLocaleGuard() { std::setlocale(LC_NUMERIC, m_saved.c_str()); }

  private:
    std::string m_saved;
};

TEST_F(EngineInstanceTest, NumbersKeepTheirPointUnderACommaLocale) {
    NumericLocaleGuard guard;
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "de_DE.UTF-8 is not installed";
    }
    char printed[16];
    std::snprintf(printed, sizeof printed, "%.1f", 1.5);
    ASSERT_STREQ(printed, "1,5") << "the locale must really use a decimal comma";

    EXPECT_EQ(FormatFixed(1.5, 1), "1.5");
    engine.SeekRelative(-30.0);
    engine.SeekAbsolute(5.001, 3);
    EXPECT_EQ(fake.CallTexts(),
              (Texts{"mpv_command seek -30.0 relative", "mpv_command seek 5.001 absolute"}));
}

}  // namespace
