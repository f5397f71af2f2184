"""The player process of a stress run: started with a fresh HOME, settings and pictures
folder on the private display and sound server, in a fixed English UTF-8 locale, like the
end-to-end tests start it."""

import os
import subprocess

from harness.servers import clean_environment

SETTINGS_FOLDER = "MoviraPlayer"


class Player:
    def __init__(self, executable, work, display, runtime_dir):
        self.executable = executable
        self.home = os.path.join(work, "home")
        self.config_home = os.path.join(self.home, "config")
        self.settings_dir = os.path.join(self.config_home, SETTINGS_FOLDER)
        self.log_path = os.path.join(work, "player.log")
        os.makedirs(self.config_home, exist_ok=True)
        self._env = clean_environment(
            DISPLAY=display,
            HOME=self.home,
            XDG_CONFIG_HOME=self.config_home,
            XDG_CACHE_HOME=os.path.join(self.home, "cache"),
            XDG_DATA_HOME=os.path.join(self.home, "data"),
            # Where the S key's screenshots go, whatever the caller's desktop says.
            XDG_PICTURES_DIR=os.path.join(self.home, "pictures"),
            XDG_RUNTIME_DIR=runtime_dir,
            PULSE_SERVER=f"unix:{runtime_dir}/pulse/native",
            LANG="C.UTF-8",
        )
        for name in (
            "LANGUAGE",
            "LC_ALL",
            "LC_MESSAGES",
            "LC_NUMERIC",
            "QT_QPA_PLATFORM",
            "QT_SCALE_FACTOR",
            "QT_SCREEN_SCALE_FACTORS",
        ):
            self._env.pop(name, None)
        self.process = None

    def start(self, arguments):
        # Appended, so that a restarted player keeps the earlier run's output.
        with open(self.log_path, "a") as log:
            self.process = subprocess.Popen(
                [self.executable, *arguments],
                env=self._env,
                cwd=self.home,
                stdin=subprocess.DEVNULL,
                stdout=log,
                stderr=subprocess.STDOUT,
            )

    @property
    def pid(self):
        return self.process.pid if self.process else 0

    def running(self):
        return self.process is not None and self.process.poll() is None

    def exit_code(self):
        """None while it runs; the exit status, negative for a signal, once it has ended."""
        return None if self.process is None else self.process.poll()

    def wait(self, timeout):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def rss_kib(self):
        """VmRSS from /proc/PID/status in KiB, or None once the process is gone."""
        try:
            with open(f"/proc/{self.pid}/status") as f:
                for line in f:
                    if line.startswith("VmRSS:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return None

    def kill(self):
        if self.running():
            self.process.kill()
            self.process.wait()

    def backtrace(self, path):
        """Every thread's stack, through gdb when it is installed, into path."""
        try:
            with open(path, "w") as out:
                subprocess.run(
                    ["gdb", "-p", str(self.pid), "-batch", "-nx", "-ex", "thread apply all bt"],
                    stdin=subprocess.DEVNULL,
                    stdout=out,
                    stderr=subprocess.STDOUT,
                    timeout=120,
                )
        except (OSError, subprocess.TimeoutExpired):
            pass
