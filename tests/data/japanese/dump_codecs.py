#!/usr/bin/env python3
"""Dumps what Python's shift_jis and cp932 codecs decode, as test fixtures.

Raw codec output, no filtering: every single byte 0x00-0xFF and every pair
with lead 0x81-0xFF and trail 0x40-0xFF that decodes to exactly one BMP
character, one line "CODE UNICODE" in hex. The tests derive the expected
tables from these dumps on their own. Standard library only.

Usage: python3 tests/data/japanese/dump_codecs.py tests/data/japanese
"""

import os
import sys


def decodes(codec):
    candidates = [bytes([b]) for b in range(256)]
    candidates += [bytes([lead, trail]) for lead in range(0x81, 0x100) for trail in range(0x40, 0x100)]
    for data in candidates:
        try:
            s = data.decode(codec)
        except UnicodeDecodeError:
            continue
        if len(s) == 1 and ord(s) <= 0xFFFF:
            yield int.from_bytes(data, "big"), ord(s)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "."
    for codec in ("shift_jis", "cp932"):
        path = os.path.join(out_dir, codec + ".txt")
        with open(path, "w", encoding="ascii", newline="\n") as f:
            f.write("# python3 tests/data/japanese/dump_codecs.py tests/data/japanese (Python %d.%d)\n"
                    % sys.version_info[:2])
            for code, u in decodes(codec):
                f.write("%04X %04X\n" % (code, u))


if __name__ == "__main__":
    main()
