#!/usr/bin/env bash
# run.sh DEPS_FOLDER [SCRIPT ARGS...]: installs playwright-core as the lock
# file pins it into DEPS_FOLDER (again only when the lock file changed; no
# browser is downloaded: everything drives Debian's Chromium), then runs the
# browser tests, or the script of this folder given with its arguments.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$1
shift
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if ! cmp -s "$here/package-lock.json" "$deps/installed-lock.json"; then
  rm -rf "$deps"
  mkdir -p "$deps"
  cp "$here/package.json" "$here/package-lock.json" "$deps/"
  (cd "$deps" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$deps/installed-lock.json"
fi
export AK_BROWSER_DEPS=$(cd "$deps" && pwd)
if (($#)); then
  exec node "$here/$1" "${@:2}"
fi
exec node --test --test-concurrency=1 "$here"/*.test.mjs
