#!/usr/bin/env bash
# Checks a shipped program: a 32-bit x86 GUI program that imports only DLLs of
# Windows itself, carries the given resources and, with --max-bytes, is no
# larger than that. Prints its size.
# Usage: check-pe.sh [--max-bytes N] PROGRAM [TYPE:ID ...]   (numbers in decimal, e.g. 24:1 for the manifest)
set -euo pipefail
max_bytes=
if [[ ${1:-} == --max-bytes ]]; then max_bytes=$2; shift 2; fi
exe=$1; shift
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
fail() { echo "check-pe: $exe: $*" >&2; exit 1; }

[[ -f "$exe" ]] || fail "missing"
headers=$("$objdump" -p "$exe" 2>&1) || fail "not a program $objdump can read"
grep -q 'file format pei-i386' <<<"$headers" || fail "not a 32-bit x86 program"
grep -Eq '^Subsystem[[:space:]]+00000002' <<<"$headers" || fail "not a GUI-subsystem program"

system_dlls=" kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll comctl32.dll ole32.dll oleaut32.dll 
  msvcrt.dll version.dll comdlg32.dll shlwapi.dll winmm.dll "
system_dlls=${system_dlls//$'\n'/ } # every name between blanks, the last of a line too
while read -r dll; do
  [[ "$system_dlls" == *" ${dll,,} "* ]] || fail "imports $dll, which Windows does not bring"
done < <(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers")

# The resource tree as objdump prints it: type entries three blanks in, names five.
resources=""
type=""
while read -r line; do
  if [[ "$line" =~ ^[0-9a-f]+\ {3}Entry:\ ID:\ 0x([0-9a-f]+), ]]; then
    type=$((16#${BASH_REMATCH[1]}))
  elif [[ "$line" =~ ^[0-9a-f]+\ {5}Entry:\ ID:\ 0x([0-9a-f]+), ]]; then
    resources+="$type:$((16#${BASH_REMATCH[1]}))"$'\n'
  fi
done <<<"$headers"
for want in "$@"; do
  grep -qx "$want" <<<"$resources" || fail "no resource $want (has: $(tr '\n' ' ' <<<"$resources"))"
done

size=$(stat -c %s "$exe")
[[ -z $max_bytes ]] || ((size <= max_bytes)) || fail "$size bytes, more than the $max_bytes allowed"

echo "$exe: i386 GUI program, system imports only, resources ${*:-none asked}; $size bytes"
