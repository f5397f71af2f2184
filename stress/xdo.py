"""Real input through xdotool (the XTEST extension): the player sees the same events as from
a user's mouse and keyboard. Every call is bounded; a call that fails or times out is
counted, not fatal, since the player may legitimately hold the pointer (a pop-up menu, a
window move) when the next input comes."""

import subprocess

from harness.servers import clean_environment

BOUND = 10  # seconds for one xdotool call


class Xdo:
    def __init__(self, display):
        self._env = clean_environment(DISPLAY=display)
        self.failures = 0
        self.last_error = ""
        self.on_failure = None  # called with the error of each failed call, for the log

    def run(self, *arguments, bound=BOUND):
        try:
            done = subprocess.run(
                ["xdotool", *map(str, arguments)],
                env=self._env,
                stdin=subprocess.DEVNULL,
                capture_output=True,
                text=True,
                timeout=bound,
            )
        except subprocess.TimeoutExpired:
            return self._failed(arguments, f"no answer in {bound} s")
        if done.returncode != 0:
            return self._failed(arguments, done.stderr.strip())
        return done.stdout

    def _failed(self, arguments, error):
        self.failures += 1
        self.last_error = f"xdotool {' '.join(map(str, arguments))}: {error}"
        if self.on_failure:
            self.on_failure(self.last_error)
        return None

    def move(self, x, y):
        return self.run("mousemove", x, y) is not None

    def down(self, button=1):
        return self.run("mousedown", button) is not None

    def up(self, button=1):
        return self.run("mouseup", button) is not None

    def click(self, button=1, repeat=1, delay_ms=80):
        return self.run("click", "--repeat", repeat, "--delay", delay_ms, button) is not None

    def click_at(self, x, y, button=1):
        return self.run("mousemove", x, y, "click", button) is not None

    def drag(self, start, end, steps=5, button=1):
        """Press at start, move to end in steps, release: a hand's drag."""
        (x0, y0), (x1, y1) = start, end
        ok = self.move(x0, y0) and self.down(button)
        for step in range(1, steps + 1):
            ok = self.move(x0 + (x1 - x0) * step // steps, y0 + (y1 - y0) * step // steps) and ok
        # Released whatever happened, so that no button stays down for the next action.
        return self.up(button) and ok

    def key(self, *keysyms):
        return self.run("key", "--delay", 40, *keysyms) is not None

    def type_text(self, text):
        return self.run("type", "--delay", 15, text, bound=30) is not None

    def activate(self, window):
        """Asks the window manager to raise and focus window (a minimised one is restored),
        and waits until it is active."""
        return self.run("windowactivate", "--sync", window) is not None

    def pointer(self):
        out = self.run("getmouselocation", "--shell")
        if out is None:
            return None
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values.get("X", 0)), int(values.get("Y", 0))
