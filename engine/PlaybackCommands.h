#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineApi.h"

// The commands and property reads the window sends to the engine. Every function sends
// nothing when handle is null: the engine may have failed to start, and the library must
// never see a null handle. Results of commands and property writes are ignored; the engine
// refuses what it cannot do and the displays follow its events, not our requests.

enum class PlayState { Idle = 0, Playing = 1, Paused = 2, Ended = 3 };

// Starts loading path, sent as the bytes it stands for (platform::EncodeFileName): UTF-8,
// and a name that is not UTF-8 as it is on disk. The engine reports the loaded file with an
// event.
void LoadFile(const EngineApi& api, mpv_handle* handle, const QString& path);

// What the engine is doing. Ended wins over Paused: with "keep-open" the engine sits paused
// on the last frame at the end of a file. A failed read counts as false; Idle without an
// engine.
PlayState GetPlayState(const EngineApi& api, mpv_handle* handle);

// Play or pause; at the end of a file, start it again from the beginning.
void TogglePause(const EngineApi& api, mpv_handle* handle);

// Seeks by seconds (negative is backward), sent with one decimal.
void SeekRelative(const EngineApi& api, mpv_handle* handle, double seconds);

// Seeks to seconds from the start, sent with the given number of decimals.
void SeekAbsolute(const EngineApi& api, mpv_handle* handle, double seconds, int decimals);

void SetSpeed(const EngineApi& api, mpv_handle* handle, double speed);
void SetMute(const EngineApi& api, mpv_handle* handle, bool mute);
// volume is in the engine's percent, 0 to 100.
void SetVolume(const EngineApi& api, mpv_handle* handle, double volume);

// Unloads the file; the engine becomes idle.
void StopPlayback(const EngineApi& api, mpv_handle* handle);

// Shows the subtitle track with the engine's id (not its index in the track list).
void SelectSubtitle(const EngineApi& api, mpv_handle* handle, std::int64_t id);
// Hides subtitles and leaves the selected track as it is.
void HideSubtitles(const EngineApi& api, mpv_handle* handle);

// A property read as a double; nullopt when the read fails or there is no engine.
std::optional<double> GetDoubleProperty(const EngineApi& api, mpv_handle* handle, const char* name);
// A property read as a 64-bit integer; fallback when the read fails or there is no engine.
std::int64_t GetInt64Property(const EngineApi& api, mpv_handle* handle, const char* name,
                              std::int64_t fallback = 0);

// v with a fixed number of decimals and '.' as separator whatever the locale, since the
// engine parses numbers the C way.
std::string FormatFixed(double v, int decimals);
