#!/usr/bin/env bash
# Side by side with cmark as whole processes: `quillmark convert` of a
# manuscript and cmark on a Markdown document of the same shape and size,
# both writing their output to a file, at 1, 10 and 50 MB in one run. The
# two programs' runs take turns; each time is the best of RUNS (the machine
# may be busy), at 1 MB of five times as many: a run of a few milliseconds
# is shaken most by what else the machine does, and costs little to repeat;
# the ratio is cmark's time over ours (above 1: we are faster). Peak memory is GNU time's maximum resident set, also given as a
# multiple of the input size.
#   bench/compare_cmark.sh [BUILD_DIR] [RUNS] [ENCODING]
#   (defaults: build-bench, 5 runs, utf-8 in and out; cp932 converts the
#   manuscripts to cp932 first, dropping what cp932 lacks, and writes cp932;
#   QUILLMARK=PATH times another build of the tool; BASELINE=PATH times a
#   second build too, in the same turns, on a row of its own)
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
baseline=${BASELINE:-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run of a command: "ELAPSED CPU" in seconds (elapsed from bash's
# microsecond clock, CPU (user + system) to the millisecond).
timed() {
  local start end u s TIMEFORMAT='%3U %3S'
  # What the run before left to write goes first: its writeback would
  # otherwise slow this run.
  sync
  start=$EPOCHREALTIME
  { time "$@" >/dev/null 2>&1; } 2>"$work/time"
  end=$EPOCHREALTIME
  read -r u s <"$work/time"
  awk -v a="$start" -v b="$end" -v u="$u" -v s="$s" 'BEGIN { print b - a, u + s }'
}

# The smaller of each pair.
least() { awk -v a="$1" -v b="$2" -v c="$3" -v d="$4" 'BEGIN { print (a < c ? a : c), (b < d ? b : d) }'; }

# Peak resident memory of a command in kB (GNU time).
peak() {
  /usr/bin/time -f "%M" -o "$work/peak" "$@" >/dev/null 2>&1
  cat "$work/peak"
}

echo "quillmark convert -f $encoding -t $encoding vs cmark, best of $runs ($((runs * 5)) at 1 MB; MB = 2^20 bytes of input)"
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
  ours_run=("$tool" convert -f "$encoding" -t "$encoding" -o "$dir/out" "$dir/book.txt")
  base_run=("${baseline:-true}" convert -f "$encoding" -t "$encoding" -o "$dir/out" "$dir/book.txt")
  theirs_run=(sh -c 'cmark "$1" >"$2"' cmark "$dir/book.md" "$dir/out/book.cmark.html")
  # The programs take turns, so that a machine that slows down or speeds
  # up during the run does so for all.
  ours="1e9 1e9" base="1e9 1e9" theirs="1e9 1e9"
  turns=$runs
  [ "$mb" -gt 1 ] || turns=$((runs * 5))
  for _ in $(seq "$turns"); do
    [ -z "$baseline" ] || base=$(least $base $(timed "${base_run[@]}"))
    ours=$(least $ours $(timed "${ours_run[@]}"))
    theirs=$(least $theirs $(timed "${theirs_run[@]}"))
  done
  read -r theirs theirs_cpu <<<"$theirs"
  their_peak=$(peak "${theirs_run[@]}")
  # One row for a build: its times against cmark's, and its peak.
  row() {
    awk -v label="$1" -v o="$2" -v oc="$3" -v t="$theirs" -v tc="$theirs_cpu" -v op="$4" \
        -v tp="$their_peak" -v bytes="$input" 'BEGIN {
      printf "%6s  %8.4f %8.3f  %8.4f %8.3f  %6.2f %6.2f  %5.1f = %4.2fx  %7.1f MB\n", label, o, oc, t, tc,
             (o > 0 ? t / o : 0), (oc > 0 ? tc / oc : 0), op / 1024, op * 1024 / bytes, tp / 1024 }'
  }
  row "$mb MB" $ours "$(peak "${ours_run[@]}")"
  [ -z "$baseline" ] || row base $base "$(peak "${base_run[@]}")"
done
