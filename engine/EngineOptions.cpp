#include "engine/EngineOptions.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include "engine/EngineBackends.h"
#include "platform/DebugOutput.h"

namespace {

using StringSetting = EngineStringOption;

// Options before "window-scale", which is set as a number between the two groups, after the
// video back end.
constexpr StringSetting kOptionsBeforeScale[] = {
    {"hidpi-window-scale", "yes"},
};

// Those after "window-scale"; the audio outputs go in at "ao".
constexpr StringSetting kOptionsAfterScale[] = {
    {"hwdec", "auto"},
    {"vd-lavc-dr", "yes"},
    // At the end of a file stay on the last frame with the file loaded ("eof-reached").
    {"keep-open", "yes"},
    // The first file waits until the window decides whether to resume or to play.
    {"pause", "yes"},
    // The window has its own controls and keys; the engine's must stay out of the way.
    {"osc", "no"},
    {"input-default-bindings", "no"},
    {"input-vo-keyboard", "no"},
    // Clicks on the video belong to the video window, not to the engine's own window.
    {"input-cursor", "no"},
    // Where no desktop service takes the player's idle inhibition (a bare X server), the
    // engine keeps the X screensaver off itself while a video plays.
    {"stop-screensaver", "yes"},
    {"ao", nullptr},
    {"audio-exclusive", "no"},
    {"audio-buffer", "0.2"},
    {"slang", "zh,en,chs,chi"},
    // Picks up subtitle files whose names roughly match the video's.
    {"sub-auto", "fuzzy"},
    {"cache", "yes"},
    {"demuxer-max-bytes", "20MiB"},
    {"demuxer-max-back-bytes", "5MiB"},
    {"cache-secs", "10"},
};

struct ObservedProperty {
    const char* name;
    mpv_format format;
};

// All with reply id 0: the event drain tells them apart by name and format.
constexpr ObservedProperty kObserved[] = {
    {"time-pos", MPV_FORMAT_DOUBLE},  {"duration", MPV_FORMAT_DOUBLE},
    {"pause", MPV_FORMAT_FLAG},       {"eof-reached", MPV_FORMAT_FLAG},
    {"volume", MPV_FORMAT_DOUBLE},    {"media-title", MPV_FORMAT_STRING},
    {"idle-active", MPV_FORMAT_FLAG},
};

// Large, bordered, CJK-capable subtitles that scale with the window. "sid" "auto" lets the
// engine pick a track by the preferred languages of "slang".
constexpr StringSetting kSubtitleStyle[] = {
    {"sid", "auto"},
    {"sub-visibility", "yes"},
    {"sub-ass-override", "force"},
    {"sub-font", "Microsoft YaHei"},
    {"sub-font-size", "40"},
    {"sub-border-size", "2"},
    {"sub-color", "#FFFFFFFF"},
    {"sub-border-color", "#FF000000"},
    {"sub-margin-y", "30"},
    {"sub-scale-with-window", "yes"},
};

// Rejected values are ignored: the engine keeps its default and the rest still applies.
void SetOptions(const EngineApi& api, mpv_handle* handle, double dpiScale) {
    for (const StringSetting& option : VideoBackendOptions()) {
        api.mpv_set_option_string(handle, option.name, option.value);
    }
    for (const StringSetting& option : kOptionsBeforeScale) {
        api.mpv_set_option_string(handle, option.name, option.value);
    }
    api.mpv_set_option(handle, "window-scale", MPV_FORMAT_DOUBLE, &dpiScale);
    for (const StringSetting& option : kOptionsAfterScale) {
        api.mpv_set_option_string(handle, option.name,
                                  option.value ? option.value : AudioOutputs());
    }
    // Last, so that a developer's own choice replaces the built-in one.
    const QByteArray list = qEnvironmentVariable(kEngineOptionsVariable).toUtf8();
    for (const QByteArray& entry : list.split(',')) {
        const qsizetype equals = entry.indexOf('=');
        if (equals > 0) {
            api.mpv_set_option_string(handle, entry.left(equals).constData(),
                                      entry.mid(equals + 1).constData());
        } else if (!entry.isEmpty()) {
            platform::DebugOutput(
                QStringLiteral("%1: \"%2\" is not name=value; ignored")
                    .arg(QLatin1String(kEngineOptionsVariable), QString::fromUtf8(entry)));
        }
    }
}

}  // namespace

bool CreateEngineInstance(const EngineApi& api, mpv_handle*& outHandle, std::int64_t wid,
                          double dpiScale, void (*wakeup)(void*), void* context) {
    outHandle = api.mpv_create();
    if (outHandle == nullptr) {
        return false;
    }
    SetOptions(api, outHandle, dpiScale);
    if (wid == 0) {
        return false;
    }
    api.mpv_set_option(outHandle, "wid", MPV_FORMAT_INT64, &wid);
    if (api.mpv_initialize(outHandle) < 0) {
        return false;
    }
    api.mpv_set_property(outHandle, "display-hidpi-scale", MPV_FORMAT_DOUBLE, &dpiScale);
    for (const ObservedProperty& property : kObserved) {
        api.mpv_observe_property(outHandle, 0, property.name, property.format);
    }
    for (const StringSetting& property : kSubtitleStyle) {
        api.mpv_set_property_string(outHandle, property.name, property.value);
    }
    // Last, so that no wake-up arrives for an instance that is not fully set up.
    api.mpv_set_wakeup_callback(outHandle, wakeup, context);
    return true;
}

void ShutdownEngineInstance(const EngineApi& api, mpv_handle*& handle) {
    if (handle == nullptr) {
        return;
    }
    api.mpv_command_string(handle, "quit");
    TerminateEngine(api.mpv_terminate_destroy, handle);
    handle = nullptr;
}
