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
exec "$WINE" "$@"
