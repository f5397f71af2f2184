// Creating and ending the engine instance: the exact options, observed properties and
// subtitle style, in order, and where each failure stops.
#include <gtest/gtest.h>

#include <QtGlobal>
#include <string>
#include <thread>
#include <vector>

#include "FakeEngineApi.h"
#include "engine/EngineBackends.h"
#include "engine/EngineInstance.h"
#include "engine/EngineOptions.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

void Wakeup(void*) {}

#ifdef _WIN32
#define VIDEO_BACKEND_CALLS                                             \
    "mpv_set_option_string vo gpu", "mpv_set_option_string gpu-sw yes", \
        "mpv_set_option_string gpu-api d3d11", "mpv_set_option_string d3d11-sync-interval 1"
#define AUDIO_OUTPUTS "wasapi,"
#else
#define VIDEO_BACKEND_CALLS                                             \
    "mpv_set_option_string vo gpu", "mpv_set_option_string gpu-sw yes", \
        "mpv_set_option_string gpu-api auto"
#define AUDIO_OUTPUTS "pipewire,pulse,alsa,"
#endif

const std::vector<std::string> kOptionCalls{
    VIDEO_BACKEND_CALLS,
    "mpv_set_option_string hidpi-window-scale yes",
    "mpv_set_option window-scale double 1.5",
    "mpv_set_option_string hwdec auto",
    "mpv_set_option_string vd-lavc-dr yes",
    "mpv_set_option_string keep-open yes",
    "mpv_set_option_string pause yes",
    "mpv_set_option_string osc no",
    "mpv_set_option_string input-default-bindings no",
    "mpv_set_option_string input-vo-keyboard no",
    "mpv_set_option_string input-cursor no",
    "mpv_set_option_string stop-screensaver yes",
    "mpv_set_option_string ao " AUDIO_OUTPUTS,
    "mpv_set_option_string audio-exclusive no",
    "mpv_set_option_string audio-buffer 0.2",
    "mpv_set_option_string slang zh,en,chs,chi",
    "mpv_set_option_string sub-auto fuzzy",
    "mpv_set_option_string cache yes",
    "mpv_set_option_string demuxer-max-bytes 20MiB",
    "mpv_set_option_string demuxer-max-back-bytes 5MiB",
    "mpv_set_option_string cache-secs 10",
};

const std::vector<std::string> kSetupAfterInitialize{
    "mpv_set_property display-hidpi-scale double 1.5",
    "mpv_observe_property time-pos double 0",
    "mpv_observe_property duration double 0",
    "mpv_observe_property pause flag 0",
    "mpv_observe_property eof-reached flag 0",
    "mpv_observe_property volume double 0",
    "mpv_observe_property media-title string 0",
    "mpv_observe_property idle-active flag 0",
    "mpv_set_property_string sid auto",
    "mpv_set_property_string sub-visibility yes",
    "mpv_set_property_string sub-ass-override force",
    "mpv_set_property_string sub-font Microsoft YaHei",
    "mpv_set_property_string sub-font-size 40",
    "mpv_set_property_string sub-border-size 2",
    "mpv_set_property_string sub-color #FFFFFFFF",
    "mpv_set_property_string sub-border-color #FF000000",
    "mpv_set_property_string sub-margin-y 30",
    "mpv_set_property_string sub-scale-with-window yes",
    "mpv_set_wakeup_callback",
};

std::vector<std::string> Concat(std::vector<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

class EngineOptionsTest : public testing::Test {
  protected:
    // The developer's variable of whoever runs the tests must not reach them.
    void SetUp() override { qunsetenv(kEngineOptionsVariable); }
    void TearDown() override { qunsetenv(kEngineOptionsVariable); }

    bool Create(std::int64_t wid) {
        return CreateEngineInstance(fake.Api(), handle, wid, 1.5, Wakeup, &context);
    }

    FakeEngineApi fake;
    mpv_handle* handle = nullptr;
    int context = 0;
};

TEST_F(EngineOptionsTest, CreationSetsEverythingUpInOrderOnTheNewHandle) {
    // A window id above 32 bits must reach the engine whole.
    ASSERT_TRUE(Create(0x1'2345'6789));

    EXPECT_EQ(handle, FakeEngineApi::Handle());
    EXPECT_EQ(fake.CallTexts(), Concat({{"mpv_create"},
                                        kOptionCalls,
                                        {"mpv_set_option wid int64 4886718345", "mpv_initialize"},
                                        kSetupAfterInitialize}));
    for (std::size_t i = 1; i < fake.Calls().size(); ++i) {
        EXPECT_EQ(fake.Calls()[i].handle, FakeEngineApi::Handle()) << fake.Calls()[i].Text();
    }
    EXPECT_EQ(fake.WakeupCallback(), &Wakeup);
    EXPECT_EQ(fake.WakeupContext(), &context);
}

// A developer's own options come after every built-in one, so they win, and before the window;
// a value may hold "=", and entries that are not name=value are left out.
TEST_F(EngineOptionsTest, OptionsFromTheEnvironmentComeAfterTheBuiltInOnes) {
    qputenv(kEngineOptionsVariable, "vo=null,,novalue,=nameless,log-file=C:\\a=b.log,hwdec=no,");

    ASSERT_TRUE(Create(42));
    EXPECT_EQ(
        fake.CallTexts(),
        Concat({{"mpv_create"},
                kOptionCalls,
                {"mpv_set_option_string vo null", "mpv_set_option_string log-file C:\\a=b.log",
                 "mpv_set_option_string hwdec no", "mpv_set_option wid int64 42", "mpv_initialize"},
                kSetupAfterInitialize}));
}

TEST_F(EngineOptionsTest, NoInstanceLeavesTheHandleNullAndSetsNothing) {
    fake.SetCreateResult(nullptr);
    handle = FakeEngineApi::Handle();  // whatever was there before is replaced

    EXPECT_FALSE(Create(42));
    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{"mpv_create"});
}

TEST_F(EngineOptionsTest, NoWindowStopsAfterTheOptionsAndKeepsTheHandle) {
    EXPECT_FALSE(Create(0));
    EXPECT_EQ(handle, FakeEngineApi::Handle());
    EXPECT_EQ(fake.CallTexts(), Concat({{"mpv_create"}, kOptionCalls}));
    EXPECT_EQ(fake.WakeupCallback(), nullptr);
}

TEST_F(EngineOptionsTest, FailedInitialisationStopsThereAndKeepsTheHandle) {
    fake.SetInitializeResult(MPV_ERROR_INVALID_PARAMETER);

    EXPECT_FALSE(Create(42));
    EXPECT_EQ(handle, FakeEngineApi::Handle());
    ASSERT_FALSE(fake.Calls().empty());
    EXPECT_EQ(fake.Calls().back().function, "mpv_initialize");
    EXPECT_EQ(fake.WakeupCallback(), nullptr);
}

TEST_F(EngineOptionsTest, ShutdownQuitsThenDestroysAndForgetsTheHandle) {
    handle = FakeEngineApi::Handle();
    ShutdownEngineInstance(fake.Api(), handle);

    EXPECT_EQ(handle, nullptr);
    EXPECT_EQ(fake.CallTexts(),
              (std::vector<std::string>{"mpv_command_string quit", "mpv_terminate_destroy"}));
    EXPECT_EQ(fake.Calls()[1].handle, FakeEngineApi::Handle());

    // A second shutdown finds nothing left to end.
    fake.ClearCalls();
    ShutdownEngineInstance(fake.Api(), handle);
    EXPECT_TRUE(fake.Calls().empty());
}

// The window's instance object: nothing without a loaded table, and the instance ends when the
// object goes.
TEST_F(EngineOptionsTest, InstanceObjectNeedsALoadedTableAndEndsWhenItGoes) {
    const EngineApi unloaded;
    EngineInstance none(unloaded);
    EXPECT_FALSE(none.Create(42, 1.5, Wakeup, &context));
    EXPECT_FALSE(none.HasHandle());
    none.TogglePause();
    EXPECT_EQ(none.GetDouble("time-pos"), std::nullopt);

    {
        EngineInstance instance(fake.Api());
        ASSERT_TRUE(instance.Create(42, 1.5, Wakeup, &context));
        EXPECT_EQ(instance.Handle(), FakeEngineApi::Handle());
        fake.ClearCalls();
    }
    EXPECT_EQ(fake.CallTexts(),
              (std::vector<std::string>{"mpv_command_string quit", "mpv_terminate_destroy"}));
}

#ifdef _WIN32
// The engine ends its video window from a thread of its own, whose messages to the program's
// window must be answered while the program waits for the engine to end; what was posted to
// the program stays in its queue for later.
HWND g_window = nullptr;
bool g_answered = false;

void TerminateLikeTheEngine(mpv_handle*) {
    std::thread windowThread([] {
        DWORD_PTR result = 0;
        g_answered =
            SendMessageTimeoutW(g_window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK, 30000, &result) != 0;
    });
    windowThread.join();
}

TEST(EngineTerminationTest, AnswersTheEnginesMessagesWhileWaitingAndKeepsPostedOnes) {
    g_window =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(g_window, nullptr);
    PostMessageW(g_window, WM_APP, 7, 0);

    TerminateEngine(TerminateLikeTheEngine, FakeEngineApi::Handle());

    EXPECT_TRUE(g_answered);
    MSG posted{};
    EXPECT_TRUE(PeekMessageW(&posted, g_window, WM_APP, WM_APP, PM_REMOVE));
    EXPECT_EQ(posted.wParam, 7u);
    DestroyWindow(g_window);
}
#endif

}  // namespace
