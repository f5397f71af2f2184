"""Where the main window's controls sit at 100 % scale for a window of width w and height h,
in window coordinates (x, y, width, height), as the player's layout dump reports them
(harness.main_window), and the spots the run grabs that are no control of their own,
placed by the controls around them."""

from harness.main_window import layout
from harness.servers import SCREEN_H, SCREEN_W


def _rect(name, w, h):
    # A window caught mid-change may report no size; the layout needs at least a pixel.
    return tuple(layout("main.xml", max(1, w), max(1, h))["controls"][name])


def title_bar(w, h):
    return _rect("vTop", w, h)


def video(w, h):
    return _rect("video_area", w, h)


def menu_button(w, h):
    return _rect("menubtn", w, h)


def pin_button(w, h):
    return _rect("pinbtn", w, h)


def min_button(w, h):
    return _rect("minbtn", w, h)


def max_button(w, h):  # the restore button takes its place while maximised
    return _rect("maxbtn", w, h)


def close_button(w, h):
    return _rect("closebtn", w, h)


def bare_title(w, h):
    """Title bar with no button, right of any short title: a handle to drag the window by.
    150 px ending 10 px short of the pin button, and clear of the product name."""
    pin_x = pin_button(w, h)[0]
    left = max(100, pin_x - 160)
    return (left, 5, max(10, pin_x - 10 - left), 20)


# Control bar.
def progress_slider(w, h):
    return _rect("slider_progress", w, h)


def previous_button(w, h):
    return _rect("btn_previous", w, h)


def play_button(w, h):
    return _rect("btn_play", w, h)


def next_button(w, h):
    return _rect("btn_next", w, h)


def stop_button(w, h):
    return _rect("btn_stop", w, h)


def backward_button(w, h):
    return _rect("btn_backward", w, h)


def forward_button(w, h):
    return _rect("btn_forward", w, h)


def open_button(w, h):
    return _rect("btn_open", w, h)


def speed_button(w, h):
    return _rect("btn_speed", w, h)


def subtitle_button(w, h):
    return _rect("btn_subtitle", w, h)


def audio_button(w, h):
    return _rect("btn_audio", w, h)


def volume_button(w, h):
    return _rect("btn_volume", w, h)


def volume_slider(w, h):
    return _rect("slider_volume", w, h)


def fullscreen_button(w, h):
    return _rect("btn_fullscreen", w, h)


def bare_controls(w, h):
    """Between the time label and the speed button: no control, no tooltip."""
    tx, _, tw, _ = _rect("lbl_time", w, h)
    _, row_y, _, row_h = play_button(w, h)
    left = tx + tw + 10
    return (left, row_y + 2, max(10, speed_button(w, h)[0] - 6 - left), row_h - 4)


# The About window at its own size: its close button, and its own title bar to drag it by,
# between its title and the close button.
def about_close():
    return tuple(layout("about.xml")["controls"]["closebtn"])


def about_grip():
    tx, _, tw, _ = layout("about.xml")["texts"]["about"]
    left = tx + tw + 10
    return (left, 5, about_close()[0] - 10 - left, 20)


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
