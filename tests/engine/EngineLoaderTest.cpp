// The loader against the real dynamic linker, with stand-in libraries built beside the test.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>

#include "EngineApiFields.h"
#include "RecordingMessageBox.h"
#include "engine/EngineLoader.h"
#include "platform/LibraryLoader.h"

namespace {

bool AllNull(const EngineApi& api) {
    const auto fields = EngineApiFields(api);
    return std::all_of(fields.begin(), fields.end(), [](void* f) { return f == nullptr; });
}

bool NoneNull(const EngineApi& api) {
    const auto fields = EngineApiFields(api);
    return std::none_of(fields.begin(), fields.end(), [](void* f) { return f == nullptr; });
}

// The caller's wording; the loader fills in the errors.
const platform::MessageBoxTexts kFailureBox{QStringLiteral("Not loaded"),
                                            QStringLiteral("errors: %1.")};

class EngineLoaderTest : public testing::Test {
  protected:
    bool Load(const std::vector<std::string>& fileNames) {
        return LoadEngineLibrary(api, platform::SystemLibraryLoader(), boxes, fileNames,
                                 kFailureBox);
    }

    RecordingMessageBox boxes;
    EngineApi api;
};

TEST_F(EngineLoaderTest, MissingLibraryShowsOneFailureBoxAndSetsNothing) {
    EXPECT_FALSE(Load({FAKE_ENGINE_MISSING}));

    ASSERT_EQ(boxes.boxes.size(), 1u);
    const auto& box = boxes.boxes.front();
    EXPECT_EQ(box.caption, kFailureBox.caption);
    EXPECT_EQ(box.icon, platform::MessageBoxIcon::None);
    EXPECT_TRUE(box.text.startsWith(QStringLiteral("errors: "))) << box.text.toStdString();
    EXPECT_TRUE(box.text.endsWith(u'.')) << box.text.toStdString();
    EXPECT_TRUE(box.text.contains(QStringLiteral(FAKE_ENGINE_MISSING))) << box.text.toStdString();

    EXPECT_TRUE(AllNull(api));
    EXPECT_EQ(api.module, nullptr);
    EXPECT_FALSE(api.loaded);
}

TEST_F(EngineLoaderTest, FailureBoxGivesTheErrorOfEveryNameTriedOnItsOwnLine) {
    const std::string first = FAKE_ENGINE_MISSING;
    const std::string second = first + ".1";
    EXPECT_FALSE(Load({first, second}));

    ASSERT_EQ(boxes.boxes.size(), 1u);
    const QStringList lines = boxes.boxes.front().text.split(u'\n');
    ASSERT_EQ(lines.size(), 2) << boxes.boxes.front().text.toStdString();
    // The system loader's own text names the file and gives the cause.
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("errors: ") + QString::fromStdString(first)));
    EXPECT_TRUE(lines[1].startsWith(QString::fromStdString(second)));
#ifdef _WIN32
    // In the system's own language.
    EXPECT_GT(lines[1].size(), qsizetype(second.size() + 2)) << lines[1].toStdString();
#else
    EXPECT_TRUE(lines[1].contains(QStringLiteral("No such file")));
#endif
}

TEST_F(EngineLoaderTest, LibraryLackingOnlyErrorStringIsRejectedWithoutABox) {
    EXPECT_FALSE(Load({FAKE_ENGINE_PARTIAL}));

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(api.loaded);
    // The thirteen functions before mpv_error_string were stored as they resolved; the
    // search stopped there, so mpv_free was never looked up.
    const auto fields = EngineApiFields(api);
    for (std::size_t i = 0; i < 13; ++i) {
        EXPECT_NE(fields[i], nullptr) << kEngineFunctionNames[i];
    }
    EXPECT_EQ(api.mpv_error_string, nullptr);
    EXPECT_EQ(api.mpv_free, nullptr);
    // Those thirteen point into the library, so it must stay loaded.
    EXPECT_NE(api.module, nullptr);
}

TEST_F(EngineLoaderTest, CompleteLibraryResolvesAllFifteen) {
    EXPECT_TRUE(Load({FAKE_ENGINE_FULL}));

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(NoneNull(api));
    EXPECT_TRUE(api.loaded);
    EXPECT_NE(api.module, nullptr);
    // The fields reach the library's own code.
    EXPECT_STREQ(api.mpv_error_string(0), "fake engine");
}

TEST_F(EngineLoaderTest, LaterNameIsUsedWhenTheFirstIsMissing) {
    EXPECT_TRUE(Load({FAKE_ENGINE_MISSING, FAKE_ENGINE_FULL}));

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_TRUE(api.loaded);
    EXPECT_TRUE(NoneNull(api));
}

TEST_F(EngineLoaderTest, FirstLibraryThatLoadsIsTheOneUsedEvenIfIncomplete) {
    EXPECT_FALSE(Load({FAKE_ENGINE_PARTIAL, FAKE_ENGINE_FULL}));

    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(api.loaded);
    EXPECT_EQ(api.mpv_error_string, nullptr);
}

// The system loader, except that the library stays loaded: unloading the real playback
// library orphans memory that its dependencies allocated while loading, which the leak
// checker of sanitizer builds would report against this test.
class KeepLoadedLoader final : public platform::LibraryLoader {
  public:
    void* Load(const std::string& fileName, std::string& error) override {
        return platform::SystemLibraryLoader().Load(fileName, error);
    }
    void* Resolve(void* module, const char* symbol) override {
        return platform::SystemLibraryLoader().Resolve(module, symbol);
    }
    void Unload(void*) override {}
};

// The names the player ships with must find this system's playback library, and it must
// export every function bound by name.
TEST_F(EngineLoaderTest, SystemPlaybackLibraryHasEveryFunction) {
    KeepLoadedLoader loader;
    EngineApi systemApi;
    const bool loaded =
        LoadEngineLibrary(systemApi, loader, boxes, kEngineLibraryNames, kFailureBox);
    if (!boxes.boxes.empty()) {
        GTEST_SKIP() << "no playback library installed: " << boxes.boxes.front().text.toStdString();
    }
    EXPECT_TRUE(loaded);
    EXPECT_TRUE(NoneNull(systemApi));
}

}  // namespace
