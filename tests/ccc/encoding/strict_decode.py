#!/usr/bin/env python3
"""Checks encoder output with Python's strict codec.

The file holds, for every BMP code point but the surrogates and LF in
ascending order, the encoder's output for  " <code point> $B"  followed by
LF. Each line must decode strictly to that text, with the code point or
without it (dropped as unmappable). Code points given as hex arguments are
left out (mappings where this system differs from Python's codec by design).
Prints the first faults; exit status 1 when there are any.

Usage: strict_decode.py CODEC FILE [HEX ...]
"""

import sys


def main():
    codec, path = sys.argv[1], sys.argv[2]
    excluded = {int(h, 16) for h in sys.argv[3:]}
    points = [c for c in range(0x10000) if c != 0x0A and not 0xD800 <= c <= 0xDFFF]
    lines = open(path, "rb").read().split(b"\n")
    if lines[-1] != b"" or len(lines) - 1 != len(points):
        print("%s: %d lines for %d code points" % (codec, len(lines) - 1, len(points)))
        return 1
    faults = []
    for c, line in zip(points, lines):
        if c in excluded:
            continue
        try:
            text = line.decode(codec)
        except UnicodeDecodeError as e:
            text = "error: %s" % e.reason
        if text not in ('"%s$B"' % chr(c), '"$B"'):
            faults.append("U+%04X -> %s -> %r" % (c, line.hex(" "), text))
    for f in faults[:20]:
        print(codec, f)
    if faults:
        print("%s: %d faults" % (codec, len(faults)))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
