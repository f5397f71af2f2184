"""Brings the player into the same state at the one-minute mark and at the end of a run, the
way a user would: menus and dialogs closed, the window back from minimised, fullscreen or
maximised, then the reference clip opened by typing its path into the open dialog and
played to its end (it is short; the engine keeps its last picture). The window then has
the clip's fitted size, and the engine's cache holds that clip alone."""

import time

from harness.servers import SCREEN_H, SCREEN_W

import layout as L
from windows import FULLSCREEN, MINIMISED, NORMAL

CLIP_TITLE = "Movira demo"  # the reference clip's title tag, shown as the caption
PLAY_SECONDS = 12.0  # the 10 s clip, and a margin for its loading


def _await(condition, bound):
    deadline = time.monotonic() + bound
    while not condition():
        if time.monotonic() >= deadline:
            return False
        time.sleep(0.05)
    return True


def reach_normal(xdo, windows, closed):
    """Closes what is open and brings the window back to normal, on the screen; False if
    it would not come back."""
    # A few steps at most: fullscreen may come back to a maximised window, and what looks
    # like fullscreen (a pinned window sized to the screen) may go into it instead.
    for _ in range(4):
        windows.close_extras(closed)
        state = windows.state()
        if state == NORMAL:
            _onto_screen(xdo, windows)
            return True
        if state == MINIMISED:
            xdo.activate(windows.main)
        elif state == FULLSCREEN:
            xdo.activate(windows.main)
            xdo.key("F11")
        else:
            g = windows.geometry()
            xdo.click_at(*_on_screen(g, L.centre(L.max_button(g.width, g.height))))
        _await(lambda: windows.state() != state, 5)
    return False


def _onto_screen(xdo, windows):
    """Drags a window that stands partly off the screen back onto it by its title bar."""
    g = windows.geometry()
    x = max(0, min(g.x, SCREEN_W - g.width))
    y = max(0, min(g.y, SCREEN_H - g.height))
    if (x, y) == (g.x, g.y):
        return
    # A point of the bare title bar that is on the screen: right of the title's start,
    # left of the pin button.
    left = max(120, -g.x + 10)
    right = min(g.width - 130, SCREEN_W - g.x - 10)
    if left > right or g.y < 0:
        return
    grip = (g.x + (left + right) // 2, g.y + 15)
    xdo.drag(grip, (grip[0] + x - g.x, grip[1] + y - g.y))
    _await(lambda: windows.geometry() == type(g)(x, y, g.width, g.height), 5)


def _on_screen(g, point):
    return g.x + point[0], g.y + point[1]


def open_file(xdo, windows, path):
    """Opens path the way a user does, by typing it into the open dialog; True once the
    dialog has closed."""
    g = windows.geometry()
    xdo.click_at(*_on_screen(g, L.centre(L.open_button(g.width, g.height))))
    found = windows.await_extra(("dialog",), 5)
    if found is None:
        return False
    dialog = found[1].window
    xdo.activate(dialog)
    xdo.type_text(path)
    xdo.key("Return")
    return windows.await_gone(dialog, 5)


def _open(x, xdo, windows, path):
    return open_file(xdo, windows, path) and _await(
        lambda: x.window_name(windows.main) == CLIP_TITLE, 15
    )


def reach(x, xdo, windows, path, closed, attempts=3):
    """True once the reference clip has played in a normal window; closed counts the
    windows closed on the way, as after actions."""
    for _ in range(attempts):
        if reach_normal(xdo, windows, closed) and _open(x, xdo, windows, path):
            time.sleep(PLAY_SECONDS)
            return windows.state() == NORMAL
    return False
