#!/usr/bin/env bash
# Installs what Velmora needs on Debian 12, builds it, and then either runs
# the designer on the bundled example ("run") or passes every test ("test").
# Safe to run again: installed packages and an existing build are reused.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$here"
mode="${1:-run}"
build="${VELMORA_BUILD_DIR:-$here/build}"

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

packages=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-webengine-dev libgl-dev libgumbo-dev libuchardet-dev
          libgtest-dev libgmock-dev libbenchmark-dev chromium firefox-esr webkit2gtk-driver xvfb xauth
          clang dpkg-dev file esbuild)
# Node.js may come from elsewhere than Debian (its npm then conflicts with
# Debian's): install these only when the command is missing.
commands=(node:nodejs npm:npm)

install_packages() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  for entry in "${commands[@]}"; do
    command -v "${entry%%:*}" >/dev/null || missing+=("${entry#*:}")
  done
  if [ "${#missing[@]}" -gt 0 ]; then
    echo "== Installing ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
  fi
}

configure_and_build() {
  echo "== Building in $build"
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$build" -j2
}

run_main_job() {
  local example="$here/examples/velmora-example.velm"
  if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x "$build/velmora" ]; then
    # The live preview's engine will not start as root with its sandbox on;
    # it only ever shows the designer's own pages, so switch it off there.
    if [ "$(id -u)" -eq 0 ]; then
      export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---no-sandbox}"
    fi
    exec "$build/velmora" "$example"
  fi
  local out="${VELMORA_EXAMPLE_OUT:-$build/example-site}"
  mkdir -p "$out"
  cp -f "$here"/examples/* "$out/"
  "$build/velmora-cli" publish "$out/velmora-example.velm" --home "$build" >/dev/null
  echo "No display: published the example with velmora-cli."
  echo "Open this page in a browser: $out/velmora-example.html"
}

run_tests() {
  echo "== Unit, command-line, window and browser tests"
  (cd "$build" && ctest --output-on-failure -j2)
  echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
  local asan="$build-sanitize"
  cmake -S "$here" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_CORE_ONLY=ON -DVELMORA_GUI=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all" >/dev/null
  cmake --build "$asan" -j2 --target core_tests importer_tests
  (cd "$asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2)
  if command -v clang++ >/dev/null; then
    echo "== Fuzzing both file readers and the web page import"
    "$here/fuzz/run.sh" "$build-fuzz" "${VELMORA_FUZZ_SECONDS:-30}"
  fi
}

install_packages
case "$mode" in
  run) configure_and_build; run_main_job ;;
  test) configure_and_build; run_tests ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac
