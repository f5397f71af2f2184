"""The player's main window as the harnesses drive and measure it: the heights of its bars
at 100 % scale (skin/main.xml) and where the window goes when a video loads
(FitWindowRect in ui/FitGeometry.cpp). test_main_window.py compares both with those
files, so that a change there fails the tests instead of skewing a run."""

import ctypes
import math

TITLE_BAR_H = 30
CONTROL_BAR_H = 60
MINIMUM_WIDTH = 850


def _float32(value):
    return ctypes.c_float(value).value


def fit_window_rect(video_w, video_h, work_area, bars_height, dpi_scale=1.0):
    """The window's (x, y, width, height) for a video of video_w x video_h pixels on the
    work area (x, y, width, height), or None when the size is not positive: the video's
    size divided by the scale (in single precision, as the player does), at least
    MINIMUM_WIDTH wide, cut with its aspect to 90 % of the work area, width first, plus
    the bars, centred. int() truncates toward zero like the player's TruncateToInt, which
    only differs for sizes past the int range."""
    if video_w <= 0 or video_h <= 0:
        return None
    scale = _float32(dpi_scale)
    if not (scale > 0) or not math.isfinite(scale):
        scale = 1.0
    w = max(int(_float32(_float32(video_w) / scale)), MINIMUM_WIDTH)
    h = int(_float32(_float32(video_h) / scale))
    area_x, area_y, area_w, area_h = work_area
    max_w = max(1, int(area_w * 0.9))
    max_video_h = max(1, int(area_h * 0.9) - bars_height)
    if w > max_w:
        h, w = int(h * max_w / w), max_w
    if h > max_video_h:
        w, h = int(w * max_video_h / h), max_video_h
    window_h = h + bars_height
    # Halved toward zero like C++'s integer division, for a work area smaller than the bars.
    return (area_x + int((area_w - w) / 2), area_y + int((area_h - window_h) / 2), w, window_h)
