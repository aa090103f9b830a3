#!/usr/bin/env bash
# Runs a Windows program under wine64 with the given build tree's own prefix.
# Usage: wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made once (under a lock, as ctest may start several programs).
set -euo pipefail
prefix=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
WINE=/usr/lib/wine/wine64
mkdir -p "$(dirname "$prefix")"
(
  flock 9
  if [[ ! -f "$prefix/.ak-ready" ]]; then
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    # No crash dialog: a crashing test must fail, not wait for a click.
    "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 || true
    # No window manager runs under Xvfb: unmanaged windows spare the 2 s that
    # Wine otherwise waits for one each time a visible window is hidden.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
    /usr/lib/wine/wineserver -w || true
    touch "$prefix/.ak-ready"
  fi
) 9>"$prefix.lock"

# The pid of the prefix's wineserver when it is spinning: Wine 10's server at
# times loops without end (no system call, a whole core) and every later
# program of the prefix then waits on it for ever.
spinning_server() {
  local stat pid before after
  for stat in /proc/[0-9]*/stat; do
    pid=${stat#/proc/}; pid=${pid%/stat}
    [[ $(tr -d '\0' 2>/dev/null <"/proc/$pid/comm") == wineserver* ]] || continue
    tr '\0' '\n' 2>/dev/null <"/proc/$pid/environ" | grep -qxF "WINEPREFIX=$prefix" || continue
    before=$(awk '{print $14 + $15}' "$stat" 2>/dev/null) || continue
    sleep 2
    after=$(awk '{print $14 + $15}' "$stat" 2>/dev/null) || continue
    (( after - before > 150 )) && echo "$pid" # clock ticks: over 1.5 s of CPU in 2 s
  done
  return 0
}

# A program that overruns its time fails; when the prefix's server spins, that
# server is ended too, so that the programs after it do not hang on it as well.
limit=${AK_WINE_LIMIT:-480}
rc=0
timeout --kill-after=10 "$limit" "$WINE" "$@" || rc=$?
if [[ $rc -eq 124 || $rc -eq 137 ]]; then
  echo "wine-run.sh: $1 overran ${limit} s" >&2
  servers=$(spinning_server)
  if [[ -n $servers ]]; then
    echo "wine-run.sh: the wineserver of $prefix (pid $servers) spins without end: ended it" >&2
    kill -9 $servers
  fi
fi
exit "$rc"
