#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineApi.h"

// One call that reached the fake playback library.
struct FakeCall {
    std::string function;          // the client function's name, e.g. "mpv_command"
    mpv_handle* handle = nullptr;  // the handle it was given (none for mpv_create)
    // The arguments as text, by function:
    //   mpv_command                          the command's words
    //   mpv_command_string                   the command line
    //   mpv_set_option, mpv_set_property     name, format, value
    //   mpv_set_option_string,
    //   mpv_set_property_string              name, value
    //   mpv_get_property                     name, format
    //   mpv_observe_property                 name, format, reply id
    //   mpv_wait_event                       timeout
    //   mpv_free                             the released string, "(null)", or
    //                                        "(not from the library)"
    //   the others                           nothing
    // Formats are "string", "flag", "int64", "double", ...; doubles are written in their
    // shortest exact form ("1.5", "2"), flags and integers in decimal.
    std::vector<std::string> args;

    // The function name and the arguments, separated by single spaces.
    std::string Text() const;
};

// A scripted stand-in for the playback library behind an EngineApi table. Every call is
// recorded; property reads answer from a scripted table; mpv_wait_event hands out a
// scripted queue. One fake may be alive at a time: the table's plain function pointers
// reach it through a process-wide pointer.
class FakeEngineApi {
  public:
    // Fills a table of its own, reached with Api(). The filled table reads as loaded.
    FakeEngineApi();
    // Fills table instead, for code that calls through GetEngineApi(); the table's function
    // fields are cleared and its loaded flag restored on destruction.
    explicit FakeEngineApi(EngineApi& table);
    ~FakeEngineApi();
    FakeEngineApi(const FakeEngineApi&) = delete;
    FakeEngineApi& operator=(const FakeEngineApi&) = delete;

    const EngineApi& Api() const { return *m_table; }

    // The handle mpv_create returns unless told otherwise. Never dereferenced.
    static mpv_handle* Handle();

    // --- scripting ---
    void SetCreateResult(mpv_handle* handle) { m_createResult = handle; }
    void SetInitializeResult(int result) { m_initializeResult = result; }
    // What mpv_command returns from now on (0, success, unless told otherwise).
    void SetCommandResult(int result) { m_commandResult = result; }

    // Property values for mpv_get_property. A read of an unknown name fails with
    // MPV_ERROR_PROPERTY_UNAVAILABLE, a read in another format than the scripted one with
    // MPV_ERROR_PROPERTY_FORMAT; neither writes to the caller's variable.
    void SetFlag(const std::string& name, bool value);
    void SetInt64(const std::string& name, std::int64_t value);
    void SetDouble(const std::string& name, double value);
    void SetString(const std::string& name, const std::string& value);
    void RemoveProperty(const std::string& name);

    // Events for mpv_wait_event, handed out in order; an empty queue gives MPV_EVENT_NONE.
    void QueueEvent(mpv_event_id id);
    // MPV_EVENT_END_FILE with its reason.
    void QueueEndFile(mpv_end_file_reason reason);
    void QueueDoubleChange(const std::string& name, double value);
    void QueueFlagChange(const std::string& name, bool value);
    void QueueInt64Change(const std::string& name, std::int64_t value);
    // A null value gives a string-format change whose string pointer is null.
    void QueueStringChange(const std::string& name, const char* value);
    // A change reported without a value (format none, null data).
    void QueueValuelessChange(const std::string& name);
    // A change event whose data pointer is null.
    void QueueChangeWithoutData();
    std::size_t PendingEvents() const { return m_events.size(); }
    // Makes mpv_wait_event return a null pointer, which the real library never does.
    void SetWaitEventReturnsNull(bool returnsNull) { m_waitReturnsNull = returnsNull; }

    // Runs after every recorded call, for tests that want the library to react.
    std::function<void(const FakeCall&)> onCall;

    // --- records ---
    const std::vector<FakeCall>& Calls() const { return m_calls; }
    std::vector<std::string> CallTexts() const;
    // Only the calls of one function.
    std::vector<std::string> CallTexts(std::string_view function) const;
    void ClearCalls() { m_calls.clear(); }
    // Strings handed out by mpv_get_property and not yet given to mpv_free.
    std::size_t UnreleasedStrings() const { return m_unreleased.size(); }
    void (*WakeupCallback() const)(void*) { return m_wakeup; }
    void* WakeupContext() const { return m_wakeupContext; }

  private:
    struct Value;
    struct QueuedEvent;
    struct Thunks;
    friend struct Thunks;

    void Record(FakeCall call);
    int GetProperty(const char* name, mpv_format format, void* data);
    mpv_event* NextEvent();
    void Free(void* data);
    QueuedEvent& Queue(const std::string& name, mpv_format format);

    EngineApi m_ownTable;
    EngineApi* m_table;
    bool m_tableWasLoaded = false;

    mpv_handle* m_createResult = Handle();
    int m_initializeResult = 0;
    int m_commandResult = 0;
    std::map<std::string, std::unique_ptr<Value>, std::less<>> m_properties;
    std::deque<std::unique_ptr<QueuedEvent>> m_events;
    std::unique_ptr<QueuedEvent> m_current;  // valid until the next mpv_wait_event
    bool m_waitReturnsNull = false;

    std::vector<FakeCall> m_calls;
    std::set<void*> m_unreleased;
    void (*m_wakeup)(void*) = nullptr;
    void* m_wakeupContext = nullptr;
};
