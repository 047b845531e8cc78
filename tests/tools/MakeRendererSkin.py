#!/usr/bin/env python3
"""Writes the skin the renderer tests cut into nine parts
(tests/ui/foundation/renderer-skin.bmp): two states of 9 by 9 stacked top
to bottom, 24 bits, margins of 3 pixels, each of the nine parts one plain
colour so that a test can tell from a pixel which part was drawn there.
Only the interior differs between the states.
Run from the repository root: python3 tests/tools/MakeRendererSkin.py"""
import struct

# Colours as (red, green, blue), by part.
PARTS = {
    "top-left": (255, 0, 0), "top": (0, 255, 255), "top-right": (0, 255, 0),
    "left": (128, 0, 255), "right": (0, 128, 0),
    "bottom-left": (0, 0, 255), "bottom": (255, 128, 0), "bottom-right": (255, 255, 0),
}
INTERIOR = [(128, 128, 128), (64, 32, 16)]  # state 0, state 1
CELL, MARGIN = 9, 3


def part(x, y):
    column = "left" if x < MARGIN else "right" if x >= CELL - MARGIN else ""
    row = "top" if y < MARGIN else "bottom" if y >= CELL - MARGIN else ""
    return "-".join(p for p in (row, column) if p)


def main():
    rows = []
    for state, interior in enumerate(INTERIOR):
        for y in range(CELL):
            line = b""
            for x in range(CELL):
                name = part(x, y)
                r, g, b = PARTS[name] if name else interior
                line += bytes((b, g, r))
            rows.append(line.ljust((CELL * 3 + 3) // 4 * 4, b"\0"))
    image = b"".join(reversed(rows))  # bottom-up
    height = CELL * len(INTERIOR)
    header = struct.pack("<IiiHHIIiiII", 40, CELL, height, 1, 24, 0, len(image), 2835, 2835, 0, 0)
    data = struct.pack("<2sIHHI", b"BM", 54 + len(image), 0, 0, 54) + header + image
    with open("tests/ui/foundation/renderer-skin.bmp", "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
