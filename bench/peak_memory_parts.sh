#!/usr/bin/env bash
# Peak memory of `quillmark convert` on a manuscript cut into many parts:
# a long title (carried into every part), then one split mark per line.
# Each part is written as soon as it is complete, so the peak should follow
# the largest part, not the whole run. Prints elapsed seconds and max RSS.
#   bench/peak_memory_parts.sh [TOOL] [PARTS] [TITLE_BYTES]
#   (defaults: build/cli/quillmark, 1001 parts, 50000-byte title)
set -euo pipefail
cd "$(dirname "$0")/.."

tool=$(realpath "${1:-build/cli/quillmark}")
parts=${2:-1001}
title=${3:-50000}
[ -x "$tool" ] || { echo "no tool at $tool (build the quillmark target first)"; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 - "$work/book.txt" "$parts" "$title" <<'PY'
import sys
path, parts, title = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(path, "w", encoding="ascii") as f:
    f.write("=" + "t" * title + "\n")
    f.write("&\n" * (parts - 1))
PY
echo "manuscript: $(stat -c %s "$work/book.txt") bytes, $parts parts"
python3 - "$tool" "$work/book.txt" <<'PY'
import resource, subprocess, sys, time
start = time.monotonic()
run = subprocess.run([sys.argv[1], "convert", sys.argv[2]], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
elapsed = time.monotonic() - start
peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"exit {run.returncode}, {elapsed:.2f} s, peak {peak_kb / 1024:.1f} MB")
if run.returncode:
    sys.stderr.write(run.stderr.decode(errors="replace"))
PY
echo "outputs: $(find "$work" -name '*.html' | wc -l) files, $(du -sm "$work" | cut -f1) MB"
