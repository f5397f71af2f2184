"""Whether the player's UI thread answers, measured all through the run.

A ping is the window manager's _NET_WM_PING client message sent to the main window; Qt
answers it from the UI thread's event handling (QXcbWindow::handleClientMessageEvent), by
sending it back to the root window. An answer therefore proves that the thread that also
paints, lays out and handles every click ran its event loop between the send and the
answer, which an X round trip would not: the X connection is read by a thread of its own.
A ping goes out every INTERVAL seconds whether or not earlier ones were answered; a ping's
wait is from its send to its answer, and the longest wait, counting pings still
unanswered, is the longest stretch in which the UI thread did not get back to its event
loop (to within INTERVAL)."""

import collections
import threading
import time
from dataclasses import dataclass

from xdisplay import XDisplay

INTERVAL = 0.25


@dataclass
class Stretch:
    seconds: float = 0.0
    at: float = 0.0  # when the ping went out, in seconds from the monitor's start time
    activity: str = ""  # what the run was doing then


def ui_thread_state(pid):
    """The system call the process's first thread is in, by number, and its wait channel,
    from /proc; "running" when it is in none."""
    try:
        with open(f"/proc/{pid}/task/{pid}/syscall") as f:
            call = f.read().split()
        with open(f"/proc/{pid}/task/{pid}/wchan") as f:
            wchan = f.read().strip()
    except OSError:
        return "gone"
    if not call or call[0] == "running":
        return "running"
    return f"syscall {call[0]} in {wchan or '?'}"


class PingMonitor(threading.Thread):
    def __init__(self, display_name, since, pid, slow_seconds=1.0):
        """since: the monotonic time that stretch times count from; pid: the player's, whose
        UI thread is looked at while a ping waits long."""
        super().__init__(name="ping-monitor", daemon=True)
        self._display_name = display_name
        self._slow_seconds = slow_seconds
        self._lock = threading.Lock()
        self._stopping = threading.Event()
        self._window = 0
        self._sent = {}  # serial -> (monotonic send time, activity)
        self._serial = 1000
        self._start = since
        self.activity = "start-up"
        self.longest = Stretch()
        self.answered = 0
        self.slow = []  # Stretch of every answer that took slow_seconds or longer
        self.error = None
        self._pid = pid
        self._latest_answered = 0.0  # send time of the latest ping answered
        # What the UI thread was doing while a ping waited slow_seconds or more: the system
        # call it was in (or "running") and its kernel wait channel, with how often seen.
        self.stalls = collections.Counter()

    def watch(self, window):
        """Pings go to window from now on; pings to an earlier window no longer count."""
        with self._lock:
            if window != self._window:
                self._window = window
                self._sent.clear()

    def pending_seconds(self):
        """How long the oldest unanswered ping has waited, 0 when none waits."""
        with self._lock:
            if not self._sent:
                return 0.0
            return time.monotonic() - min(sent for sent, _ in self._sent.values())

    def longest_stretch(self):
        """The longest wait so far, including that of a ping still unanswered."""
        with self._lock:
            longest = Stretch(self.longest.seconds, self.longest.at, self.longest.activity)
            now = time.monotonic()
            for sent, activity in self._sent.values():
                if now - sent > longest.seconds:
                    longest = Stretch(now - sent, sent - self._start, activity)
            return longest

    def await_fresh_answer(self, bound):
        """Waits until a ping sent after this call has been answered; by then the UI thread
        has handled every event that reached it before the call. False after bound
        seconds."""
        since = time.monotonic()
        while True:
            with self._lock:
                if self._latest_answered > since:
                    return True
            if time.monotonic() - since >= bound:
                return False
            time.sleep(0.02)

    def stop(self):
        self._stopping.set()
        if self.is_alive():
            self.join(timeout=10)

    def run(self):
        try:
            x = XDisplay(self._display_name)
        except RuntimeError as error:
            self.error = str(error)
            return
        try:
            x.watch_root_messages()
            next_ping = time.monotonic()
            while not self._stopping.is_set():
                now = time.monotonic()
                if now >= next_ping:
                    with self._lock:
                        window = self._window
                        if window:
                            self._serial += 1
                            self._sent[self._serial] = (now, self.activity)
                    if window:
                        x.send_ping(window, self._serial)
                    next_ping = now + INTERVAL
                if self.pending_seconds() >= self._slow_seconds:
                    self.stalls[ui_thread_state(self._pid)] += 1
                answers = x.ping_answers(max(0.0, next_ping - time.monotonic()))
                answered_at = time.monotonic()
                with self._lock:
                    for serial in answers:
                        sent = self._sent.pop(serial, None)
                        if sent is None:
                            continue  # another client's ping, or one to a former window
                        wait = answered_at - sent[0]
                        self.answered += 1
                        self._latest_answered = max(self._latest_answered, sent[0])
                        stretch = Stretch(wait, sent[0] - self._start, sent[1])
                        if wait >= self._slow_seconds:
                            self.slow.append(stretch)
                        if wait > self.longest.seconds:
                            self.longest = stretch
        finally:
            x.close()
