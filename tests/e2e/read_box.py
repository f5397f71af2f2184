#!/usr/bin/python3
"""Reads a message box of a running MoviraPlayer through AT-SPI, as a screen reader does.

Run on the player's session bus with accessibility enabled, with the box's caption as the
argument. Prints the box's texts, one label after the other, and exits 0; exits 1 when no
window of that caption with a text appeared within the bound.
"""
import sys
import time

import pyatspi

BOUND = 20.0


def texts_of(caption):
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "MoviraPlayer":
            continue
        for window in app:
            if window is not None and window.name == caption:
                labels = pyatspi.findAllDescendants(
                    window, lambda a: a is not None and a.getRoleName() == "label"
                )
                return [label.name for label in labels if label.name]
    return []


def main():
    caption = sys.argv[1]
    deadline = time.monotonic() + BOUND
    while True:
        try:
            texts = texts_of(caption)
        except Exception:  # the tree changes under us while the box comes up
            texts = []
        if texts:
            print("\n".join(texts), flush=True)
            return 0
        if time.monotonic() >= deadline:
            print(f"no box captioned {caption!r} with a text", flush=True)
            return 1
        time.sleep(0.05)


if __name__ == "__main__":
    sys.exit(main())
