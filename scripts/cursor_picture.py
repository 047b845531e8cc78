"""Monochrome cursor files (.cur, 32 by 32) from text pictures, shared by
the scripts that draw the library's cursors.

In a picture 'X' is black, 'o' (or '.', as the hand cursor writes it) is
white and ' ' is transparent, so the screen shows through."""
import struct

SIZE = 32


def picture_rows(picture, width, height, what="a picture"):
    rows = picture.strip("\n").split("\n")
    if len(rows) > height or any(len(r) > width for r in rows):
        raise SystemExit("%s is larger than its image" % what)
    rows += [""] * (height - len(rows))
    return [r.ljust(width) for r in rows]


def cursor_file(picture, hotspot, white="o", size=SIZE):
    xor_rows, and_rows = [], []
    for line in picture_rows(picture, size, size):
        xor_bits = and_bits = 0
        for x, ch in enumerate(line):
            bit = 1 << (size - 1 - x)
            if ch == " ":
                and_bits |= bit  # transparent
            elif ch == white:
                xor_bits |= bit  # white
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    # DIB rows are stored bottom-up.
    xor_mask = b"".join(reversed(xor_rows))
    and_mask = b"".join(reversed(and_rows))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    image = header + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def write_or_check(script, files, root):
    """Writes the files (name -> bytes) below root, or with --check only
    compares them; answers the exit status."""
    import os
    import sys
    check = "--check" in sys.argv[1:]
    stale = []
    for name, data in files.items():
        path = os.path.join(root, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("%s: differs from the pictures (run scripts/%s): %s" % (script, script, ", ".join(stale)))
        return 1
    return 0
