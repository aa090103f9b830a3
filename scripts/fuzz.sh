#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on every library) in build/fuzz, and runs each
# target on a copy of its seed corpus for the given number of seconds.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (default: 60 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

seconds=${1:-60}
shift || true
targets=("$@")
if ((${#targets[@]} == 0)); then
  for dir in fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

sanitizers="-fsanitize=address,undefined -fsanitize=fuzzer-no-link -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DAK_FUZZ=ON \
  -DAK_TESTS=OFF -DAK_BENCH=OFF "-DCMAKE_C_FLAGS=$sanitizers" "-DCMAKE_CXX_FLAGS=$sanitizers" >/dev/null
cmake --build build/fuzz -j "${AK_JOBS:-2}" --target "${targets[@]}"

for target in "${targets[@]}"; do
  echo "== $target: $seconds s"
  corpus=build/fuzz/corpus/$target
  mkdir -p "$corpus" build/fuzz/artifacts
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    build/fuzz/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/artifacts/"$target"- "$corpus"
done
