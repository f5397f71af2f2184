#include "LivePlayer.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <iostream>

#include "IntegrationEnv.h"
#include "engine/PlayState.h"
#include "settings/SettingsStore.h"
#include "toolkit/MenuWnd.h"
#include "toolkit/UIControl.h"
#include "toolkit/UIMenu.h"
#include "ui/PlayerWindow.h"

namespace integration {

using namespace std::chrono_literals;

LivePlayerTest::LivePlayerTest() = default;

LivePlayerTest::~LivePlayerTest() = default;

void LivePlayerTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    artifactDir_ = QStringLiteral("%1/%2.%3")
                       .arg(artifactDir(), QString::fromLatin1(info->test_suite_name()),
                            QString::fromLatin1(info->name()));
    QDir(artifactDir_).removeRecursively();  // left over from an earlier failed run
    ASSERT_TRUE(QDir().mkpath(artifactDir_));
    ASSERT_TRUE(settingsDir_.isValid());
    xdo_ = std::make_unique<e2e::Xdo>(QString::fromLocal8Bit(qgetenv("DISPLAY")));

    // Built as start-up builds it, with a settings store of its own instead of the user's.
    store_ =
        std::make_unique<SettingsStore>(settingsDir_.path() + QStringLiteral("/MoviraPlayer/"));
    window_ = std::make_unique<PlayerWindow>(GetEngineApi(), store_.get());
    ASSERT_TRUE(window_->CreateAndShow());
    ASSERT_NE(window_->GetPlayer().Engine(), nullptr)
        << "the engine did not start in the video window";
}

void LivePlayerTest::TearDown() {
    window_.reset();
    // The window closes every menu as it goes; the ones the toolkit kept are freed on a
    // later turn of the loop. None may be left behind.
    const bool freed =
        awaitEvents([] { return CMenuWnd::GetGlobalContextMenuObserver().GetMenus().empty(); }, 5s);
    EXPECT_TRUE(freed) << CMenuWnd::GetGlobalContextMenuObserver().GetMenus().size()
                       << " menu objects outlived the player window";
    if (HasFailure()) {
        std::cerr << "screenshots kept in " << str(artifactDir_) << '\n';
    } else {
        QDir(artifactDir_).removeRecursively();
    }
}

void LivePlayerTest::openAndAwaitPlaying(const QString& path) {
    window_->OpenMedia(path);
    ASSERT_EQ(window_->GetPlayer().FilePath(), path) << "the file was not taken";
    // Time moving on, not just the state: the engine reports playing before the first frame.
    const bool playing = awaitEvents(
        [&] {
            return window_->GetPlayer().GetPlayState() == PlayState::Playing &&
                   engineDouble("time-pos").value_or(0.0) > 0.2;
        },
        20s);
    ASSERT_TRUE(playing) << "never seen playing: time-pos "
                         << engineDouble("time-pos").value_or(-1.0) << ", state "
                         << static_cast<int>(window_->GetPlayer().GetPlayState());
}

CControlUI* LivePlayerTest::control(const char* name) {
    return window_->GetPM().FindControl(QString::fromLatin1(name));
}

void LivePlayerTest::click(const char* name) {
    CControlUI* target = control(name);
    ASSERT_NE(target, nullptr) << name;
    window_->GetPM().LayoutIfNeeded();
    const QPoint at = target->GetPos().center();
    window_->SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(at.x(), at.y()));
    window_->SendMessage(WM_LBUTTONUP, 0, MakePointLParam(at.x(), at.y()));
    QCoreApplication::processEvents();
}

void LivePlayerTest::clickItem(CMenuWnd& menu, int index) {
    CMenuUI* items = menu.GetMenuUI();
    ASSERT_NE(items, nullptr);
    CControlUI* item = items->GetItemAt(index);
    ASSERT_NE(item, nullptr) << "no item " << index;
    menu.GetPM().LayoutIfNeeded();
    const QPoint at = item->GetPos().center();
    menu.SendMessage(WM_MOUSEMOVE, 0, MakePointLParam(at.x(), at.y()));
    menu.SendMessage(WM_LBUTTONDOWN, 0, MakePointLParam(at.x(), at.y()));
    menu.SendMessage(WM_LBUTTONUP, 0, MakePointLParam(at.x(), at.y()));
}

std::vector<CMenuWnd*> LivePlayerTest::openMenus() {
    std::vector<CMenuWnd*> open;
    for (CMenuWnd* menu : CMenuWnd::GetGlobalContextMenuObserver().GetMenus()) {
        if (menu->IsWindow()) open.push_back(menu);
    }
    return open;
}

std::optional<QString> LivePlayerTest::engineString(const char* name) const {
    const EngineApi& api = GetEngineApi();
    char* text = nullptr;
    if (api.mpv_get_property(window_->GetPlayer().Engine(), name, MPV_FORMAT_STRING, &text) < 0 ||
        !text) {
        return std::nullopt;
    }
    const QString value = QString::fromUtf8(text);
    api.mpv_free(text);
    return value;
}

std::optional<double> LivePlayerTest::engineDouble(const char* name) const {
    double value = 0.0;
    if (GetEngineApi().mpv_get_property(window_->GetPlayer().Engine(), name, MPV_FORMAT_DOUBLE,
                                        &value) < 0) {
        return std::nullopt;
    }
    return value;
}

std::vector<EngineTrack> LivePlayerTest::engineSubtitleTracks() const {
    // As a string the engine writes the whole list as JSON.
    std::vector<EngineTrack> tracks;
    const QJsonDocument list =
        QJsonDocument::fromJson(engineString("track-list").value_or(QString()).toUtf8());
    for (const QJsonValue& entry : list.array()) {
        const QJsonObject track = entry.toObject();
        if (track.value(QStringLiteral("type")).toString() != u"sub") continue;
        tracks.push_back({track.value(QStringLiteral("id")).toInteger(),
                          track.value(QStringLiteral("lang")).toString(),
                          track.value(QStringLiteral("title")).toString()});
    }
    return tracks;
}

bool LivePlayerTest::awaitMenusGoneFromScreen() {
    return awaitEvents([&] { return xdo_->visibleWindows(QStringLiteral("^Menu$")).empty(); }, 5s);
}

QRect LivePlayerTest::videoAreaOnScreen() const {
    // Between the 30 px title bar and the 60 px control bar, at the scale of this display.
    return window_->GetWindowRect().adjusted(0, 30, 0, -60);
}

}  // namespace integration
