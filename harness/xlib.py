"""libX11 through ctypes: a connection to an X server and grabs of its screen, a few
milliseconds each, where running a screenshot program would take far longer. Importing it
sets Xlib up for threads and keeps X errors from ending the process; other modules declare
the further functions they call on LIB with declare()."""

import ctypes
import ctypes.util
from dataclasses import dataclass

LIB = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")

Window = ctypes.c_ulong
Z_PIXMAP = 2
ALL_PLANES = 0xFFFFFFFF


class _XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, up to the ones read here.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


def declare(name, restype, *argtypes):
    function = getattr(LIB, name)
    function.restype = restype
    function.argtypes = list(argtypes)


_P = ctypes.c_void_p
declare("XInitThreads", ctypes.c_int)
declare("XOpenDisplay", _P, ctypes.c_char_p)
declare("XCloseDisplay", ctypes.c_int, _P)
declare("XDefaultRootWindow", Window, _P)
declare(
    "XGetImage",
    ctypes.POINTER(_XImage),
    _P,
    Window,
    ctypes.c_int,
    ctypes.c_int,
    ctypes.c_uint,
    ctypes.c_uint,
    ctypes.c_ulong,
    ctypes.c_int,
)
declare("XDestroyImage", ctypes.c_int, ctypes.POINTER(_XImage))

_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, _P, _P)
declare("XSetErrorHandler", _P, _ERROR_HANDLER)


@_ERROR_HANDLER
def _ignore_errors(_display, _event):
    # A window may go away between listing it and asking about it (a menu closing, the
    # player exiting), and a grab may reach past the screen. Xlib's default handler would
    # end this process; the caller sees a failed request instead.
    return 0


LIB.XInitThreads()
LIB.XSetErrorHandler(_ignore_errors)


@dataclass(frozen=True)
class Rect:
    x: int
    y: int
    width: int
    height: int

    @property
    def right(self):
        return self.x + self.width

    @property
    def bottom(self):
        return self.y + self.height

    def contains(self, px, py):
        return self.x <= px < self.right and self.y <= py < self.bottom

    def intersects(self, other):
        return (
            self.x < other.right
            and other.x < self.right
            and self.y < other.bottom
            and other.y < self.bottom
        )


class Connection:
    """One connection to the X server; give each thread its own."""

    def __init__(self, display_name):
        self._display = LIB.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display_name}")
        self.root = LIB.XDefaultRootWindow(self._display)

    def close(self):
        if self._display:
            LIB.XCloseDisplay(self._display)
            self._display = None

    def grab(self, rect):
        """The pixels of rect on the screen as bytes, 4 a pixel (blue, green, red, unused),
        rows one after another; None if the grab failed (e.g. rect off the screen)."""
        if rect.width <= 0 or rect.height <= 0:
            return None
        image = LIB.XGetImage(
            self._display, self.root, rect.x, rect.y, rect.width, rect.height, ALL_PLANES, Z_PIXMAP
        )
        if not image:
            return None
        try:
            info = image.contents
            if info.bits_per_pixel != 32:
                return None
            row_bytes = info.width * 4
            # Rows without padding, as on the usual 32-bit screens, come in one copy: the
            # benchmark grabs the whole screen every 50 ms.
            if info.bytes_per_line == row_bytes:
                return ctypes.string_at(info.data, row_bytes * info.height)
            return b"".join(
                ctypes.string_at(info.data + row * info.bytes_per_line, row_bytes)
                for row in range(info.height)
            )
        finally:
            LIB.XDestroyImage(image)
