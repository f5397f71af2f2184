#!/usr/bin/env python3
"""Plays the same clips in MoviraPlayer and in the bare mpv command-line player, one after
the other on one private Xvfb with software OpenGL, and prints what each costs:

  - CPU: user + system seconds of the program's whole process tree during 15 s of
    playback, counted from the moment its first picture is on screen;
  - memory: the peak of the tree's summed resident memory, sampled every 100 ms from
    launch to the end of those 15 s;
  - first picture: from launch until the clip's colour bars are on screen, found by
    grabbing the screen every 50 ms. Nothing depends on either program's own logging.

Then the player alone, started on the colour bars in a folder that holds a blue clip after
them: from the press of N (next file) until the blue clip's picture fills the video area.

Each figure is the median of --runs runs after one unmeasured warm-up of each program;
the programs take turns, so that load from elsewhere on the machine falls on both alike.
Both get the options the player gives the engine (engine/EngineOptions.cpp) and the same
sound output: a private PulseAudio server whose only sink is a null sink. The player's
measured runs start with the settings files its warm-up left, as for a returning user
(--first-start: with none, as on its very first start). Only the Python standard library
is used; the servers and screen grabs are those of the stress run (harness/).
"""

import argparse
import os
import platform
import re
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass, field

# The package shared with the stress run sits in the top folder.
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

from harness import main_window  # noqa: E402
from harness.servers import (  # noqa: E402
    SCREEN_H,
    SCREEN_W,
    start_sound_server,
    start_x_server,
    stop,
)
from harness.xlib import Connection, Rect  # noqa: E402

SETTINGS_FOLDER = "MoviraPlayer"  # the player's, in XDG_CONFIG_HOME

# The options the player sets on its engine, in the same order, as command-line options
# (test_compare_players.py compares them with engine/EngineOptions.cpp). Left out:
# "pause=yes" (the player starts paused and starts playback itself once the file has
# loaded; bare mpv just plays) and "wid" (mpv opens its own window instead).
ENGINE_OPTIONS = [
    "vo=gpu",
    "gpu-sw=yes",
    "gpu-api=auto",
    "hidpi-window-scale=yes",
    "window-scale=1",
    "hwdec=auto",
    "vd-lavc-dr=yes",
    "keep-open=yes",
    "osc=no",
    "input-default-bindings=no",
    "input-vo-keyboard=no",
    "input-cursor=no",
    "stop-screensaver=yes",
    "ao=pipewire,pulse,alsa,",
    "audio-exclusive=no",
    "audio-buffer=0.2",
    "slang=zh,en,chs,chi",
    "sub-auto=fuzzy",
    "cache=yes",
    "demuxer-max-bytes=20MiB",
    "demuxer-max-back-bytes=5MiB",
    "cache-secs=10",
    # the subtitle style, which the player sets right after start-up
    "sid=auto",
    "sub-visibility=yes",
    "sub-ass-override=force",
    "sub-font=Microsoft YaHei",
    "sub-font-size=40",
    "sub-border-size=2",
    "sub-color=#FFFFFFFF",
    "sub-border-color=#FF000000",
    "sub-margin-y=30",
    "sub-scale-with-window=yes",
]
# libmpv starts from other defaults than the command line ("mpv --show-profile=libmpv":
# no config files, no terminal, idle); these give the command line the same start.
LIBMPV_DEFAULTS = ["--no-config", "--profile=libmpv"]


@dataclass
class Clip:
    name: str
    width: int
    height: int
    seconds: int = 30
    kind: str = "bars"  # the picture: "bars", or "blue" all over

    @property
    def file_name(self):
        return f"{self.kind}-{self.width}x{self.height}.mp4"


CLIPS = [Clip("640x360", 640, 360), Clip("1920x1080", 1920, 1080)]
# The next file: the colour bars, then a blue clip of the same size (so that the window
# keeps its size), alone in a folder, where "bars-" comes before "blue-".
NEXT_FOLDER = "next"
NEXT_CLIPS = [Clip("640x360", 640, 360), Clip("640x360", 640, 360, kind="blue")]
# The share of the video area in blue that means the blue clip shows.
NEXT_SHOWN = 0.5
# ffmpeg's source of each picture, up to its size.
PICTURES = {"bars": "testsrc2=", "blue": "color=c=0x1030e0:"}


def fitted_video_area(video_w, video_h):
    """Where the player shows a video of this size: its window fitted at 100 % scale on a
    screen that is all work area (no window manager), minus the bars. Bare mpv gets a
    window of this size and place."""
    title_h, controls_h = main_window.bar_heights()
    x, y, w, h = main_window.fit_window_rect(video_w, video_h, (0, 0, SCREEN_W, SCREEN_H))
    return x, y + title_h, w, h - title_h - controls_h


def make_clip(clip, folder):
    """The clip: ffmpeg's colour bars with moving parts (or plain blue) and a tone, H.264
    and AAC in MP4, 25 frames a second. Made once and kept in folder."""
    path = os.path.join(folder, clip.file_name)
    if os.path.exists(path):
        return path
    os.makedirs(folder, exist_ok=True)
    partial = os.path.join(folder, "partial-" + clip.file_name)
    print(f"bench: making {clip.file_name}", file=sys.stderr)
    size = f"{clip.width}x{clip.height}"
    subprocess.run(
        [
            "ffmpeg",
            "-nostdin",
            "-hide_banner",
            "-loglevel",
            "error",
            "-y",
            "-f",
            "lavfi",
            "-i",
            f"{PICTURES[clip.kind]}size={size}:rate=25:duration={clip.seconds}",
            "-f",
            "lavfi",
            "-i",
            f"sine=frequency=440:sample_rate=48000:duration={clip.seconds}",
            "-map",
            "0:v",
            "-map",
            "1:a",
            "-c:v",
            "libx264",
            "-preset",
            "veryfast",
            "-pix_fmt",
            "yuv420p",
            "-c:a",
            "aac",
            "-b:a",
            "96k",
            "-shortest",
            "-f",
            "mp4",
            partial,
        ],
        check=True,
    )
    os.rename(partial, path)
    return path


# --- the screen ---------------------------------------------------------------------------


def _fraction(pixels, width, height, step, counts):
    """The share of a grab (4 bytes a pixel: blue, green, red, unused), sampled every step
    pixels each way, whose pixels counts(r, g, b) accepts."""
    found = samples = 0
    pitch, stride = width * 4, step * 4
    for y in range(0, height, step):
        row = pixels[y * pitch : (y + 1) * pitch]
        for b, g, r in zip(row[0::stride], row[1::stride], row[2::stride]):
            samples += 1
            if counts(r, g, b):
                found += 1
    return found / samples


def colourful_fraction(pixels, width, height, step=8):
    """The share of a grab in strong colour: the clips' colour bars are almost all strong
    colour; the player's grey bars, its black video area and the screen's black background
    are not. (The played part of the progress slider is, but it is far too small to
    count.)"""
    return _fraction(pixels, width, height, step, lambda r, g, b: max(r, g, b) - min(r, g, b) >= 80)


def blue_fraction(pixels, width, height, step=8):
    """The share of a grab in strong blue: all of the blue clip, but only the colour bars'
    one blue bar and a little of their moving parts; none of their cyan and magenta."""
    return _fraction(pixels, width, height, step, lambda r, g, b: b - max(r, g) >= 80)


class Screen(Connection):
    """The whole screen, grabbed every 50 ms while a program starts."""

    def colourful_fraction(self):
        pixels = self.grab(Rect(0, 0, SCREEN_W, SCREEN_H))
        if pixels is None:
            raise RuntimeError("cannot grab the screen as 32-bit pixels")
        return colourful_fraction(pixels, SCREEN_W, SCREEN_H)

    def blue_fraction(self, rect):
        pixels = self.grab(rect)
        if pixels is None:
            raise RuntimeError("cannot grab the screen as 32-bit pixels")
        return blue_fraction(pixels, rect.width, rect.height)


# --- processes ------------------------------------------------------------------------------

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")
PAGE_SIZE = os.sysconf("SC_PAGE_SIZE")


def process_tree(pid):
    """pid and all its descendants that are alive now."""
    found, index = [pid], 0
    while index < len(found):
        parent = found[index]
        index += 1
        try:
            threads = os.listdir(f"/proc/{parent}/task")
        except OSError:
            continue
        for tid in threads:
            try:
                with open(f"/proc/{parent}/task/{tid}/children") as f:
                    found.extend(int(child) for child in f.read().split())
            except OSError:
                pass
    return found


def cpu_seconds(pids):
    """User + system time of pids, with that of their children already waited for."""
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                # The command name may hold blanks; the fields after it are fixed.
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        # utime, stime, cutime, cstime are fields 14 to 17 of the line, 12 to 15 here.
        total += sum(int(value) for value in fields[11:15])
    return total / CLOCK_TICKS


def resident_bytes(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/statm") as f:
                total += int(f.read().split()[1]) * PAGE_SIZE
        except OSError:
            pass
    return total


def stop_process(process, pids):
    """SIGTERM (both programs then close as for a user), and SIGKILL for whatever of the
    tree is still there after 10 s."""
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
    for pid in pids:
        if pid != process.pid:
            try:
                os.kill(pid, signal.SIGKILL)
            except OSError:
                pass
    if process.poll() is None:
        process.kill()
        process.wait()


class _PeakMemory:
    """The highest resident size of a process tree, sampled every `interval` seconds, and
    the tree as last seen (what is left to stop)."""

    def __init__(self, pid, interval, start):
        self.pid = pid
        self.pids = [pid]
        self.interval = interval
        self.next = start
        self.peak = 0

    def tree(self):
        self.pids = process_tree(self.pid)
        return self.pids

    def restart(self, now):
        self.next = now

    def sample_if_due(self, now):
        if now >= self.next:
            self.peak = max(self.peak, resident_bytes(self.tree()))
            self.next += self.interval


@dataclass
class Run:
    cpu_s: float
    peak_rss_mib: float
    first_picture_ms: float
    x_server_cpu_s: float
    startup_cpu_s: float  # CPU of the tree from launch to the first picture


class RunFailed(Exception):
    pass


def xdotool(*arguments):
    """Real input through xdotool (the XTEST extension), as from a user's keyboard; its
    output. Bounded to 10 s."""
    try:
        done = subprocess.run(
            ["xdotool", *map(str, arguments)],
            stdin=subprocess.DEVNULL,
            capture_output=True,
            text=True,
            timeout=10,
        )
    except subprocess.TimeoutExpired:
        raise RunFailed(f"xdotool {' '.join(map(str, arguments))}: no answer in 10 s")
    if done.returncode != 0:
        raise RunFailed(f"xdotool {' '.join(map(str, arguments))}: {done.stderr.strip()}")
    return done.stdout


def focus_player(pid):
    """Gives the keyboard focus to the player's main window (there is no window manager to
    do it): its one top-level window on the screen with the player's process id (the video
    window and the engine's own window inside it have that id too)."""
    windows = xdotool("search", "--maxdepth", 1, "--onlyvisible", "--pid", pid).split()
    if not windows:
        raise RunFailed("the player's window is not there")
    xdotool("windowfocus", "--sync", windows[0])


@dataclass
class Bench:
    screen: Screen
    x_server_pid: int
    work: str
    runtime_dir: str
    play_seconds: float
    first_picture_timeout: float = 60.0
    shot_interval: float = 0.05
    rss_interval: float = 0.1
    threshold: float = 0.10  # share of the screen in colour that means "picture shown"
    next_shot_interval: float = 0.01
    run_count: int = field(default=0)

    def environment(self, settings):
        """A fresh home for every run, with a copy of the folder settings (or no settings
        at all); one shared cache folder, so that what Mesa keeps between runs (its shader
        cache) is warm for both programs alike. Returns the environment and the home."""
        self.run_count += 1
        home = os.path.join(self.work, f"home-{self.run_count}")
        os.makedirs(home)
        if settings:
            shutil.copytree(settings, os.path.join(home, "config", SETTINGS_FOLDER))
        env = {
            key: value
            for key, value in os.environ.items()
            if key
            not in (
                "WAYLAND_DISPLAY",
                "XAUTHORITY",
                "DBUS_SESSION_BUS_ADDRESS",
                "PULSE_SERVER",
                "LC_ALL",
                "LANGUAGE",
                "QT_QPA_PLATFORM",
            )
        }
        env.update(
            DISPLAY=os.environ["DISPLAY"],
            HOME=home,
            XDG_CONFIG_HOME=os.path.join(home, "config"),
            XDG_CACHE_HOME=os.path.join(self.work, "cache"),
            XDG_RUNTIME_DIR=self.runtime_dir,
            LANG="C.UTF-8",
        )
        return env, home

    def wait_for_clear_screen(self):
        deadline = time.monotonic() + 10
        while self.screen.colourful_fraction() > 0.001:
            if time.monotonic() > deadline:
                raise RunFailed("the screen still shows a picture from the run before")
            time.sleep(0.1)

    def launch(self, command, log_path, settings=None):
        """Starts command, its output to log_path, once the screen is clear; returns the
        process, the time it was started and the home folder it runs with."""
        self.wait_for_clear_screen()
        env, home = self.environment(settings)
        with open(log_path, "w") as log:
            start = time.monotonic()
            process = subprocess.Popen(
                command, env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT
            )
        return process, start, home

    def measure(self, command, log_path, settings=None):
        """One run of command; returns its Run and the home folder it ran with."""
        process, start, home = self.launch(command, log_path, settings)
        memory = _PeakMemory(process.pid, self.rss_interval, start)
        try:
            # Until the first picture: a grab every 50 ms and a memory sample every 100 ms.
            next_shot = start
            while True:
                now = time.monotonic()
                if now - start > self.first_picture_timeout:
                    raise RunFailed(f"no picture within {self.first_picture_timeout:.0f} s")
                if process.poll() is not None:
                    raise RunFailed(f"exited with {process.returncode} before its picture")
                memory.sample_if_due(now)
                shot_time = time.monotonic()
                if self.screen.colourful_fraction() >= self.threshold:
                    first_picture = shot_time - start
                    break
                next_shot += self.shot_interval
                time.sleep(max(0.0, next_shot - time.monotonic()))

            # The playback window: CPU of the tree (and of the X server, for reference).
            cpu_start = cpu_seconds(memory.tree())
            x_start = cpu_seconds([self.x_server_pid])
            window_start = time.monotonic()
            memory.restart(window_start)
            while True:
                now = time.monotonic()
                if process.poll() is not None:
                    raise RunFailed(f"exited with {process.returncode} during playback")
                memory.sample_if_due(now)
                if now - window_start >= self.play_seconds:
                    break
                time.sleep(
                    max(0.0, min(memory.next, window_start + self.play_seconds) - time.monotonic())
                )
            cpu = cpu_seconds(memory.tree()) - cpu_start
            x_cpu = cpu_seconds([self.x_server_pid]) - x_start
            return (
                Run(
                    cpu_s=cpu,
                    peak_rss_mib=memory.peak / (1 << 20),
                    first_picture_ms=first_picture * 1000,
                    x_server_cpu_s=x_cpu,
                    startup_cpu_s=cpu_start,
                ),
                home,
            )
        finally:
            stop_process(process, memory.pids)


@dataclass
class NextRun:
    first_picture_ms: float  # the first file's, from launch
    next_picture_ms: float  # the next file's, from the press of N


def measure_next(bench, command, video, log_path, settings=None):
    """One run of the player on the colour bars: once they show, N, and the time until the
    blue clip fills at least half of video (the video area's Rect)."""
    process, start, home = bench.launch(command, log_path, settings)
    pids = [process.pid]
    try:

        def wait_until(shown, since, what, interval):
            next_shot = since
            while True:
                if time.monotonic() - since > bench.first_picture_timeout:
                    raise RunFailed(f"no {what} within {bench.first_picture_timeout:.0f} s")
                if process.poll() is not None:
                    raise RunFailed(f"exited with {process.returncode} before the {what}")
                shot_time = time.monotonic()
                if shown():
                    return shot_time - since
                next_shot += interval
                time.sleep(max(0.0, next_shot - time.monotonic()))

        first = wait_until(
            lambda: bench.screen.colourful_fraction() >= bench.threshold,
            start,
            "first picture",
            bench.shot_interval,
        )
        pids = process_tree(process.pid)
        if bench.screen.blue_fraction(video) >= NEXT_SHOWN:
            raise RunFailed("the first file's picture already counts as the next file's")
        focus_player(process.pid)
        pressed = time.monotonic()
        xdotool("key", "n")
        # Grabbing the video area alone takes a few milliseconds: a finer interval here.
        following = wait_until(
            lambda: bench.screen.blue_fraction(video) >= NEXT_SHOWN,
            pressed,
            "next file's picture",
            bench.next_shot_interval,
        )
        pids = process_tree(process.pid)
        return NextRun(first * 1000, following * 1000), home
    finally:
        stop_process(process, pids)


def settings_template(home, folder):
    """The settings a player run left in home, copied to folder with every resume position
    back at 0, or None when there are none. Later runs start from a copy: like a returning
    user's start, with the settings files in place and nothing to write before playing,
    but never resuming (a resumed file would start paused)."""
    source = os.path.join(home, "config", SETTINGS_FOLDER)
    if not os.path.isfile(os.path.join(source, "progress.ini")):
        return None
    shutil.copytree(source, folder)
    progress = os.path.join(folder, "progress.ini")
    with open(progress, encoding="utf-8") as f:
        text = f.read()
    with open(progress, "w", encoding="utf-8") as f:
        f.write(re.sub(r"(?m)^progress=.*$", "progress=0.000", text))
    return folder


# --- the report -----------------------------------------------------------------------------

MEASURES = [
    # attribute, heading, format, target for player ÷ mpv (None: for reference only)
    ("cpu_s", "CPU s in {seconds:.0f} s of playback", "{:.2f}", 1.10),
    ("peak_rss_mib", "peak RSS MiB", "{:.0f}", 1.25),
    ("first_picture_ms", "first picture ms", "{:.0f}", 1.15),
    ("startup_cpu_s", "CPU s from launch to first picture", "{:.2f}", None),
    ("x_server_cpu_s", "Xvfb CPU s in the same {seconds:.0f} s", "{:.2f}", None),
]


def print_table(results, clips, seconds):
    print("| clip | measure | MoviraPlayer | mpv | player ÷ mpv | target |")
    print("|---|---|---|---|---|---|")
    for clip in clips:
        player_runs, mpv_runs = results[clip.name]["player"], results[clip.name]["mpv"]
        for attribute, heading, number, target in MEASURES:
            player = statistics.median(getattr(run, attribute) for run in player_runs)
            mpv = statistics.median(getattr(run, attribute) for run in mpv_runs)
            ratio = player / mpv if mpv > 0 else float("nan")
            verdict = "—"
            if target is not None:
                verdict = f"≤ {target:.2f} " + ("met" if ratio <= target else "**missed**")
            measure = heading.format(seconds=seconds)
            print(
                f"| {clip.name} | {measure} | {number.format(player)} | {number.format(mpv)}"
                f" | {ratio:.2f} | {verdict} |"
            )


def print_runs(results, clips):
    print(
        "\nEvery measured run (CPU s, peak RSS MiB, first picture ms, Xvfb CPU s,"
        " CPU s to first picture):"
    )
    for clip in clips:
        for program in ("player", "mpv"):
            cells = "; ".join(
                f"{r.cpu_s:.2f}, {r.peak_rss_mib:.0f}, {r.first_picture_ms:.0f},"
                f" {r.x_server_cpu_s:.2f}, {r.startup_cpu_s:.2f}"
                for r in results[clip.name][program]
            )
            print(f"  {clip.name} {program:6}: {cells}")


def measure_next_runs(bench, player, first_file, args, work):
    """The next file's picture: one warm-up and --runs measured runs of the player. Returns
    the measured NextRuns and whether any run failed."""
    clip = NEXT_CLIPS[0]
    x, y, w, h = fitted_video_area(clip.width, clip.height)
    video = Rect(x, y, w, h)
    runs, failed, settings = [], False, None
    for round_number in range(args.runs + 1):
        label = "warm-up" if round_number == 0 else f"run {round_number}"
        log = os.path.join(work, f"next-player-{round_number}.log")
        try:
            run, home = measure_next(bench, [player, first_file], video, log, settings)
        except RunFailed as error:
            print(f"bench: next file {label}: {error}; log: {log}", file=sys.stderr)
            failed = True
            continue
        print(
            f"bench: next file {label}: first picture {run.first_picture_ms:.0f} ms, "
            f"next file's {run.next_picture_ms:.0f} ms after N",
            file=sys.stderr,
        )
        if round_number > 0:
            runs.append(run)
        elif not args.first_start:
            settings = settings_template(home, os.path.join(work, "settings-next"))
    return runs, failed


def print_next(runs):
    times = [run.next_picture_ms for run in runs]
    print(
        f"\nnext file: first picture in {statistics.median(times):.0f} ms after N"
        f" (median of {len(times)}; each: {', '.join(f'{t:.0f}' for t in times)})"
    )


def machine_description():
    model = "unknown CPU"
    try:
        with open("/proc/cpuinfo") as f:
            for line in f:
                if line.startswith("model name"):
                    model = line.split(":", 1)[1].strip()
                    break
    except OSError:
        pass
    system = platform.system()
    try:
        with open("/etc/os-release") as f:
            for line in f:
                if line.startswith("PRETTY_NAME="):
                    system = line.split("=", 1)[1].strip().strip('"')
    except OSError:
        pass
    mpv = subprocess.run(
        ["mpv", "--no-config", "--version"], capture_output=True, text=True
    ).stdout.splitlines()
    return (
        f"{os.cpu_count()} cores ({model}), {system}, "
        f"{mpv[0].split(' Copyright')[0] if mpv else 'mpv'}"
    )


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--player", required=True, help="the moviraplayer executable")
    parser.add_argument("--mpv", default="mpv", help="the mpv command-line player")
    parser.add_argument("--media", required=True, help="folder for the generated clips")
    parser.add_argument("--runs", type=int, default=3, help="measured runs of each program")
    parser.add_argument("--seconds", type=float, default=15.0, help="playback measured")
    parser.add_argument(
        "--clips",
        default=",".join(c.name for c in CLIPS),
        help="which clips, by size: " + ", ".join(c.name for c in CLIPS),
    )
    parser.add_argument(
        "--no-next", action="store_true", help="leave out the player's next file's picture"
    )
    parser.add_argument("--keep", action="store_true", help="keep the work folder and logs")
    parser.add_argument(
        "--first-start",
        action="store_true",
        help="start the player with no settings folder every time, as on "
        "its very first start (by default the measured runs start with "
        "the settings files its warm-up left)",
    )
    args = parser.parse_args()

    clips = [c for c in CLIPS if c.name in args.clips.split(",")]
    paths = {clip.name: make_clip(clip, args.media) for clip in clips}
    next_folder = os.path.join(args.media, NEXT_FOLDER)
    next_paths = [] if args.no_next else [make_clip(c, next_folder) for c in NEXT_CLIPS]
    player = os.path.abspath(args.player)
    # The player's build folder holds the layout dump that places its window.
    main_window.use_build_folder(os.path.dirname(player))

    work = tempfile.mkdtemp(prefix="movira-bench-")
    runtime_dir = os.path.join(work, "runtime")
    os.makedirs(runtime_dir, mode=0o700)
    x_server = sound_server = screen = None
    failed = False
    try:
        x_server, display = start_x_server(work)
        os.environ["DISPLAY"] = display
        sound_server = start_sound_server(work, runtime_dir)
        screen = Screen(display)
        bench = Bench(
            screen=screen,
            x_server_pid=x_server.pid,
            work=work,
            runtime_dir=runtime_dir,
            play_seconds=args.seconds,
        )
        print(f"bench: {machine_description()}", file=sys.stderr)
        print(f"bench: load average before: {os.getloadavg()[0]:.2f}", file=sys.stderr)

        results = {}
        for clip in clips:
            x, y, w, h = fitted_video_area(clip.width, clip.height)
            commands = {
                "player": [player, paths[clip.name]],
                "mpv": [
                    args.mpv,
                    *LIBMPV_DEFAULTS,
                    *("--" + o for o in ENGINE_OPTIONS),
                    f"--geometry={w}x{h}+{x}+{y}",
                    paths[clip.name],
                ],
            }
            results[clip.name] = {"player": [], "mpv": []}
            settings = {"player": None, "mpv": None}
            # One warm-up of each, then the programs take turns.
            for round_number in range(args.runs + 1):
                for program, command in commands.items():
                    label = "warm-up" if round_number == 0 else f"run {round_number}"
                    log = os.path.join(work, f"{clip.name}-{program}-{round_number}.log")
                    try:
                        run, home = bench.measure(command, log, settings[program])
                    except RunFailed as error:
                        print(
                            f"bench: {clip.name} {program} {label}: {error}; log: {log}",
                            file=sys.stderr,
                        )
                        failed = True
                        args.keep = True
                        continue
                    print(
                        f"bench: {clip.name} {program:6} {label}: cpu {run.cpu_s:.2f} s, "
                        f"rss {run.peak_rss_mib:.0f} MiB, "
                        f"first picture {run.first_picture_ms:.0f} ms "
                        f"(after {run.startup_cpu_s:.2f} CPU s)",
                        file=sys.stderr,
                    )
                    if round_number > 0:
                        results[clip.name][program].append(run)
                    elif program == "player" and not args.first_start:
                        settings["player"] = settings_template(
                            home, os.path.join(work, f"settings-{clip.name}")
                        )
        next_runs = []
        if next_paths:
            next_runs, next_failed = measure_next_runs(bench, player, next_paths[0], args, work)
            failed = failed or next_failed
            args.keep = args.keep or next_failed
        print(f"bench: load average after: {os.getloadavg()[0]:.2f}", file=sys.stderr)
        if failed or any(not runs for r in results.values() for runs in r.values()):
            print("bench: some runs failed; the table holds the others", file=sys.stderr)
        complete = [c for c in clips if all(results[c.name].values())]
        print(
            f"\nMedian of {args.runs} runs after a warm-up, {args.seconds:.0f} s of playback,"
            f" Xvfb {SCREEN_W}x{SCREEN_H}, no window manager, software OpenGL:\n"
        )
        print_table(results, complete, args.seconds)
        print_runs(results, complete)
        if next_runs:
            print_next(next_runs)
    finally:
        if screen:
            screen.close()
        for server in (sound_server, x_server):
            stop(server)
        if args.keep:
            print(f"bench: logs kept in {work}", file=sys.stderr)
        else:
            subprocess.run(["rm", "-rf", work])
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
