#include "engine/EngineEvents.h"

#include <string_view>

namespace {

void DispatchPropertyChange(const mpv_event_property& property, EngineEventSink& sink) {
    // A property without a value (format none) is reported with a null data pointer.
    if (property.name == nullptr || property.data == nullptr) {
        return;
    }
    const std::string_view name(property.name);
    if (name == "time-pos" && property.format == MPV_FORMAT_DOUBLE) {
        sink.OnTimePos(*static_cast<const double*>(property.data));
    } else if (name == "duration" && property.format == MPV_FORMAT_DOUBLE) {
        sink.OnDuration(*static_cast<const double*>(property.data));
    } else if ((name == "pause" || name == "eof-reached" || name == "idle-active") &&
               property.format == MPV_FORMAT_FLAG) {
        sink.OnPlayStateFlag();
    } else if (name == "media-title" && property.format == MPV_FORMAT_STRING) {
        const char* title = *static_cast<char* const*>(property.data);
        if (title != nullptr) {
            sink.OnMediaTitle(title);
        }
    }
    // "volume" is observed too but needs nothing from the window: the volume slider belongs
    // to the user.
}

}  // namespace

void DrainEngineEvents(const EngineApi& api, mpv_handle*& handle, EngineEventSink& sink) {
    while (handle != nullptr) {
        const mpv_event* event = api.mpv_wait_event(handle, 0.0);
        // A null event is not part of the library's contract; treat it as an empty queue.
        if (event == nullptr || event->event_id == MPV_EVENT_NONE) {
            return;
        }
        switch (event->event_id) {
            case MPV_EVENT_PROPERTY_CHANGE:
                if (event->data != nullptr) {
                    DispatchPropertyChange(*static_cast<const mpv_event_property*>(event->data),
                                           sink);
                }
                break;
            case MPV_EVENT_FILE_LOADED:
                sink.OnFileLoaded();
                break;
            case MPV_EVENT_END_FILE:
                if (event->data != nullptr &&
                    static_cast<const mpv_event_end_file*>(event->data)->reason ==
                        MPV_END_FILE_REASON_ERROR) {
                    sink.OnFileFailed();
                }
                break;
            case MPV_EVENT_SEEK:
                sink.OnSeekStarted();
                break;
            case MPV_EVENT_PLAYBACK_RESTART:
                sink.OnPlaybackRestarted();
                break;
            case MPV_EVENT_SHUTDOWN:
                // After shutdown the engine may report shutdown on every further call; a
                // zero-timeout loop would then never end.
                return;
            default:
                break;
        }
    }
}
