#!/usr/bin/env bash
# Side by side with cmark: builds bench_convert (Release with debug info) and
# runs it, which times both converters in one run and prints MB/s, the ratio
# and our peak memory. Then, when the quillmark tool has its convert command,
# both command-line programs convert the same two documents under GNU time,
# which prints each one's elapsed time and maximum resident set.
#   bench/compare_cmark.sh [BUILD_DIR]      (default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-bench}
command -v cmark >/dev/null || { echo "cmark is not installed (Debian package cmark)"; exit 1; }

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TESTS=OFF >/dev/null
cmake --build "$build" --target bench_convert quillmark >/dev/null
"$build/bench/bench_convert"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_convert" --write-documents "$work"
tool="$build/cli/quillmark"
if [ -x /usr/bin/time ] && [ -x "$tool" ] && "$tool" convert --help >/dev/null 2>&1; then
  echo
  echo "== command-line programs (elapsed s, peak kB)"
  /usr/bin/time -f "quillmark convert: %e s, %M kB" "$tool" convert "$work/book.txt"
  /usr/bin/time -f "cmark:             %e s, %M kB" cmark "$work/book.md" >/dev/null
fi
