"""The harnesses' picture of the main window against the player's own sources: the bars'
heights in the skin's layout, and the fit rule against every case of the player's
FitGeometryTest. Run with: python3 -m unittest discover -s harness -t ."""

import os
import re
import unittest
import xml.etree.ElementTree as ET

from harness.main_window import CONTROL_BAR_H, TITLE_BAR_H, fit_window_rect

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def _numbers(text):
    return [int(n) for n in text.split(",")]


class MainWindow(unittest.TestCase):
    def test_bar_heights_are_the_skins(self):
        layout = ET.parse(os.path.join(ROOT, "skin", "main.xml")).getroot()
        heights = {
            e.get("name"): int(e.get("height"))
            for e in layout.iter()
            if e.get("name") in ("vTop", "vBottom")
        }
        self.assertEqual(heights, {"vTop": TITLE_BAR_H, "vBottom": CONTROL_BAR_H})

    def test_fit_matches_every_case_of_the_players_test(self):
        with open(os.path.join(ROOT, "tests", "ui", "FitGeometryTest.cpp")) as f:
            source = f.read()
        areas = {
            name: _numbers(value)
            for name, value in re.findall(r"const QRect (\w+)\(([-\d, ]+)\);", source)
        }
        case = re.compile(
            r'FitCase\{"(\w+)", (\d+), (\d+), ([\d.]+)f, '
            r"(\w+|QRect\([-\d, ]+\)), (\d+),\s*QRect\(([-\d, ]+)\)\}"
        )
        cases = case.findall(source)
        # Every case must be read: one the pattern misses would go unchecked.
        self.assertEqual(len(cases), source.count("FitCase{"))
        self.assertGreaterEqual(len(cases), 8)
        for name, video_w, video_h, scale, area, bars, expected in cases:
            with self.subTest(name):
                work_area = areas[area] if area in areas else _numbers(area[len("QRect(") : -1])
                self.assertEqual(
                    fit_window_rect(
                        int(video_w), int(video_h), tuple(work_area), int(bars), float(scale)
                    ),
                    tuple(_numbers(expected)),
                )

    def test_a_work_area_smaller_than_the_bars_centres_toward_zero(self):
        # The player halves a negative leftover toward zero, as C++ divides.
        self.assertEqual(fit_window_rect(1920, 1080, (0, 0, 300, 80), 90), (149, -5, 1, 91))


if __name__ == "__main__":
    unittest.main()
