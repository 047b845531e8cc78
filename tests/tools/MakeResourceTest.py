#!/usr/bin/env python3
"""scripts/make-resource: bytes of good sources, and bad sources refused
with their line and without an output file."""
import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "make-resource")

GOOD = [
    ("toolbar\nsize 16 15\nbutton 1\nseparator\n",
     bytes([1, 0, 16, 0, 15, 0, 2, 0, 1, 0, 0, 0])),
    ("dlginit\nCB_ADDSTRING 7 \"ab\"  # comment\n",
     bytes([7, 0, 0x43, 1, 3, 0, 0, 0]) + b"ab\0" + bytes([0, 0])),
    ("dlginit\n", bytes([0, 0])),
]
BAD = [
    ("", "empty source"),
    ("menu\n", "line 1"),
    ("toolbar\nbutton 1\n", "no size line"),
    ("toolbar\nsize 16\n", "line 2"),
    ("toolbar\nsize 16 15\nbutton 0\n", "line 3"),
    ("toolbar\nsize 70000 15\n", "does not fit"),
    ("dlginit\nCB_ADDSTRING 1001\n", "line 2"),
    ("dlginit\nCB_ADDSTRING 1001 plain\n", "quoted"),
    ("dlginit\nNO_SUCH_MESSAGE 1001 \"x\"\n", "not a number"),
    ("dlginit\nCB_ADDSTRING 1001 \"unterminated\n", "line 2"),
]


def run(source):
    with tempfile.TemporaryDirectory() as d:
        src, out = os.path.join(d, "in.txt"), os.path.join(d, "out.bin")
        with open(src, "w") as f:
            f.write(source)
        p = subprocess.run([sys.executable, SCRIPT, src, out], capture_output=True, text=True)
        data = open(out, "rb").read() if os.path.exists(out) else None
        return p.returncode, p.stderr, data


failures = 0
for source, expected in GOOD:
    code, err, data = run(source)
    if code != 0 or data != expected:
        print(f"FAIL good {source!r}: exit {code} {err.strip()} bytes {data!r}")
        failures += 1
for source, message in BAD:
    code, err, data = run(source)
    if code == 0 or message not in err or data is not None:
        print(f"FAIL bad {source!r}: exit {code} stderr {err.strip()!r} output {data!r}")
        failures += 1
print(f"{len(GOOD) + len(BAD) - failures} of {len(GOOD) + len(BAD)} cases as expected")
sys.exit(1 if failures else 0)
