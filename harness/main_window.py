"""The player's main window as the harnesses drive and measure it, asked of the skin_layout
tool the build makes (tools/skinbuild/skin_layout.cpp): where the layouts put their parts
for a window size, and where the main window goes when a video loads, both from the
player's own skin package, layout code and FitWindowRect. The tool is the one
MOVIRA_SKIN_LAYOUT names, else the one in the build folder given to use_build_folder()."""

import functools
import json
import os
import subprocess

TOOL_VARIABLE = "MOVIRA_SKIN_LAYOUT"
TOOL_IN_BUILD_FOLDER = os.path.join("tools", "skinbuild", "skin_layout")


def use_build_folder(build_dir):
    """Takes the tool from build_dir, unless MOVIRA_SKIN_LAYOUT already names one."""
    os.environ.setdefault(
        TOOL_VARIABLE, os.path.join(os.path.abspath(build_dir), TOOL_IN_BUILD_FOLDER)
    )


def tool_path():
    """Where the tool is looked for; it may not be there."""
    return os.environ.get(TOOL_VARIABLE, "")


def tool():
    path = tool_path()
    if not os.access(path, os.X_OK):
        raise RuntimeError(
            f"no skin_layout tool at {path!r}: set {TOOL_VARIABLE} or build the skin_layout target"
        )
    return path


def _ask(*args):
    words = [str(a) for a in args]
    done = subprocess.run(
        [tool(), *words],
        capture_output=True,
        text=True,
        timeout=60,
        env=dict(os.environ, QT_QPA_PLATFORM="offscreen"),
    )
    if done.returncode != 0:
        raise RuntimeError(f"skin_layout {' '.join(words)}: {done.stderr.strip()}")
    return json.loads(done.stdout)


@functools.lru_cache(maxsize=512)
def layout(file="main.xml", w=None, h=None, shown=""):
    """The dump of a layout at w x h (its own size when left out) with the controls named in
    shown (comma separated) shown: {"controls": {name: [x, y, w, h]}, "texts": {...},
    "window": {"size", "mininfo", "sizebox", "caption"}, ...}, in window coordinates."""
    args = ["rects", file]
    if w is not None:
        args += [w, h]
    if shown:
        args += ["--show", shown]
    return _ask(*args)


def bar_heights():
    """The heights of the title bar and the control bar at 100 % scale."""
    controls = layout()["controls"]
    return controls["vTop"][3], controls["vBottom"][3]


def fit_window_rect(video_w, video_h, work_area, dpi_scale=1.0):
    """The window's (x, y, width, height) for a video of video_w x video_h pixels on the
    work area (x, y, width, height) at dpi_scale, or None when the size is not positive."""
    answer = _ask("fit", video_w, video_h, *work_area, dpi_scale)
    return None if answer is None else (answer["x"], answer["y"], answer["w"], answer["h"])
