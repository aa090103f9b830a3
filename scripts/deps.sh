#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, and only those
# that are missing; when everything is present it returns at once and quietly.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ libgtest-dev googletest libbenchmark-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686 binutils-mingw-w64-x86-64 debootstrap
  wine64 xvfb xauth x11-utils imagemagick clang libclang-rt-14-dev libstb-dev fonts-dejavu-core
  fonts-wqy-zenhei
  libjpeg62-turbo-dev libgif-dev locales
  chromium
  xorriso mtools dosfstools osslsigncode openssl
)
# The browser tests run on Node.js and npm; a machine that has them from
# elsewhere keeps its own, any other gets Debian's.
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then PACKAGES+=(nodejs npm); fi
# Wine takes the display language from LC_ALL, and only from a locale the system
# has: the menu's language tests and `run-demo.sh --lang` use these.
LOCALES=(tr_TR de_AT de_DE fr_FR)

missing=()
for p in "${PACKAGES[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
missing_locales=()
have_locales=$(locale -a 2>/dev/null || true)
for l in "${LOCALES[@]}"; do
  grep -qx "$l.utf8" <<<"$have_locales" || missing_locales+=("$l")
done
((${#missing[@]} == 0 && ${#missing_locales[@]} == 0)) && exit 0

SUDO=()
if [[ $(id -u) -ne 0 ]]; then SUDO=(sudo); fi
if ((${#missing[@]} > 0)); then
  echo "Installing missing packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${SUDO[@]}" apt-get update -qq
  "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for l in "${missing_locales[@]}"; do
  echo "Making the locale $l.UTF-8"
  "${SUDO[@]}" localedef -i "$l" -c -f UTF-8 -A /usr/share/locale/locale.alias "$l.UTF-8"
done
