#!/usr/bin/env bash
# Opens the start menu on the demo disc under Wine. On a display it simply runs;
# without one it runs under Xvfb, waits for the first complete paint, saves a
# screenshot (default build/demo-screenshot.png, or the path given), says where,
# and exits. --turkish opens the Turkish demo disc instead.
# Usage: scripts/run-demo.sh [--turkish] [SCREENSHOT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

folder=disc target=demo_disc
if [[ ${1:-} == --turkish ]]; then
  folder=disc-tr target=demo_disc_tr
  shift
fi
shot=${1:-build/demo-screenshot.png}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target $target -j "$(nproc)" >/dev/null
disc=$PWD/build/win64/demo/$folder
prefix=$PWD/build/win64/wineprefix

if [[ -n "${DISPLAY:-}" && -z "${AK_HEADLESS:-}" ]]; then
  cd "$disc"
  exec "$OLDPWD/scripts/wine-run.sh" "$prefix" "$disc/autorun.exe"
fi

mkdir -p "$(dirname "$shot")"
shot=$(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")
# Inside Xvfb: start the menu, wait until its window is mapped and two
# screenshots in a row agree (painted and settled), keep the last one.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -u
  disc=$1 prefix=$2 shot=$3 wine_run=$4
  (cd "$disc" && "$wine_run" "$prefix" "$disc/autorun.exe") >/dev/null 2>&1 &
  tmp=$(mktemp -d)
  status=1
  for _ in $(seq 1 150); do
    sleep 0.2
    xwininfo -root -tree 2>/dev/null | grep -q "Setup Wizard" || continue
    import -window root "$tmp/a.png" 2>/dev/null || continue
    sleep 0.3
    import -window root "$tmp/b.png" 2>/dev/null || continue
    if cmp -s "$tmp/a.png" "$tmp/b.png"; then cp "$tmp/b.png" "$shot"; status=0; break; fi
  done
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$tmp"
  exit $status
' _ "$disc" "$prefix" "$shot" "$PWD/scripts/wine-run.sh" || { echo "run-demo.sh: the menu did not appear" >&2; exit 1; }
echo "Screenshot of the demo menu: $shot"
