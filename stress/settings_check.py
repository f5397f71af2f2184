"""Whether the settings files a run left are whole: both files there, every line a section,
a key=value pair or blank, the values of the player's own keys in their formats and
ranges, and no temporary file of an unfinished save left in the folder."""

import os
import re

DECIMAL = re.compile(r"-?[0-9]+(\.[0-9]+)?")
INTEGER = re.compile(r"-?[0-9]+")
FIXED3 = re.compile(r"[0-9]+\.[0-9]{3}")
ALLOWED = {"config.ini", "progress.ini", "config.ini.lock", "progress.ini.lock"}


def parse(path):
    """{section: {key: value}} of an INI file, and the lines that are none of the three
    kinds; raises OSError or UnicodeDecodeError."""
    with open(path, "rb") as f:
        text = f.read().decode("utf-8")
    if text.startswith("\ufeff"):
        text = text[1:]
    sections, bad = {}, []
    section = None
    for number, raw in enumerate(text.split("\n"), 1):
        line = raw.strip()
        if not line or line.startswith(";") or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
            sections.setdefault(section, {})
        elif "=" in line and section is not None:
            key, value = line.split("=", 1)
            sections[section][key.strip()] = value.strip()
        else:
            bad.append(f"line {number}: {raw!r}")
    if text and not text.endswith("\n"):
        bad.append("the last line has no end")
    return sections, bad


def resume_key(path):
    """The section name of path's entry in progress.ini: FNV-1a over the path's UTF-16
    code units, low byte first (settings/ResumeKey.cpp)."""
    value = 2166136261
    for byte in path.encode("utf-16-le"):
        value = ((value ^ byte) * 16777619) & 0xFFFFFFFF
    return str(value)


def check(folder, last_file=None, window=None):
    """A list of problems, empty when the files are whole. With last_file and window (a
    Rect): the file open when the close button was clicked must have an entry holding
    that window rectangle (at 100 % scale)."""
    problems = []
    try:
        names = set(os.listdir(folder))
    except OSError as error:
        return [f"no settings folder: {error}"]
    for name in sorted(names - ALLOWED):
        problems.append(f"unexpected file {name} (a save that did not finish?)")

    def load(name):
        try:
            sections, bad = parse(os.path.join(folder, name))
        except (OSError, UnicodeDecodeError) as error:
            problems.append(f"{name}: {error}")
            return {}
        problems.extend(f"{name}: {line}" for line in bad)
        return sections

    config = load("config.ini").get("Settings")
    if config is None:
        problems.append("config.ini: no [Settings] section")
    else:
        volume = config.get("Volume", "")
        if not DECIMAL.fullmatch(volume) or not 0 <= float(volume) <= 100:
            problems.append(f"config.ini: Volume={volume!r}")
        for key in ("Mute", "TopMost"):
            if config.get(key) not in ("0", "1"):
                problems.append(f"config.ini: {key}={config.get(key)!r}")
        if config.get("Language") != "lan_en.xml":
            problems.append(f"config.ini: Language={config.get('Language')!r}")

    progress = load("progress.ini")
    for key, entry in progress.items():
        if not key.isdigit():
            continue  # someone else's section, which the player keeps as it is
        if not FIXED3.fullmatch(entry.get("progress", "")):
            problems.append(f"progress.ini [{key}]: progress={entry.get('progress')!r}")
        for name in ("x", "y", "w", "h"):
            if not INTEGER.fullmatch(entry.get(name, "")):
                problems.append(f"progress.ini [{key}]: {name}={entry.get(name)!r}")
    if last_file is not None and window is not None:
        entry = progress.get(resume_key(last_file))
        expected = {"x": window.x, "y": window.y, "w": window.width, "h": window.height}
        if entry is None:
            problems.append(f"progress.ini: no entry for {last_file}, open at the close")
        elif any(entry.get(k) != str(v) for k, v in expected.items()):
            shown = {k: entry.get(k) for k in expected}
            problems.append(
                f"progress.ini: the entry for {last_file} holds the window at "
                f"{shown}, not at {expected}"
            )
    return problems
