#!/usr/bin/env bash
# Growth benchmark under Wine: how the menu's start (to the first complete
# paint), its end (WM_CLOSE until the window is gone) and its peak working set
# grow with the number of buttons (10, 100, 1,000, 3,000 on a 1-megapixel
# window) and with the size of the window and its mask (1, 4, 16, 64
# megapixels, 10 buttons). Skins from tools/bench_skin.
#   scripts/bench-growth.sh [RUNS]
set -euo pipefail
runs=${1:-3}
cd "$(dirname "$0")/.." && scripts/deps.sh
cmake --preset native >/dev/null && cmake --build --preset native --target bench_skin >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 --target autorun startup_bench -j 2 >/dev/null

root=$PWD/build/win64/bench-growth
rm -rf "$root"
skins=()
for case in "10 1" "100 1" "1000 1" "3000 1" "10 4" "10 16" "10 64"; do
  set -- $case
  dir=$root/buttons$1-mp$2
  build/native/tools/bench_skin "$dir" "$1" "$2"
  cp build/win64/app/autorun.exe "$dir/"
  skins+=("$dir")
done

prefix=$PWD/build/win64/wineprefix
bench=$PWD/build/win64/bench/win/startup_bench.exe
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -euo pipefail
  wr=$1 prefix=$2 bench=$3 runs=$4; shift 4
  for dir in "$@"; do
    echo -n "$(basename "$dir"): "
    AK_BENCH_SETTLE_MS=20000 "$wr" "$prefix" "$bench" "$runs" "$dir/autorun.exe" || echo "failed"
  done
' _ "$PWD/scripts/wine-run.sh" "$prefix" "$bench" "$runs" "${skins[@]}" 2>/dev/null
