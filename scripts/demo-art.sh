#!/usr/bin/env bash
# Draws the demo disc's pictures again and writes its Data/main.ini and
# AUTORUN.INF (tools/DemoArt.cpp), and the preview docs/demo-art-preview.png.
# Usage: scripts/demo-art.sh [REVIEW_DIR]   (REVIEW_DIR gets a PNG of every look)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target demo_art
build/native/tools/demo_art demo/disc docs/demo-art-preview.png "$@"
echo "Demo disc art written to demo/disc; preview in docs/demo-art-preview.png."
