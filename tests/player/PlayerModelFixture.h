#pragma once
// A player on the recording fake engine with its own settings folder, and no window: the
// engine is created into no native window and its events are drained by hand.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "FakeEngineApi.h"
#include "TestFiles.h"
#include "platform/FileName.h"
#include "player/Player.h"
#include "settings/SettingsStore.h"

class PlayerModelTest : public ::testing::Test {
  protected:
    void SetUp() override { Start(); }

    // A new player over the settings in `folder`; `withEngine` false makes engine creation
    // fail.
    void Start(bool withEngine = true) {
        player.reset();
        store = std::make_unique<SettingsStore>(folder.path() + QStringLiteral("/MoviraPlayer/"));
        fake.SetCreateResult(withEngine ? FakeEngineApi::Handle() : nullptr);
        player = std::make_unique<Player>(fake.Api(), store.get());
        player->CreateEngine(0, 1.0, nullptr, nullptr);
        player->SetOfferedSpeeds({0.25, 0.5, 1.0, 1.5, 2.0, 4.0});
        player->LoadSettings();
        fake.ClearCalls();
    }
    // A file that exists, for Open, in the system's spelling as the player keeps it.
    QString MediaFile(const QString& name = QStringLiteral("clip.mp4")) {
        return platform::NativeFileName(EmptyFile(folder.path(), name));
    }
    // Opens a file and lets the engine report it loaded, `seconds` long.
    void Load(double seconds) {
        player->Open(MediaFile());
        fake.QueueDoubleChange("duration", seconds);
        fake.QueueEvent(MPV_EVENT_FILE_LOADED);
        player->DrainEvents();
        fake.ClearCalls();
    }
    std::vector<std::string> Commands() const { return fake.CallTexts("mpv_command"); }
    // What reached the engine: commands and property writes.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const std::string& call : fake.CallTexts()) {
            if (call.rfind("mpv_command", 0) == 0 || call.rfind("mpv_set_property", 0) == 0)
                sent.push_back(call);
        }
        return sent;
    }

    QTemporaryDir folder;
    FakeEngineApi fake;
    std::unique_ptr<SettingsStore> store;
    std::unique_ptr<Player> player;
};

// Counts what the player tells its observers.
class RecordingObserver : public PlayerObserver {
  public:
    void OnPlayerChanged() override { ++changes; }
    void OnSeeked(double seconds) override { seeks.push_back(seconds); }
    void OnStopped() override { ++stops; }
    void OnVolumeChanged(int level) override { volumes.push_back(level); }
    void OnMuteChanged(bool muted) override { mutes.push_back(muted); }
    void OnSpeedChanged(double speed) override { speeds.push_back(speed); }
    int changes = 0;
    int stops = 0;
    std::vector<double> seeks;
    std::vector<int> volumes;
    std::vector<bool> mutes;
    std::vector<double> speeds;
};
