"""Whether the main window still paints: the pointer is moved off the stop button, then onto
it, then off again, and the button's pixels on the screen must change to its hover image
and back. A ping answer shows that the UI thread runs its event loop; this shows that the
loop still turns input into pictures (hit testing, the control's state, the paint and
its way to the X server)."""

import time
from dataclasses import dataclass

from harness.xlib import Rect

import layout as L
from windows import MAXIMISED, NORMAL

BOUND = 5.0  # seconds for each change to show


@dataclass
class ProbeResult:
    ok: bool
    seconds: float  # how long the slower of the two changes took
    detail: str


def _await(x, rect, condition, bound):
    start = time.monotonic()
    while True:
        pixels = x.grab(rect)
        if pixels is not None and condition(pixels):
            return pixels, time.monotonic() - start
        if time.monotonic() - start >= bound:
            return pixels, None
        time.sleep(0.03)


def _settled(x, rect, bound):
    """The region once two grabs 100 ms apart agree (or the last grab after bound)."""

    def same(pixels):
        time.sleep(0.1)
        return x.grab(rect) == pixels

    pixels, _ = _await(x, rect, same, bound)
    return pixels


def probe(x, xdo, windows):
    """A ProbeResult, or None when the window's state leaves no control bar to probe."""
    if windows.state() not in (NORMAL, MAXIMISED):
        return None
    g = windows.geometry()
    if g is None:
        return None
    bx, by, bw, bh = L.stop_button(g.width, g.height)
    button = Rect(g.x + bx, g.y + by, bw, bh)
    away = L.centre(L.bare_controls(g.width, g.height))
    xdo.move(g.x + away[0], g.y + away[1])
    normal = _settled(x, button, BOUND)
    if normal is None:
        return None
    xdo.move(button.x + bw // 2, button.y + bh // 2)
    hot, on_seconds = _await(x, button, lambda p: p != normal, BOUND)
    xdo.move(g.x + away[0], g.y + away[1])
    _, off_seconds = _await(x, button, lambda p: p == normal, BOUND)
    if windows.geometry() != g:
        return None  # a file that loaded meanwhile refitted the window: no verdict
    if on_seconds is None:
        bars = {True: "shown", False: "hidden"}.get(windows.bars_shown(), "off the screen")
        return ProbeResult(
            False,
            BOUND,
            "the stop button did not change under the pointer; "
            f"the window stands at {g.width}x{g.height}+{g.x}+"
            f"{g.y} with its bars {bars}",
        )
    if off_seconds is None:
        return ProbeResult(
            False, BOUND, "the stop button kept its hover look after the " "pointer left"
        )
    return ProbeResult(True, max(on_seconds, off_seconds), "")
