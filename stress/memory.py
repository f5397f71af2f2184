"""The player's resident memory over a run, and whether it grew.

RSS (VmRSS of /proc/PID/status) is sampled every few seconds all through the run, for the
record and the peak. Those samples cannot show a leak by themselves: the engine's demuxer
cache grows by the bytes of the file as it plays (up to the player's cache limits, and
emptied when another file loads), and with software OpenGL the pictures are drawn into
buffers of the window's size inside the process, so a fullscreen window holds tens of MiB
more than a small one. Growth is therefore measured between two moments in the same
state, reached the same way (run.py): at the one-minute mark and at the end, the window
is brought back to normal, the same short clip is opened through the open dialog and
played to its end, and RSS is sampled every half second for REFERENCE_SECONDS. Growth is
the median of the end's samples minus the median of the mark's: a median ignores a spike
that covers less than half of the samples, while a leak raises all of them."""

import statistics
import threading
import time
from dataclasses import dataclass

MARK_SECONDS = 60.0
REFERENCE_SECONDS = 10.0
REFERENCE_INTERVAL = 0.5


@dataclass
class Reference:
    at: float  # seconds since the player started, when sampling began
    samples: list  # KiB

    @property
    def median_kib(self):
        return statistics.median(self.samples)


@dataclass
class Growth:
    mark: Reference
    end: Reference

    @property
    def kib(self):
        return self.end.median_kib - self.mark.median_kib


def sample_reference(read_rss_kib, since):
    """RSS every REFERENCE_INTERVAL for REFERENCE_SECONDS; None if the process went away."""
    at = time.monotonic() - since
    samples = []
    deadline = time.monotonic() + REFERENCE_SECONDS
    while time.monotonic() < deadline:
        kib = read_rss_kib()
        if kib is None:
            return None
        samples.append(kib)
        time.sleep(REFERENCE_INTERVAL)
    return Reference(at, samples)


class RssSampler(threading.Thread):
    def __init__(self, read_rss_kib, interval=2.0):
        super().__init__(name="rss-sampler", daemon=True)
        self._read = read_rss_kib
        self._interval = interval
        self._stopping = threading.Event()
        self._lock = threading.Lock()
        self._samples = []
        self.start_time = time.monotonic()

    def samples(self):
        with self._lock:
            return list(self._samples)

    def stop(self):
        self._stopping.set()
        if self.is_alive():
            self.join(timeout=10)

    def run(self):
        while True:
            kib = self._read()
            if kib is not None:
                with self._lock:
                    self._samples.append((time.monotonic() - self.start_time, kib))
            if self._stopping.wait(self._interval):
                return
