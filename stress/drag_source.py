"""Drops files on the player over the X drag-and-drop protocol, as a file manager would:
the end-to-end tests' drag source program (tests/e2e/DragSource.cpp, built as
e2e_drag_source) shows a small window that starts a real drag of its files when the button
goes down in it; the pointer is then moved over the player with xdotool and released."""

import os
import select
import subprocess
import time

from harness.servers import SCREEN_H, SCREEN_W, clean_environment, stop
from harness.xlib import Rect

SOURCE_W, SOURCE_H = 160, 80


def source_place(player):
    """A place for the source's window and a point in it that the player's window does not
    cover, or None when the player covers too much of the screen."""
    spots = [
        (0, 0),
        (SCREEN_W - SOURCE_W, 0),
        (0, SCREEN_H - SOURCE_H),
        (SCREEN_W - SOURCE_W, SCREEN_H - SOURCE_H),
        ((SCREEN_W - SOURCE_W) // 2, 0),
        ((SCREEN_W - SOURCE_W) // 2, SCREEN_H - SOURCE_H),
        (0, (SCREEN_H - SOURCE_H) // 2),
        (SCREEN_W - SOURCE_W, (SCREEN_H - SOURCE_H) // 2),
    ]
    for x, y in spots:
        # A 10 px margin from the source's edges and from the player's.
        for px in range(x + 10, x + SOURCE_W - 10, 10):
            for py in range(y + 10, y + SOURCE_H - 10, 10):
                if not Rect(
                    player.x - 10, player.y - 10, player.width + 20, player.height + 20
                ).contains(px, py):
                    return (x, y), (px - x, py - y)
    return None


class DragSource:
    def __init__(self, executable, display, runtime_dir, log_path):
        self._executable = executable
        self._env = clean_environment(
            DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_RUNTIME_DIR=runtime_dir, LANG="C.UTF-8"
        )
        self._log_path = log_path
        self.process = None

    def start(self, at, files):
        with open(self._log_path, "a") as log:
            self.process = subprocess.Popen(
                [self._executable, str(at[0]), str(at[1]), *files],
                env=self._env,
                stdin=subprocess.DEVNULL,
                stdout=subprocess.PIPE,
                stderr=log,
            )

    def verdict(self, bound):
        """ "copied" or "ignored" as the source saw the drag end; "" without an answer."""
        deadline = time.monotonic() + bound
        out = self.process.stdout
        line = b""
        while not line.endswith(b"\n"):
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([out], [], [], left)[0]:
                return ""
            chunk = os.read(out.fileno(), 256)
            if not chunk:
                return ""
            line += chunk
        return line.decode(errors="replace").strip()

    def stop(self):
        if self.process is not None:
            stop(self.process, grace=5)
            self.process.stdout.close()
            self.process = None
