#!/usr/bin/env bash
# Side by side with cmark as whole processes: `quillmark convert` of a
# manuscript and cmark on a Markdown document of the same shape and size,
# both writing their output to a file, at 1, 10 and 50 MB in one run. Each
# time is the best of RUNS (the machine may be busy); the ratio is cmark's
# time over ours (above 1: we are faster). Peak memory is GNU time's
# maximum resident set, also given as a multiple of the input size.
#   bench/compare_cmark.sh [BUILD_DIR] [RUNS] [ENCODING]
#   (defaults: build-bench, 5 runs, utf-8 in and out; cp932 converts the
#   manuscripts to cp932 first, dropping what cp932 lacks, and writes cp932;
#   QUILLMARK=PATH times another build of the tool)
set -euo pipefail
export LC_ALL=C  # a point before the decimals, for bash's clock and awk
cd "$(dirname "$0")/.."

build=${1:-build-bench}
runs=${2:-5}
encoding=${3:-utf-8}
command -v cmark >/dev/null || { echo "cmark is not installed (Debian package cmark)"; exit 1; }
[ -x /usr/bin/time ] || { echo "GNU time is not installed (Debian package time)"; exit 1; }

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_TESTS=OFF -DQM_BENCH=ON >/dev/null
fi
cmake --build "$build" --target bench_convert quillmark >/dev/null
tool=${QUILLMARK:-$build/cli/quillmark}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Best elapsed and best CPU (user + system) seconds of $runs runs of the
# command, as "ELAPSED CPU" (elapsed from bash's microsecond clock, CPU to
# the millisecond); then one run more under GNU time puts the peak in kB
# into $work/peak.
best_of() {
  local best=1e9 best_cpu=1e9 start end t u s TIMEFORMAT='%3U %3S'
  for _ in $(seq "$runs"); do
    start=$EPOCHREALTIME
    { time "$@" >/dev/null 2>&1; } 2>"$work/time"
    end=$EPOCHREALTIME
    read -r u s <"$work/time"
    t=$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }')
    best=$(awk -v a="$t" -v b="$best" 'BEGIN { print (a < b ? a : b) }')
    best_cpu=$(awk -v a="$u" -v c="$s" -v b="$best_cpu" 'BEGIN { print (a + c < b ? a + c : b) }')
  done
  /usr/bin/time -f "%M" -o "$work/peak" "$@" >/dev/null 2>&1
  echo "$best $best_cpu"
}

echo "quillmark convert -f $encoding -t $encoding vs cmark, best of $runs (MB = 2^20 bytes of input)"
echo "ratio: cmark's time over ours (above 1: we are faster); the CPU ratio is the one to trust on a busy machine"
printf "%6s  %17s  %17s  %13s  %12s  %10s\n" size "ours: elapsed CPU" "cmark: elap. CPU" "ratio: el. CPU" "our peak MB" "cmark peak"
for mb in 1 10 50; do
  dir="$work/$mb"
  mkdir -p "$dir/out"
  "$build/bench/bench_convert" --write-documents "$dir" "$mb"
  if [ "$encoding" != utf-8 ]; then
    iconv -c -f utf-8 -t "$encoding" "$dir/book.txt" >"$dir/book.enc" || true
    mv "$dir/book.enc" "$dir/book.txt"
  fi
  input=$(stat -c %s "$dir/book.txt")
  read -r ours ours_cpu < <(best_of "$tool" convert -f "$encoding" -t "$encoding" -o "$dir/out" "$dir/book.txt")
  our_peak=$(cat "$work/peak")
  read -r theirs theirs_cpu < <(best_of sh -c 'cmark "$1" >"$2"' cmark "$dir/book.md" "$dir/out/book.cmark.html")
  their_peak=$(cat "$work/peak")
  awk -v mb="$mb" -v o="$ours" -v oc="$ours_cpu" -v t="$theirs" -v tc="$theirs_cpu" -v op="$our_peak" \
      -v tp="$their_peak" -v bytes="$input" 'BEGIN {
    printf "%3d MB  %8.4f %8.3f  %8.4f %8.3f  %6.2f %6.2f  %5.1f = %4.2fx  %7.1f MB\n", mb, o, oc, t, tc,
           (o > 0 ? t / o : 0), (oc > 0 ? tc / oc : 0), op / 1024, op * 1024 / bytes, tp / 1024 }'
done
