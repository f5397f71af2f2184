"""The user actions of a stress run, picked at random with fixed weights. Each action is
one thing a user does (a click on a control, a drag, a key, a drop) and returns a short
description for the run's log, or None when it does not fit the window's present state (a
drop needs some screen left beside the player), in which case another is picked. An action
may leave a menu, dialog or the About window open; the run closes them afterwards
(PlayerWindows.close_extras), as a user would."""

import os
import time

from harness.servers import SCREEN_H, SCREEN_W

import layout as L
from drag_source import DragSource, source_place
from windows import FULLSCREEN, MAXIMISED, MINIMISED, NORMAL

# How far a window drag may take the window past the screen's edges.
OVERHANG = 60

# The player's own keys: Left and Right seek, Up and Down step the volume, M mutes, N and P
# go to the next and previous file, Page Down and Page Up to the next and previous chapter,
# A to the next audio track, Z and X move the subtitles, S saves a screenshot. Tab and
# Return belong to the keyboard focus (Tab moves the focus ring, Return presses the button
# it marks, which may be the close button); the run leaves them to the end-to-end journeys,
# so that no key it presses at random can end the player.
SEEK_KEYS = ("Left", "Right")
VOLUME_KEYS = ("Up", "Down")
MUTE_KEY = "m"
QUEUE_KEYS = ("n", "p")
CHAPTER_KEYS = ("Page_Down", "Page_Up")
AUDIO_KEY = "a"
SUBTITLE_DELAY_KEYS = ("z", "x")
SCREENSHOT_KEY = "s"
FOCUS_KEYS = ("Tab", "Return", "KP_Enter")
PLAYER_KEYS = (
    "space",
    "F11",
    "Escape",
    *SEEK_KEYS,
    *VOLUME_KEYS,
    MUTE_KEY,
    *QUEUE_KEYS,
    *CHAPTER_KEYS,
    AUDIO_KEY,
    *SUBTITLE_DELAY_KEYS,
    SCREENSHOT_KEY,
    *FOCUS_KEYS,
)

# Letters and keys pressed at random besides the player's own keys, none of which means
# anything to the player.
OTHER_KEYS = [c for c in "abcdefghijklmnopqrstuvwxyz0123456789" if c not in PLAYER_KEYS] + [
    "BackSpace",
    "Home",
    "End",
    "Delete",
    "plus",
    "minus",
    "period",
    "comma",
]


class Actions:
    def __init__(self, rng, x, xdo, windows, files, drag_source_args, counts, await_handled):
        """files: "media" (played), "typed" (media whose paths type in plain ASCII), "other"
        (not media: text, garbage, an empty file, a folder). await_handled(bound) waits
        until the player has handled the input sent so far."""
        self.rng = rng
        self._x = x
        self._xdo = xdo
        self._windows = windows
        self._files = files
        self._drag_source_args = drag_source_args
        self.counts = counts
        self._await_handled = await_handled
        self.drops = {}  # how the drag source saw each drop end
        self._weights = [
            (self.play_pause, 6),
            (self.previous_file, 2),
            (self.next_file, 2),
            (self.stop, 2),
            (self.step_forward, 3),
            (self.step_backward, 3),
            (self.open_dialog, 3),
            (self.speed_menu, 3),
            (self.subtitle_menu, 3),
            (self.audio_menu, 2),
            (self.volume_click, 2),
            (self.volume_drag, 2),
            (self.mute, 2),
            (self.pin, 2),
            (self.fullscreen_button, 2),
            (self.about, 2),
            (self.minimise, 1),
            (self.maximise_or_restore, 2),
            (self.progress_click, 2),
            (self.progress_drag, 4),
            (self.window_drag, 3),
            (self.resize, 1),
            (self.key_space, 3),
            (self.key_f11, 2),
            (self.key_escape, 2),
            (self.key_seek, 2),
            (self.key_volume, 2),
            (self.key_mute, 1),
            (self.key_queue, 2),
            (self.key_chapter, 1),
            (self.key_audio, 1),
            (self.key_subtitle_delay, 1),
            (self.key_screenshot, 1),
            (self.key_other, 2),
            (self.click_picture, 2),
            (self.double_click_picture, 3),
            (self.drop_media, 3),
            (self.drop_other, 2),
            (self.random_click, 6),
            (self.hover, 2),
            (self.wheel, 1),
            (self.wheel_picture, 2),
        ]

    # --- picking -------------------------------------------------------------------------

    def step(self, announce):
        """Does one action, calling announce with its name first; returns (name,
        description)."""
        if self._windows.state() == MINIMISED:
            return self._do(self.restore, announce)
        actions, weights = zip(*self._weights)
        for _ in range(20):
            done = self._do(self.rng.choices(actions, weights)[0], announce)
            if done is not None:
                return done
        return self._do(self.hover, announce)

    def _do(self, action, announce):
        name = action.__name__
        announce(name)
        description = action()
        if description is None:
            return None
        self.counts[name] += 1
        return name, description

    # --- helpers ---------------------------------------------------------------------------

    def _geometry(self):
        return self._windows.geometry()

    def _screen_point(self, g, point):
        return g.x + point[0], g.y + point[1]

    def _reveal_bars(self, g):
        """In fullscreen the bars hide; a pointer move near the top edge brings them back
        for a few seconds."""
        if self._windows.state() == FULLSCREEN:
            self._xdo.move(g.x + self.rng.randint(50, g.width - 50), g.y + 2)
            time.sleep(0.15)

    def _click_control(self, rect_of, button=1, inset=8):
        g = self._geometry()
        if g is None:
            return None
        rect = L.on_screen(g, rect_of(g.width, g.height))
        if rect is None:
            return None
        self._reveal_bars(g)
        point = L.random_point(self.rng, rect, inset)
        self._xdo.click_at(*self._screen_point(g, point), button=button)
        return f"at {point[0]},{point[1]} of {g.width}x{g.height}"

    def _focus_main(self):
        self._xdo.activate(self._windows.main)

    # --- the controls ------------------------------------------------------------------------

    def play_pause(self):
        return self._click_control(L.play_button)

    def previous_file(self):
        return self._click_control(L.previous_button)

    def next_file(self):
        return self._click_control(L.next_button)

    def stop(self):
        return self._click_control(L.stop_button)

    def step_forward(self):
        return self._click_control(L.forward_button)

    def step_backward(self):
        return self._click_control(L.backward_button)

    def mute(self):
        return self._click_control(L.volume_button)

    def pin(self):
        return self._click_control(L.pin_button)

    def fullscreen_button(self):
        return self._click_control(L.fullscreen_button)

    def minimise(self):
        if self._windows.state() == FULLSCREEN:
            return None  # hidden bars; Escape and F11 cover fullscreen
        return self._state_change(L.min_button)

    def maximise_or_restore(self):
        if self._windows.state() == FULLSCREEN:
            return None
        return self._state_change(L.max_button)

    def _state_change(self, button):
        """Clicks a button that asks the window manager for another state, and gives it a
        moment to carry that out, so that the next action sees the window where it is."""
        before = self._windows.state()
        done = self._click_control(button)
        deadline = time.monotonic() + 2
        while self._windows.state() == before and time.monotonic() < deadline:
            time.sleep(0.05)
        return done and f"{done}, {before} -> {self._windows.state()}"

    def restore(self):
        """Brings a minimised window back, as a task bar would."""
        self._focus_main()
        deadline = time.monotonic() + 5
        while self._windows.state() == MINIMISED and time.monotonic() < deadline:
            time.sleep(0.05)
        return "restored" if self._windows.state() != MINIMISED else "still minimised"

    def open_dialog(self):
        """The open button; the dialog is cancelled with Escape, or a file is picked by
        typing its path (a media file mostly, sometimes one that is not)."""
        where = self._click_control(L.open_button)
        if where is None:
            return None
        found = self._windows.await_extra(("dialog",), 5)
        if found is None:
            return where + ", no dialog"
        _, dialog = found
        time.sleep(self.rng.uniform(0.1, 0.8))
        self._xdo.activate(dialog.window)
        if self.rng.random() < 0.6:
            self._xdo.key("Escape")
            self._windows.await_gone(dialog.window, 5)
            return where + ", cancelled"
        pool = self._files["typed"] if self.rng.random() < 0.8 else self._files["other"]
        path = self.rng.choice(pool)
        self._xdo.type_text(path)
        self._xdo.key("Return")
        self._windows.await_gone(dialog.window, 5)
        return where + f", picked {os.path.basename(path)}"

    def _menu(self, button):
        where = self._click_control(button)
        if where is None:
            return None
        found = self._windows.await_extra(("menu",), 3)
        if found is None:
            return where + ", no menu"
        menu = self._x.geometry(found[1].window)
        time.sleep(self.rng.uniform(0.05, 0.5))
        if menu is None:
            return where + ", menu gone"
        roll = self.rng.random()
        if roll < 0.15:
            self._xdo.key("Escape")
            return where + ", escaped"
        if roll < 0.25:
            # Wheel over the menu: a long one scrolls.
            self._xdo.move(menu.x + menu.width // 2, menu.y + menu.height // 2)
            self._xdo.click(self.rng.choice((4, 5)), repeat=self.rng.randint(1, 4), delay_ms=30)
        y = menu.y + self.rng.randint(2, max(2, menu.height - 3))
        self._xdo.click_at(menu.x + self.rng.randint(4, max(4, menu.width - 5)), y)
        return where + f", picked at {y - menu.y} of {menu.height}"

    def speed_menu(self):
        return self._menu(L.speed_button)

    def subtitle_menu(self):
        return self._menu(L.subtitle_button)

    def audio_menu(self):
        return self._menu(L.audio_button)

    def about(self):
        where = self._click_control(L.menu_button)
        if where is None:
            return None
        found = self._windows.await_extra(("about",), 5)
        if found is None:
            return where + ", no About window"
        time.sleep(self.rng.uniform(0.1, 1.0))
        about = self._x.geometry(found[1].window)
        if about is None:
            return where + ", About gone"
        detail = ""
        if self.rng.random() < 0.3:
            grip = L.random_point(self.rng, L.about_grip())
            start = (about.x + grip[0], about.y + grip[1])
            self._xdo.drag(
                start,
                (start[0] + self.rng.randint(-120, 120), start[1] + self.rng.randint(-80, 80)),
            )
            about = self._x.geometry(found[1].window) or about
            detail = ", dragged"
        x, y = L.centre(L.about_close())
        self._xdo.click_at(about.x + x, about.y + y)
        gone = self._windows.await_gone(found[1].window, 5)
        return where + detail + (", closed" if gone else ", still open")

    def volume_click(self):
        return self._click_control(L.volume_slider, inset=1)

    def volume_drag(self):
        g = self._geometry()
        if g is None:
            return None
        self._reveal_bars(g)
        rect = L.volume_slider(g.width, g.height)
        start = L.random_point(self.rng, rect, 1)
        end = (rect[0] + self.rng.randint(-20, rect[2] + 20), start[1] + self.rng.randint(-6, 6))
        self._xdo.drag(self._screen_point(g, start), self._screen_point(g, end))
        return f"{start[0]} -> {end[0]}"

    def progress_click(self):
        return self._click_control(L.progress_slider, inset=1)

    def progress_drag(self):
        g = self._geometry()
        if g is None:
            return None
        self._reveal_bars(g)
        rect = L.progress_slider(g.width, g.height)
        start = L.random_point(self.rng, rect, 1)
        end = (rect[0] + self.rng.randint(-30, rect[2] + 30), start[1] + self.rng.randint(-10, 10))
        self._xdo.drag(
            self._screen_point(g, start), self._screen_point(g, end), steps=self.rng.randint(2, 8)
        )
        return f"{start[0]} -> {end[0]} of {rect[2]}"

    # --- the window ----------------------------------------------------------------------------

    def window_drag(self):
        state = self._windows.state()
        if state not in (NORMAL, MAXIMISED):
            return None
        g = self._geometry()
        grip = L.random_point(self.rng, L.bare_title(g.width, g.height))
        start = self._screen_point(g, grip)
        # Somewhere that keeps all but OVERHANG pixels of the window on the screen, where
        # the next actions can reach its controls.
        dx = self.rng.randint(-250, 250)
        dy = self.rng.randint(-150, 150)
        dx = max(-OVERHANG - g.x, min(dx, SCREEN_W - g.width + OVERHANG - g.x))
        dy = max(-g.y, min(dy, SCREEN_H - g.height + OVERHANG - g.y))
        self._xdo.drag(start, (start[0] + dx, start[1] + dy), steps=self.rng.randint(3, 8))
        return f"{state} by {dx},{dy}"

    def resize(self):
        if self._windows.state() != NORMAL:
            return None
        g = self._geometry()
        start = (g.x + g.width - 3, g.y + g.height - 3)
        w = self.rng.randint(500, 1200)
        h = self.rng.randint(350, 760)
        end = (g.x + w - 3, g.y + h - 3)
        self._xdo.drag(start, end, steps=4)
        return f"{g.width}x{g.height} -> {w}x{h}"

    # --- keys ------------------------------------------------------------------------------------

    def _key(self, *keys):
        self._focus_main()
        self._xdo.key(*keys)
        return " ".join(keys)

    def key_space(self):
        return self._key("space")

    def key_f11(self):
        return self._key("F11")

    def key_escape(self):
        return self._key("Escape")

    def key_seek(self):
        """Left or Right, pressed once or held for a few repeats."""
        return self._key(*[self.rng.choice(SEEK_KEYS)] * self.rng.randint(1, 4))

    def key_volume(self):
        """Up or Down, pressed once or held for a few repeats."""
        return self._key(*[self.rng.choice(VOLUME_KEYS)] * self.rng.randint(1, 4))

    def key_mute(self):
        return self._key(MUTE_KEY)

    def key_queue(self):
        return self._key(self.rng.choice(QUEUE_KEYS))

    def key_chapter(self):
        """Page Down or Page Up, pressed once or a few times."""
        return self._key(*[self.rng.choice(CHAPTER_KEYS)] * self.rng.randint(1, 3))

    def key_audio(self):
        return self._key(AUDIO_KEY)

    def key_subtitle_delay(self):
        """Z or X, pressed once or held for a few repeats."""
        return self._key(*[self.rng.choice(SUBTITLE_DELAY_KEYS)] * self.rng.randint(1, 4))

    def key_screenshot(self):
        return self._key(SCREENSHOT_KEY)

    def key_other(self):
        return self._key(*self.rng.choices(OTHER_KEYS, k=self.rng.randint(1, 4)))

    # --- the picture, and anywhere -------------------------------------------------------------

    def click_picture(self):
        g = self._geometry()
        picture = g and L.on_screen(g, L.video(g.width, g.height))
        if picture is None:
            return None
        point = L.random_point(self.rng, picture, 10)
        self._xdo.click_at(*self._screen_point(g, point))
        return f"at {point[0]},{point[1]}"

    def double_click_picture(self):
        g = self._geometry()
        picture = g and L.on_screen(g, L.video(g.width, g.height))
        if picture is None:
            return None
        point = L.random_point(self.rng, picture, 10)
        self._xdo.move(*self._screen_point(g, point))
        self._xdo.click(1, repeat=2, delay_ms=self.rng.randint(40, 150))
        return f"at {point[0]},{point[1]}"

    def random_click(self):
        """A click anywhere in the window but on the close button: mostly the left button,
        sometimes the right or middle one."""
        g = self._geometry()
        if g is None:
            return None
        shown = L.on_screen(g, (0, 0, g.width, g.height))
        if shown is None:
            return None
        close = L.close_button(g.width, g.height)
        while True:
            point = L.random_point(self.rng, shown, 0)
            if not (close[0] - 2 <= point[0] and point[1] < close[3] + 2):
                break
        button = self.rng.choices((1, 3, 2), (16, 3, 1))[0]
        self._xdo.click_at(*self._screen_point(g, point), button=button)
        return f"button {button} at {point[0]},{point[1]} of {g.width}x{g.height}"

    def hover(self):
        g = self._geometry()
        if g is None:
            return "no window"
        shown = L.on_screen(g, (0, 0, g.width, g.height))
        if shown is None:
            return "no window on the screen"
        moves = self.rng.randint(2, 6)
        for _ in range(moves):
            point = L.random_point(self.rng, shown, 0)
            self._xdo.move(*self._screen_point(g, point))
            time.sleep(self.rng.uniform(0.05, 0.8))
        return f"{moves} moves"

    def wheel(self):
        g = self._geometry()
        shown = g and L.on_screen(g, (0, 0, g.width, g.height))
        if shown is None:
            return None
        point = L.random_point(self.rng, shown, 0)
        self._xdo.move(*self._screen_point(g, point))
        self._xdo.click(self.rng.choice((4, 5)), repeat=self.rng.randint(1, 5), delay_ms=30)
        return f"at {point[0]},{point[1]}"

    def wheel_picture(self):
        """Wheel notches over the picture, which set the volume."""
        g = self._geometry()
        picture = g and L.on_screen(g, L.video(g.width, g.height))
        if picture is None:
            return None
        point = L.random_point(self.rng, picture, 10)
        self._xdo.move(*self._screen_point(g, point))
        button = self.rng.choice((4, 5))
        notches = self.rng.randint(1, 5)
        self._xdo.click(button, repeat=notches, delay_ms=30)
        return f"{notches} {'up' if button == 4 else 'down'} at {point[0]},{point[1]}"

    # --- drops -----------------------------------------------------------------------------------

    def _drop(self, pool):
        if self._windows.state() != NORMAL:
            return None
        g = self._geometry()
        # A window still moving or changing state (a maximise on its way) could come over
        # the drag source: only a window that stands still.
        time.sleep(0.2)
        if self._windows.state() != NORMAL or self._geometry() != g:
            return None
        place = source_place(g)
        if place is None:
            return None
        at, grip = place
        count = self.rng.choices((1, 2, 3), (6, 2, 1))[0]
        files = [self.rng.choice(pool) for _ in range(count)]
        source = DragSource(*self._drag_source_args)
        try:
            source.start(at, files)
            found = None
            deadline = time.monotonic() + 20
            while found is None and time.monotonic() < deadline:
                tops = self._x.top_levels(source.process.pid)
                found = tops[0] if tops else None
                if found is None:
                    time.sleep(0.05)
            if found is None:
                return "the drag source showed no window"
            where = self._x.geometry(found.window)
            if where is None:
                return "the drag source's window went away"
            start = (where.x + grip[0], where.y + grip[1])
            if g.contains(*start):
                return f"the drag source stands under the player, at {where.x},{where.y}"
            target = self._screen_point(
                g, (self.rng.randrange(10, g.width - 10), self.rng.randrange(10, g.height - 10))
            )
            self._xdo.move(*start)
            self._xdo.down()
            steps = 6
            for step in range(1, steps + 1):
                self._xdo.move(
                    start[0] + (target[0] - start[0]) * step // steps,
                    start[1] + (target[1] - start[1]) * step // steps,
                )
            # A last small move, so that the player has answered for the final place.
            self._xdo.move(target[0] + 1, target[1] + 1)
            self._xdo.up()
            verdict = source.verdict(20) or "no answer"
            # The source learns that the drop happened before the player asks it for the
            # files, and must still be there to answer: it stays until the player has
            # handled the drop (a user's file manager stays open anyway).
            self._await_handled(20)
            self.drops[verdict] = self.drops.get(verdict, 0) + 1
            names = ", ".join(os.path.basename(f) for f in files)
            return f"{names} at {target[0] - g.x},{target[1] - g.y}: {verdict}"
        finally:
            source.stop()

    def drop_media(self):
        return self._drop(self._files["media"])

    def drop_other(self):
        return self._drop(self._files["other"])
