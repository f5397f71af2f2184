"""The player's top-level windows: which is the main window, which are menus, the About
window, dialogs or tooltips, what state the main window is in, and closing what a user
would close (a menu with Escape, the About window with its close button, a dialog with
Escape) so that every action starts from the main window alone."""

import time

from harness.servers import SCREEN_H, SCREEN_W
from harness.xlib import Rect

from layout import about_close, bare_controls, centre

# States of the main window.
NORMAL, MAXIMISED, FULLSCREEN, MINIMISED = "normal", "maximised", "fullscreen", "minimised"


# The bars of fullscreen hide 3 s after the pointer last moved; a margin for a busy machine.
BARS_HIDE_BOUND = 4.5


def judge_state(maximised, bars_shown, covering, above, bars_hide):
    """The state of a main window that is on the screen. The player's fullscreen is its own:
    its bars hidden (but for a few seconds after the pointer comes near the top), the whole
    screen, with no fullscreen state at the window manager, and maximised still when it was
    entered from a window maximised over the whole screen. Hidden bars mean fullscreen
    whatever the size: a file that loads in fullscreen fits the window to its video and the
    bars stay hidden. Covering the screen with its bars up, it is fullscreen when it is above
    the rest, as it is unless unpinned there; otherwise only the bars hiding by themselves
    (bars_hide(), which waits for that) tell it from a window merely sized to the screen,
    which is not above the rest either (leaving fullscreen drops that even when pinned)."""
    if bars_shown is False:
        return FULLSCREEN
    if maximised:
        return MAXIMISED
    if not covering:
        return NORMAL
    return FULLSCREEN if above or bars_hide() else NORMAL


class PlayerWindows:
    def __init__(self, x, xdo, pid):
        self._x = x
        self._xdo = xdo
        self.pid = pid
        self.main = 0

    # --- what is there ---------------------------------------------------------------------

    def await_main(self, bound=60):
        """Waits for the player's first viewable managed window and takes it as the main
        window; returns it, or 0."""
        deadline = time.monotonic() + bound
        while time.monotonic() < deadline:
            managed = [w for w in self._x.top_levels(self.pid) if not w.override_redirect]
            if managed:
                self.main = managed[0].window
                return self.main
            time.sleep(0.1)
        return 0

    def kind(self, top):
        if top.window == self.main:
            return "main"
        if top.override_redirect:
            if top.name == "Menu":
                return "menu"
            if self._x.atom("_NET_WM_WINDOW_TYPE_TOOLTIP") in top.window_types:
                return "tooltip"
            return "popup"  # e.g. the open dialog's completer list
        return "about" if top.name == "About" else "dialog"

    def extras(self, include_tooltips=False):
        """(kind, TopLevel) of every viewable top-level window besides the main window."""
        found = []
        for top in self._x.top_levels(self.pid):
            kind = self.kind(top)
            if kind == "main" or (kind == "tooltip" and not include_tooltips):
                continue
            found.append((kind, top))
        return found

    def await_extra(self, kinds, bound):
        """Waits for a window of one of kinds; returns (kind, TopLevel) or None."""
        deadline = time.monotonic() + bound
        while True:
            for kind, top in self.extras():
                if kind in kinds:
                    return kind, top
            if time.monotonic() >= deadline:
                return None
            time.sleep(0.05)

    def await_gone(self, window, bound):
        deadline = time.monotonic() + bound
        while self._x.is_viewable(window):
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.05)
        return True

    def await_still(self, bound=5.0, interval=0.3):
        """Waits until the main window stands still (on the screen, the same place and size
        over interval seconds: a restore, the end of fullscreen or a file's fit carried
        out); returns the geometry then, or the last one seen after bound."""
        deadline = time.monotonic() + bound
        last = self.geometry()
        while True:
            time.sleep(interval)
            g = self.geometry()
            if g is not None and g == last and self._x.is_viewable(self.main):
                return g
            if time.monotonic() >= deadline:
                return g
            last = g

    def main_exists(self):
        return self.main in self._x.managed_windows(self.pid)

    def geometry(self):
        return self._x.geometry(self.main)

    def state(self):
        if not self._x.is_viewable(self.main) or self._x.is_iconic(self.main):
            return MINIMISED
        states = self._x.net_wm_state(self.main)
        return judge_state(
            maximised={
                self._x.atom("_NET_WM_STATE_MAXIMIZED_VERT"),
                self._x.atom("_NET_WM_STATE_MAXIMIZED_HORZ"),
            }
            <= states,
            bars_shown=self.bars_shown(),
            covering=self.geometry() == Rect(0, 0, SCREEN_W, SCREEN_H),
            above=self._x.atom("_NET_WM_STATE_ABOVE") in states,
            bars_hide=self._bars_hide,
        )

    def _bars_hide(self):
        """Whether the bars hide by themselves while the pointer stands still."""
        deadline = time.monotonic() + BARS_HIDE_BOUND
        while self.bars_shown() is not False:
            if time.monotonic() >= deadline:
                return False
            time.sleep(0.1)
        return True

    def bars_shown(self):
        """Whether the bare part of the control bar (where neither a long title nor the
        speed label reach) shows the bars' colour (#1E1E1E), but for a few pixels (a
        tooltip's corner); None when it is not on the screen."""
        g = self.geometry()
        if g is None:
            return None
        bx, by, bw, bh = bare_controls(g.width, g.height)
        pixels = self._x.grab(Rect(g.x + bx, g.y + by, max(1, bw - 40), bh))
        if pixels is None:
            return None
        total = len(pixels) // 4
        bar = sum(1 for i in range(0, len(pixels), 4) if pixels[i : i + 3] == b"\x1e\x1e\x1e")
        return bar >= 0.95 * total

    # --- closing what an action left open ---------------------------------------------------

    def close(self, kind, top):
        """Closes one extra window the way a user would. True once it is gone."""
        if kind in ("menu", "popup"):
            # A pop-up holds the keyboard while it is open.
            self._xdo.key("Escape")
        elif kind == "about":
            rect = self._x.geometry(top.window)
            if rect is None:
                return True
            x, y = centre(about_close())
            self._xdo.click_at(rect.x + x, rect.y + y)
        elif kind == "dialog":
            self._xdo.activate(top.window)
            self._xdo.key("Escape")
        else:
            return True
        return self.await_gone(top.window, 5)

    def close_extras(self, closed_counter, rounds=4):
        """Closes every menu, About window and dialog; counts them by kind into
        closed_counter. Returns what would not close, as (kind, name) pairs."""
        for _ in range(rounds):
            extras = self.extras()
            if not extras:
                return []
            # One at a time, the last listed first: closing one may close others.
            kind, top = extras[-1]
            if self.close(kind, top):
                closed_counter[kind] += 1
        return [(kind, top.name) for kind, top in self.extras()]
