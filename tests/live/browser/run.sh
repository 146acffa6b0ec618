#!/bin/sh
# The browser test of the live page: installs the pinned puppeteer-core into
# the build folder (once), then runs the test on the system Chromium.
#   run.sh SOURCEDIR BINDIR TESTDIR WORKDIR
set -eu
src=$1 bin=$2 tests=$3 work=$4
command -v npm >/dev/null || { echo "npm is needed for the browser test" >&2; exit 1; }
mkdir -p "$work"
if ! cmp -s "$src/package-lock.json" "$work/package-lock.json" || [ ! -d "$work/node_modules" ]; then
    cp "$src/package.json" "$src/package-lock.json" "$work/"
    (cd "$work" && timeout 300 npm ci --no-audit --no-fund --loglevel=error)
fi
cp "$src/live_page.test.mjs" "$work/"
# No proxy between the browser and the server on 127.0.0.1.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY all_proxy ALL_PROXY
exec timeout 90 node "$work/live_page.test.mjs" "$bin" "$tests" "$work"
