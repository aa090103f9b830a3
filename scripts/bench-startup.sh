#!/usr/bin/env bash
# Start-up benchmark under Wine: time from process start to the first complete
# paint of the menu, beside two minimal Win32 programs that show the same Main
# picture, one of them also loading common controls 6 through its manifest
# (InitCommonControlsEx, a tooltip, a trackbar, a font), all three taking turns
# in the same run, on two skins: the demo disc (600 × 400) and a generated
# full-HD skin (tools/bench_skin). Also prints the release programs' sizes.
#   scripts/bench-startup.sh [--times] [--pointer] [RUNS]
# --times: the menu of a benchmark build (preset win64-times) instead, with
#   the median of each step it stamps, in ms after its process was created.
# --pointer: the pointer rests over the first button from the start; prints
#   when the window shows, is complete but for that button, the button last
#   changes, the tooltip shows and the screen last changes.
set -euo pipefail
cd "$(dirname "$0")/.."
times=0 pointer=0
while [[ ${1:-} == --* ]]; do
  case $1 in
    --times) times=1 ;;
    --pointer) pointer=1 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift
done
runs=${1:-7}
scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target bench_skin >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target demo_disc minimal_bitmap minimal_controls startup_bench -j "$(nproc)" >/dev/null
menu=$PWD/build/win64/app/autorun.exe
if ((times)); then
  cmake --preset win64-times >/dev/null
  cmake --build --preset win64-times -j "$(nproc)" >/dev/null
  menu=$PWD/build/win64-times/app/autorun.exe
fi

demo=$PWD/build/win64/bench-demo
fullhd=$PWD/build/win64/bench-fullhd
rm -rf "$demo" "$fullhd"
cp -r build/win64/demo/disc "$demo"
build/native/tools/bench_skin "$fullhd"
cp "$menu" "$demo/autorun.exe"
cp "$menu" "$fullhd/autorun.exe"

prefix=$PWD/build/win64/wineprefix
bench=$PWD/build/win64/bench/win/startup_bench.exe
minimal=$PWD/build/win64/bench/win/minimal_bitmap.exe
controls=$PWD/build/win64/bench/win/minimal_controls.exe
out=$(mktemp)
stamps=$(mktemp)
trap 'rm -f "$out" "$stamps"' EXIT
((times)) && export AK_STARTUP_TIMES_FILE=$stamps

# The first button's middle on each skin (the window opens at the screen's top-left corner).
xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -euo pipefail
  wr=$1 prefix=$2 bench=$3 runs=$4 minimal=$5 controls=$6 pointer=$7; shift 7
  for disc in "$@"; do
    main=$(sed -n "s/^[[:space:]]*[Mm][Aa][Ii][Nn][[:space:]]*=[[:space:]]*\([^[:space:]]*\).*/\1/p" "$disc/Data/main.ini" | head -1 | tr -d "\r")
    name=$(basename "$disc")
    at=(); ((pointer)) && at=(--pointer "$([[ $name == bench-demo ]] && echo 112,136 || echo 185,160)")
    echo "$name:"
    "$wr" "$prefix" "$bench" "${at[@]}" "$runs" "$disc/autorun.exe" -- "$minimal" "$disc/Data/$main" \
      -- "$controls" "$disc/Data/$main"
  done
' _ "$PWD/scripts/wine-run.sh" "$prefix" "$bench" "$runs" "$minimal" "$controls" "$pointer" "$demo" "$fullhd" \
  2>/dev/null | sed -e "s|\"[^\"]*/autorun.exe\"|menu|" -e "s|\"[^\"]*/minimal_bitmap.exe\" \"[^\"]*\"|minimal|" \
  -e "s|\"[^\"]*/minimal_controls.exe\" \"[^\"]*\"|minimal with controls|" | tee "$out"

if ((!pointer)); then
  awk '
    /^[^ ].*:$/ { name = substr($0, 1, length($0) - 1) }
    /^menu: median/ { menu[name] = $3 }
    /^minimal: median/ { plain[name] = $3 }
    /^minimal with controls: median/ { ctl[name] = $5 }
    END {
      for (n in menu)
        if (plain[n] > 0 && ctl[n] > 0)
          printf "%s: menu %.0f ms, minimal %.0f ms (ratio %.2f), minimal with controls %.0f ms (ratio %.2f)\n",
                 n, menu[n], plain[n], menu[n] / plain[n], ctl[n], menu[n] / ctl[n]
    }' "$out"
fi

if [[ -d build/win32 ]]; then
  for exe in build/win32/app/autorun.exe build/win32/launcher/verpick.exe; do
    [[ -f $exe ]] && echo "release $(basename "$exe"): $(stat -c %s "$exe") bytes"
  done
fi
