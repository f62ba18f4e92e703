#!/usr/bin/env python3
"""Draws Sorix's own icon and button bitmaps and writes them beside this script.

Run it after changing a picture; the files it writes are kept in the repository, so a build
needs no Python. Button strips are 24-bit BMPs whose pure red (255, 0, 0) pixels become the
button face when loaded.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
RED = (255, 0, 0)


def bmp24(width, height, pixel):
    """A bottom-up 24-bit BMP; pixel(x, y) gives (r, g, b) with y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + data


def ico(images):
    """An icon file of 32-bit images; each is (size, pixel(x, y) -> (r, g, b, a))."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, pixel in images:
        xor = bytearray()
        for y in reversed(range(size)):
            for x in range(size):
                r, g, b, a = pixel(x, y)
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(size)):
            bits = bytearray(mask_stride)
            for x in range(size):
                if pixel(x, y)[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                                   offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def sorix_icon(size):
    """A blue tile with a white absorption peak over a baseline."""
    def pixel(x, y):
        u, v = (x + 0.5) / size, (y + 0.5) / size
        corner = 0.18
        dx, dy = max(corner - u, u - 1 + corner, 0), max(corner - v, v - 1 + corner, 0)
        if dx * dx + dy * dy > corner * corner:
            return (0, 0, 0, 0)
        curve = 0.78 - 0.55 * math.exp(-((u - 0.5) / 0.12) ** 2)
        if abs(v - curve) < 1.6 / size:
            return (255, 255, 255, 255)
        if v > curve:
            return (30, 90, 170, 255)
        return (50, 130, 220, 255)
    return pixel


def collapse_strip(size=15):
    """Seven frames of the caption's collapse button; frame choice is the toggle painter's."""
    # Frames 0, 1, 6 show the open panel (arrow up), 2, 4, 5 the collapsed one (arrow down),
    # 3 the disabled button; 1 and 5 are hot, 2 and 6 pressed.
    look = {0: ("up", ""), 1: ("up", "hot"), 2: ("down", "pressed"), 3: ("up", "disabled"),
            4: ("down", ""), 5: ("down", "hot"), 6: ("up", "pressed")}

    def pixel(x, y):
        frame, fx = divmod(x, size)
        arrow, mode = look[frame]
        edge = fx in (0, size - 1) or y in (0, size - 1)
        if edge and mode in ("hot", "pressed"):
            light = fx == 0 or y == 0
            if mode == "pressed":
                light = not light
            return (255, 255, 255) if light else (64, 64, 64)
        cy = size // 2
        rise = (y - cy + 2) if arrow == "up" else (cy + 2 - y)
        if 0 <= rise <= 3 and abs(fx - size // 2) <= rise:
            return (160, 160, 160) if mode == "disabled" else (0, 0, 0)
        return RED
    return 7 * size, size, pixel


# 16 x 16 glyphs of the global tool bar: '#' black, 'o' dark blue, '+' white, '.' the face.
GLYPHS = {
    "new": """
    ..##########....
    ..#+++++++#+#...
    ..#+++++++#++#..
    ..#+++++++#####.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#+++++++++++#.
    ..#############.
    ................
    ................""",
    "open": """
    ................
    ................
    .#####..........
    #ooooo#.........
    #oooooo######...
    #oooooooooooo#..
    #oo###########..
    #o#+++++++++++#.
    #o#++++++++++#..
    ##++++++++++#...
    #++++++++++#....
    ###########.....
    ................
    ................
    ................
    ................""",
    "save": """
    ................
    .##############.
    .#oo++++++++oo#.
    .#oo++++++++oo#.
    .#oo++++++++oo#.
    .#oo++++++++oo#.
    .#oooooooooooo#.
    .#oooooooooooo#.
    .#ooo######ooo#.
    .#ooo#++##+ooo#.
    .#ooo#++##+ooo#.
    .#ooo#++##+ooo#.
    .##############.
    ................
    ................
    ................""",
    "arrow": """
    ................
    ...#............
    ...##...........
    ...#+#..........
    ...#++#.........
    ...#+++#........
    ...#++++#.......
    ...#+++++#......
    ...#++++++#.....
    ...#+++####.....
    ...#+#+#........
    ...##.#+#.......
    ...#..#+#.......
    .......#+#......
    .......###......
    ................""",
    "zoom": """
    ................
    ....####........
    ...#++++#.......
    ..#++++++#......
    ..#++++++#......
    ..#++++++#......
    ..#++++++#......
    ...#++++#.......
    ....#####.......
    .........##.....
    ..........##....
    ...........##...
    ............##..
    .............#..
    ................
    ................""",
    "shrink": """
    ................
    .#...........#..
    ..#.........#...
    ...#.......#....
    ....##...##.....
    ....##...##.....
    ................
    ................
    ................
    ....##...##.....
    ....##...##.....
    ...#.......#....
    ..#.........#...
    .#...........#..
    ................
    ................""",
    "shift": """
    ................
    .......#........
    ......###.......
    .....#.#.#......
    .......#........
    ..#....#....#...
    .#.....#.....#..
    #######o#######.
    .#.....#.....#..
    ..#....#....#...
    .......#........
    .....#.#.#......
    ......###.......
    .......#........
    ................
    ................""",
    "xy": """
    ................
    .......#........
    .......#........
    .......#........
    .......#........
    ......ooo.......
    .....o...o......
    ######.o.######.
    .....o...o......
    ......ooo.......
    .......#........
    .......#........
    .......#........
    .......#........
    ................
    ................""",
}
COLOURS = {"#": (0, 0, 0), "o": (30, 60, 140), "+": (255, 255, 255)}


def button_strip(glyph, kind, size=22):
    """Four frames of a 22-pixel button; push: normal, hot, pressed, disabled; check: normal,
    hot, checked, disabled (the frame choice is the bitmap painters')."""
    rows = [line.strip() for line in GLYPHS[glyph].strip().splitlines()]
    looks = ["", "hot", "pressed", "disabled"] if kind == "push" else \
        ["", "hot", "checked", "disabled"]
    offset = (size - 16) // 2

    def pixel(x, y):
        frame, fx = divmod(x, size)
        look = looks[frame]
        edge = fx in (0, size - 1) or y in (0, size - 1)
        if edge and look:
            if look == "disabled":
                return RED
            light = fx == 0 or y == 0
            if look in ("pressed", "checked"):
                light = not light
            return (255, 255, 255) if light else (64, 64, 64)
        shift = 1 if look in ("pressed", "checked") else 0
        gx, gy = fx - offset - shift, y - offset - shift
        if 0 <= gx < 16 and 0 <= gy < 16 and rows[gy][gx] in COLOURS:
            if look == "disabled":
                return (160, 160, 160) if rows[gy][gx] != "+" else RED
            return COLOURS[rows[gy][gx]]
        return RED
    return 4 * size, size, pixel


def separator_strip(width=6, height=22):
    def pixel(x, y):
        if 2 <= y < height - 2 and x == width // 2 - 1:
            return (128, 128, 128)
        if 2 <= y < height - 2 and x == width // 2:
            return (255, 255, 255)
        return RED
    return width, height, pixel


def bmp8_rle(width, height, palette, index):
    """A bottom-up 8-bit run-length-encoded BMP; index(x, y) gives a palette entry, y from the
    top."""
    data = bytearray()
    for y in reversed(range(height)):
        row = [index(x, y) for x in range(width)]
        x = 0
        while x < width:
            run = 1
            while x + run < width and run < 255 and row[x + run] == row[x]:
                run += 1
            data += bytes((run, row[x]))
            x += run
        data += b"\0\0"  # end of line
    data += b"\0\1"  # end of bitmap
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    colours += b"\0" * (4 * 256 - len(colours))
    offset = 54 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, 256,
                       0)
    return header + info + colours + bytes(data)


# 5 x 7 letters of the banner's title.
FONT = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "o": ["00000", "00000", "01110", "10001", "10001", "10001", "01110"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
    "i": ["00100", "00000", "01100", "00100", "00100", "00100", "01110"],
    "x": ["00000", "00000", "10001", "01010", "00100", "01010", "10001"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    ".": ["00000", "00000", "00000", "00000", "00000", "01100", "01100"],
    "0": ["01110", "10001", "10011", "10101", "11001", "10001", "01110"],
    " ": ["00000"] * 7,
}


def banner(width=389, height=315):
    """The splash banner: a blue gradient, a white absorption peak and the title."""
    palette = [(20 + i, 50 + i, 110 + i) for i in range(0, 128, 2)]  # 64 shades of blue
    white, light = len(palette), len(palette) + 1
    palette += [(255, 255, 255), (170, 200, 240)]
    title, scale, left, top = "Sorix 2.0", 6, 40, 40

    def index(x, y):
        column, row = (x - left) // scale, (y - top) // scale
        if 0 <= row < 7 and 0 <= column < 6 * len(title):
            letter, dx = divmod(column, 6)
            if dx < 5 and FONT[title[letter]][row][dx] == "1":
                return white
        u = x / width
        curve = height - 40 - 140 * math.exp(-((u - 0.6) / 0.08) ** 2) \
            - 60 * math.exp(-((u - 0.3) / 0.05) ** 2)
        if abs(y - curve) < 1.5:
            return white
        if y > curve and y > height - 40 - 1:
            return light
        return min(len(palette) - 3, y * 64 // height)
    return width, height, palette, index


# The global tool bar's bitmaps by resource id.
TOOL_BAR = {151: ("new", "push"), 135: ("open", "push"), 152: ("save", "push"),
            154: ("arrow", "check"), 150: ("zoom", "check"), 148: ("shrink", "check"),
            153: ("shift", "check"), 149: ("xy", "check")}


# 3 x 5 letters of the shell's own buttons and images, drawn twice their size.
SMALL_FONT = {
    "A": ["010", "101", "111", "101", "101"], "B": ["110", "101", "110", "101", "110"], "C": ["011", "100", "100", "100", "011"],
    "D": ["110", "101", "101", "101", "110"], "E": ["111", "100", "110", "100", "111"],
    "F": ["111", "100", "110", "100", "100"], "G": ["011", "100", "101", "101", "011"],
    "I": ["111", "010", "010", "010", "111"], "K": ["101", "101", "110", "101", "101"],
    "L": ["100", "100", "100", "100", "111"], "M": ["101", "111", "111", "101", "101"],
    "N": ["110", "101", "101", "101", "101"], "O": ["010", "101", "101", "101", "010"],
    "P": ["110", "101", "110", "100", "100"], "R": ["110", "101", "110", "101", "101"],
    "S": ["011", "100", "010", "001", "110"], "T": ["111", "010", "010", "010", "010"],
    "U": ["101", "101", "101", "101", "111"], "V": ["101", "101", "101", "101", "010"],
    "X": ["101", "101", "010", "101", "101"], "+": ["000", "010", "111", "010", "000"],
    "#": ["111", "111", "111", "111", "111"], "=": ["000", "111", "000", "111", "000"],
}


def lettered_glyph(text):
    """16 x 16 glyph rows of up to two letters in dark blue."""
    rows = [["."] * 16 for _ in range(16)]
    width = 8 * len(text) - 2
    left = (16 - width) // 2
    for i, letter in enumerate(text):
        for y, line in enumerate(SMALL_FONT[letter]):
            for x, bit in enumerate(line):
                if bit == "1":
                    for dy in (0, 1):
                        for dx in (0, 1):
                            rows[3 + 2 * y + dy][left + 8 * i + 2 * x + dx] = "o"
    return "\n".join("".join(r) for r in rows)


def toggle_strip(glyph, size=22):
    """Seven frames of a 22-pixel toggle button, chosen as the toggle painter chooses them:
    0 and 4 normal, 1 and 5 hot, 2 and 6 pressed, 3 disabled (4 to 6: toggled on)."""
    looks = ["", "hot", "checked", "disabled", "checked", "hot", "pressed"]
    width, height, push = button_strip(glyph, "push", size)

    def pixel(x, y):
        frame, fx = divmod(x, size)
        base = {"": 0, "hot": 1, "pressed": 2, "checked": 2, "disabled": 3}[looks[frame]]
        return push(base * size + fx, y)
    return 7 * size, size, pixel


def node_image(number, size=16):
    """A 16 x 16 image of a tree item: a coloured tile with two letters or a sign."""
    hue = (number * 47) % 360
    h = hue / 60.0
    c, xx = 170, int(170 * (1 - abs(h % 2 - 1)))
    r, g, b = [(c, xx, 0), (xx, c, 0), (0, c, xx), (0, xx, c), (xx, 0, c), (c, 0, xx)][int(h) % 6]
    fill = (60 + r, 60 + g, 60 + b)
    glyph = [line for line in lettered_glyph(IMAGE_LETTERS.get(number, "#")).splitlines()]

    def pixel(x, y):
        if x in (1, 14) and 1 <= y <= 14 or y in (1, 14) and 1 <= x <= 14:
            return (40, 40, 40)
        if 2 <= x <= 13 and 2 <= y <= 13:
            return (255, 255, 255) if glyph[y][x] == "o" else fill
        return (255, 255, 255)
    return size, size, pixel


def state_image(state, size=16):
    """The check-box state images: 0 nothing, 1 an empty box, 2 a ticked box."""
    def pixel(x, y):
        if state == 0 or not (2 <= x <= 13 and 2 <= y <= 13):
            return (255, 255, 255)
        if x in (2, 13) or y in (2, 13):
            return (0, 0, 0)
        tick = (x - 4 == y - 8 and 4 <= x <= 7) or (x + y == 17 and 7 <= x <= 11)
        return (0, 0, 0) if state == 2 and (tick or (x + y == 16 and 7 <= x <= 11)) else \
            (255, 255, 255)
    return size, size, pixel


def vertical_separator_strip():
    """The 22 x 6 separator of the vertical bars: a groove across."""
    def pixel(x, y):
        if 2 <= x < 20 and y == 2:
            return (128, 128, 128)
        if 2 <= x < 20 and y == 3:
            return (255, 255, 255)
        return RED
    return 22, 6, pixel


# Letters on the tree images by bitmap resource id (any 16 x 16 picture will do).
IMAGE_LETTERS = {103: "M", 104: "B", 105: "C", 106: "K", 107: "P", 108: "D", 109: "X", 110: "F",
                 111: "F", 112: "E", 113: "I", 114: "I", 115: "L", 116: "R", 117: "#",
                 118: "O", 119: "R", 120: "R", 121: "S", 122: "R", 123: "V", 124: "#", 125: "R",
                 126: "M", 127: "V", 128: "F", 136: "L", 137: "C", 138: "D", 139: "T", 140: "D",
                 163: "T", 231: "F", 232: "S"}

# The shell's 22-pixel buttons by bitmap resource id: letters and kind.
SHELL_BUTTONS = {129: ("P", "push"), 130: ("C", "push"), 131: ("X", "push"),
                 133: ("U", "push"), 134: ("R", "push"), 145: ("OK", "push"),
                 159: ("+F", "check"), 162: ("A", "check"), 166: ("CR", "check"),
                 167: ("EF", "check"), 168: ("NF", "check"), 169: ("GF", "check"),
                 173: ("GO", "push"), 174: ("S", "push"), 175: ("T", "push"),
                 176: ("ME", "toggle")}

# The parameter list's icons by resource id.
ICON_LETTERS = {141: "E", 142: "I", 143: "R", 144: "B"}


def lettered_icon(letters):
    def make(size):
        glyph = lettered_glyph(letters).splitlines()

        def pixel(x, y):
            gx, gy = x * 16 // size, y * 16 // size
            if glyph[gy][gx] == "o":
                return (255, 255, 255, 255)
            return (50, 130, 220, 255)
        return pixel
    return ico([(32, make(32)), (16, make(16))])


def write_shell_resources():
    for number, letters in ICON_LETTERS.items():
        with open(os.path.join(HERE, "icon_%d.ico" % number), "wb") as f:
            f.write(lettered_icon(letters))
    images = {"image_%d.bmp" % n: node_image(n) for n in IMAGE_LETTERS}
    images.update({"state_%d.bmp" % (170 + s): state_image(s) for s in range(3)})
    images["separator_vertical.bmp"] = vertical_separator_strip()
    for number, (letters, kind) in SHELL_BUTTONS.items():
        GLYPHS["button_%d" % number] = lettered_glyph(letters)
        strip = toggle_strip("button_%d" % number) if kind == "toggle" else \
            button_strip("button_%d" % number, kind)
        images["button_%d.bmp" % number] = strip
    for name, (width, height, pixel) in images.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp24(width, height, pixel))


def main():
    with open(os.path.join(HERE, "sorix.ico"), "wb") as f:
        f.write(ico([(32, sorix_icon(32)), (16, sorix_icon(16))]))
    strips = {"collapse.bmp": collapse_strip(), "separator.bmp": separator_strip()}
    for glyph, kind in TOOL_BAR.values():
        strips[glyph + ".bmp"] = button_strip(glyph, kind)
    for name, (width, height, pixel) in strips.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(bmp24(width, height, pixel))
    # Shown from the program's folder at start-up (not a resource).
    with open(os.path.join(HERE, "Sorix-Banner 2.bmp"), "wb") as f:
        f.write(bmp8_rle(*banner()))
    write_shell_resources()


if __name__ == "__main__":
    main()
