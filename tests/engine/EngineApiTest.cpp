// Which name lands in which field, and who loads and unloads the library how often, checked
// with a scripted loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineApiFields.h"
#include "RecordingMessageBox.h"
#include "ScriptedLibraryLoader.h"
#include "engine/EngineApi.h"
#include "engine/EngineLoader.h"

namespace {

class EngineApiTest : public testing::Test {
  protected:
    EngineApiTest() { loader.present = {"libengine.so"}; }

    bool Load(EngineApi& api) {
        return LoadEngineLibrary(api, loader, boxes, {"libengine.so"},
                                 {QStringLiteral("failed"), QStringLiteral("%1")});
    }

    // Declared before every table, so it outlives the tables that unload through it.
    ScriptedLibraryLoader loader;
    RecordingMessageBox boxes;
};

TEST_F(EngineApiTest, EachFieldHoldsTheFunctionOfItsOwnName) {
    EngineApi api;
    ASSERT_TRUE(Load(api));

    const auto fields = EngineApiFields(api);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i], loader.AddressOf(kEngineFunctionNames[i])) << kEngineFunctionNames[i];
    }
    EXPECT_EQ(api.module, loader.Module());
}

TEST_F(EngineApiTest, ResolvingStopsAtTheFirstMissingFunction) {
    loader.missingSymbols = {"mpv_observe_property", "mpv_free"};
    EngineApi api;
    EXPECT_FALSE(Load(api));

    const std::vector<std::string> expectedLookups(kEngineFunctionNames.begin(),
                                                   kEngineFunctionNames.begin() + 11);
    EXPECT_EQ(loader.resolved, expectedLookups);
    const auto fields = EngineApiFields(api);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        EXPECT_EQ(fields[i] != nullptr, i < 10) << kEngineFunctionNames[i];
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(EngineApiTest, LaterCallsKeepTheFirstOutcomeWithoutLoadingAgain) {
    {
        EngineApi api;
        EXPECT_TRUE(Load(api));
        EXPECT_TRUE(Load(api));
        EXPECT_EQ(loader.loads.size(), 1u);
    }
    loader.loads.clear();
    loader.missingSymbols = {"mpv_create"};
    {
        EngineApi api;
        EXPECT_FALSE(Load(api));
        EXPECT_FALSE(Load(api));
        EXPECT_EQ(loader.loads.size(), 1u);
    }
}

TEST_F(EngineApiTest, NothingLoadedMeansALaterCallTriesAgain) {
    EngineApi api;
    loader.present.clear();
    EXPECT_FALSE(Load(api));
    loader.present = {"libengine.so"};
    EXPECT_TRUE(Load(api));
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(EngineApiTest, TableUnloadsItsLibraryThroughItsLoaderOnDestruction) {
    {
        EngineApi api;
        ASSERT_TRUE(Load(api));
        EXPECT_TRUE(loader.unloads.empty());
    }
    EXPECT_EQ(loader.unloads, std::vector<void*>{loader.Module()});

    // An incomplete library is still held by the table and released with it.
    loader.unloads.clear();
    loader.missingSymbols = {"mpv_free"};
    {
        EngineApi api;
        EXPECT_FALSE(Load(api));
    }
    EXPECT_EQ(loader.unloads, std::vector<void*>{loader.Module()});

    // Nothing loaded, nothing to release.
    loader.unloads.clear();
    loader.present.clear();
    {
        EngineApi api;
        EXPECT_FALSE(Load(api));
    }
    EXPECT_TRUE(loader.unloads.empty());
}

TEST(GetEngineApiTest, ReturnsOneRecordThatStartsEmpty) {
    EngineApi& first = GetEngineApi();
    EXPECT_EQ(&first, &GetEngineApi());
    EXPECT_FALSE(first.loaded);
    EXPECT_EQ(first.module, nullptr);
    EXPECT_EQ(first.mpv_create, nullptr);
}

}  // namespace
