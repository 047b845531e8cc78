#!/usr/bin/env python3
# Writes the image strips the strip tests load from their resources:
#   classic8.bmp  8 bits per pixel, two 16x15 cells on the classic light grey
#                 (0xC0C0C0) face, a red pixel at (2,2) and a black one at
#                 (20,3);
#   alpha32.png   16x16, every pixel red with alpha 128 (straight alpha).
# Run it from this folder after changing it; the outputs are committed.
import struct
import zlib

def classic8():
    palette = [(0, 0, 0), (0x80, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0xFF, 0xFF, 0xFF), (0xFF, 0, 0)]
    palette += [(0, 0, 0)] * (256 - len(palette))
    width, height = 32, 15
    rows = []
    for y in range(height):
        row = [2] * width
        if y == 2:
            row[2] = 4
        if y == 3:
            row[20] = 0
        rows.append(bytes(row))
    stride = (width + 3) & ~3
    bits = b"".join(r + b"\0" * (stride - width) for r in reversed(rows))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(bits), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + table + bits

def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

def alpha32():
    width = height = 16
    raw = b"".join(b"\0" + bytes([255, 0, 0, 128]) * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))

open("classic8.bmp", "wb").write(classic8())
open("alpha32.png", "wb").write(alpha32())
