#!/usr/bin/env bash
# Start-up benchmark under Wine: time from process start to the first complete
# paint of the demo menu, beside a minimal Win32 program that shows the same
# picture, measured in the same run. Also prints the release programs' sizes.
#   scripts/bench-startup.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
runs=${1:-7}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target demo_disc minimal_bitmap startup_bench -j "$(nproc)" >/dev/null
disc=$PWD/build/win64/demo/disc
main=$(sed -n 's/^[[:space:]]*[Mm][Aa][Ii][Nn][[:space:]]*=[[:space:]]*\([^[:space:]]*\).*/\1/p' "$disc/Data/main.ini" | head -1 | tr -d '\r')
prefix=$PWD/build/win64/wineprefix
bench=$PWD/build/win64/bench/win/startup_bench.exe
minimal=$PWD/build/win64/bench/win/minimal_bitmap.exe

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  wr=$1 prefix=$2 bench=$3 runs=$4 pic=$5 disc=$6 minimal=$7
  echo -n "autorun (demo menu):    "; "$wr" "$prefix" "$bench" "$runs" "$disc/autorun.exe"
  echo -n "minimal Win32 program:  "; "$wr" "$prefix" "$bench" "$runs" "$minimal" "$pic"
' _ "$PWD/scripts/wine-run.sh" "$prefix" "$bench" "$runs" "$disc/Data/$main" "$disc" "$minimal" 2>/dev/null | tee /tmp/ak-bench.txt
a=$(sed -n 's/^autorun.*median \([0-9.]*\).*/\1/p' /tmp/ak-bench.txt)
m=$(sed -n 's/^minimal.*median \([0-9.]*\).*/\1/p' /tmp/ak-bench.txt)
awk -v a="$a" -v m="$m" 'BEGIN { if (m > 0) printf "ratio autorun / minimal: %.2f\n", a / m }'

if [[ -d build/win32 ]]; then
  for exe in build/win32/app/autorun.exe build/win32/launcher/verpick.exe; do
    [[ -f $exe ]] && echo "release $(basename "$exe"): $(stat -c %s "$exe") bytes"
  done
fi
