#!/usr/bin/env bash
# Browser tests of the menu runtime (runtime/jsmenu0.js) in headless Chromium.
# Usage: run.sh [BUILD_DIR]   (default: the repository's build folder)
#   The menu pages are published from fixture designs by BUILD_DIR/velmora-cli.
# Needs Debian's chromium and node; installs them with apt when run as root without
# them, and installs playwright-core (no browser download) into node_modules.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="${1:-}"

need=()
[ -x /usr/bin/chromium ] || need+=(chromium)
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "runtime tests: installing ${need[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}" >/dev/null
  else
    echo "runtime tests need: ${need[*]} (Debian packages)" >&2
    exit 1
  fi
fi

cd "$here"
if [ ! -d node_modules/playwright-core ]; then
  npm ci --no-audit --no-fund --loglevel=error || npm install --no-audit --no-fund --loglevel=error
fi

[ -n "$build" ] || build="$here/../../build"
if [ ! -x "$build/velmora-cli" ]; then
  echo "runtime tests: no velmora-cli in '$build'; build it first" >&2
  exit 1
fi
VELMORA_BUILD="$(cd "$build" && pwd)"
export VELMORA_BUILD
echo "runtime tests: pages published by $VELMORA_BUILD/velmora-cli"
exec node --test --test-concurrency=1 ./*.test.js
