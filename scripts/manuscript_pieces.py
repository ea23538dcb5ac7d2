"""Generated manuscripts for the scripts that compare builds and check books:
the grammar of tests/data/cli/manuscript-pieces.txt, as the generated-
manuscripts test draws from it: «RULE», «RULE:M-N», «#» (a number), and
{HALF‖FULL} (one mark form, chosen per piece)."""
import os
import random
import re

PIECES = os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))),
                      "tests", "data", "cli", "manuscript-pieces.txt")
OPEN, CLOSE, BAR = "«", "»", "‖"


def read_rules(leave_out=()):
    """RULE -> its alternatives; alternatives holding any text of leave_out are dropped."""
    rules = {}
    with open(PIECES, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            name, _, alternative = line.partition("\t")
            if any(text in alternative for text in leave_out):
                continue
            alternative = re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n"}.get(m.group(1), m.group(1)), alternative)
            rules.setdefault(name, []).append(alternative)
    return rules


class Maker:
    def __init__(self, seed, leave_out=()):
        self.rng = random.Random(seed)
        self.rules = read_rules(leave_out)

    def expand(self, rule):
        if rule == "#":
            return str(self.rng.randint(-2, 30))
        a = self.rng.choice(self.rules[rule])
        full = self.rng.randint(0, 1)
        out, i = [], 0
        while i < len(a):
            if a.startswith(OPEN, i):
                end = a.index(CLOSE, i)
                ref, low, high = a[i + 1:end], 1, 1
                if ":" in ref:
                    ref, span = ref.split(":")
                    low, high = (int(x) for x in span.split("-"))
                out += [self.expand(ref) for _ in range(self.rng.randint(low, high))]
                i = end + 1
            elif a[i] == "{":
                middle, end = a.index(BAR, i), a.index("}", i)
                out.append(a[middle + 1:end] if full else a[i + 1:middle])
                i = end + 1
            else:
                out.append(a[i])
                i += 1
        return "".join(out)

    def manuscript(self, first_line=""):
        """1 to 40 lines after first_line; three in ten end without a line break."""
        lines = [self.expand("line") for _ in range(self.rng.randint(1, 40))]
        return first_line + "\n".join(lines) + ("" if self.rng.randint(1, 100) <= 30 else "\n")
