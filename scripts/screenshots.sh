#!/usr/bin/env bash
# Makes the README's pictures: the designer window on the bundled example, and
# the example's published menu in headless Chromium with a submenu open.
# Usage: scripts/screenshots.sh [BUILD_DIR]   (needs xvfb, imagemagick, chromium; xdotool)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
out="$here/docs/images"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out" "$work/site"

cp "$here"/examples/* "$work/site/"
"$build/velmora-cli" publish "$work/site/velmora-example.velm" --menu-name menu1 --home "$build" >/dev/null
(cd "$here/tests/runtime" && [ -d node_modules/playwright-core ] || npm install --no-audit --no-fund --loglevel=error)
NODE_PATH="$here/tests/runtime/node_modules" node "$here/scripts/screenshot_menu.js" \
  "file://$work/site/velmora-example.html" "$out/menu.png"

if [ -x "$build/velmora" ]; then
  # The live preview's browser engine will not start as root without these.
  if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox --disable-gpu}"; fi
  # The window alone, as a user sees it on the example, with the live
  # preview beside the pages.
  # Settings of its own: the pane a little wider, at the tablet width.
  mkdir -p "$work/config/Vorn"
  printf '[1.0]\nSettings\\LivePreviewWidth=768\nSettings\\LivePreviewPaneWidth=560\n' >"$work/config/Vorn/Velmora.conf"
  XDG_CONFIG_HOME="$work/config" xvfb-run -a -s "-screen 0 1400x820x24" bash -c '
    "$1" "$2" & pid=$!
    # The live preview pane draws once its engine has started.
    sleep 9
    # With xdotool: open the tree and select an item, as a user would.
    if command -v xdotool >/dev/null; then
      win=$(xdotool search --name "^Velmora$" | head -1)
      xdotool mousemove --window "$win" 10 67 click 1; sleep 0.5
      xdotool mousemove --window "$win" 70 86 click 1; sleep 0.5
      xdotool mousemove --window "$win" 22 86 click 1; sleep 0.5
      xdotool mousemove --window "$win" 100 144 click 1; sleep 1
    fi
    # The largest window of that name is the main window (toolkits add small ones).
    win=$(xwininfo -root -tree | awk '\''/"Velmora"/ { split($0, a, /\)  /); split(a[2], g, /[x+]/); print g[1] * g[2], $1 }'\'' | sort -n | tail -1 | cut -d" " -f2)
    import -window "$win" "$3"
    kill $pid' _ "$build/velmora" "$here/examples/velmora-example.velm" "$out/designer.png"
fi
echo "Pictures in $out"
