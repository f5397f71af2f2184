"""Where the main window's controls sit at 100 % scale for a window of width w and height h,
in window coordinates (x, y, width, height): the title bar at the top, the control bar at
the bottom (their heights in harness.main_window), and the right-hand controls move with
the right edge (skin/main.xml; tests/e2e/SizedLayout.h holds the same rectangles for the
tests)."""

from harness.main_window import CONTROL_BAR_H, TITLE_BAR_H
from harness.servers import SCREEN_H, SCREEN_W


def title_bar(w, h):
    return (0, 0, w, TITLE_BAR_H)


def video(w, h):
    return (0, TITLE_BAR_H, w, h - TITLE_BAR_H - CONTROL_BAR_H)


# Title bar, right to left from the close button.
def menu_button(w, h):
    return (0, 0, 30, 30)


def pin_button(w, h):
    return (w - 120, 0, 30, 30)


def min_button(w, h):
    return (w - 90, 0, 30, 30)


def max_button(w, h):  # the restore button takes its place while maximised
    return (w - 60, 0, 30, 30)


def close_button(w, h):
    return (w - 30, 0, 30, 30)


def bare_title(w, h):
    """Title bar with no button, right of any short title: a handle to drag the window by."""
    left = max(100, w - 280)
    return (left, 5, max(10, w - 130 - left), 20)


# Control bar.
def progress_slider(w, h):
    return (5, h - 57, w - 10, 8)


def play_button(w, h):
    return (0, h - 44, 40, 40)


def stop_button(w, h):
    return (40, h - 44, 40, 40)


def backward_button(w, h):
    return (80, h - 44, 40, 40)


def forward_button(w, h):
    return (120, h - 44, 40, 40)


def open_button(w, h):
    return (160, h - 44, 40, 40)


def speed_button(w, h):
    return (w - 214, h - 44, 40, 40)


def subtitle_button(w, h):
    return (w - 181, h - 44, 40, 40)


def volume_button(w, h):
    return (w - 148, h - 44, 40, 40)


def volume_slider(w, h):
    return (w - 110, h - 29, 70, 8)


def fullscreen_button(w, h):
    return (w - 40, h - 44, 40, 40)


def bare_controls(w, h):
    """Between the time label and the speed button: no control, no tooltip."""
    return (340, h - 42, max(10, w - 560), 36)


# The About window, 400x300: its close button, and its own title bar to drag it by.
ABOUT_CLOSE = (370, 0, 30, 30)
ABOUT_GRIP = (80, 5, 280, 20)


def centre(rect):
    x, y, w, h = rect
    return x + w // 2, y + h // 2


def on_screen(g, rect):
    """The part of rect, in the coordinates of a window at g, that lies on the screen (a
    window dragged partly past an edge), or None when none does: no pointer reaches it."""
    x, y, w, h = rect
    left, top = max(x, -g.x), max(y, -g.y)
    right, bottom = min(x + w, SCREEN_W - g.x), min(y + h, SCREEN_H - g.y)
    if right <= left or bottom <= top:
        return None
    return (left, top, right - left, bottom - top)


def random_point(rng, rect, inset=2):
    x, y, w, h = rect
    return (
        x + rng.randint(min(inset, w // 2), max(min(inset, w // 2), w - 1 - inset)),
        y + rng.randint(min(inset, h // 2), max(min(inset, h // 2), h - 1 - inset)),
    )
