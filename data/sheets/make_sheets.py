#!/usr/bin/env python3
"""Assembles the four shipped style sheets from the parts in this folder.

Each sheet must stand alone, because only the chosen one is copied next to
the generated documents; so the shared rules are repeated in every sheet
rather than imported. The sheets are kept ASCII-only: a document written in
Shift_JIS would otherwise read a UTF-8 sheet without a usable charset.

    python3 data/sheets/make_sheets.py           write data/*.css
    python3 data/sheets/make_sheets.py --check   exit 1 if any is stale
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.dirname(HERE)

SHEETS = {
    "yoko.css": ["common.css", "yoko.css"],
    "tate.css": ["common.css", "tate.css"],
    "yoko_check.css": ["common.css", "yoko.css", "check.css"],
    "tate_check.css": ["common.css", "tate.css", "check.css"],
}


def build(parts):
    # @charset has to be the very first bytes of a sheet to count.
    out = ['@charset "utf-8";\n',
           "/* python3 data/sheets/make_sheets.py: generated from data/sheets/"
           + ", ".join(parts) + "; edit those */\n"]
    for part in parts:
        with open(os.path.join(HERE, part), encoding="ascii") as f:
            out.append("\n" + f.read())
    return "".join(out)


def main(argv):
    check = "--check" in argv[1:]
    stale = []
    for name, parts in SHEETS.items():
        text = build(parts)
        path = os.path.join(DATA, name)
        if check:
            try:
                with open(path, encoding="ascii", newline="") as f:
                    current = f.read()
            except (OSError, UnicodeDecodeError):
                current = None
            if current != text:
                stale.append(name)
        else:
            with open(path, "w", encoding="ascii", newline="\n") as f:
                f.write(text)
    if stale:
        print("stale style sheets (run python3 data/sheets/make_sheets.py): " + " ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
