"""The private servers of a stress or benchmark run: Xvfb on a free display, the openbox
window manager on it, and a PulseAudio server whose only sink is a null sink, in the run's
own runtime folder. Nothing of the user's session is touched: no DISPLAY, D-Bus or
PulseAudio of theirs."""

import os
import signal
import socket
import subprocess
import time

SCREEN_W, SCREEN_H = 1280, 800

# What must not leak from the caller's session into the private one.
SESSION_VARIABLES = (
    "DISPLAY",
    "XAUTHORITY",
    "WAYLAND_DISPLAY",
    "DBUS_SESSION_BUS_ADDRESS",
    "PULSE_SERVER",
    "SESSION_MANAGER",
)


def clean_environment(**extra):
    env = {k: v for k, v in os.environ.items() if k not in SESSION_VARIABLES}
    env.update(extra)
    return env


def stop(process, grace=10):
    """SIGTERM, then SIGKILL after grace seconds; exactly this process, nothing else."""
    if process is None or process.poll() is not None:
        return
    process.send_signal(signal.SIGTERM)
    try:
        process.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def start_x_server(work):
    """Xvfb at SCREEN_WxSCREEN_H on a display it picks itself (-displayfd). Returns the
    process and the display name once it accepts connections. The root window is black,
    which the benchmark's picture detection relies on, and the server never resets, so
    that root properties outlive a moment without clients."""
    read_end, write_end = os.pipe()
    with open(os.path.join(work, "xvfb.log"), "w") as log:
        process = subprocess.Popen(
            [
                "Xvfb",
                "-displayfd",
                str(write_end),
                "-screen",
                "0",
                f"{SCREEN_W}x{SCREEN_H}x24",
                "-nolisten",
                "tcp",
                "-noreset",
                "-br",
            ],
            pass_fds=(write_end,),
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=log,
            env=clean_environment(),
        )
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        stop(process)
        raise RuntimeError(f"Xvfb did not start; see {work}/xvfb.log")
    return process, f":{number}"


def start_window_manager(work, display):
    """openbox with its stock configuration (a private HOME, so no user's rc.xml), no
    session manager. Returns once it has claimed the screen (_NET_SUPPORTING_WM_CHECK)."""
    home = os.path.join(work, "openbox-home")
    os.makedirs(home, exist_ok=True)
    env = clean_environment(
        DISPLAY=display, HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config")
    )
    with open(os.path.join(work, "openbox.log"), "w") as log:
        process = subprocess.Popen(
            ["openbox", "--sm-disable"], env=env, stdin=subprocess.DEVNULL, stdout=log, stderr=log
        )
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise RuntimeError(f"openbox exited with {process.returncode}; see openbox.log")
        check = subprocess.run(
            ["xprop", "-display", display, "-root", "_NET_SUPPORTING_WM_CHECK"],
            capture_output=True,
            text=True,
            env=env,
        )
        if "window id" in check.stdout:
            return process
        time.sleep(0.1)
    stop(process)
    raise RuntimeError("openbox did not take the screen within 20 s")


def accepts(path):
    """True once something listens on the Unix socket at path: the socket file alone
    appears a moment before the server accepts."""
    with socket.socket(socket.AF_UNIX, socket.SOCK_STREAM) as s:
        try:
            s.connect(path)
            return True
        except OSError:
            return False


def start_sound_server(work, runtime_dir):
    """PulseAudio in the foreground as this program's child, with only a null sink, its
    socket in runtime_dir/pulse/native; returns once it accepts connections."""
    home = os.path.join(work, "pulse-home")
    os.makedirs(home, exist_ok=True)
    env = clean_environment(HOME=home, XDG_RUNTIME_DIR=runtime_dir)
    with open(os.path.join(work, "pulseaudio.log"), "w") as log:
        # As root it warns that it should not run as root, and runs.
        process = subprocess.Popen(
            [
                "pulseaudio",
                "-n",
                "--daemonize=no",
                "--exit-idle-time=-1",
                "--use-pid-file=no",
                "--disable-shm=yes",
                "--log-target=stderr",
                "-L",
                "module-null-sink sink_name=null",
                "-L",
                "module-native-protocol-unix auth-anonymous=1",
            ],
            env=env,
            stdin=subprocess.DEVNULL,
            stdout=log,
            stderr=log,
        )
    socket_path = os.path.join(runtime_dir, "pulse", "native")
    deadline = time.monotonic() + 20
    while not accepts(socket_path):
        if process.poll() is not None or time.monotonic() > deadline:
            stop(process)
            raise RuntimeError("pulseaudio did not listen; see pulseaudio.log")
        time.sleep(0.05)
    return process
