#!/usr/bin/env python3
# Usage: strict_decode.py CODEC FILE [HEX ...]
# FILE holds, for every BMP code point but the surrogates and LF in order, the
# encoder's output for  " <code point> $B"  and LF. Each line must decode
# strictly to that text, with the code point or without it (dropped). Code
# points given in hex are left out. Prints the first faults; status 1 if any.
import sys

codec, path = sys.argv[1], sys.argv[2]
excluded = {int(h, 16) for h in sys.argv[3:]}
points = [c for c in range(0x10000) if c != 0x0A and not 0xD800 <= c <= 0xDFFF]
lines = open(path, "rb").read().split(b"\n")
if lines[-1] != b"" or len(lines) - 1 != len(points):
    sys.exit("%s: %d lines for %d code points" % (codec, len(lines) - 1, len(points)))
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
    sys.exit("%s: %d faults" % (codec, len(faults)))
