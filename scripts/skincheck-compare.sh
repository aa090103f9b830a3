#!/usr/bin/env bash
# Runs skincheck as built from REF (default main) and as built from this tree
# on every disc that the skincheck tests write and on both demo discs, and
# compares what they print, their exit statuses and their --preview PNGs at
# display scales 1, 1.5 and 2, byte for byte. For a change to skincheck that
# must not change what it says. Works in build/compare.
# Usage: scripts/skincheck-compare.sh [REF] (the commit this branch left main at, for a branch)
set -euo pipefail
cd "$(dirname "$0")/.."
ref=${1:-main}
work=$PWD/build/compare
sha=$(git rev-parse "$ref^{commit}")
rm -rf "$work/discs" "$work/out"
mkdir -p "$work/discs" "$work/out"

# One source and build folder per commit: sources from another commit would
# carry older times than the objects built before them.
if [[ ! -d $work/src-$sha ]]; then
  mkdir -p "$work/src-$sha"
  git archive "$sha" | tar -x -C "$work/src-$sha"
fi
cmake -S "$work/src-$sha" -B "$work/old-$sha" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAK_BENCH=OFF >/dev/null
cmake --build "$work/old-$sha" -j2 --target skincheck >/dev/null
ln -sfn "$work/old-$sha" "$work/old"
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target skincheck skincheck_tests >/dev/null

AK_SKINCHECK_DISCS=$work/discs build/native/tests/skincheck_tests >/dev/null
demo_present=(--present verpick.exe --present 'Setup\Vista\Setup.exe' --present 'Setup\XP\Setup.exe')
tr_present=(--present verpick.exe --present 'Kurulum\Vista\Kurulum ş.exe' --present 'Kurulum\XP\Kurulum.exe')
for d in disc disc-tr; do
  cp -r "demo/$d" "$work/discs/demo-$d.disc"
  if [[ $d == disc ]]; then printf '%s\n' "${demo_present[@]}"; else printf '%s\n' "${tr_present[@]}"; fi \
    >"$work/discs/demo-$d.args"
  cp -r "demo/$d" "$work/discs/demo-$d-bare.disc" # without the programs the build adds: findings
done

# One run of build $1 on snapshot $2 with the extra options after them, into $work/out/$1/<snapshot>.<tag>.
run() {
  local build=$1 snap=$2 tag=$3
  shift 3
  local args=() skip=0 a
  [[ -f ${snap%.disc}.args ]] && while IFS= read -r a; do
    if ((skip)); then skip=0; continue; fi
    [[ $a == --preview ]] && { skip=1; continue; }
    args+=("$a")
  done <"${snap%.disc}.args"
  local out=$work/out/$build/$(basename "$snap" .disc).$tag
  local status=0
  "$work/$build/tools/skincheck/skincheck" "${args[@]}" "$@" "$snap" >"$out.raw" 2>&1 || status=$?
  # --verbose names each finding's rule at its end (builds from before the rules had ids do not)
  sed -E 's/ \[[a-z]+\.[a-z0-9-]+\]$//' "$out.raw" >"$out.txt"
  rm "$out.raw"
  echo "exit $status" >>"$out.txt"
}

mkdir -p "$work/out/old" "$work/out/new"
ln -sfn "$PWD/build/native" "$work/new"
count=0
for snap in "$work"/discs/*.disc; do
  for build in old new; do
    run "$build" "$snap" text
    run "$build" "$snap" verbose --verbose
    for scale in 1 1.5 2; do
      run "$build" "$snap" "preview-$scale" --preview "$work/out/$build/$(basename "$snap" .disc).$scale.png" --scale "$scale"
    done
  done
  count=$((count + 1))
done
if diff -r "$work/out/old" "$work/out/new"; then
  echo "skincheck-compare: $count discs, $(find "$work/out/new" -name '*.png' | wc -l) previews: the same as $ref"
else
  echo "skincheck-compare: differences from $ref (above)" >&2
  exit 1
fi
