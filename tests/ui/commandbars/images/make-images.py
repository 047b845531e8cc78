#!/usr/bin/env python3
# Writes the image strips of the toolbar tests (24 bits per pixel, 16x15
# cells).  Each cell is a solid colour square inside a 2-pixel border of
# the classic light grey face (0xC0C0C0), so a test can tell by the pixel
# at a cell's centre which strip and which image a button was drawn from:
#   toolbar-normal.bmp    three cells: red, green, blue
#   toolbar-cold.bmp      three cells: dark red, dark green, dark blue
#   toolbar-disabled.bmp  three cells: amber, teal, purple
#   toolbar-second.bmp    two cells: orange, pink
# Run it from this folder after changing it; the outputs are committed.
import struct

FACE = (0xC0, 0xC0, 0xC0)

def strip(colours, width=16, height=15, border=2):
    total = width * len(colours)
    rows = []
    for y in range(height):
        row = bytearray()
        for colour in colours:
            for x in range(width):
                inside = border <= x < width - border and border <= y < height - border
                r, g, b = colour if inside else FACE
                row += bytes([b, g, r])
        row += b"\0" * ((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    bits = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, total, height, 1, 24, 0, len(bits), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    return struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset) + info + bits

STRIPS = {
    "toolbar-normal.bmp": [(220, 20, 20), (20, 180, 20), (20, 20, 220)],
    "toolbar-cold.bmp": [(110, 10, 10), (10, 90, 10), (10, 10, 110)],
    "toolbar-disabled.bmp": [(230, 170, 0), (0, 150, 150), (150, 0, 150)],
    "toolbar-second.bmp": [(250, 120, 0), (250, 110, 200)],
}

for name, colours in STRIPS.items():
    open(name, "wb").write(strip(colours))
