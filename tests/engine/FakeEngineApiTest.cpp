// The recording fake itself, as far as other tests rely on it beyond what the engine tests
// already exercise: installing into a shared table, and the library's string ownership.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineApiFields.h"
#include "FakeEngineApi.h"

namespace {

TEST(FakeEngineApiTest, InstallsIntoAGivenTableAndLeavesItAsItWas) {
    EngineApi table;
    {
        FakeEngineApi fake(table);
        EXPECT_TRUE(table.loaded);
        for (void* field : EngineApiFields(table)) {
            EXPECT_NE(field, nullptr);
        }
        table.mpv_command_string(FakeEngineApi::Handle(), "quit");
        EXPECT_EQ(fake.CallTexts(), std::vector<std::string>{"mpv_command_string quit"});
    }
    EXPECT_FALSE(table.loaded);
    for (void* field : EngineApiFields(table)) {
        EXPECT_EQ(field, nullptr);
    }
}

TEST(FakeEngineApiTest, StringsAreCopiesTheCallerMustRelease) {
    FakeEngineApi fake;
    fake.SetString("media-title", "clip");
    const EngineApi& api = fake.Api();

    char* first = nullptr;
    char* second = nullptr;
    ASSERT_EQ(api.mpv_get_property(fake.Handle(), "media-title", MPV_FORMAT_STRING, &first), 0);
    ASSERT_EQ(api.mpv_get_property(fake.Handle(), "media-title", MPV_FORMAT_STRING, &second), 0);
    EXPECT_NE(first, second);
    EXPECT_STREQ(first, "clip");
    EXPECT_EQ(fake.UnreleasedStrings(), 2u);

    api.mpv_free(first);
    api.mpv_free(second);
    api.mpv_free(nullptr);
    EXPECT_EQ(fake.UnreleasedStrings(), 0u);
    EXPECT_EQ(fake.CallTexts("mpv_free"),
              (std::vector<std::string>{"mpv_free clip", "mpv_free clip", "mpv_free (null)"}));

    // A read in another format fails and leaves the caller's value alone.
    double number = -1.0;
    EXPECT_EQ(api.mpv_get_property(fake.Handle(), "media-title", MPV_FORMAT_DOUBLE, &number),
              MPV_ERROR_PROPERTY_FORMAT);
    EXPECT_EQ(number, -1.0);
}

}  // namespace
