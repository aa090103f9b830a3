#!/usr/bin/env bash
# Builds the libFuzzer targets with clang under ASan and UBSan in build/fuzz and
# runs each of them for SECONDS (default 60). A target is every executable
# fuzz_* that has a seed folder fuzz/corpus/<name>/; what a run finds new goes
# to fuzz/corpus-work/<name>/ (not committed), crashing inputs to build/fuzz/crashes/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

seconds=${1:-60}
build=build/fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DAK_FUZZ=ON -DAK_TESTS=OFF -DAK_BENCH=OFF >/dev/null
cmake --build "$build" -j "${AK_JOBS:-2}"

mkdir -p "$build/crashes"
ran=0
for exe in "$build"/fuzz/fuzz_*; do
  [[ -f "$exe" && -x "$exe" ]] || continue
  name=$(basename "$exe")
  seeds=fuzz/corpus/$name
  if [[ ! -d "$seeds" ]]; then
    echo "fuzz.sh: $name has no seed folder $seeds; skipped" >&2
    continue
  fi
  work=fuzz/corpus-work/$name
  mkdir -p "$work"
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/crashes/$name-")
  [[ -f fuzz/$name.dict ]] && args+=(-dict="fuzz/$name.dict")
  echo "== $name for ${seconds}s"
  "$exe" "${args[@]}" "$work" "$seeds"
  ran=$((ran + 1))
done
((ran > 0)) || { echo "fuzz.sh: no fuzz target found in $build/fuzz" >&2; exit 1; }
echo "All $ran fuzz targets ran ${seconds}s each without a finding."
