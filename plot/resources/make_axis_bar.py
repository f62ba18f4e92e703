#!/usr/bin/env python3
"""Draws the axis bar's three button bitmaps into app/resources, in the style of the global tool
bar's buttons (app/resources/make_resources.py draws those and lends its painter).

Run it after changing a picture; the files it writes are kept in the repository.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(HERE, "..", "..", "app", "resources")
sys.path.insert(0, RESOURCES)
import make_resources  # noqa: E402

# 16 x 16 glyphs: '#' black, 'o' dark blue, '+' white, '.' the face.
GLYPHS = {
    # A curved arrow back: the previous limits.
    "previous": """
    ................
    ................
    .....####.......
    ...##....##.....
    ..#........#....
    .#..........#...
    .#..........#...
    #####.......#...
    .###........#...
    ..#........#....
    ...........#....
    ..........#.....
    ........##......
    ......##........
    ................
    ................""",
    # A box around two curves: the limits of all curves.
    "fitall": """
    ################
    #..............#
    #..oo.......##.#
    #.o..o.....#...#
    #o....o...#....#
    #......o.#.....#
    #.......##.....#
    #......#.oo....#
    #.....#....o...#
    #....#......o..#
    #...#........o.#
    #..#..........o#
    #.#............#
    ##.............#
    #..............#
    ################""",
    # A box around one curve: the limits of the current curve.
    "fitcurve": """
    ################
    #..............#
    #..........oo..#
    #.........o..o.#
    #........o.....#
    #.......o......#
    #......o.......#
    #.....o........#
    #....o.........#
    #...o..........#
    #..o...........#
    #.o............#
    #o.............#
    #..............#
    #..............#
    ################""",
}

# The bitmaps, by the names winplus/resource_ids.h gives them.
AXIS_BAR = {
    "IDB_PREVIOUS_LIMITS": "previous",
    "IDB_FIT_ALL_CURVES": "fitall",
    "IDB_FIT_CURRENT_CURVE": "fitcurve",
}


def main():
    make_resources.GLYPHS.update(GLYPHS)
    for glyph in AXIS_BAR.values():
        width, height, pixel = make_resources.button_strip(glyph, "push")
        with open(os.path.join(RESOURCES, glyph + ".bmp"), "wb") as f:
            f.write(make_resources.bmp24(width, height, pixel))


if __name__ == "__main__":
    main()
