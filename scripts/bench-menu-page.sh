#!/usr/bin/env bash
# The menu page's size and open time: skincheck --html on the demo disc and on
# the full-HD skin of the start-up benchmark (tools/bench_skin), each page
# opened RUNS times in headless Chromium (tests/browser/open-time.mjs). A
# benchmark, not a test.
#   scripts/bench-menu-page.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
runs=${1:-7}
cmake --preset native >/dev/null
cmake --build --preset native --target skincheck bench_skin >/dev/null
out=$PWD/build/native/bench-menu-page
rm -rf "$out"
mkdir -p "$out"
build/native/tools/bench_skin "$out/fullhd" >/dev/null
skincheck=build/native/tools/skincheck/skincheck
# Exit status 1 is a disc with errors; the page is written all the same.
"$skincheck" --html "$out/demo.html" demo/disc >/dev/null || (($? == 1))
"$skincheck" --html "$out/fullhd.html" "$out/fullhd" >/dev/null || (($? == 1))
for page in demo fullhd; do
  tests/browser/run.sh build/native/browser-deps open-time.mjs "$out/$page.html" "$runs"
done
