"""The stress run's own verdicts: what counts as whole settings files, as memory growth, and
where a drop may start, which keys mean nothing to the player, and which state the main
window is in. Run with:
python3 -m unittest discover -s stress"""

import os
import tempfile
import unittest

from harness.xlib import Rect

import layout as L
import memory
from actions import OTHER_KEYS, PLAYER_KEYS
from drag_source import SOURCE_H, SOURCE_W, source_place
from settings_check import check, resume_key
from windows import FULLSCREEN, MAXIMISED, NORMAL, judge_state

CONFIG = "[Settings]\nVolume=42.5\nMute=1\nTopMost=0\nLanguage=lan_en.xml\n"
CLIP = "/media/clip.mp4"


def progress(x=215, y=175, w=850, h=450, key=None):
    return (
        f"[{key or resume_key(CLIP)}]\nprogress=12.340\nx={x}\ny={y}\nw={w}\nh={h}\n"
        "[hand made]\nnote=kept\n"
    )


class SettingsCheck(unittest.TestCase):
    def folder(self, files):
        """A settings folder holding files: name -> text, or bytes as they are."""
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        for name, content in files.items():
            data = content if isinstance(content, bytes) else content.encode("utf-8")
            with open(os.path.join(folder.name, name), "wb") as f:
                f.write(data)
        return folder.name

    def test_whole_files_with_the_closed_window_pass(self):
        folder = self.folder(
            {
                "config.ini": CONFIG,
                "progress.ini": progress(),
                "config.ini.lock": "",
                "progress.ini.lock": "",
            }
        )
        self.assertEqual(check(folder, CLIP, Rect(215, 175, 850, 450)), [])

    def test_a_save_cut_short_is_found(self):
        cases = {
            "no end of line": {"config.ini": CONFIG, "progress.ini": progress().rstrip("\n")},
            "half a line": {"config.ini": CONFIG, "progress.ini": progress() + "[12"},
            "a temporary file left": {
                "config.ini": CONFIG,
                "progress.ini": progress(),
                "progress.ini.tmp-Ab12Cd": progress(),
            },
            "no config.ini": {"progress.ini": progress()},
            "volume out of range": {
                "config.ini": CONFIG.replace("42.5", "150.0"),
                "progress.ini": progress(),
            },
            "a flag that is not 0 or 1": {
                "config.ini": CONFIG.replace("Mute=1", "Mute=2"),
                "progress.ini": progress(),
            },
            "a position not in thousandths": {
                "config.ini": CONFIG,
                "progress.ini": progress().replace("12.340", "12.3"),
            },
            "a window size that is no number": {
                "config.ini": CONFIG,
                "progress.ini": progress(w="wide"),
            },
            "not UTF-8": {"config.ini": CONFIG, "progress.ini": b"[1]\nprogress=\xff\n"},
        }
        for name, files in cases.items():
            with self.subTest(name):
                self.assertNotEqual(check(self.folder(files)), [])

    def test_the_closed_window_must_be_in_the_entry_of_the_file_open(self):
        window = Rect(215, 175, 850, 450)
        moved = self.folder({"config.ini": CONFIG, "progress.ini": progress(x=-1, y=-1, w=0, h=0)})
        self.assertIn("holds the window", " ".join(check(moved, CLIP, window)))
        other = self.folder({"config.ini": CONFIG, "progress.ini": progress(key="1")})
        self.assertIn("no entry", " ".join(check(other, CLIP, window)))

    def test_resume_key_matches_the_player(self):
        # The key the player gave the demo clip in a run, by its path.
        self.assertEqual(resume_key("/work/main/build-stress/media/demo.mp4"), "203461699")


class Growth(unittest.TestCase):
    def test_a_spike_does_not_count_and_a_rise_does(self):
        mark = memory.Reference(60, [200_000] * 20)
        spiky = memory.Reference(600, [200_000] * 12 + [260_000] * 8)
        raised = memory.Reference(600, [211_000] * 20)
        self.assertEqual(memory.Growth(mark, spiky).kib, 0)
        self.assertEqual(memory.Growth(mark, raised).kib, 11_000)


class DropPlace(unittest.TestCase):
    def test_the_press_lands_beside_the_player_inside_the_source(self):
        for player in (
            Rect(215, 175, 850, 450),
            Rect(64, 40, 1152, 720),
            Rect(0, 0, 1100, 800),
            Rect(-60, 300, 900, 560),
        ):
            with self.subTest(player=player):
                place = source_place(player)
                self.assertIsNotNone(place)
                (sx, sy), (gx, gy) = place
                self.assertTrue(0 < gx < SOURCE_W and 0 < gy < SOURCE_H)
                self.assertFalse(player.contains(sx + gx, sy + gy))

    def test_no_place_beside_a_player_covering_the_screen(self):
        self.assertIsNone(source_place(Rect(0, 0, 1280, 800)))


class ClickPlace(unittest.TestCase):
    def test_only_the_part_of_a_control_on_the_screen_is_clicked(self):
        first = L.previous_button(850, 450)  # (0, 406, 40, 40)
        self.assertEqual(first, (0, 406, 40, 40))
        cases = {
            "on the screen": (Rect(215, 175, 850, 450), first),
            "dragged past the left edge": (Rect(-20, 175, 850, 450), (20, 406, 20, 40)),
            "past the bottom edge, in part": (Rect(215, 390, 850, 450), (0, 406, 40, 4)),
            "past the left edge by all of it": (Rect(-60, 175, 850, 450), None),
            "past the bottom edge by all of it": (Rect(215, 400, 850, 450), None),
        }
        for name, (window, expected) in cases.items():
            with self.subTest(name):
                self.assertEqual(L.on_screen(window, first), expected)


class WindowState(unittest.TestCase):
    def judge(self, hide=None, **seen):
        """The state judged from what the screen shows; hide is what waiting for the bars
        to go by themselves would find (None: the judgement must not wait for it)."""
        asked = []

        def bars_hide():
            asked.append(True)
            self.assertIsNotNone(hide, f"waited for the bars to hide with {seen}")
            return hide

        facts = dict(maximised=False, bars_shown=True, covering=False, above=False)
        facts.update(seen)
        return judge_state(bars_hide=bars_hide, **facts)

    def test_fullscreen_pinned_or_unpinned_and_what_only_looks_like_it(self):
        cases = {
            "bars hidden, fitted to a video": (dict(bars_shown=False), None, FULLSCREEN),
            "bars hidden, maximised": (dict(bars_shown=False, maximised=True), None, FULLSCREEN),
            "bars up, above the rest": (dict(covering=True, above=True), None, FULLSCREEN),
            "bars up, unpinned in fullscreen": (dict(covering=True), True, FULLSCREEN),
            "a window merely sized to the screen": (dict(covering=True), False, NORMAL),
            "maximised over the screen": (dict(covering=True, maximised=True), None, MAXIMISED),
            "a pinned window": (dict(above=True), None, NORMAL),
            "a window off the screen": (dict(bars_shown=None), None, NORMAL),
        }
        for name, (seen, hide, expected) in cases.items():
            with self.subTest(name):
                self.assertEqual(self.judge(hide, **seen), expected)


class Keys(unittest.TestCase):
    def test_the_other_keys_mean_nothing_to_the_player(self):
        # The player takes a letter whatever its case: "M" mutes as "m" does.
        self.assertEqual({k.lower() for k in OTHER_KEYS} & {k.lower() for k in PLAYER_KEYS}, set())

    def test_every_key_the_help_lists_is_one_of_the_players_keys(self):
        """A key the player gains is pressed as its own, never as one that means nothing."""
        usage = os.path.join(os.path.dirname(__file__), "..", "app", "usage.txt")
        with open(usage, encoding="utf-8") as f:
            keys = f.read().split("\nKeys:\n", 1)[1]
        listed = set()
        for line in keys.splitlines():
            # "  Page Down, Page Up  go to ...": the names stand before the first wide gap;
            # a line indented further goes on with the text above it.
            if line.startswith("  ") and not line.startswith("   "):
                for name in line.strip().split("  ", 1)[0].split(", "):
                    listed.add(name.replace("Shift+", "").replace(" ", "_").lower())
        self.assertIn("page_down", listed)
        self.assertLessEqual(listed, {k.lower() for k in PLAYER_KEYS})


if __name__ == "__main__":
    unittest.main()
