#!/usr/bin/env bash
# The second Windows implementation: Debian trixie's Wine 10 in a chroot, with
# the 32-bit PE DLLs of libwine:i386, so that 32-bit programs run in WoW64 mode
# (32-bit Windows code in a 64-bit Unix process; this kernel refuses 32-bit
# processes). It lives outside the work tree, so that it survives a fresh clone
# and is made once per machine: $AK_WINE10_ROOT, /var/cache/autorun-kit/wine10
# by default (about 2 GB; remove the folder to get rid of it).
#
#   wine10.sh setup                    make the chroot when it is missing (as root)
#   wine10.sh run PREFIX PROGRAM ARGS  run a Windows program with that prefix
#   wine10.sh path                     print where the chroot lives
set -euo pipefail

root=${AK_WINE10_ROOT:-/var/cache/autorun-kit/wine10}
mirror=${AK_DEBIAN_MIRROR:-http://deb.debian.org/debian}
ready=$root/.ak-ready

# What a chroot made by an earlier version of this script lacks: the CJK font,
# and the locales that the language tests set through LC_ALL (Wine takes the
# display language from the locale, and only from one the system has).
font=$root/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc
locales=(tr_TR de_AT de_DE fr_FR)
complete() {
  [[ -f $font ]] || return 1
  local l
  for l in "${locales[@]}"; do [[ -d $root/usr/lib/locale/$l.utf8 ]] || return 1; done
}
upgrade() {
  complete && return 0
  exec 8>"$root.lock"
  flock 8
  complete && return 0
  echo "Adding the CJK font and the test locales to the Wine 10 chroot in $root"
  mount -t proc proc "$root/proc"
  local status=0
  chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C sh -c \
    'apt-get update -qq && apt-get install -y -qq --no-install-recommends fonts-wqy-zenhei locales && apt-get clean' \
    >>"$root.log" 2>&1 || status=$?
  local l
  for l in "${locales[@]}"; do
    ((status == 0)) || break
    chroot "$root" env LC_ALL=C localedef --no-archive -i "$l" -c -f UTF-8 "$l.UTF-8" >>"$root.log" 2>&1 ||
      status=$?
  done
  umount "$root/proc"
  return "$status"
}

setup() {
  [[ -f $ready ]] || make_root
  upgrade
}

make_root() {
  mkdir -p "$(dirname "$root")"
  # One maker at a time; whoever waited finds it made.
  exec 8>"$root.lock"
  flock 8
  [[ -f $ready ]] && return 0
  echo "Making the Wine 10 chroot in $root (once: a few minutes, about 2 GB)"
  local work=$root.partial
  bash -s "$work" "$mirror" "$root" <<'EOF'
set -euo pipefail
work=$1 mirror=$2 root=$3
# A partial tree from an interrupted run may still have /proc mounted in it.
umount -R "$work/proc" 2>/dev/null || true
rm -rf --one-file-system "$work"
debootstrap --variant=minbase trixie "$work" "$mirror" >"$work.log" 2>&1 ||
  { echo "debootstrap failed; see $work.log" >&2; exit 1; }
mount -t proc proc "$work/proc"
trap 'umount "$work/proc" 2>/dev/null || true' EXIT
in_root() { chroot "$work" env DEBIAN_FRONTEND=noninteractive LC_ALL=C "$@"; }
in_root apt-get update -qq
# The CJK font: the end-to-end tests compare Chinese glyphs.
in_root apt-get install -y -qq --no-install-recommends wine wine64 libz-mingw-w64 fonts-wqy-zenhei >>"$work.log" 2>&1
# Only the PE half of the 32-bit Wine: its Unix half would need a 32-bit kernel.
in_root dpkg --add-architecture i386
in_root apt-get update -qq
version=$(in_root dpkg-query -W -f='${Version}' wine64)
mkdir -p "$work/tmp/libwine32"
in_root chown _apt /tmp/libwine32 # apt downloads as _apt
in_root sh -c "cd /tmp/libwine32 && apt-get download -qq libwine:i386=$version"
in_root sh -c 'dpkg-deb -x /tmp/libwine32/libwine_*_i386.deb /tmp/libwine32/x'
src=$work/tmp/libwine32/x/usr/lib/i386-linux-gnu/wine/i386-windows
[[ -d $src ]] || { echo "libwine:i386 holds no i386-windows folder" >&2; exit 1; }
mkdir -p "$work/usr/lib/x86_64-linux-gnu/wine/i386-windows"
cp -a "$src/." "$work/usr/lib/x86_64-linux-gnu/wine/i386-windows/"
rm -rf "$work/tmp/libwine32"
in_root apt-get clean
umount "$work/proc"
trap - EXIT
rm -rf --one-file-system "$root"
mv "$work" "$root"
mv "$work.log" "$root.log"
touch "$root/.ak-ready"
EOF
}

run() {
  local prefix=$1
  shift
  [[ -f $ready ]] || { echo "wine10.sh: no Wine 10 chroot in $root; run scripts/wine10.sh setup" >&2; exit 1; }
  local here
  here=$(cd "$(dirname "$0")" && pwd)
  # The sources, the build trees and the prefix are seen at their own paths in
  # the chroot, so the Z: paths that the build bakes in stay right.
  local binds=("$(dirname "$here")" "$(dirname "$prefix")")
  local arg
  for arg in "$@"; do
    if [[ $arg == /* && -e $arg ]]; then binds+=("$(dirname "$arg")"); fi
  done
  # The mounts live in a mount namespace of their own: they end with the
  # program, and concurrent runs never see each other's.
  exec unshare --mount --propagation private bash "$here/wine10.sh" _inside "$here" "$prefix" "${#binds[@]}" \
    "${binds[@]}" "$@"
}

inside() {
  local here=$1 prefix=$2 n=$3
  shift 3
  local binds=("${@:1:n}")
  shift "$n"
  mount -t proc proc "$root/proc"
  local d
  for d in /sys /dev /dev/shm /tmp/.X11-unix; do
    [[ -d $d ]] || continue
    mkdir -p "$root$d"
    mount --rbind "$d" "$root$d"
  done
  if [[ -n ${XAUTHORITY:-} && -f $XAUTHORITY ]]; then
    d=$(dirname "$XAUTHORITY")
    mkdir -p "$root$d"
    mount --bind "$d" "$root$d"
  fi
  for d in "${binds[@]}"; do
    mountpoint -q "$root$d" 2>/dev/null && continue
    mkdir -p "$root$d"
    mount --bind "$d" "$root$d"
  done
  # The same prefix-making runner as Wine 8's, with the chroot's Wine.
  exec chroot "$root" /bin/sh -c 'cd "$1" && shift && exec "$@"' _ "$PWD" "$here/wine-run.sh" "$prefix" "$@"
}

# debootstrap, chroot and mounts need root (CI runs as root).
if [[ $(id -u) -ne 0 && ${1:-} =~ ^(setup|run)$ ]]; then
  exec sudo -E "$0" "$@"
fi

case ${1:-} in
  setup) setup ;;
  run) shift; run "$@" ;;
  _inside) shift; inside "$@" ;;
  path) echo "$root" ;;
  *) echo "usage: wine10.sh setup | run PREFIX PROGRAM [ARGS...] | path" >&2; exit 2 ;;
esac
