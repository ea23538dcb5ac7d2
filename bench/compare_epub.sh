#!/usr/bin/env bash
# A 10 MB manuscript (the one bench_convert writes) as a book and as loose
# XHTML: `quillmark epub` (both directions) against `quillmark convert`,
# elapsed seconds and peak memory under GNU time, best of three each. The
# goal: a book in under twice the time convert needs.
#   bench/compare_epub.sh [BUILD_DIR]      (default build-bench)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-bench}
# An existing build folder keeps its settings (RelWithDebInfo for a new one).
cmake -S . -B "$build" -G Ninja -DQM_BENCH=ON >/dev/null
cmake --build "$build" --target bench_convert quillmark >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/bench/bench_convert" --write-documents "$work" >/dev/null
tool=$(realpath "$build/cli/quillmark")
echo "manuscript: $(stat -c %s "$work/book.txt") bytes"

best() {  # best LABEL KEY COMMAND...: the shortest of three runs, kept in KEY.s
  local label=$1 key=$2 best_s="" best_kb="" best_cpu=""
  shift 2
  for _ in 1 2 3; do
    /usr/bin/time -f "%e %M %U %S" -o "$work/time" "$@" >/dev/null 2>&1
    read -r s kb user sys <"$work/time"
    if [ -z "$best_s" ] || awk "BEGIN{exit !($s < $best_s)}"; then
      best_s=$s best_kb=$kb best_cpu=$(awk "BEGIN{print $user + $sys}")
    fi
  done
  # CPU seconds over all threads: more than the elapsed time when the book
  # is compressed on several cores, as much when the machine is busy.
  printf "%-28s %6.2f s %8d kB  CPU %5.2f s\n" "$label" "$best_s" "$best_kb" "$best_cpu"
  echo "$best_s" >"$work/$key.s"
}

cd "$work"
best "quillmark convert" convert "$tool" convert book.txt
best "quillmark epub (yoko)" yoko "$tool" epub -o yoko.epub book.txt
best "quillmark epub --style tate" tate "$tool" epub --style tate -o tate.epub book.txt
echo "book size: $(stat -c %s yoko.epub) bytes (yoko), $(stat -c %s tate.epub) bytes (tate)"
awk -v c="$(cat convert.s)" -v y="$(cat yoko.s)" -v t="$(cat tate.s)" \
  'BEGIN{printf "epub / convert: %.2f (yoko), %.2f (tate)  (goal < 2)\n", y / c, t / c}'
