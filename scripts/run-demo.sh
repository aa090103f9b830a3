#!/usr/bin/env bash
# Opens the start menu on the demo disc under Wine. On a display it simply runs;
# without one it runs under Xvfb, waits for the first complete paint, saves a
# screenshot (default build/demo-screenshot.png, or the path given), says where,
# and exits. --turkish opens the Turkish demo disc instead. --lang tr or --lang de
# opens the demo disc as a Turkish or German user sees it: Wine takes the
# display language from LC_ALL (the locales come from scripts/deps.sh). --scale 150 or 200
# runs it at that display scale: the prefix's system DPI (LogPixels) is set for
# this run only and put back afterwards, and a headless run uses a larger screen.
# Usage: scripts/run-demo.sh [--turkish] [--lang tr|de] [--scale 150|200] [SCREENSHOT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

folder=disc target=demo_disc scale=100
while [[ $# -gt 0 ]]; do
  case $1 in
    --turkish) folder=disc-tr target=demo_disc_tr; shift ;;
    --lang)
      case ${2:-} in
        tr) export LC_ALL=tr_TR.UTF-8 ;;
        de) export LC_ALL=de_DE.UTF-8 ;;
        *) echo "run-demo.sh: --lang takes tr or de" >&2; exit 2 ;;
      esac
      shift 2 ;;
    --scale)
      scale=${2:-}
      [[ $scale == 100 || $scale == 150 || $scale == 200 ]] || { echo "run-demo.sh: --scale takes 100, 150 or 200" >&2; exit 2; }
      shift 2 ;;
    *) break ;;
  esac
done
shot=${1:-build/demo-screenshot.png}
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target $target -j "$(nproc)" >/dev/null
disc=$PWD/build/win64/demo/$folder
prefix=$PWD/build/win64/wineprefix
screen=1024x768x24

if [[ $scale != 100 ]]; then
  # Wine reads the system DPI when a process starts: set it before the menu
  # starts, and give the prefix back as it was, whatever happens.
  wine_run=$PWD/scripts/wine-run.sh
  reg() { "$wine_run" "$prefix" reg "$@" 2>/dev/null; }
  old=$(reg query 'HKCU\Control Panel\Desktop' /v LogPixels | awk '/LogPixels/ {print $3}' | tr -d '\r' || true)
  restore() {
    if [[ -n $old ]]; then
      reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$((old))" /f >/dev/null || true
    else
      reg delete 'HKCU\Control Panel\Desktop' /v LogPixels /f >/dev/null || true
    fi
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -w 2>/dev/null || true
  }
  trap restore EXIT
  reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $((96 * scale / 100)) /f >/dev/null
  # The wine server that reg started has no display: the menu must not join it.
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -w 2>/dev/null || true
  screen=1600x1200x24
fi

if [[ -n "${DISPLAY:-}" && -z "${AK_HEADLESS:-}" ]]; then
  cd "$disc"
  status=0
  "$OLDPWD/scripts/wine-run.sh" "$prefix" "$disc/autorun.exe" || status=$?
  exit $status
fi

mkdir -p "$(dirname "$shot")"
shot=$(cd "$(dirname "$shot")" && pwd)/$(basename "$shot")
# Inside Xvfb: start the menu, wait until its window is mapped and two
# screenshots in a row agree (painted and settled), keep the last one.
xvfb-run -a -s "-screen 0 $screen" bash -c '
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
    if cmp -s "$tmp/a.png" "$tmp/b.png"; then
      cp "$tmp/b.png" "$shot"
      # The menu window'"'"'s geometry on the screen, WxH+X+Y.
      xwininfo -root -tree | grep "Setup Wizard" | grep -o "[0-9]*x[0-9]*+[0-9]*+[0-9]*" | head -1 >"$shot.window"
      status=0
      break
    fi
  done
  WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
  rm -rf "$tmp"
  exit $status
' _ "$disc" "$prefix" "$shot" "$PWD/scripts/wine-run.sh" || { echo "run-demo.sh: the menu did not appear" >&2; exit 1; }
if [[ $scale != 100 ]]; then
  # The larger screen is mostly empty: keep the menu window's own area.
  convert "$shot" -crop "$(cat "$shot.window")" +repage "$shot"
  rm -f "$shot.window"
fi
echo "Screenshot of the demo menu: $shot"
