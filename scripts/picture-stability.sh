#!/usr/bin/env bash
# Which pictures of the agreement test's corpus the menu's loader does not
# decode alike every time: it decodes them all in one process first to last,
# again last to first, and then each in a process of its own RUNS times, under
# Wine 8 and Wine 10, and names every file whose verdict or pixels differ
# between those runs. Such a file has no one right answer to compare skincheck
# with: the agreement test leaves it out (its table of unstable pictures).
# Usage: scripts/picture-stability.sh [RUNS]   (3 by default; builds what it needs)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-3}
if [[ -z "${DISPLAY:-}" && -z "${AK_IN_XVFB:-}" ]]; then
  AK_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

cmake --preset native >/dev/null && cmake --build --preset native -j2 --target picture_corpus >/dev/null
cmake --preset win64 >/dev/null && cmake --build --preset win64 -j2 --target loader_dump >/dev/null
dump=$PWD/build/win64/tests/pictures/loader_dump.exe
corpus=$PWD/build/win64/tests/pictures/stability
rm -rf "$corpus" && mkdir -p "$corpus"
build/native/tests/pictures/picture_corpus "$corpus" >/dev/null

wine8() { scripts/wine-run.sh "$PWD/build/win64/wineprefix" "$@"; }
wine10() { scripts/wine10.sh run "$PWD/build/win64/wineprefix-wine10" "$@"; }
kinds=()
for wine in wine8 wine10; do
  echo "$wine: the corpus forward, backward, and each picture alone $runs times"
  "$wine" "$dump" "$corpus" --as "$wine-forward" >/dev/null
  "$wine" "$dump" "$corpus" --reverse --as "$wine-reverse" >/dev/null
  kinds+=("$wine-forward" "$wine-reverse")
  for ((i = 1; i <= runs; ++i)); do
    "$wine" "$dump" "$corpus" --alone --as "$wine-alone$i" >/dev/null
    kinds+=("$wine-alone$i")
  done
done

# A result is its first line ("none" or "W H") and, for a picture, a digest of its pixels.
result() {
  local first
  first=$(head -n 1 "$1")
  [[ $first == none ]] && { echo "does not load"; return; }
  echo "${first/ /x} pixels $(md5sum <"$1" | cut -c1-8)"
}
list=tests/pictures/unstable.txt
unstable=0 total=0 unlisted=0
while IFS= read -r name; do
  total=$((total + 1))
  declare -A seen=()
  for kind in "${kinds[@]}"; do
    r=$(result "$corpus/$name.$kind")
    seen[$r]+=" $kind"
  done
  if ((${#seen[@]} > 1)); then
    unstable=$((unstable + 1))
    how="runs: its pixels differ between runs"
    [[ -n ${seen["does not load"]:-} ]] && how="runs: it loads in some runs and not in others"
    listed=$(grep -P "^\Q$name\E\t" "$list" || true)
    if [[ -z $listed ]]; then
      unlisted=$((unlisted + 1))
      echo "not in $list:"
    fi
    printf '%s\t%s\n' "$name" "$how"
    for r in "${!seen[@]}"; do echo "    $r:${seen[$r]}"; done
  fi
  unset seen
done <"$corpus/corpus.txt"
echo "$unstable of $total pictures are not decoded alike in every run; $unlisted of them are not in $list"
((unlisted == 0))
