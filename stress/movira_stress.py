#!/usr/bin/env python3
"""Stress run of the real player: for MINUTES, random user actions from a seeded random
generator on MoviraPlayer with real libmpv, on a private Xvfb with the openbox window
manager and a PulseAudio null sink, while its life, answers to pings, painting and
resident memory are watched; then it is closed with its close button and its settings
files are read. Prints a summary; exits 1 on any failure, keeping screenshots and logs.

Usually started by scripts/stress, which builds first."""

import argparse
import datetime
import glob
import os
import shutil
import signal
import sys

# The stress run's modules import each other by name, and the package it shares with the
# benchmark (harness/) sits in the top folder.
_here = os.path.dirname(os.path.abspath(__file__))
sys.path[:0] = [_here, os.path.dirname(_here)]

import report  # noqa: E402
from harness import main_window  # noqa: E402
from config import Config  # noqa: E402
from run import Run  # noqa: E402

TOOLS = ("Xvfb", "openbox", "pulseaudio", "xdotool", "xprop", "import")
FIRST_CLIP = "e2e-long-640x360.mp4"
REFERENCE_CLIP = "demo.mp4"  # reference_state.CLIP_TITLE is its title


def media_files(media, work):
    """The files to open and drop: the generated clips, and files that are not media,
    made in the run's folder."""
    clips = sorted(
        p
        for p in glob.glob(os.path.join(media, "*"))
        if p.endswith((".mp4", ".mkv", ".m4a")) and "partial-" not in p
    )
    if not clips:
        raise SystemExit(f"stress: no media in {media}; build the demo_media target first")
    others = os.path.join(work, "not-media")
    os.makedirs(os.path.join(others, "a folder"))
    with open(os.path.join(others, "notes.txt"), "w") as f:
        f.write("not a clip\n")
    with open(os.path.join(others, "a folder", "inside.txt"), "w") as f:
        f.write("a file in a dropped folder\n")
    open(os.path.join(others, "empty.mp4"), "w").close()
    with open(os.path.join(others, "garbage.mkv"), "wb") as f:
        f.write(bytes((i * 7919 + 13) % 251 for i in range(64 * 1024)))
    other = [
        os.path.join(others, name) for name in ("notes.txt", "empty.mp4", "garbage.mkv", "a folder")
    ]
    other += sorted(glob.glob(os.path.join(media, "*.srt")))
    return {"media": clips, "typed": [p for p in clips if p.isascii()], "other": other}


def main():
    # Ended from outside (timeout, kill): leave through the clean-ups, which stop the
    # servers and the player this run started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument(
        "minutes",
        nargs="?",
        type=float,
        default=10.0,
        help="how long to act on the player (default 10)",
    )
    parser.add_argument("--seed", type=int, help="seed of the random actions (default: random)")
    parser.add_argument(
        "--build-dir",
        default="build-stress",
        help="the build folder with moviraplayer, e2e_drag_source and media/",
    )
    parser.add_argument(
        "--hang-seconds",
        type=float,
        default=20.0,
        help="an unanswered ping this old is a hang (default 20)",
    )
    parser.add_argument(
        "--leak-mib",
        type=float,
        default=10.0,
        help="RSS growth after the first minute that fails the run (default 10)",
    )
    args = parser.parse_args()
    if args.minutes <= 0:
        parser.error("MINUTES must be positive")
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        raise SystemExit(f"stress: missing {', '.join(missing)}; run scripts/install-deps")

    build = os.path.abspath(args.build_dir)
    player = os.path.join(build, "moviraplayer")
    drag_source = os.path.join(build, "tests", "e2e", "e2e_drag_source")
    # Where the window's controls are: the layout dump of the same build.
    main_window.use_build_folder(build)
    for path in (player, drag_source, main_window.tool_path()):
        if not os.access(path, os.X_OK):
            raise SystemExit(f"stress: {path} is missing; build first (scripts/stress does)")
    seed = args.seed if args.seed is not None else int.from_bytes(os.urandom(4), "little")
    stamp = datetime.datetime.now().strftime("%Y%m%d-%H%M%S")
    work = os.path.join(build, "stress", f"{stamp}-seed{seed}")
    os.makedirs(work)
    files = media_files(os.path.join(build, "media"), work)
    first = os.path.join(build, "media", FIRST_CLIP)
    for clip in (FIRST_CLIP, REFERENCE_CLIP):
        if not os.path.exists(os.path.join(build, "media", clip)):
            raise SystemExit(f"stress: no {clip} in {build}/media; build demo_media first")

    # The reference clip alone in a folder: a file opened alone has its folder's media as its
    # queue, and the reference state plays the clip to its end without the next one starting.
    reference = os.path.join(work, "reference", REFERENCE_CLIP)
    os.makedirs(os.path.dirname(reference))
    shutil.copyfile(os.path.join(build, "media", REFERENCE_CLIP), reference)

    print(f"stress: seed {seed} (--seed {seed} repeats the same choices; timing still varies)")
    print(f"stress: {args.minutes:g} minutes; logs and screenshots in {work}", flush=True)
    config = Config(
        minutes=args.minutes,
        seed=seed,
        player=player,
        drag_source=drag_source,
        files=files,
        first_clip=first,
        reference_clip=reference,
        work=work,
        hang_seconds=args.hang_seconds,
        leak_mib=args.leak_mib,
    )
    outcome = Run(config).execute()
    with open(os.path.join(work, "rss.csv"), "w") as f:
        f.write("seconds,rss_kib\n")
        f.writelines(f"{t:.1f},{kib}\n" for t, kib in outcome.samples)
    lines, passed = report.summary(config, outcome, work)
    text = "\n".join(lines)
    with open(os.path.join(work, "summary.txt"), "w") as f:
        f.write(text + "\n")
    print("\nstress: summary\n" + text)
    return 0 if passed else 1


if __name__ == "__main__":
    sys.exit(main())
