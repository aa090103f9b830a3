#!/usr/bin/env bash
# Start-up benchmark under Wine: time from process start to the first complete
# paint of the menu, beside a minimal Win32 program that shows the same Main
# picture, measured in the same run, on two skins: the demo disc (600 × 400)
# and a generated full-HD skin (tools/bench_skin). Also prints the release
# programs' sizes.
#   scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
runs=${1:-7}
cmake --preset native >/dev/null
cmake --build --preset native --target bench_skin >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target demo_disc minimal_bitmap startup_bench -j "$(nproc)" >/dev/null

demo=$PWD/build/win64/demo/disc
fullhd=$PWD/build/win64/bench-fullhd
rm -rf "$fullhd"
build/native/tools/bench_skin "$fullhd"
cp "$demo/autorun.exe" "$fullhd/"

prefix=$PWD/build/win64/wineprefix
bench=$PWD/build/win64/bench/win/startup_bench.exe
minimal=$PWD/build/win64/bench/win/minimal_bitmap.exe
out=$(mktemp)
trap 'rm -f "$out"' EXIT

xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -euo pipefail
  wr=$1 prefix=$2 bench=$3 runs=$4 minimal=$5; shift 5
  for disc in "$@"; do
    main=$(sed -n "s/^[[:space:]]*[Mm][Aa][Ii][Nn][[:space:]]*=[[:space:]]*\([^[:space:]]*\).*/\1/p" "$disc/Data/main.ini" | head -1 | tr -d "\r")
    name=$(basename "$disc")
    echo -n "$name menu:    "; "$wr" "$prefix" "$bench" "$runs" "$disc/autorun.exe"
    echo -n "$name minimal: "; "$wr" "$prefix" "$bench" "$runs" "$minimal" "$disc/Data/$main"
  done
' _ "$PWD/scripts/wine-run.sh" "$prefix" "$bench" "$runs" "$minimal" "$demo" "$fullhd" 2>/dev/null | tee "$out"

for name in disc bench-fullhd; do
  a=$(sed -n "s/^$name menu: *median \([0-9.]*\) ms.*/\1/p" "$out")
  m=$(sed -n "s/^$name minimal: *median \([0-9.]*\) ms.*/\1/p" "$out")
  awk -v n="$name" -v a="$a" -v m="$m" 'BEGIN { if (m > 0) printf "%s: menu %.0f ms, minimal %.0f ms, ratio %.2f\n", n, a, m, a / m }'
done

if [[ -d build/win32 ]]; then
  for exe in build/win32/app/autorun.exe build/win32/launcher/verpick.exe; do
    [[ -f $exe ]] && echo "release $(basename "$exe"): $(stat -c %s "$exe") bytes"
  done
fi
