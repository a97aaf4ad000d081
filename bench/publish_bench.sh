#!/usr/bin/env bash
# Times `velmora-cli publish` of synthetic designs (1k, 10k, 100k items with
# about 1,000 distinct styles) as whole processes, beside `cp` of the same
# output bytes in the same run, and beside io_floor: reading the project and
# writing as many bytes as the output, with no parsing or generating (the
# least any publishing program must do; cp copies inside the kernel).
# Usage: bench/publish_bench.sh BENCH_BUILD_DIR
set -euo pipefail
build="${1:?a build folder configured with -DVELMORA_BENCH=ON}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home"
cp "$build/jsmenu0.js" "$work/home/"

now() { date +%s.%N; }
best_of() {  # best of three runs of a command, in seconds
  local best=""
  for _ in 1 2 3; do
    local t0 t1 took
    t0=$(now); "$@" >/dev/null; t1=$(now)
    took=$(echo "$t1 - $t0" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$took < $best" | bc -l)" = 1 ]; then best=$took; fi
  done
  printf '%.3f' "$best"
}

printf '%-8s %12s %12s %8s %12s %10s\n' items publish_s cp_s ratio io_floor_s out_MB
for n in 1000 10000 100000; do
  d="$work/d$n"; mkdir -p "$d/site" "$d/copy"
  "$build/bench/make_design" "$d/design.velm" "$n" 1000
  publish=$(best_of "$build/velmora-cli" publish "$d/design.velm" --to "$d/site" --menu-name menu1 --home "$work/home")
  copy=$(best_of cp -r "$d/site/." "$d/copy/")
  bytes=$(cat "$d"/site/* | wc -c)
  mkdir -p "$d/floor"
  floor=$(best_of "$build/bench/io_floor" "$d/design.velm" "$d/floor" "$bytes")
  mb=$(du -sm "$d/site" | cut -f1)
  printf '%-8s %12s %12s %8.1f %12s %10s\n' "$n" "$publish" "$copy" "$(echo "$publish / $copy" | bc -l)" "$floor" "$mb"
done
