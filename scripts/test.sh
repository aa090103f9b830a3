#!/usr/bin/env bash
# Builds everything (native, win32 release, win64) and runs every test: the
# native unit tests; the release programs' imports, resources and sizes; then
# the Windows tests under Wine 8 and under Wine 10, and the end-to-end tests on
# the shipped 32-bit programs in Wine 10's WoW64 mode (under Xvfb when there is
# no display). Set AK_WERROR=ON to turn warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/deps.sh
scripts/wine10.sh setup

werror=-DAK_WERROR=${AK_WERROR:-OFF}
jobs=${AK_JOBS:-$(nproc)}

echo "== native"
cmake --preset native "$werror" >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

# Before the win64 tests: they run the end-to-end tests on these programs too.
echo "== win32 release"
cmake --preset win32-release "$werror" >/dev/null
cmake --build --preset win32-release -j "$jobs"

echo "== release programs"
# What they are, what they carry, and that they stay small.
# autorun: template 5:102, string block 6:1, icons 3:1-3 in groups 14:128-130, version 16:1, manifest 24:1
scripts/check-pe.sh --max-bytes $((200 * 1024)) build/win32/app/autorun.exe \
  5:102 6:1 3:1 3:2 3:3 14:128 14:129 14:130 16:1 24:1
# verpick: manifest 24:1, group icon 14:128, version block 16:1
scripts/check-pe.sh --max-bytes $((80 * 1024)) build/win32/launcher/verpick.exe 24:1 14:128 16:1

echo "== win64 (tests under Wine 8 and Wine 10; the release programs under Wine 10)"
cmake --preset win64 "$werror" >/dev/null
cmake --build --preset win64 -j "$jobs"
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win64
else
  ctest --preset win64
fi
echo "All builds done and all tests passed in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s."
