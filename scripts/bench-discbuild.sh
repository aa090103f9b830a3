#!/usr/bin/env bash
# How long discbuild takes for a large disc: the assembled demo disc with
# MB megabytes (600 by default) of generated files beside it, in a folder under
# TMPDIR that is removed afterwards. Prints the time of the ISO and of the USB
# image, each written and read back.
set -euo pipefail
cd "$(dirname "$0")/.."
mb=${1:-600}
discbuild=$PWD/build/native/tools/discbuild/discbuild
demo=$PWD/build/win64/demo/disc
[[ -x $discbuild ]] || cmake --build --preset native --target discbuild >/dev/null
[[ -d $demo ]] || cmake --build --preset win64 --target demo_disc >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/discbuild-bench-XXXXXX")
trap 'rm -rf --one-file-system "$work"' EXIT
cp -r "$demo" "$work/disc"
mkdir "$work/disc/Content"
for ((i = 0; i < mb / 10; ++i)); do head -c 10485760 /dev/urandom >"$work/disc/Content/part$i.bin"; done
for kind in iso usb; do
  start=$(date +%s%N)
  "$discbuild" --"$kind" "$work/image.$kind" --volume BENCH --date 1700000000 "$work/disc" >/dev/null
  ms=$((($(date +%s%N) - start) / 1000000))
  printf '%s of %d MB: %d.%d s (%s bytes)\n' "$kind" "$mb" $((ms / 1000)) $((ms % 1000 / 100)) "$(stat -c %s "$work/image.$kind")"
done
