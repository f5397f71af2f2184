#include "WindowWatcher.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>

#include <QStringList>

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

}  // namespace

WindowWatcher::~WindowWatcher() { stop(); }

bool WindowWatcher::start(const QString& display, QString* error) {
    Display* connection = XOpenDisplay(display.toLocal8Bit().constData());
    if (connection == nullptr) {
        *error = QStringLiteral("cannot open display %1").arg(display);
        return false;
    }
    XSetErrorHandler(ignoreXErrors);
    XSelectInput(connection, DefaultRootWindow(connection), SubstructureNotifyMask);
    // Once the selection has reached the server, nothing created from now on is missed.
    XSync(connection, False);
    thread_ = std::thread([this, connection] { run(connection); });
    return true;
}

void WindowWatcher::stop() {
    if (!thread_.joinable()) return;
    stopping_ = true;
    thread_.join();
}

void WindowWatcher::run(void* opaque) {
    auto* display = static_cast<Display*>(opaque);
    const Window root = DefaultRootWindow(display);
    const Atom netWmName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    const auto nameOf = [&](Window w) { return windowName(display, w, netWmName, utf8String); };

    while (!stopping_) {
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
        // Wake for the next event, or now and then to notice stop().
        pollfd pfd{ConnectionNumber(display), POLLIN, 0};
        ::poll(&pfd, 1, 50);
    }
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

QString describe(const std::vector<WindowEvent>& events) {
    static const char* const kinds[] = {"created", "named", "mapped", "unmapped", "destroyed"};
    QStringList lines;
    for (const WindowEvent& e : events) {
        lines << QStringLiteral("0x%1 %2 \"%3\"")
                     .arg(e.window, 0, 16)
                     .arg(QLatin1String(kinds[e.kind]), e.name);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace e2e
