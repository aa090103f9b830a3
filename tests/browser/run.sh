#!/usr/bin/env bash
# run.sh DEPS_FOLDER: installs playwright-core as the lock file pins it into
# DEPS_FOLDER (again only when the lock file changed; no browser is downloaded:
# the tests drive Debian's Chromium) and runs the browser tests.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
deps=$1
export PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1
if ! cmp -s "$here/package-lock.json" "$deps/installed-lock.json"; then
  rm -rf "$deps"
  mkdir -p "$deps"
  cp "$here/package.json" "$here/package-lock.json" "$deps/"
  (cd "$deps" && npm ci --no-audit --no-fund --loglevel=error)
  cp "$here/package-lock.json" "$deps/installed-lock.json"
fi
export AK_BROWSER_DEPS=$deps
exec node --test --test-concurrency=1 "$here"/*.test.mjs
