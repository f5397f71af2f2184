#!/usr/bin/python3
"""Works a running MoviraPlayer through AT-SPI, as a screen reader does.

Run on the player's session bus with accessibility enabled. Finds the player in the
desktop's accessible tree, reads its controls, toggles mute and the title (each change heard
as the check box's state), checks that the progress slider follows playback quietly, reads
its value text and is heard when moved through the tree, pauses with the play toggle's
action (heard as its state), opens the speed menu from the keyboard (window id as the
argument) on the checked speed, picks 1.5x in it and sets the volume slider to 40. Prints one
line per step; exits 0 when every step held, 1 with the reason otherwise.
"""
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

BOUND = 20.0
# (name, description) of the controls whose value change the player announced, in order.
announced = []
# (name, on) of every "checked" state change the player announced, in order.
checked = []


def on_value_changed(event):
    announced.append((event.source.name, event.source.description))


def on_checked(event):
    checked.append((event.source.name, bool(event.detail1)))


def pump():
    """Delivers the events that have arrived."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def await_(condition, bound=BOUND):
    """The first true result of condition() within bound seconds, else None."""
    deadline = time.monotonic() + bound
    while True:
        pump()
        try:
            result = condition()
        except Exception:  # the tree changes under us while a window opens or closes
            result = None
        if result or time.monotonic() >= deadline:
            return result
        time.sleep(0.05)


def fail(reason):
    print("FAIL", reason, flush=True)
    sys.exit(1)


def player():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "MoviraPlayer":
            return app
    return None


def find(root, role, name):
    return pyatspi.findDescendant(
        root, lambda a: a is not None and a.getRoleName() == role and a.name == name
    )


def keys(window, *names):
    """Presses keys in the player's window (its X id) as a user does."""
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10)
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True, timeout=10)


def main():
    pyatspi.Registry.registerEventListener(
        on_value_changed, "object:property-change:accessible-value"
    )
    pyatspi.Registry.registerEventListener(on_checked, "object:state-changed:checked")
    app = await_(player) or fail("no application named MoviraPlayer on the desktop")
    frame = app[0]
    print("window", frame.getRoleName(), repr(frame.name), flush=True)
    names = sorted(f"{c.getRoleName()}:{c.name}" for c in frame)
    print("controls", "|".join(names), flush=True)
    for role, name in [
        ("push button", "Speed"),
        ("push button", "Previous file"),
        ("push button", "Next file"),
        ("push button", "Audio track"),
        ("check box", "Pin"),
        ("check box", "Mute"),
        ("slider", "Progress"),
        ("slider", "Volume"),
        ("image", "Video"),
    ]:
        if not find(frame, role, name):
            fail(f"no {role} named {name}")

    for name, states in [("Mute", (True, False)), ("Show title", (False, True))]:
        toggle = find(frame, "check box", name) or fail(f"no check box named {name}")
        for on in states:
            toggle.queryAction().doAction(0)
            await_(lambda: (name, on) in checked) or fail(f"no state change to {on} for {name}")
            state = toggle.getState().contains(pyatspi.STATE_CHECKED)
            state == on or fail(f"{name} reads checked={state}, not {on}")
            print(name, "on" if on else "off", flush=True)

    progress = find(frame, "slider", "Progress").queryValue()
    if progress.minimumValue != 0 or not 89.0 <= progress.maximumValue <= 91.0:
        fail(f"progress range {progress.minimumValue}..{progress.maximumValue}")
    first = progress.currentValue
    if not await_(lambda: progress.currentValue >= first + 2.0):
        fail(f"the progress value stayed at {first}")
    print("progress follows", first, "->", progress.currentValue, flush=True)
    # Playback moves it without a word; its value text is read as its description.
    heard = [name for name, _ in announced]
    "Progress" not in heard or fail(f"playback announced the progress: {announced}")
    slider = find(frame, "slider", "Progress")
    said = slider.description
    re.fullmatch(r"0:\d\d of 1:[23]\d", said) or fail(f"the progress reads {said!r}")
    print("progress reads", said, flush=True)
    # A move of the user's is heard, with the time it moved to.
    progress.currentValue = 30.0
    moved = await_(lambda: [d for n, d in announced if n == "Progress"])
    moved or fail("no value change announced for the user's move")
    re.fullmatch(r"0:[23]\d of 1:[23]\d", moved[0]) or fail(f"the move reads {moved[0]!r}")
    print("progress moved to", moved[0], flush=True)

    # The play toggle keeps its name and is heard going off as the film pauses.
    play = find(frame, "check box", "Play") or fail("no check box named Play")
    play.getState().contains(pyatspi.STATE_CHECKED) or fail("Play reads off while playing")
    play.queryAction().doAction(0)
    await_(lambda: ("Play", False) in checked) or fail(f"no Play off heard: {checked}")
    print("paused", flush=True)

    # From the keyboard: Shift+Tab from nothing reaches the speed button sixth, past the
    # fullscreen button, the volume slider and the volume, audio and subtitle buttons, and
    # Return opens its menu, named after it, on the checked speed.
    speed = find(frame, "push button", "Speed")
    keys(sys.argv[1], *["shift+Tab"] * 6)
    await_(lambda: speed.getState().contains(pyatspi.STATE_FOCUSED)) or fail("Speed unfocused")
    keys(sys.argv[1], "Return")
    menu = await_(
        lambda: pyatspi.findDescendant(
            app, lambda a: a is not None and a.getRoleName() == "popup menu"
        )
    )
    menu or fail("no popup menu opened from the keyboard")
    menu.name == "Speed" or fail(f"the menu is named {menu.name!r}")
    on = await_(lambda: [i.name for i in menu if i.getState().contains(pyatspi.STATE_FOCUSED)])
    on == ["1x"] or fail(f"the keyboard is on {on} in the speed menu")
    print("speed menu opens on", on[0], flush=True)
    keys(sys.argv[1], "Escape")

    speed.queryAction().doAction(0)
    menu = await_(
        lambda: pyatspi.findDescendant(
            app, lambda a: a is not None and a.getRoleName() == "popup menu"
        )
    )
    menu or fail("no popup menu opened")
    items = [item.name for item in menu]
    print("menu", "|".join(items), flush=True)
    item = find(menu, "menu item", "1.5x") or fail("no 1.5x item")
    item.queryAction().doAction(0)
    await_(lambda: find(frame, "label", "1.5x")) or fail("the speed label never read 1.5x")
    await_(lambda: speed.description == "1.5x") or fail(f"Speed reads {speed.description!r}")
    print("speed 1.5x", flush=True)

    volume = find(frame, "slider", "Volume").queryValue()
    volume.currentValue = 40.0
    await_(lambda: volume.currentValue == 40.0) or fail(f"volume at {volume.currentValue}")
    print("volume 40", flush=True)
    print("ok", flush=True)


if __name__ == "__main__":
    main()
