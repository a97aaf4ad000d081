#!/usr/bin/env bash
# Browser tests of the menu runtime (runtime/jsmenu0.js): every test file in headless
# Chromium, then the behaviour files in Firefox ESR and WebKitGTK through WebDriver, and in
# QtWebEngine (the designer's preview engine) through BUILD_DIR/tests/webengine_host.
# Usage: run.sh [BUILD_DIR]   (default: the repository's build folder)
#   The menu pages are published from fixture designs by BUILD_DIR/velmora-cli.
#   VELMORA_ENGINES chooses the browsers: "chromium firefox webkit", and qtwebengine when
#   the build has webengine_host (VELMORA_WEBENGINE), by default.
# Needs node and Debian's chromium, firefox-esr, webkit2gtk-driver and xvfb; installs
# the missing ones with apt when run as root, and installs playwright-core (no browser
# download) into node_modules.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# A relative build folder is taken from where run.sh was called.
build="${1:-$here/../../build}"
if [ -d "$build" ]; then build="$(cd "$build" && pwd)"; fi
engines="${VELMORA_ENGINES:-chromium firefox webkit$([ -x "$build/tests/webengine_host" ] && echo ' qtwebengine')}"
# The files whose tests run in every engine (the others use Chromium-only Playwright calls).
cross=(menu behaviour keyboard effects robustness compact pages site lean)

need=()
command -v node >/dev/null || need+=(nodejs)
command -v npm >/dev/null || need+=(npm)
for e in $engines; do
  case "$e" in
    chromium) [ -x /usr/bin/chromium ] || need+=(chromium) ;;
    firefox) command -v firefox-esr >/dev/null || need+=(firefox-esr) ;;
    webkit)
      command -v WebKitWebDriver >/dev/null || need+=(webkit2gtk-driver)
      if [ -z "${DISPLAY:-}" ]; then
        command -v xvfb-run >/dev/null || need+=(xvfb)
        command -v xauth >/dev/null || need+=(xauth)
      fi ;;
    qtwebengine)
      if [ ! -x "$build/tests/webengine_host" ]; then
        echo "runtime tests: no webengine_host in '$build/tests'; build it (VELMORA_WEBENGINE=ON)" >&2
        exit 1
      fi ;;
    *) echo "runtime tests: unknown engine '$e' (chromium, firefox, webkit, qtwebengine)" >&2; exit 1 ;;
  esac
done
if [ ${#need[@]} -gt 0 ]; then
  if [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null; then
    echo "runtime tests: installing ${need[*]}"
    apt-get -o DPkg::Lock::Timeout=600 update -qq
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq "${need[@]}" >/dev/null
  else
    echo "runtime tests need: ${need[*]} (Debian packages)" >&2
    exit 1
  fi
fi

cd "$here"
if [ ! -d node_modules/playwright-core ]; then
  npm ci --no-audit --no-fund --loglevel=error || npm install --no-audit --no-fund --loglevel=error
fi

if [ ! -x "$build/velmora-cli" ]; then
  echo "runtime tests: no velmora-cli in '$build'; build it first" >&2
  exit 1
fi
VELMORA_BUILD="$(cd "$build" && pwd)"
export VELMORA_BUILD
echo "runtime tests: pages published by $VELMORA_BUILD/velmora-cli"

files=()
for f in "${cross[@]}"; do files+=("./$f.test.js"); done
failed=()
for e in $engines; do
  echo "runtime tests: $e"
  case "$e" in
    chromium) cmd=(node --test --test-concurrency=1 ./*.test.js) ;;
    firefox)
      # Node 20 has WebSocket behind a flag; later versions have it anyway.
      ws=()
      node -e 'process.exit(typeof WebSocket === "function" ? 0 : 1)' || ws=(--experimental-websocket)
      cmd=(node "${ws[@]}" --test --test-concurrency=1 "${files[@]}") ;;
    webkit)
      cmd=(node --test --test-concurrency=1 "${files[@]}")
      [ -n "${DISPLAY:-}" ] || cmd=(xvfb-run -a -s "-screen 0 1280x1024x24" "${cmd[@]}") ;;
    qtwebengine) cmd=(node --test --test-concurrency=1 "${files[@]}") ;;
  esac
  VELMORA_ENGINE="$e" "${cmd[@]}" || failed+=("$e")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "runtime tests failed in: ${failed[*]}" >&2
  exit 1
fi
