#!/usr/bin/env python3
"""Generates the Japanese code tables of ccc/japanese/ from Python's codecs.

Writes two files beside the code that reads them:
  JcodeTable.gen.inc          the 256 byte-class bits (iceman_jcode_table)
  JapaneseCodeTables.gen.inc  six 16-bit -> 16-bit maps as three-level bitmap tries

Usage: python3 tools/gen_japanese_tables.py [OUTPUT_DIR]   (default: ccc/japanese)
Standard library only.
"""

import os
import sys

COMMAND = "python3 tools/gen_japanese_tables.py ccc/japanese"

# Single bytes the two decoders keep (the rest of 0x00-0xFF is left unmapped).
SJIS_SINGLES = list(range(0x20, 0x7F)) + list(range(0xA1, 0xE0))
CP932_SINGLES = list(range(0x00, 0x80)) + list(range(0xA1, 0xE0))

# Shift_JIS follows the published JIS X 0201 / 0208 mapping where Python's
# codec follows common practice.
SJIS_OVERRIDES = {0x5C: 0x00A5, 0x7E: 0x203E, 0x815F: 0x005C}

# cp932 user-defined area: no characters of its own.
def cp932_user_defined(code):
    return 0xF040 <= code <= 0xF9FC

# IBM extension rows of cp932; a character held twice is encoded there.
def cp932_ibm(code):
    return 0xFA40 <= code <= 0xFC4B


def decode_one(data, codec):
    """The single BMP character data decodes to, or None."""
    try:
        s = data.decode(codec)
    except UnicodeDecodeError:
        return None
    if len(s) != 1 or ord(s) > 0xFFFF:
        return None
    return ord(s)


def scan(codec, singles, keep_pair=lambda code: True):
    table = {}
    for b in singles:
        u = decode_one(bytes([b]), codec)
        if u is not None:
            table[b] = u
    for lead in range(0x81, 0x100):
        for trail in range(0x40, 0x100):
            code = lead * 256 + trail
            if not keep_pair(code):
                continue
            u = decode_one(bytes([lead, trail]), codec)
            if u is not None:
                table[code] = u
    return table


def sjis_to_jis(code):
    s1, s2 = code >> 8, code & 0xFF
    j1 = (s1 - (0x70 if s1 <= 0x9F else 0xB0)) * 2
    if s2 < 0x9F:
        j1 -= 1
        j2 = s2 - 0x1F - (1 if s2 > 0x7F else 0)
    else:
        j2 = s2 - 0x7E
    return j1 * 256 + j2


def jis_to_sjis(code):
    j1, j2 = code >> 8, code & 0xFF
    s1 = ((j1 - 0x21) >> 1) + 0x81
    if s1 > 0x9F:
        s1 += 0x40
    if j1 & 1:
        s2 = j2 + 0x1F + (1 if j2 + 0x1F >= 0x7F else 0)
    else:
        s2 = j2 + 0x7E
    return s1 * 256 + s2


def build_tables():
    sjis = scan("shift_jis", SJIS_SINGLES)
    sjis.update(SJIS_OVERRIDES)
    cp932 = scan("cp932", CP932_SINGLES, lambda c: not cp932_user_defined(c))

    ucs_sjis = {}
    for code in sorted(sjis):
        u = sjis[code]
        assert u not in ucs_sjis, "Shift_JIS holds U+%04X twice" % u
        ucs_sjis[u] = code

    # cp932: the IBM extension code when there is one, else the lowest code.
    ucs_cp932 = {}
    for code in sorted(cp932):
        u = cp932[code]
        if u not in ucs_cp932 or cp932_ibm(code) and not cp932_ibm(ucs_cp932[u]):
            ucs_cp932[u] = code

    ucs_euc = {}
    ucs_iso = {}
    for u, code in ucs_sjis.items():
        if code > 0xFF:
            jis = sjis_to_jis(code)
            assert jis_to_sjis(jis) == code
            ucs_euc[u] = jis
            ucs_iso[u] = jis
        elif code < 0x80:
            ucs_iso[u] = code

    return [
        ("sjisToUcs2", sjis, 7037),
        ("cp932ToUcs2", cp932, 7915),
        ("ucs2ToSjis", ucs_sjis, 7037),
        ("ucs2ToCp932", ucs_cp932, 7517),
        ("ucs2ToEucJp", ucs_euc, 6879),
        ("ucs2ToIso2022Jp", ucs_iso, 6974),
    ]


def build_trie(table):
    """Top level (256 entries), middle level and values, as in the lookup:
    each level entry is (bitmap of the next nibble, base index of the next level)."""
    top = []
    middle = []
    values = []
    for high in range(256):
        nibbles = [n for n in range(16) if any((high << 8 | n << 4 | low) in table for low in range(16))]
        bitmap = sum(1 << n for n in nibbles)
        top.append((bitmap, len(middle) if nibbles else 0))
        for n in nibbles:
            lows = [low for low in range(16) if (high << 8 | n << 4 | low) in table]
            middle.append((sum(1 << low for low in lows), len(values)))
            for low in lows:
                values.append(table[high << 8 | n << 4 | low])
    assert len(middle) < 0xFFFF and len(values) < 0xFFFF
    assert all(v != 0xFFFF for v in values)
    return top, middle, values


def jcode_bits(b):
    bits = 0
    if 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xEF:
        bits |= 1
    if 0x21 <= b <= 0x7E:
        bits |= 2
    if 0xA1 <= b <= 0xFE:
        bits |= 4
    if 0xA1 <= b <= 0xDF:
        bits |= 8
    if 0x40 <= b <= 0xFC:
        bits |= 16
    return bits


def rows(items, per_line, fmt):
    out = []
    for i in range(0, len(items), per_line):
        out.append("    " + ", ".join(fmt(x) for x in items[i:i + per_line]) + ",")
    return "\n".join(out)


def header():
    return ("// " + COMMAND + "\n"
            "// generated by tools/gen_japanese_tables.py \u2014 do not edit\n")


def write_jcode(path):
    text = header()
    text += "// Byte classes: 1 Shift_JIS lead, 2 JIS graphic, 4 EUC, 8 half-width katakana, 16 Shift_JIS trail.\n"
    text += "const unsigned char iceman_jcode_table[256] = {\n"
    text += rows([jcode_bits(b) for b in range(256)], 16, lambda x: "%2d" % x)
    text += "\n};\n"
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def write_tries(path, tables):
    text = header()
    text += "// Each map: top level (256 entries), middle level, values; an entry is\n"
    text += "// {bitmap of the next nibble, base index into the next level}. The tries\n"
    text += "// that join them are declared in JapaneseCodeTables.h.\n"
    for name, table, expected in tables:
        assert len(table) == expected, "%s: %d entries, expected %d" % (name, len(table), expected)
        top, middle, values = build_trie(table)
        text += "\n// %s: %d entries\n" % (name, len(table))
        text += "const TrieEntry %sTop[256] = {\n" % name
        text += rows(top, 6, lambda e: "{0x%04X, %5d}" % e)
        text += "\n};\n"
        text += "const TrieEntry %sMiddle[%d] = {\n" % (name, len(middle))
        text += rows(middle, 6, lambda e: "{0x%04X, %5d}" % e)
        text += "\n};\n"
        text += "const unsigned short %sValues[%d] = {\n" % (name, len(values))
        text += rows(values, 10, lambda v: "0x%04X" % v)
        text += "\n};\n"
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else "ccc/japanese"
    tables = build_tables()
    write_jcode(os.path.join(out_dir, "JcodeTable.gen.inc"))
    write_tries(os.path.join(out_dir, "JapaneseCodeTables.gen.inc"), tables)
    for name, table, _ in tables:
        print("%-16s %5d entries" % (name, len(table)))


if __name__ == "__main__":
    main()
