"""The private servers and screen grabs, for real: what a stress or benchmark run stands on."""

import os
import shutil
import tempfile
import unittest

from harness.servers import (
    SCREEN_H,
    SCREEN_W,
    accepts,
    start_sound_server,
    start_window_manager,
    start_x_server,
    stop,
)
from harness.xlib import Connection, Rect


@unittest.skipUnless(
    all(shutil.which(tool) for tool in ("Xvfb", "openbox", "pulseaudio")),
    "needs Xvfb, openbox and pulseaudio (scripts/install-deps)",
)
class PrivateServers(unittest.TestCase):
    def setUp(self):
        work = tempfile.TemporaryDirectory()
        self.addCleanup(work.cleanup)
        self.work = work.name

    def test_screen_starts_black_and_grabs_stay_within_it(self):
        x_server, display = start_x_server(self.work)
        self.addCleanup(stop, x_server)
        self.addCleanup(stop, start_window_manager(self.work, display))
        screen = Connection(display)
        self.addCleanup(screen.close)
        pixels = screen.grab(Rect(0, 0, SCREEN_W, SCREEN_H))
        self.assertEqual(len(pixels), SCREEN_W * SCREEN_H * 4)
        # Blue, green and red of every pixel: a black background.
        for channel in range(3):
            self.assertEqual(pixels[channel::4].count(0), SCREEN_W * SCREEN_H)
        corner = screen.grab(Rect(SCREEN_W - 3, SCREEN_H - 2, 3, 2))
        self.assertEqual(len(corner), 3 * 2 * 4)
        # A grab past the screen fails the request; the process lives on.
        self.assertIsNone(screen.grab(Rect(SCREEN_W - 3, 0, 4, 1)))
        self.assertIsNone(screen.grab(Rect(0, 0, 0, 10)))

    def test_sound_server_listens_until_stopped(self):
        runtime_dir = os.path.join(self.work, "runtime")
        os.makedirs(runtime_dir, mode=0o700)
        sound_server = start_sound_server(self.work, runtime_dir)
        self.addCleanup(stop, sound_server)
        socket_path = os.path.join(runtime_dir, "pulse", "native")
        self.assertTrue(accepts(socket_path))
        stop(sound_server)
        self.assertIsNotNone(sound_server.poll())
        self.assertFalse(accepts(socket_path))


if __name__ == "__main__":
    unittest.main()
