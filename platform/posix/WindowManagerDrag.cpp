#include "platform/WindowManagerDrag.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QWindow>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {
namespace {

// _NET_WM_MOVERESIZE directions and the source of the request (a normal application).
constexpr std::uint32_t kMove = 8;
constexpr std::uint32_t kCancel = 11;
constexpr std::uint32_t kSourceApplication = 1;

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

xcb_connection_t* X11Connection() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<std::uint32_t> Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                                    xcb_atom_t type) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, 4096), nullptr));
    if (!reply || reply->format != 32 || reply->type != type) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    return {values, values + xcb_get_property_value_length(reply.get()) / 4};
}

xcb_window_t Root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// A window manager runs and takes move and size requests. What it left on the root window
// when it quit stays there, so its check window must still answer for it.
bool ManagerTakesDrags(xcb_connection_t* c) {
    const xcb_window_t root = Root(c);
    const xcb_atom_t check = Atom(c, "_NET_SUPPORTING_WM_CHECK");
    const auto manager = Property(c, root, check, XCB_ATOM_WINDOW);
    if (manager.size() != 1 || Property(c, manager[0], check, XCB_ATOM_WINDOW) != manager) {
        return false;
    }
    const xcb_atom_t moveResize = Atom(c, "_NET_WM_MOVERESIZE");
    for (const std::uint32_t atom : Property(c, root, Atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM)) {
        if (atom == moveResize) return true;
    }
    return false;
}

std::uint32_t Direction(Qt::Edges edges) {
    const bool top = edges & Qt::TopEdge;
    const bool bottom = edges & Qt::BottomEdge;
    if (edges & Qt::LeftEdge) return top ? 0 : bottom ? 6 : 7;
    if (edges & Qt::RightEdge) return top ? 2 : bottom ? 4 : 3;
    if (top) return 1;
    if (bottom) return 5;
    return kMove;
}

void SendMoveResize(xcb_connection_t* c, QWindow* window, std::uint32_t x, std::uint32_t y,
                    std::uint32_t direction, std::uint32_t button) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->winId());
    message.type = Atom(c, "_NET_WM_MOVERESIZE");
    message.data.data32[0] = x;
    message.data.data32[1] = y;
    message.data.data32[2] = direction;
    message.data.data32[3] = button;
    message.data.data32[4] = kSourceApplication;
    xcb_send_event(c, 0, Root(c),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

}  // namespace

bool BeginWindowManagerDrag(QWindow* window, QPoint pressNative, Qt::Edges edges) {
    if (!window) return false;
    xcb_connection_t* c = X11Connection();
    if (!c) return edges ? window->startSystemResize(edges) : window->startSystemMove();
    if (!ManagerTakesDrags(c)) return false;
    // The window manager cannot take the pointer while the press holds it for this client.
    xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    SendMoveResize(c, window, static_cast<std::uint32_t>(pressNative.x()),
                   static_cast<std::uint32_t>(pressNative.y()), Direction(edges),
                   XCB_BUTTON_INDEX_1);
    return true;
}

void CancelWindowManagerDrag(QWindow* window) {
    xcb_connection_t* c = X11Connection();
    if (!window || !c) return;
    SendMoveResize(c, window, 0, 0, kCancel, 0);
}

}  // namespace platform
