#include "StubEngine.h"

#include <cstring>

namespace stub_engine {

namespace {

struct State {
    double timePos = 0.0;
    double duration = 0.0;
    // The values the handed-out events point at stay here until the next wait.
    mpv_event event{};
    mpv_event_property property{};
    double eventValue = 0.0;
    std::deque<const char*> queued;  // names of changed double properties
};

State& S() {
    static State state;
    return state;
}

// Never dereferenced: the window only hands it back.
mpv_handle* Handle() { return reinterpret_cast<mpv_handle*>(&S()); }

mpv_handle* Create() { return Handle(); }
int Ok(mpv_handle*) { return 0; }
void Destroy(mpv_handle*) {}
int Command(mpv_handle*, const char**) { return 0; }
int CommandString(mpv_handle*, const char*) { return 0; }
int SetOption(mpv_handle*, const char*, mpv_format, void*) { return 0; }
int SetOptionString(mpv_handle*, const char*, const char*) { return 0; }
int SetProperty(mpv_handle*, const char*, mpv_format, void*) { return 0; }
int SetPropertyString(mpv_handle*, const char*, const char*) { return 0; }
int Observe(mpv_handle*, uint64_t, const char*, mpv_format) { return 0; }
void SetWakeup(mpv_handle*, void (*)(void*), void*) {}
const char* ErrorString(int) { return "stub"; }
void Free(void*) {}

int GetProperty(mpv_handle*, const char* name, mpv_format format, void* data) {
    if (format == MPV_FORMAT_DOUBLE && std::strcmp(name, "time-pos") == 0) {
        *static_cast<double*>(data) = S().timePos;
        return 0;
    }
    if (format == MPV_FORMAT_DOUBLE && std::strcmp(name, "duration") == 0) {
        *static_cast<double*>(data) = S().duration;
        return 0;
    }
    if (format == MPV_FORMAT_FLAG) {  // "pause", "eof-reached", "idle-active": all false
        *static_cast<int*>(data) = 0;
        return 0;
    }
    return MPV_ERROR_PROPERTY_UNAVAILABLE;
}

mpv_event* WaitEvent(mpv_handle*, double) {
    State& s = S();
    s.event = mpv_event{};
    if (s.queued.empty()) return &s.event;  // MPV_EVENT_NONE
    const char* name = s.queued.front();
    s.queued.pop_front();
    s.eventValue = std::strcmp(name, "time-pos") == 0 ? s.timePos : s.duration;
    s.property = mpv_event_property{name, MPV_FORMAT_DOUBLE, &s.eventValue};
    s.event.event_id = MPV_EVENT_PROPERTY_CHANGE;
    s.event.data = &s.property;
    return &s.event;
}

EngineApi& Table() {
    static EngineApi api;
    if (!api.loaded) {
        api.mpv_create = &Create;
        api.mpv_initialize = &Ok;
        api.mpv_terminate_destroy = &Destroy;
        api.mpv_command = &Command;
        api.mpv_command_string = &CommandString;
        api.mpv_set_option = &SetOption;
        api.mpv_set_option_string = &SetOptionString;
        api.mpv_get_property = &GetProperty;
        api.mpv_set_property = &SetProperty;
        api.mpv_set_property_string = &SetPropertyString;
        api.mpv_observe_property = &Observe;
        api.mpv_wait_event = &WaitEvent;
        api.mpv_set_wakeup_callback = &SetWakeup;
        api.mpv_error_string = &ErrorString;
        api.mpv_free = &Free;
        api.loaded = true;
    }
    return api;
}

}  // namespace

const EngineApi& Api() { return Table(); }
void SetTimePos(double seconds) { S().timePos = seconds; }
void SetDuration(double seconds) { S().duration = seconds; }
void QueueTimePosChange() { S().queued.push_back("time-pos"); }
void QueueDurationChange() { S().queued.push_back("duration"); }

}  // namespace stub_engine
