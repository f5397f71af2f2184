#include "WindowWatcher.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <poll.h>

#include <QStringList>
#include <cstring>
#include <memory>

namespace e2e {

namespace {

// Windows vanish while being looked at; a BadWindow from such a race is expected.
int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

QString windowName(Display* display, Window window, Atom netWmName, Atom utf8String) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    QString name;
    // The UTF-8 name first: a Chinese caption is in WM_NAME only as compound text.
    if (XGetWindowProperty(display, window, netWmName, 0, 1024, False, utf8String, &type, &format,
                           &count, &after, &data) == Success &&
        data != nullptr && type == utf8String && format == 8) {
        name = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(count));
    } else if (char* legacy = nullptr; XFetchName(display, window, &legacy) && legacy) {
        name = QString::fromLatin1(legacy);
        XFree(legacy);
    }
    if (data != nullptr) XFree(data);
    return name;
}

constexpr QLatin1String kTooltipType("_NET_WM_WINDOW_TYPE_TOOLTIP");

// A recording of every client's ChangeProperty requests. Its data comes on a connection of
// its own; the context belongs to the connection that watches the root window.
struct Recording {
    Display* control = nullptr;
    Display* data = nullptr;
    XRecordContext context = 0;
    Atom windowType = None;
    bool started = false;
    std::function<void(WindowEvent)> sink;

    ~Recording() {
        if (context != 0) {
            XRecordDisableContext(control, context);
            XRecordFreeContext(control, context);
            XSync(control, False);
        }
        if (data != nullptr) XCloseDisplay(data);
    }
};

void onRequest(XPointer closure, XRecordInterceptData* intercepted) {
    auto* recording = reinterpret_cast<Recording*>(closure);
    const size_t bytes = size_t{intercepted->data_len} * 4;
    if (intercepted->category == XRecordStartOfData) {
        recording->started = true;
    } else if (intercepted->category == XRecordFromClient && !intercepted->client_swapped &&
               bytes >= sz_xChangePropertyReq + 4) {
        xChangePropertyReq request;
        std::memcpy(&request, intercepted->data, sz_xChangePropertyReq);
        // Replaced as a whole, the list starts with the type the program prefers; what it
        // appends are fallbacks.
        if (request.reqType == X_ChangeProperty && request.mode == PropModeReplace &&
            request.property == recording->windowType && request.format == 32 &&
            request.nUnits > 0) {
            CARD32 preferred = 0;
            std::memcpy(&preferred, intercepted->data + sz_xChangePropertyReq, 4);
            char* name = XGetAtomName(recording->control, preferred);
            recording->sink({WindowEvent::Typed,
                             request.window,
                             {},
                             name != nullptr ? QString::fromLatin1(name) : QString()});
            if (name != nullptr) XFree(name);
        }
    }
    XRecordFreeData(intercepted);
}

// Starts recording on `control`'s display; null, with `error` set, if it cannot.
std::unique_ptr<Recording> startRecording(Display* control, const QByteArray& name,
                                          std::function<void(WindowEvent)> sink, QString* error) {
    int major = 0;
    int minor = 0;
    if (!XRecordQueryVersion(control, &major, &minor)) {
        *error = QStringLiteral("the X server has no RECORD extension");
        return nullptr;
    }
    auto recording = std::make_unique<Recording>();
    recording->control = control;
    recording->windowType = XInternAtom(control, "_NET_WM_WINDOW_TYPE", False);
    recording->sink = std::move(sink);
    recording->data = XOpenDisplay(name.constData());
    XRecordRange* range = XRecordAllocRange();
    if (recording->data == nullptr || range == nullptr) {
        if (range != nullptr) XFree(range);
        *error = QStringLiteral("cannot open a second connection for RECORD");
        return nullptr;
    }
    range->core_requests.first = X_ChangeProperty;
    range->core_requests.last = X_ChangeProperty;
    XRecordClientSpec clients = XRecordAllClients;
    recording->context = XRecordCreateContext(control, 0, &clients, 1, &range, 1);
    XFree(range);
    XSync(control, False);
    if (recording->context == 0 ||
        !XRecordEnableContextAsync(recording->data, recording->context, onRequest,
                                   reinterpret_cast<XPointer>(recording.get()))) {
        *error = QStringLiteral("cannot start a RECORD context");
        return nullptr;
    }
    // The server says when it records: from then on no request is missed.
    for (int wait = 0; !recording->started && wait < 200; ++wait) {
        XRecordProcessReplies(recording->data);
        if (recording->started) break;
        pollfd pfd{ConnectionNumber(recording->data), POLLIN, 0};
        ::poll(&pfd, 1, 50);
    }
    if (!recording->started) {
        *error = QStringLiteral("RECORD never started");
        return nullptr;
    }
    return recording;
}

}  // namespace

WindowWatcher::~WindowWatcher() { stop(); }

bool WindowWatcher::start(const QString& display, QString* error) {
    const QByteArray name = display.toLocal8Bit();
    Display* connection = XOpenDisplay(name.constData());
    if (connection == nullptr) {
        *error = QStringLiteral("cannot open display %1").arg(display);
        return false;
    }
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(connection, DefaultRootWindow(connection), SubstructureNotifyMask);
    // Once the selection has reached the server, nothing created from now on is missed.
    XSync(connection, False);
    auto recording = startRecording(
        connection, name, [this](WindowEvent event) { record(std::move(event)); }, error);
    if (!recording) {
        XCloseDisplay(connection);
        return false;
    }
    thread_ = std::thread([this, connection, r = recording.release()] { run(connection, r); });
    return true;
}

void WindowWatcher::stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    thread_.join();
}

void WindowWatcher::run(void* opaque, void* opaqueRecording) {
    auto* display = static_cast<Display*>(opaque);
    std::unique_ptr<Recording> recording(static_cast<Recording*>(opaqueRecording));
    const Window root = DefaultRootWindow(display);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    const auto nameOf = [&](Window w) { return windowName(display, w, netWmName, utf8String); };

    while (!stopping_) {
        // Types first: a program types a window before it maps it.
        XRecordProcessReplies(recording->data);
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            switch (event.type) {
                case CreateNotify:
                    if (event.xcreatewindow.parent != root) break;
                    // Watch its name from now on, then read the name it already has.
                    XSelectInput(display, event.xcreatewindow.window, PropertyChangeMask);
                    record({WindowEvent::Created, event.xcreatewindow.window,
                            nameOf(event.xcreatewindow.window)});
                    break;
                case PropertyNotify:
                    if (event.xproperty.atom == netWmName || event.xproperty.atom == XA_WM_NAME) {
                        record({WindowEvent::Named, event.xproperty.window,
                                nameOf(event.xproperty.window)});
                    }
                    break;
                case MapNotify:
                    if (event.xmap.event == root) {
                        record({WindowEvent::Mapped, event.xmap.window, nameOf(event.xmap.window)});
                    }
                    break;
                case UnmapNotify:
                    if (event.xunmap.event == root) {
                        record({WindowEvent::Unmapped, event.xunmap.window, {}});
                    }
                    break;
                case DestroyNotify:
                    if (event.xdestroywindow.event == root) {
                        record({WindowEvent::Destroyed, event.xdestroywindow.window, {}});
                    }
                    break;
                default:
                    break;
            }
        }
        // Wake for the next event or request, or now and then to notice stop().
        pollfd pfds[] = {{ConnectionNumber(display), POLLIN, 0},
                         {ConnectionNumber(recording->data), POLLIN, 0}};
        ::poll(pfds, 2, 50);
    }
    recording.reset();
    XCloseDisplay(display);
}

void WindowWatcher::record(WindowEvent event) {
    {
        std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    changed_.notify_all();
}

std::vector<WindowEvent> WindowWatcher::events() const {
    std::lock_guard lock(mutex_);
    return events_;
}

bool WindowWatcher::waitFor(const std::function<bool(const std::vector<WindowEvent>&)>& condition,
                            std::chrono::milliseconds bound) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, bound, [&] { return condition(events_); });
}

bool isTooltip(const std::vector<WindowEvent>& events, unsigned long window) {
    QString type;
    for (const WindowEvent& e : events) {
        if (e.kind == WindowEvent::Typed && e.window == window) type = e.type;
    }
    return type == kTooltipType;
}

QString describe(const std::vector<WindowEvent>& events) {
    static const char* const kinds[] = {"created",  "named",     "mapped",
                                        "unmapped", "destroyed", "typed"};
    QStringList lines;
    for (const WindowEvent& e : events) {
        lines << QStringLiteral("0x%1 %2 \"%3\"")
                     .arg(e.window, 0, 16)
                     .arg(QLatin1String(kinds[e.kind]),
                          e.kind == WindowEvent::Typed ? e.type : e.name);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace e2e
