#include "session/win32/SmtcControls.h"

#include <roapi.h>

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

using Microsoft::WRL::ComPtr;

namespace {

Q_LOGGING_CATEGORY(lcSmtc, "movira.session.smtc")

// An HSTRING for the duration of a call.
class HString {
  public:
    explicit HString(const QString& text) {
        if (FAILED(WindowsCreateString(reinterpret_cast<const wchar_t*>(text.utf16()),
                                       static_cast<UINT32>(text.size()), &m_value)))
            m_value = nullptr;
    }
    ~HString() { WindowsDeleteString(m_value); }
    HString(const HString&) = delete;
    HString& operator=(const HString&) = delete;
    HSTRING get() const { return m_value; }

  private:
    HSTRING m_value = nullptr;
};

smtc::TimeSpan TicksOf(double seconds) {
    return {static_cast<INT64>(std::llround(std::max(seconds, 0.0) * 1e7))};
}

bool Check(HRESULT result, const char* what) {
    if (FAILED(result))
        qCDebug(lcSmtc, "%s failed: 0x%08lx", what, static_cast<unsigned long>(result));
    return SUCCEEDED(result);
}

}  // namespace

// Carries the system's events, which come on its own threads, to the UI thread. The
// handlers keep it alive; the controls cut it off before they go.
struct SmtcControls::Relay {
    std::mutex mutex;
    QObject* context = nullptr;  // lives on the UI thread; null once cut off
    ShellRequests* requests = nullptr;

    template <class Call>
    void Post(Call call) {
        std::lock_guard lock(mutex);
        if (!context || !requests) return;
        ShellRequests* target = requests;
        QMetaObject::invokeMethod(
            context, [target, call] { call(*target); }, Qt::QueuedConnection);
    }
};

namespace {

// A delegate of the Windows Runtime: agile, reference counted, calling `OnInvoke`.
template <class Interface, const IID& kIid, class Args, class Derived>
class Handler : public Interface {
  public:
    explicit Handler(std::shared_ptr<SmtcControls::Relay> relay) : m_relay(std::move(relay)) {}
    virtual ~Handler() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kIid) ||
            IsEqualIID(iid, IID_IAgileObject)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE Invoke(IInspectable*, Args* args) override {
        if (args) static_cast<Derived*>(this)->OnInvoke(*args, *m_relay);
        return S_OK;
    }

  private:
    std::shared_ptr<SmtcControls::Relay> m_relay;
    std::atomic<ULONG> m_references{1};
};

class ButtonHandler final : public Handler<smtc::IButtonPressedHandler, smtc::kButtonHandlerIid,
                                           smtc::IButtonPressedEventArgs, ButtonHandler> {
  public:
    using Handler::Handler;
    static void OnInvoke(smtc::IButtonPressedEventArgs& args, SmtcControls::Relay& relay) {
        smtc::Button button{};
        if (FAILED(args.get_Button(&button))) return;
        MediaButton pressed;
        switch (button) {
            case smtc::kPlay:
                pressed = MediaButton::Play;
                break;
            case smtc::kPause:
                pressed = MediaButton::Pause;
                break;
            case smtc::kStop:
                pressed = MediaButton::Stop;
                break;
            case smtc::kNext:
                pressed = MediaButton::Next;
                break;
            case smtc::kPrevious:
                pressed = MediaButton::Previous;
                break;
            default:
                return;
        }
        relay.Post([pressed](ShellRequests& requests) { requests.OnMediaButton(pressed); });
    }
};

class PositionHandler final
    : public Handler<smtc::IPositionChangeRequestedHandler, smtc::kPositionHandlerIid,
                     smtc::IPositionChangeRequestedEventArgs, PositionHandler> {
  public:
    using Handler::Handler;
    static void OnInvoke(smtc::IPositionChangeRequestedEventArgs& args,
                         SmtcControls::Relay& relay) {
        smtc::TimeSpan position{};
        if (FAILED(args.get_RequestedPlaybackPosition(&position))) return;
        const double seconds = static_cast<double>(position.ticks) / 1e7;
        relay.Post([seconds](ShellRequests& requests) { requests.OnPositionRequested(seconds); });
    }
};

}  // namespace

SmtcControls::SmtcControls(HWND window) : m_relay(std::make_shared<Relay>()) {
    // The UI thread is a single-threaded apartment already (Qt's drag and drop needs one);
    // this only makes sure.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    m_comInitialised = SUCCEEDED(com);
    m_relay->context = new QObject;
    const HString className(QStringLiteral("Windows.Media.SystemMediaTransportControls"));
    ComPtr<smtc::ISystemMediaTransportControlsInterop> interop;
    if (!className.get() ||
        !Check(RoGetActivationFactory(className.get(), smtc::kInteropIid,
                                      reinterpret_cast<void**>(interop.GetAddressOf())),
               "RoGetActivationFactory") ||
        !Check(interop->GetForWindow(window, smtc::kControlsIid,
                                     reinterpret_cast<void**>(m_controls.GetAddressOf())),
               "GetForWindow")) {
        m_controls.Reset();
        return;
    }
    if (!Check(m_controls->put_IsEnabled(true), "IsEnabled")) return;
    Check(m_controls->put_IsPlayEnabled(true), "IsPlayEnabled");
    Check(m_controls->put_IsPauseEnabled(true), "IsPauseEnabled");
    Check(m_controls->put_IsStopEnabled(true), "IsStopEnabled");
    Check(m_controls->put_PlaybackStatus(smtc::kClosed), "PlaybackStatus");
    ComPtr<ButtonHandler> buttons;
    buttons.Attach(new ButtonHandler(m_relay));
    m_buttonsAdded =
        Check(m_controls->add_ButtonPressed(buttons.Get(), &m_buttonToken), "add_ButtonPressed");
    // The timeline and its seeks came with Windows 10 version 1607.
    if (Check(m_controls->QueryInterface(smtc::kControls2Iid,
                                         reinterpret_cast<void**>(m_controls2.GetAddressOf())),
              "ISystemMediaTransportControls2")) {
        ComPtr<PositionHandler> positions;
        positions.Attach(new PositionHandler(m_relay));
        m_positionAdded = Check(
            m_controls2->add_PlaybackPositionChangeRequested(positions.Get(), &m_positionToken),
            "add_PlaybackPositionChangeRequested");
    }
    m_active = m_buttonsAdded;
}

SmtcControls::~SmtcControls() {
    QObject* context = nullptr;
    {
        std::lock_guard lock(m_relay->mutex);
        std::swap(context, m_relay->context);
        m_relay->requests = nullptr;
    }
    delete context;  // with any request still on its way
    if (m_controls2 && m_positionAdded)
        m_controls2->remove_PlaybackPositionChangeRequested(m_positionToken);
    if (m_controls) {
        if (m_buttonsAdded) m_controls->remove_ButtonPressed(m_buttonToken);
        m_controls->put_PlaybackStatus(smtc::kClosed);
        m_controls->put_IsEnabled(false);
    }
    m_controls2.Reset();
    m_controls.Reset();
    if (m_comInitialised) CoUninitialize();
}

void SmtcControls::Connect(ShellRequests* requests) {
    std::lock_guard lock(m_relay->mutex);
    m_relay->requests = requests;
}

void SmtcControls::SetStatus(MediaStatus status) {
    if (!m_controls) return;
    smtc::PlaybackStatus value = smtc::kClosed;
    switch (status) {
        case MediaStatus::Closed:
            value = smtc::kClosed;
            break;
        case MediaStatus::Stopped:
            value = smtc::kStopped;
            break;
        case MediaStatus::Playing:
            value = smtc::kPlaying;
            break;
        case MediaStatus::Paused:
            value = smtc::kPaused;
            break;
    }
    Check(m_controls->put_PlaybackStatus(value), "PlaybackStatus");
}

void SmtcControls::SetMedia(const QString& title, bool video) {
    if (!m_controls) return;
    ComPtr<smtc::IDisplayUpdater> updater;
    if (!Check(m_controls->get_DisplayUpdater(updater.GetAddressOf()), "DisplayUpdater") ||
        !updater)
        return;
    if (title.isEmpty()) {
        Check(updater->ClearAll(), "ClearAll");
        Check(updater->Update(), "Update");
        return;
    }
    const HString text(title);
    if (video) {
        Check(updater->put_Type(smtc::kVideo), "Type");
        ComPtr<smtc::IVideoDisplayProperties> properties;
        if (Check(updater->get_VideoProperties(properties.GetAddressOf()), "VideoProperties") &&
            properties)
            Check(properties->put_Title(text.get()), "Title");
    } else {
        Check(updater->put_Type(smtc::kMusic), "Type");
        ComPtr<smtc::IMusicDisplayProperties> properties;
        if (Check(updater->get_MusicProperties(properties.GetAddressOf()), "MusicProperties") &&
            properties)
            Check(properties->put_Title(text.get()), "Title");
    }
    Check(updater->Update(), "Update");
}

void SmtcControls::SetTimeline(double position, double duration) {
    if (!m_controls2) return;
    const HString className(
        QStringLiteral("Windows.Media.SystemMediaTransportControlsTimelineProperties"));
    ComPtr<IInspectable> instance;
    ComPtr<smtc::ITimelineProperties> timeline;
    if (!className.get() ||
        !Check(RoActivateInstance(className.get(), instance.GetAddressOf()), "timeline") ||
        !Check(instance->QueryInterface(smtc::kTimelineIid,
                                        reinterpret_cast<void**>(timeline.GetAddressOf())),
               "ITimelineProperties"))
        return;
    const double end = std::max(duration, 0.0);
    timeline->put_StartTime(TicksOf(0.0));
    timeline->put_EndTime(TicksOf(end));
    timeline->put_MinSeekTime(TicksOf(0.0));
    timeline->put_MaxSeekTime(TicksOf(end));
    timeline->put_Position(TicksOf(std::min(position, end)));
    Check(m_controls2->UpdateTimelineProperties(timeline.Get()), "UpdateTimelineProperties");
}

void SmtcControls::SetNavigation(bool previous, bool next) {
    if (!m_controls) return;
    Check(m_controls->put_IsPreviousEnabled(previous), "IsPreviousEnabled");
    Check(m_controls->put_IsNextEnabled(next), "IsNextEnabled");
}
