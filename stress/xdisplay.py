"""The X server as the stress run sees it, through libX11 with ctypes: top-level windows
and their properties, geometry, the window manager's state flags and the _NET_WM_PING round
trip, on top of the connection and screen grabs of harness.xlib. One XDisplay is one
connection; give each thread its own."""

import ctypes
import select
from dataclasses import dataclass

from harness.xlib import Connection, Rect, Window, declare
from harness.xlib import LIB as _lib


Atom = ctypes.c_ulong

# Event types, masks and constants of X.h used here.
CLIENT_MESSAGE = 33
STRUCTURE_NOTIFY_MASK = 1 << 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
SUBSTRUCTURE_REDIRECT_MASK = 1 << 20
IS_VIEWABLE = 2
ANY_PROPERTY_TYPE = 0
ICONIC_STATE = 3


class _ClientMessage(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", Window),
        ("message_type", Atom),
        ("format", ctypes.c_int),
        ("l", ctypes.c_long * 5),
    ]


class _XEvent(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


class _WindowAttributes(ctypes.Structure):
    _fields_ = [
        ("x", ctypes.c_int),
        ("y", ctypes.c_int),
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("border_width", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("visual", ctypes.c_void_p),
        ("root", Window),
        ("class_", ctypes.c_int),
        ("bit_gravity", ctypes.c_int),
        ("win_gravity", ctypes.c_int),
        ("backing_store", ctypes.c_int),
        ("backing_planes", ctypes.c_ulong),
        ("backing_pixel", ctypes.c_ulong),
        ("save_under", ctypes.c_int),
        ("colormap", ctypes.c_ulong),
        ("map_installed", ctypes.c_int),
        ("map_state", ctypes.c_int),
        ("all_event_masks", ctypes.c_long),
        ("your_event_mask", ctypes.c_long),
        ("do_not_propagate_mask", ctypes.c_long),
        ("override_redirect", ctypes.c_int),
        ("screen", ctypes.c_void_p),
    ]


_P = ctypes.c_void_p
declare("XConnectionNumber", ctypes.c_int, _P)
declare("XInternAtom", Atom, _P, ctypes.c_char_p, ctypes.c_int)
declare(
    "XGetWindowProperty",
    ctypes.c_int,
    _P,
    Window,
    Atom,
    ctypes.c_long,
    ctypes.c_long,
    ctypes.c_int,
    Atom,
    ctypes.POINTER(Atom),
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_void_p),
)
declare("XFree", ctypes.c_int, _P)
declare(
    "XQueryTree",
    ctypes.c_int,
    _P,
    Window,
    ctypes.POINTER(Window),
    ctypes.POINTER(Window),
    ctypes.POINTER(ctypes.POINTER(Window)),
    ctypes.POINTER(ctypes.c_uint),
)
declare("XGetWindowAttributes", ctypes.c_int, _P, Window, ctypes.POINTER(_WindowAttributes))
declare(
    "XTranslateCoordinates",
    ctypes.c_int,
    _P,
    Window,
    Window,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(ctypes.c_int),
    ctypes.POINTER(Window),
)
declare("XSelectInput", ctypes.c_int, _P, Window, ctypes.c_long)
declare(
    "XSendEvent", ctypes.c_int, _P, Window, ctypes.c_int, ctypes.c_long, ctypes.POINTER(_XEvent)
)
declare("XPending", ctypes.c_int, _P)
declare("XNextEvent", ctypes.c_int, _P, ctypes.POINTER(_XEvent))
declare("XFlush", ctypes.c_int, _P)
declare("XSync", ctypes.c_int, _P, ctypes.c_int)


@dataclass(frozen=True)
class TopLevel:
    """A mapped top-level window: one the window manager manages, or an override-redirect
    window (menus, tooltips) straight on the root."""

    window: int
    name: str
    pid: int
    override_redirect: bool
    window_types: tuple


class XDisplay(Connection):
    def __init__(self, display_name):
        super().__init__(display_name)
        self._atoms = {}

    def atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = _lib.XInternAtom(self._display, name.encode(), 0)
        return self._atoms[name]

    # --- properties ---------------------------------------------------------------------

    def _property(self, window, name, long_length=1 << 16):
        """(format, items as bytes, item count) of a property, or None."""
        actual_type, actual_format = Atom(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        status = _lib.XGetWindowProperty(
            self._display,
            window,
            self.atom(name),
            0,
            long_length,
            0,
            ANY_PROPERTY_TYPE,
            ctypes.byref(actual_type),
            ctypes.byref(actual_format),
            ctypes.byref(count),
            ctypes.byref(after),
            ctypes.byref(data),
        )
        if status != 0 or not data.value:
            return None
        try:
            # 32-bit items come as C longs; 8- and 16-bit ones packed.
            size = {8: 1, 16: 2, 32: ctypes.sizeof(ctypes.c_long)}[actual_format.value]
            items = ctypes.string_at(data.value, size * count.value)
            return actual_format.value, items, count.value
        finally:
            _lib.XFree(data)

    def cardinals(self, window, name):
        found = self._property(window, name)
        if not found or found[0] != 32:
            return []
        return list((ctypes.c_ulong * found[2]).from_buffer_copy(found[1]))

    def text(self, window, name):
        found = self._property(window, name)
        if not found or found[0] != 8:
            return None
        return found[1].decode("utf-8", "replace")

    def window_name(self, window):
        name = self.text(window, "_NET_WM_NAME")
        return name if name is not None else (self.text(window, "WM_NAME") or "")

    def window_pid(self, window):
        pids = self.cardinals(window, "_NET_WM_PID")
        return pids[0] if pids else 0

    def atom_names(self, window, name):
        """Atoms of an atom-list property, as this connection's atom numbers."""
        return tuple(self.cardinals(window, name))

    # --- windows -------------------------------------------------------------------------

    def _children(self, window):
        root, parent = Window(), Window()
        children, count = ctypes.POINTER(Window)(), ctypes.c_uint()
        if not _lib.XQueryTree(
            self._display,
            window,
            ctypes.byref(root),
            ctypes.byref(parent),
            ctypes.byref(children),
            ctypes.byref(count),
        ):
            return []
        try:
            return [children[i] for i in range(count.value)]
        finally:
            if children:
                _lib.XFree(children)

    def attributes(self, window):
        attributes = _WindowAttributes()
        if not _lib.XGetWindowAttributes(self._display, window, ctypes.byref(attributes)):
            return None
        return attributes

    def is_viewable(self, window):
        attributes = self.attributes(window)
        return attributes is not None and attributes.map_state == IS_VIEWABLE

    def top_levels(self, pid):
        """The viewable top-level windows of process pid: those the window manager lists in
        _NET_CLIENT_LIST, and override-redirect windows on the root."""
        found = []
        managed = self.cardinals(self.root, "_NET_CLIENT_LIST")
        candidates = [(w, False) for w in managed]
        for child in self._children(self.root):
            attributes = self.attributes(child)
            if attributes is not None and attributes.override_redirect:
                candidates.append((child, True))
        for window, override in candidates:
            if self.window_pid(window) != pid or not self.is_viewable(window):
                continue
            found.append(
                TopLevel(
                    window,
                    self.window_name(window),
                    pid,
                    override,
                    self.atom_names(window, "_NET_WM_WINDOW_TYPE"),
                )
            )
        return found

    def managed_windows(self, pid):
        """Every window of pid the window manager lists, viewable or not (a minimised one
        is unmapped but still listed)."""
        return [
            w for w in self.cardinals(self.root, "_NET_CLIENT_LIST") if self.window_pid(w) == pid
        ]

    def geometry(self, window):
        """The window's rectangle on the screen, or None when it is gone."""
        attributes = self.attributes(window)
        if attributes is None:
            return None
        x, y, child = ctypes.c_int(), ctypes.c_int(), Window()
        if not _lib.XTranslateCoordinates(
            self._display,
            window,
            self.root,
            0,
            0,
            ctypes.byref(x),
            ctypes.byref(y),
            ctypes.byref(child),
        ):
            return None
        return Rect(x.value, y.value, attributes.width, attributes.height)

    def net_wm_state(self, window):
        return set(self.cardinals(window, "_NET_WM_STATE"))

    def is_iconic(self, window):
        state = self.cardinals(window, "WM_STATE")
        return bool(state) and state[0] == ICONIC_STATE

    # --- pings -----------------------------------------------------------------------------

    def watch_root_messages(self):
        """Client messages sent to the root (ping answers among them) reach this connection
        from now on. Qt sends its answer with the structure-notify and substructure-redirect
        masks, and only the window manager may select the latter; others send with
        substructure-notify."""
        _lib.XSelectInput(
            self._display, self.root, STRUCTURE_NOTIFY_MASK | SUBSTRUCTURE_NOTIFY_MASK
        )
        _lib.XFlush(self._display)

    def send_ping(self, window, serial):
        event = _XEvent()
        message = event.xclient
        message.type = CLIENT_MESSAGE
        message.window = window
        message.message_type = self.atom("WM_PROTOCOLS")
        message.format = 32
        message.l[0] = self.atom("_NET_WM_PING")
        message.l[1] = serial
        message.l[2] = window
        ok = _lib.XSendEvent(self._display, window, 0, 0, ctypes.byref(event))
        _lib.XFlush(self._display)
        return bool(ok)

    def ping_answers(self, timeout):
        """Waits up to timeout seconds for events; returns the serials of the ping answers
        that arrived (other events are dropped)."""
        fd = _lib.XConnectionNumber(self._display)
        if not _lib.XPending(self._display):
            select.select([fd], [], [], timeout)
        answers = []
        ping = self.atom("_NET_WM_PING")
        event = _XEvent()
        while _lib.XPending(self._display):
            _lib.XNextEvent(self._display, ctypes.byref(event))
            if event.type == CLIENT_MESSAGE and event.xclient.l[0] == ping:
                answers.append(event.xclient.l[1] & 0xFFFFFFFF)
        return answers
