#!/usr/bin/env bash
# Builds everything (native, win64, win32 release) and runs every test:
# the native unit tests, then the Windows tests through wine64 (under Xvfb
# when there is no display). Set AK_WERROR=ON to turn warnings into errors.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh

werror=-DAK_WERROR=${AK_WERROR:-OFF}
jobs=${AK_JOBS:-$(nproc)}

echo "== native"
cmake --preset native "$werror" >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== win64 (tests under wine64)"
cmake --preset win64 "$werror" >/dev/null
cmake --build --preset win64 -j "$jobs"
if [[ -z "${DISPLAY:-}" ]]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset win64
else
  ctest --preset win64
fi

echo "== win32 release"
cmake --preset win32-release "$werror" >/dev/null
cmake --build --preset win32-release -j "$jobs"
# manifest 24:1, group icon 14:128, version block 16:1
scripts/check-pe.sh build/win32/launcher/verpick.exe 24:1 14:128 16:1
echo "All builds done and all tests passed."
