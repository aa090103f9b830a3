#!/usr/bin/env bash
# The assembled demo disc made into an ISO by the native discbuild, and its
# Joliet tree (what Windows reads on a CD) extracted again into OUT/disc: the
# end-to-end test starts the menu from there. Skipped (77) without discbuild.
set -euo pipefail
discbuild=$1 disc=$2 out=$3
[[ -x "$discbuild" ]] || { echo "no discbuild at $discbuild: build the native preset first"; exit 77; }
# The extracted folders are read-only, as on the disc.
[[ -e "$out" ]] && chmod -R u+w "$out" && rm -rf --one-file-system "$out"
mkdir -p "$out"
"$discbuild" --iso "$out/demo.iso" --volume HALCYON_4 --date 1700000000 "$disc"
LC_ALL=C.UTF-8 xorriso -no_rc -report_about WARNING -local_charset UTF-8 -osirrox on -read_fs norock \
  -indev "stdio:$out/demo.iso" -extract / "$out/disc"
