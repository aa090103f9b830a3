#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, and only those
# that are missing; when everything is present it returns at once and quietly.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 debootstrap
  wine64 xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev libstb-dev fonts-dejavu-core
  fonts-wqy-zenhei
  libjpeg62-turbo-dev libgif-dev
  chromium
  xorriso mtools dosfstools osslsigncode openssl
)
# The browser tests run on Node.js and npm; a machine that has them from
# elsewhere keeps its own, any other gets Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then PACKAGES+=(nodejs npm); fi

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
((${#missing[@]} == 0)) && exit 0

echo "Installing missing packages: ${missing[*]}"
SUDO=()
if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
