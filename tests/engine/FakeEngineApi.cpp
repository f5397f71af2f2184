#include "FakeEngineApi.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace {

FakeEngineApi* g_active = nullptr;

FakeEngineApi& Active() {
    if (g_active == nullptr) {
        // A table outlived its fake; failing loudly beats recording into freed memory.
        std::cerr << "FakeEngineApi: called with no fake alive\n";
        std::abort();
    }
    return *g_active;
}

std::string FormatName(mpv_format format) {
    switch (format) {
        case MPV_FORMAT_NONE:
            return "none";
        case MPV_FORMAT_STRING:
            return "string";
        case MPV_FORMAT_OSD_STRING:
            return "osd-string";
        case MPV_FORMAT_FLAG:
            return "flag";
        case MPV_FORMAT_INT64:
            return "int64";
        case MPV_FORMAT_DOUBLE:
            return "double";
        case MPV_FORMAT_NODE:
            return "node";
        default:
            return "format-" + std::to_string(static_cast<int>(format));
    }
}

std::string DoubleText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string StringText(const char* text) { return text == nullptr ? "(null)" : text; }

std::string ValueText(mpv_format format, const void* data) {
    if (data == nullptr) {
        return "(null)";
    }
    switch (format) {
        case MPV_FORMAT_STRING:
        case MPV_FORMAT_OSD_STRING:
            return StringText(*static_cast<char* const*>(data));
        case MPV_FORMAT_FLAG:
            return std::to_string(*static_cast<const int*>(data));
        case MPV_FORMAT_INT64:
            return std::to_string(*static_cast<const std::int64_t*>(data));
        case MPV_FORMAT_DOUBLE:
            return DoubleText(*static_cast<const double*>(data));
        default:
            return "?";
    }
}

}  // namespace

struct FakeEngineApi::Value {
    mpv_format format = MPV_FORMAT_NONE;
    std::string text;
    int flag = 0;
    std::int64_t int64 = 0;
    double number = 0.0;
};

struct FakeEngineApi::QueuedEvent {
    mpv_event event{};
    mpv_event_property property{};
    mpv_event_end_file endFile{};
    bool isEndFile = false;
    bool isPropertyChange = false;
    bool withoutData = false;
    std::string name;
    Value value;
    const char* text = nullptr;  // the string-format value, possibly null

    // Points the event at its own storage; done when it is handed out.
    mpv_event* Link() {
        if (isEndFile) event.data = &endFile;
        if (isPropertyChange && !withoutData) {
            property.name = name.c_str();
            property.format = value.format;
            switch (value.format) {
                case MPV_FORMAT_STRING:
                    property.data = &text;
                    break;
                case MPV_FORMAT_FLAG:
                    property.data = &value.flag;
                    break;
                case MPV_FORMAT_INT64:
                    property.data = &value.int64;
                    break;
                case MPV_FORMAT_DOUBLE:
                    property.data = &value.number;
                    break;
                default:
                    property.data = nullptr;
                    break;
            }
            event.data = &property;
        }
        return &event;
    }
};

// The functions the table points at, named as the library names them; each records its
// call on the live fake.
struct FakeEngineApi::Thunks {
    static void Record(const char* function, mpv_handle* handle,
                       std::vector<std::string> args = {}) {
        Active().Record(FakeCall{function, handle, std::move(args)});
    }

    static mpv_handle* mpv_create() {
        Record(__func__, nullptr);
        return Active().m_createResult;
    }
    static int mpv_initialize(mpv_handle* h) {
        Record(__func__, h);
        return Active().m_initializeResult;
    }
    static void mpv_terminate_destroy(mpv_handle* h) { Record(__func__, h); }
    static int mpv_command(mpv_handle* h, const char** args) {
        std::vector<std::string> words;
        for (; args != nullptr && *args != nullptr; ++args) {
            words.emplace_back(*args);
        }
        Record(__func__, h, std::move(words));
        return Active().m_commandResult;
    }
    static int mpv_command_string(mpv_handle* h, const char* args) {
        Record(__func__, h, {StringText(args)});
        return 0;
    }
    static int mpv_set_option(mpv_handle* h, const char* name, mpv_format format, void* data) {
        Record(__func__, h, {StringText(name), FormatName(format), ValueText(format, data)});
        return 0;
    }
    static int mpv_set_option_string(mpv_handle* h, const char* name, const char* data) {
        Record(__func__, h, {StringText(name), StringText(data)});
        return 0;
    }
    static int mpv_get_property(mpv_handle* h, const char* name, mpv_format format, void* data) {
        Record(__func__, h, {StringText(name), FormatName(format)});
        return Active().GetProperty(name, format, data);
    }
    static int mpv_set_property(mpv_handle* h, const char* name, mpv_format format, void* data) {
        Record(__func__, h, {StringText(name), FormatName(format), ValueText(format, data)});
        return 0;
    }
    static int mpv_set_property_string(mpv_handle* h, const char* name, const char* data) {
        Record(__func__, h, {StringText(name), StringText(data)});
        return 0;
    }
    static int mpv_observe_property(mpv_handle* h, std::uint64_t reply, const char* name,
                                    mpv_format format) {
        Record(__func__, h, {StringText(name), FormatName(format), std::to_string(reply)});
        return 0;
    }
    static mpv_event* mpv_wait_event(mpv_handle* h, double timeout) {
        Record(__func__, h, {DoubleText(timeout)});
        return Active().NextEvent();
    }
    static void mpv_set_wakeup_callback(mpv_handle* h, void (*cb)(void*), void* d) {
        Record(__func__, h);
        Active().m_wakeup = cb;
        Active().m_wakeupContext = d;
    }
    static const char* mpv_error_string(int error) {
        Record(__func__, nullptr, {std::to_string(error)});
        return "fake error";
    }
    static void mpv_free(void* data) {
        std::string text = "(null)";
        if (Active().m_unreleased.count(data) != 0) {
            text = static_cast<const char*>(data);
        } else if (data != nullptr) {
            text = "(not from the library)";
        }
        Record(__func__, nullptr, {std::move(text)});
        Active().Free(data);
    }

    static void Fill(EngineApi& api) {
#define MOVIRA_ENGINE_FUNCTION(name, result, params) api.name = name;
#include "engine/EngineFunctions.h"
    }

    static void Clear(EngineApi& api) {
#define MOVIRA_ENGINE_FUNCTION(name, result, params) api.name = nullptr;
#include "engine/EngineFunctions.h"
    }
};

std::string FakeCall::Text() const {
    std::string text = function;
    for (const std::string& arg : args) {
        text += ' ';
        text += arg;
    }
    return text;
}

FakeEngineApi::FakeEngineApi() : FakeEngineApi(m_ownTable) {}

FakeEngineApi::FakeEngineApi(EngineApi& table) : m_table(&table) {
    if (g_active != nullptr) {
        std::cerr << "FakeEngineApi: only one fake may be alive at a time\n";
        std::abort();
    }
    g_active = this;
    Thunks::Fill(table);
    // Code that checks whether the library was found treats the fake as found.
    m_tableWasLoaded = table.loaded;
    table.loaded = true;
}

FakeEngineApi::~FakeEngineApi() {
    Thunks::Clear(*m_table);
    m_table->loaded = m_tableWasLoaded;
    for (void* data : m_unreleased) {
        std::free(data);
    }
    g_active = nullptr;
}

mpv_handle* FakeEngineApi::Handle() {
    static char handle;
    return reinterpret_cast<mpv_handle*>(&handle);
}

void FakeEngineApi::SetFlag(const std::string& name, bool value) {
    auto v = std::make_unique<Value>();
    v->format = MPV_FORMAT_FLAG;
    v->flag = value ? 1 : 0;
    m_properties[name] = std::move(v);
}

void FakeEngineApi::SetInt64(const std::string& name, std::int64_t value) {
    auto v = std::make_unique<Value>();
    v->format = MPV_FORMAT_INT64;
    v->int64 = value;
    m_properties[name] = std::move(v);
}

void FakeEngineApi::SetDouble(const std::string& name, double value) {
    auto v = std::make_unique<Value>();
    v->format = MPV_FORMAT_DOUBLE;
    v->number = value;
    m_properties[name] = std::move(v);
}

void FakeEngineApi::SetString(const std::string& name, const std::string& value) {
    auto v = std::make_unique<Value>();
    v->format = MPV_FORMAT_STRING;
    v->text = value;
    m_properties[name] = std::move(v);
}

void FakeEngineApi::RemoveProperty(const std::string& name) { m_properties.erase(name); }

FakeEngineApi::QueuedEvent& FakeEngineApi::Queue(const std::string& name, mpv_format format) {
    auto queued = std::make_unique<QueuedEvent>();
    queued->event.event_id = MPV_EVENT_PROPERTY_CHANGE;
    queued->isPropertyChange = true;
    queued->name = name;
    queued->value.format = format;
    m_events.push_back(std::move(queued));
    return *m_events.back();
}

void FakeEngineApi::QueueEvent(mpv_event_id id) {
    auto queued = std::make_unique<QueuedEvent>();
    queued->event.event_id = id;
    m_events.push_back(std::move(queued));
}

void FakeEngineApi::QueueEndFile(mpv_end_file_reason reason) {
    auto queued = std::make_unique<QueuedEvent>();
    queued->event.event_id = MPV_EVENT_END_FILE;
    queued->endFile.reason = reason;
    queued->isEndFile = true;
    m_events.push_back(std::move(queued));
}

void FakeEngineApi::QueueDoubleChange(const std::string& name, double value) {
    Queue(name, MPV_FORMAT_DOUBLE).value.number = value;
}

void FakeEngineApi::QueueFlagChange(const std::string& name, bool value) {
    Queue(name, MPV_FORMAT_FLAG).value.flag = value ? 1 : 0;
}

void FakeEngineApi::QueueInt64Change(const std::string& name, std::int64_t value) {
    Queue(name, MPV_FORMAT_INT64).value.int64 = value;
}

void FakeEngineApi::QueueStringChange(const std::string& name, const char* value) {
    QueuedEvent& queued = Queue(name, MPV_FORMAT_STRING);
    if (value != nullptr) {
        queued.value.text = value;
        queued.text = queued.value.text.c_str();
    }
}

void FakeEngineApi::QueueValuelessChange(const std::string& name) { Queue(name, MPV_FORMAT_NONE); }

void FakeEngineApi::QueueChangeWithoutData() {
    Queue("time-pos", MPV_FORMAT_DOUBLE).withoutData = true;
}

std::vector<std::string> FakeEngineApi::CallTexts() const {
    std::vector<std::string> texts;
    for (const FakeCall& call : m_calls) {
        texts.push_back(call.Text());
    }
    return texts;
}

std::vector<std::string> FakeEngineApi::CallTexts(std::string_view function) const {
    std::vector<std::string> texts;
    for (const FakeCall& call : m_calls) {
        if (call.function == function) {
            texts.push_back(call.Text());
        }
    }
    return texts;
}

void FakeEngineApi::Record(FakeCall call) {
    m_calls.push_back(std::move(call));
    if (onCall) {
        onCall(m_calls.back());
    }
}

int FakeEngineApi::GetProperty(const char* name, mpv_format format, void* data) {
    const auto found = name == nullptr ? m_properties.end() : m_properties.find(name);
    if (found == m_properties.end()) {
        return MPV_ERROR_PROPERTY_UNAVAILABLE;
    }
    const Value& value = *found->second;
    if (value.format != format) {
        return MPV_ERROR_PROPERTY_FORMAT;
    }
    switch (format) {
        case MPV_FORMAT_STRING: {
            // Like the library: a fresh copy that the caller must give back with mpv_free.
            char* copy = static_cast<char*>(std::malloc(value.text.size() + 1));
            std::memcpy(copy, value.text.c_str(), value.text.size() + 1);
            m_unreleased.insert(copy);
            *static_cast<char**>(data) = copy;
            break;
        }
        case MPV_FORMAT_FLAG:
            *static_cast<int*>(data) = value.flag;
            break;
        case MPV_FORMAT_INT64:
            *static_cast<std::int64_t*>(data) = value.int64;
            break;
        case MPV_FORMAT_DOUBLE:
            *static_cast<double*>(data) = value.number;
            break;
        default:
            return MPV_ERROR_PROPERTY_FORMAT;
    }
    return 0;
}

mpv_event* FakeEngineApi::NextEvent() {
    if (m_waitReturnsNull) {
        return nullptr;
    }
    if (m_events.empty()) {
        static mpv_event none{};
        none = mpv_event{};
        return &none;
    }
    m_current = std::move(m_events.front());
    m_events.pop_front();
    return m_current->Link();
}

void FakeEngineApi::Free(void* data) {
    // Only what this fake handed out is released; anything else is a fault the record shows.
    if (m_unreleased.erase(data) != 0) {
        std::free(data);
    }
}
