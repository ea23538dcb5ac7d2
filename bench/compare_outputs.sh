#!/usr/bin/env bash
# Byte for byte, do two builds convert alike? Keeps the 500 manuscripts of
# the generated-manuscripts test (drawn with a fixed seed), converts each
# batch with both tools and the batch's options, and compares every output.
#   bench/compare_outputs.sh OLD_BUILD_DIR NEW_BUILD_DIR
# The new build must have its tests (cli_golden_tests) built.
set -euo pipefail
old=$(cd "$1" && pwd)/cli/quillmark
new=$(cd "$2" && pwd)/cli/quillmark
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
QM_KEEP_GENERATED="$work/gen" "$2/tests/cli_golden_tests" --gtest_filter='GeneratedManuscripts.*' >/dev/null
export QUILLMARK_DATA_DIR="$(cd "$(dirname "$0")/.." && pwd)/data"
for batch in "$work"/gen/batch*; do
  name=$(basename "$batch")
  read -r -a options <"$batch/options" || true
  for side in old new; do
    mkdir -p "$work/$side/$name"
    cp "$batch"/*.txt "$work/$side/$name/"
    tool=$old; [ "$side" = new ] && tool=$new
    (cd "$work/$side" && "$tool" convert -t utf-8 "${options[@]}" "$name"/*.txt >/dev/null 2>&1)
  done
done
count=$(find "$work/new" -name '*.html' | wc -l)
if diff -r "$work/old" "$work/new" >/dev/null; then
  echo "identical: $(find "$work/new" -name '*.txt' | wc -l) manuscripts, $count documents"
else
  diff -rq "$work/old" "$work/new" | head
  exit 1
fi
