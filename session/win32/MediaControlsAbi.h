#pragma once
// The Windows Runtime interfaces of the System Media Transport Controls that the player
// uses. MinGW-w64's headers have none of them (its windows.media.h stops at IMediaControl,
// and no header has the interop interface), so they are declared here, each method in the
// order of the Windows.Media metadata: the order is the ABI. Getters and setters come in
// pairs; the ones never called keep their slots with untyped pointers.

#include <inspectable.h>
#include <windows.h>
#include <winstring.h>

namespace smtc {

// A Windows.Foundation.TimeSpan: 100-nanosecond ticks.
struct TimeSpan {
    INT64 ticks;
};
struct EventToken {
    INT64 value;
};

enum PlaybackStatus : INT32 { kClosed = 0, kChanging = 1, kStopped = 2, kPlaying = 3, kPaused = 4 };
enum PlaybackType : INT32 { kUnknownType = 0, kMusic = 1, kVideo = 2 };
enum Button : INT32 {
    kPlay = 0,
    kPause = 1,
    kStop = 2,
    kRecord = 3,
    kFastForward = 4,
    kRewind = 5,
    kNext = 6,
    kPrevious = 7,
};

// {ddb0472d-c911-4a1f-86d9-dc3d71a95f5a}
constexpr IID kInteropIid = {
    0xddb0472d, 0xc911, 0x4a1f, {0x86, 0xd9, 0xdc, 0x3d, 0x71, 0xa9, 0x5f, 0x5a}};
// {99fa3ff4-1742-42a6-902e-087d41f965ec}
constexpr IID kControlsIid = {
    0x99fa3ff4, 0x1742, 0x42a6, {0x90, 0x2e, 0x08, 0x7d, 0x41, 0xf9, 0x65, 0xec}};
// {ea98d2f6-7f3c-4af2-a586-72889808efb1}
constexpr IID kControls2Iid = {
    0xea98d2f6, 0x7f3c, 0x4af2, {0xa5, 0x86, 0x72, 0x88, 0x98, 0x08, 0xef, 0xb1}};
// {5125316a-c3a2-475b-8507-93534dc88f15}
constexpr IID kTimelineIid = {
    0x5125316a, 0xc3a2, 0x475b, {0x85, 0x07, 0x93, 0x53, 0x4d, 0xc8, 0x8f, 0x15}};
// The two event handlers are parameterised interfaces, whose ids are derived from their
// signatures (a SHA-1 name-based UUID in the Windows Runtime's namespace):
// TypedEventHandler<SystemMediaTransportControls,
// SystemMediaTransportControlsButtonPressedEventArgs>, {0557e996-7b23-5bae-aa81-ea0d671143a4}
constexpr IID kButtonHandlerIid = {
    0x0557e996, 0x7b23, 0x5bae, {0xaa, 0x81, 0xea, 0x0d, 0x67, 0x11, 0x43, 0xa4}};
// TypedEventHandler<SystemMediaTransportControls, PlaybackPositionChangeRequestedEventArgs>,
// {44e34f15-bdc0-50a7-ace4-39e91fb753f1}
constexpr IID kPositionHandlerIid = {
    0x44e34f15, 0xbdc0, 0x50a7, {0xac, 0xe4, 0x39, 0xe9, 0x1f, 0xb7, 0x53, 0xf1}};

struct IVideoDisplayProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Title(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Subtitle(HSTRING value) = 0;
};

struct IMusicDisplayProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Title(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AlbumArtist(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Artist(HSTRING value) = 0;
};

struct IDisplayUpdater : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Type(PlaybackType* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Type(PlaybackType value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AppMediaId(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AppMediaId(HSTRING value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Thumbnail(void** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Thumbnail(void* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MusicProperties(IMusicDisplayProperties** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_VideoProperties(IVideoDisplayProperties** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ImageProperties(void** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE CopyFromFileAsync(PlaybackType type, void* file,
                                                        void** operation) = 0;
    virtual HRESULT STDMETHODCALLTYPE ClearAll() = 0;
    virtual HRESULT STDMETHODCALLTYPE Update() = 0;
};

struct IButtonPressedEventArgs : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Button(Button* value) = 0;
};

struct IPositionChangeRequestedEventArgs : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_RequestedPlaybackPosition(TimeSpan* value) = 0;
};

// The event handlers are delegates: IUnknown and Invoke.
struct IButtonPressedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(IInspectable* sender,
                                             IButtonPressedEventArgs* args) = 0;
};
struct IPositionChangeRequestedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(IInspectable* sender,
                                             IPositionChangeRequestedEventArgs* args) = 0;
};

struct ISystemMediaTransportControls : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackStatus(PlaybackStatus* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaybackStatus(PlaybackStatus value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_DisplayUpdater(IDisplayUpdater** value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_SoundLevel(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPlayEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPlayEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsStopEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsStopEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPauseEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPauseEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRecordEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsRecordEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsFastForwardEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsFastForwardEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsRewindEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsRewindEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsPreviousEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsPreviousEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsNextEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsNextEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelUpEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsChannelUpEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_IsChannelDownEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_IsChannelDownEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_ButtonPressed(IButtonPressedHandler* handler,
                                                        EventToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_ButtonPressed(EventToken token) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_PropertyChanged(IUnknown* handler, EventToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_PropertyChanged(EventToken token) = 0;
};

struct ITimelineProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_StartTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_StartTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_EndTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_EndTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MinSeekTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MinSeekTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_MaxSeekTime(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_MaxSeekTime(TimeSpan value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Position(TimeSpan* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_Position(TimeSpan value) = 0;
};

struct ISystemMediaTransportControls2 : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_AutoRepeatMode(INT32* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_AutoRepeatMode(INT32 value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_ShuffleEnabled(boolean* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_ShuffleEnabled(boolean value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_PlaybackRate(double* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE put_PlaybackRate(double value) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateTimelineProperties(ITimelineProperties* timeline) = 0;
    virtual HRESULT STDMETHODCALLTYPE add_PlaybackPositionChangeRequested(
        IPositionChangeRequestedHandler* handler, EventToken* token) = 0;
    virtual HRESULT STDMETHODCALLTYPE remove_PlaybackPositionChangeRequested(EventToken token) = 0;
};

struct ISystemMediaTransportControlsInterop : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetForWindow(HWND window, REFIID riid, void** controls) = 0;
};

}  // namespace smtc
