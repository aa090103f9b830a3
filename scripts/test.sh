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

echo "== release programs"
# 32-bit programs cannot run here: check what they are and what they carry.
pecheck=build/native/tools/pecheck
$pecheck build/win32/app/autorun.exe --machine i386 --gui --system-imports \
  --resource 5:102 --resource 6:1 --resource 14:128 --resource 14:129 --resource 14:130 \
  --resource 3:1 --resource 3:2 --resource 3:3 --resource 16:1 --resource 24:1
echo "All builds done and all tests passed."
