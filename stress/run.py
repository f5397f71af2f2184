"""One stress run: the servers, the player, the random actions and the checks made all
along, and what the run found."""

import os
import random
import shutil
import subprocess
import time

from harness.servers import start_sound_server, start_window_manager, start_x_server, stop

import layout as L
import memory
import paint_probe
import reference_state
import settings_check
from actions import Actions
from outcome import Outcome
from player import Player
from responsiveness import PingMonitor
from windows import FULLSCREEN, MINIMISED, PlayerWindows
from xdisplay import XDisplay
from xdo import Xdo

PROBE_EVERY = 15.0  # seconds between paint probes
TOOLTIP_BOUND = 15.0  # a tooltip hides by itself after 10 s
WARM_UP_PLAY = 2.5  # seconds each clip plays in the warm-up


class Run:
    def __init__(self, config):
        self.c = config
        self.o = Outcome()
        self._log = open(os.path.join(config.work, "actions.log"), "w", buffering=1)
        self._shots = 0
        self._start = 0.0
        self._fatal = False

    # --- logging and evidence ----------------------------------------------------------------

    def note(self, text):
        self._log.write(f"{time.monotonic() - self._start:8.2f} {text}\n")

    def fail(self, text, fatal=True):
        """Records a failure with a screenshot. A fatal one (the player gone, hung, or a
        window that will not close) ends the actions and skips the closing checks."""
        self.o.failures.append(text)
        self._fatal = self._fatal or fatal
        self.note("FAILURE " + text)
        self.screenshot("failure")

    def screenshot(self, label):
        self._shots += 1
        path = os.path.join(self.c.work, f"{self._shots:03d}-{label}.png")
        subprocess.run(
            ["import", "-display", self._display, "-silent", "-window", "root", path],
            stdin=subprocess.DEVNULL,
            capture_output=True,
            timeout=60,
        )
        return path

    # --- the run -------------------------------------------------------------------------------

    def execute(self):
        work = self.c.work
        runtime_dir = os.path.join(work, "runtime")
        os.makedirs(runtime_dir, mode=0o700)
        x_server = window_manager = sound_server = None
        x = monitor = sampler = None
        player = None
        try:
            x_server, self._display = start_x_server(work)
            window_manager = start_window_manager(work, self._display)
            sound_server = start_sound_server(work, runtime_dir)
            x = XDisplay(self._display)
            xdo = Xdo(self._display)
            xdo.on_failure = lambda error: self.note("input not delivered: " + error)

            player = Player(self.c.player, work, self._display, runtime_dir)
            player.start([self.c.first_clip])
            self._start = time.monotonic()
            sampler = memory.RssSampler(player.rss_kib)
            sampler.start()
            windows = PlayerWindows(x, xdo, player.pid)
            if not windows.await_main(60):
                self.fail("the player showed no window within 60 s")
                return self.o
            monitor = PingMonitor(self._display, self._start, player.pid)
            monitor.watch(windows.main)
            monitor.start()
            self.note(f"player {player.pid} on {self._display}, main window {windows.main:#x}")

            self._act(x, xdo, windows, player, monitor)
            if not self._fatal:
                self._finish(x, xdo, windows, player, monitor, sampler)
        finally:
            for thread in (monitor, sampler):
                if thread is not None:
                    thread.stop()
            if sampler is not None:
                self.o.samples = sampler.samples()
            if monitor is not None:
                self.o.longest = monitor.longest_stretch()
                self.o.pings_answered, self.o.pings_slow = monitor.answered, len(monitor.slow)
                for state, count in monitor.stalls.most_common():
                    self._log.write(f"UI thread while a ping waited: {state} ({count} looks)\n")
                for slow in monitor.slow:
                    self._log.write(
                        f"slow ping: {slow.seconds:.2f} s from {slow.at:.2f} s, "
                        f"during {slow.activity}\n"
                    )
            if player is not None and player.running():
                player.kill()
            if x is not None:
                x.close()
            for server in (window_manager, sound_server, x_server):
                stop(server)
            self._log.close()
        return self.o

    def _alive(self, windows, player, monitor):
        """False, with the failure recorded, once the player crashed, hung or lost its
        window."""
        code = player.exit_code()
        if code is not None:
            how = f"signal {-code}" if code < 0 else f"exit status {code}"
            self.fail(f"the player ended by itself ({how})")
            return False
        if monitor.pending_seconds() >= self.c.hang_seconds:
            self.fail(f"the player has not answered a ping for {self.c.hang_seconds:.0f} s")
            player.backtrace(os.path.join(self.c.work, "hang-backtrace.txt"))
            return False
        if not windows.main_exists():
            self.fail("the main window is gone while the process runs")
            return False
        return True

    def _act(self, x, xdo, windows, player, monitor):
        rng = random.Random(self.c.seed)
        actions = Actions(
            rng,
            x,
            xdo,
            windows,
            self.c.files,
            (
                self.c.drag_source,
                self._display,
                os.path.join(self.c.work, "runtime"),
                os.path.join(self.c.work, "drag-source.log"),
            ),
            self.o.counts,
            monitor.await_fresh_answer,
        )
        deadline = self._start + self.c.minutes * 60
        next_probe = time.monotonic() + PROBE_EVERY
        started = time.monotonic()
        # Growth needs time after the mark for its end measure to mean anything.
        mark_due = self.c.minutes * 60 >= 1.5 * memory.MARK_SECONDS

        def announce(name):
            monitor.activity = name

        self._warm_up(xdo, windows, player, monitor)
        while time.monotonic() < deadline:
            if not self._alive(windows, player, monitor):
                break
            if mark_due and time.monotonic() - self._start >= memory.MARK_SECONDS:
                mark_due = False
                self.o.mark = self._reference(x, xdo, windows, player, monitor, "1 min")
                if self.o.mark is None:
                    break
                continue
            name, description = actions.step(announce)
            self.note(f"{name}: {description} [rss {player.rss_kib()} KiB]")
            monitor.activity = "between actions"
            if not self._alive(windows, player, monitor):
                break
            stubborn = windows.close_extras(self.o.closed)
            if stubborn:
                self.fail(f"after {name}, windows would not close: {stubborn}")
                break
            if time.monotonic() >= next_probe:
                self._probe(x, xdo, windows, monitor)
                next_probe = time.monotonic() + PROBE_EVERY
            time.sleep(rng.uniform(0.05, 0.6))
        self.o.action_seconds = time.monotonic() - started
        self.o.drops = actions.drops
        self.o.input_failures = xdo.failures

    def _warm_up(self, xdo, windows, player, monitor):
        """Opens every clip once, a few seconds each, before the random actions: what is
        made once (each decoder, the largest frames, the dialog's file list) is then made
        before the one-minute mark, and growth after it comes from doing things again."""
        monitor.activity = "warm-up"
        for path in self.c.files["typed"]:
            if not self._alive(windows, player, monitor):
                return
            reference_state.reach_normal(xdo, windows, self.o.closed)
            opened = reference_state.open_file(xdo, windows, path)
            self.o.counts["warm_up_open"] += 1
            self.note(
                f"warm-up: {os.path.basename(path)}"
                f"{'' if opened else ', the dialog did not close'}"
            )
            time.sleep(WARM_UP_PLAY)

    def _reference(self, x, xdo, windows, player, monitor, label):
        """RSS in the reference state (reference_state.py, memory.py), or None with the
        failure recorded."""
        monitor.activity = f"RSS reference at {label}"
        self.note(f"RSS reference at {label}: reaching it")
        if not reference_state.reach(x, xdo, windows, self.c.reference_clip, self.o.closed):
            if self._alive(windows, player, monitor):
                self.fail(f"could not bring the player into the RSS reference state ({label})")
            return None
        reference = memory.sample_reference(player.rss_kib, self._start)
        # Which mappings hold the memory, to tell the heap of the UI thread from the
        # engine's threads and the graphics driver's buffers when the growth is too much.
        try:
            shutil.copyfile(
                f"/proc/{player.pid}/smaps",
                os.path.join(self.c.work, f"smaps-{label.replace(' ', '')}.txt"),
            )
        except OSError:
            pass
        if reference is None:
            self._alive(windows, player, monitor)
            return None
        self.note(
            f"RSS reference at {label}: median {reference.median_kib} KiB of "
            f"{len(reference.samples)} samples"
        )
        return reference

    def _probe(self, x, xdo, windows, monitor):
        monitor.activity = "paint probe"
        result = paint_probe.probe(x, xdo, windows)
        if result is None:
            return
        if result.ok:
            self.o.probes_passed += 1
            self.o.probe_slowest = max(self.o.probe_slowest, result.seconds)
        else:
            self.o.probes_failed += 1
            self.fail(f"paint probe: {result.detail}", fatal=False)

    def _finish(self, x, xdo, windows, player, monitor, sampler):
        """Closes what is open, counts the windows left, then closes the player with its
        close button and reads the settings files it wrote."""
        monitor.activity = "finishing"
        self.note("finishing")
        if self.o.mark is not None:
            self.o.end = self._reference(x, xdo, windows, player, monitor, "end")
            if self.o.end is None:
                return
        stubborn = windows.close_extras(self.o.closed)
        if stubborn:
            self.fail(f"at the end, windows would not close: {stubborn}")
        if windows.state() == MINIMISED:
            xdo.activate(windows.main)
        # The pointer on bare control bar, where no control shows a tooltip.
        g = windows.geometry()
        if g is not None:
            away = L.centre(L.bare_controls(g.width, g.height))
            xdo.move(g.x + away[0], g.y + away[1])
        deadline = time.monotonic() + TOOLTIP_BOUND
        while windows.extras(include_tooltips=True) and time.monotonic() < deadline:
            time.sleep(0.2)
        self.o.windows_left = [
            f"{kind} {top.name!r}" for kind, top in windows.extras(include_tooltips=True)
        ]
        if self.o.windows_left:
            self.fail(f"windows left at the end: {self.o.windows_left}", fatal=False)
        sampler.stop()  # the end of the memory record: before closing, not during it

        if windows.state() == FULLSCREEN:
            xdo.activate(windows.main)
            xdo.key("F11")
            deadline = time.monotonic() + 5
            while windows.state() == FULLSCREEN and time.monotonic() < deadline:
                time.sleep(0.05)
        if windows.state() == MINIMISED:
            xdo.activate(windows.main)
        # Where the close button is once the window stands still: a click at a place read
        # while it still moved (a restore, a file's fit) would land on another control.
        g = windows.await_still()
        if g is None or not self._alive(windows, player, monitor):
            return
        # After the reference state the reference clip is open and its entry must get the
        # window's place; after a short run without it, the file open is not known.
        last_file = self.c.reference_clip if self.o.end is not None else None
        cx, cy = L.centre(L.close_button(g.width, g.height))
        # Pings stop here: a window on its way out answers none, and that is no hang.
        monitor.watch(0)
        self.note("close button")
        xdo.click_at(g.x + cx, g.y + cy)
        status = player.wait(30)
        if status is None:
            shown = "shown" if x.is_viewable(windows.main) else "not shown"
            self.fail(
                f"the player did not exit within 30 s of its close button (clicked at "
                f"{g.x + cx},{g.y + cy} of the window at {g}; the window is {shown} now, at "
                f"{windows.geometry()})"
            )
            player.backtrace(os.path.join(self.c.work, "exit-backtrace.txt"))
            return
        self.o.exit_status = status
        if status != 0:
            self.fail(f"the player exited with status {status} after its close button")
        self.o.settings_problems = settings_check.check(player.settings_dir, last_file, g)
        for problem in self.o.settings_problems:
            self.fail(f"settings: {problem}", fatal=False)
