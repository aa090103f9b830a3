#!/usr/bin/env bash
# Draws the demo disc's pictures again (at 1x and, as name@2x, at 2x) and
# writes its Data/main.ini and AUTORUN.INF (tools/DemoArt.cpp), and the preview
# docs/demo-art-preview.png;
# then checks the disc with skincheck and keeps its preview of the window in
# docs/skincheck-preview.png. Does the same for the Turkish disc demo/disc-tr
# (its previews go to build/).
# Usage: scripts/demo-art.sh [REVIEW_DIR]   (REVIEW_DIR gets a PNG of every look)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target demo_art skincheck
build/native/tools/demo_art demo/disc docs/demo-art-preview.png "$@"
# verpick.exe and the two installers are added to the disc by the Windows build.
build/native/tools/skincheck/skincheck --preview docs/skincheck-preview.png \
  --present verpick.exe --present 'Setup\Vista\Setup.exe' --present 'Setup\XP\Setup.exe' demo/disc
build/native/tools/demo_art --turkish demo/disc-tr build/demo-art-preview-tr.png
build/native/tools/skincheck/skincheck --preview build/skincheck-preview-tr.png --present verpick.exe \
  --present 'Kurulum\Vista\Kurulum ş.exe' --present 'Kurulum\XP\Kurulum.exe' \
  demo/disc-tr
echo "Demo disc art written to demo/disc and demo/disc-tr; previews in docs/demo-art-preview.png and docs/skincheck-preview.png."
