"""The comparison with bare mpv: that mpv gets the options the player gives its engine, and
what counts as a clip's picture on the screen.
Run with: python3 -m unittest discover -s bench"""

import os
import re
import unittest

import compare_players

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def engine_tables(file_name, kind):
    """The option tables of engine/FILE_NAME: name -> [(option, value)]; a value the
    table leaves to the system's back ends (nullptr) is None."""
    with open(os.path.join(ROOT, "engine", file_name)) as f:
        source = f.read()
    return {
        name: [
            (option, None if value == "nullptr" else value.strip('"'))
            for option, value in re.findall(r'\{"([^"]+)", ("[^"]*"|nullptr)\}', body)
        ]
        for name, body in re.findall(rf"constexpr {kind} (\w+)\[\] = \{{(.*?)\n\}};", source, re.S)
    }


def linux_audio_outputs():
    with open(os.path.join(ROOT, "engine", "EngineBackendsLinux.cpp")) as f:
        return re.search(r'AudioOutputs\(\) \{ return "([^"]*)"; \}', f.read()).group(1)


class EngineOptions(unittest.TestCase):
    def test_mpv_gets_the_players_options_in_its_order(self):
        tables = engine_tables("EngineOptions.cpp", "StringSetting")
        self.assertEqual(
            set(tables), {"kOptionsBeforeScale", "kOptionsAfterScale", "kSubtitleStyle"}
        )
        video = engine_tables("EngineBackendsLinux.cpp", "EngineStringOption")["kVideo"]
        audio = linux_audio_outputs()
        # The video back end comes first; window-scale is set between the first two tables,
        # at 100 % here; pause is left out, as bare mpv plays at once where the player
        # starts playback itself; the audio outputs go in where the table leaves them open.
        expected = [f"{n}={v}" for n, v in video + tables["kOptionsBeforeScale"]]
        expected += ["window-scale=1"]
        expected += [
            f"{n}={audio if v is None else v}"
            for n, v in tables["kOptionsAfterScale"]
            if n != "pause"
        ]
        expected += [f"{n}={v}" for n, v in tables["kSubtitleStyle"]]
        self.assertIn(("pause", "yes"), tables["kOptionsAfterScale"])
        self.assertEqual(compare_players.ENGINE_OPTIONS, expected)


class Picture(unittest.TestCase):
    def test_only_strong_colour_counts(self):
        # A pixel as blue, green, red, unused; the share of the screen it makes in colour
        # (a clip's picture) and in blue (the blue clip's, after the colour bars').
        cases = {
            "black": (b"\0\0\0\0", 0.0, 0.0),
            "the player's grey bars": (b"\x1e\x1e\x1e\0", 0.0, 0.0),
            "pale": (b"\xc8\xc8\x79\0", 0.0, 0.0),
            "just strong enough": (b"\xc8\xc8\x78\0", 1.0, 0.0),
            "pure red": (b"\0\0\xff\0", 1.0, 0.0),
            "the bars' cyan": (b"\xff\xff\0\0", 1.0, 0.0),
            "the bars' magenta": (b"\xff\0\xff\0", 1.0, 0.0),
            "the blue clip": (b"\xe0\x30\x10\0", 1.0, 1.0),
            "just blue enough": (b"\x90\x40\x10\0", 1.0, 1.0),
            "not quite blue": (b"\x8f\x40\x10\0", 1.0, 0.0),
        }
        for name, (pixel, colourful, blue) in cases.items():
            with self.subTest(name):
                grab = pixel * 32 * 16
                self.assertEqual(compare_players.colourful_fraction(grab, 32, 16), colourful)
                self.assertEqual(compare_players.blue_fraction(grab, 32, 16), blue)
        # Only every 8th pixel of every 8th row is looked at: colour between them is missed.
        between = (b"\0\0\0\0" + b"\0\0\xff\0" * 7) * 8 * 16
        self.assertEqual(compare_players.colourful_fraction(between, 64, 16), 0.0)


if __name__ == "__main__":
    unittest.main()
