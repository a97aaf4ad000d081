#!/usr/bin/env bash
# Times `velmora-cli update-pages` on a site of 1,000 pages of 100 KB in five
# folder levels with a 200-item modern menu: the first run fills every
# page's region, the second finds nothing to change. Beside them, `cat` of
# the same pages in the same run (the least any update must read).
# Usage: bench/site_pages_bench.sh BENCH_BUILD_DIR
set -euo pipefail
build="${1:?a build folder configured with -DVELMORA_BENCH=ON}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/project"
cp "$build/jsmenu0.js" "$work/home/"
"$build/bench/make_design" "$work/project/site.velm" 200 20

# 1,000 pages spread over the site's root and four levels of folders below it.
python3 - "$work/pristine" <<'PY'
import os, sys
root = sys.argv[1]
filler = ("<p>" + "Lorem ipsum dolor sit amet, consectetur adipiscing elit. " * 8 + "</p>\n")
for n in range(1000):
    depth = n % 5
    folder = os.path.join(root, *[f"level{d}_{n % 7}" for d in range(depth)])
    os.makedirs(folder, exist_ok=True)
    head = "<!DOCTYPE html>\n<html><head><title>Page %d</title></head>\n<body>\n<header>\n  <!-- velmora-menu -->\n  <!-- /velmora-menu -->\n</header>\n" % n
    body = head + filler * ((100 * 1024 - len(head)) // len(filler) + 1)
    with open(os.path.join(folder, f"page{n}.html"), "w", newline="") as f:
        f.write(body[: 100 * 1024 - 16] + "</body></html>\n")
PY

now() { date +%s.%N; }
run() {  # seconds taken by one run of a command
  local t0 t1
  t0=$(now); "$@" >/dev/null; t1=$(now)
  echo "$t1 - $t0" | bc -l
}
best() { printf '%s\n' "$@" | sort -g | head -1; }

update=()
again=()
for _ in 1 2 3; do
  rm -rf "$work/project/pages"
  cp -r "$work/pristine" "$work/project/pages"
  sync
  update+=("$(run "$build/velmora-cli" update-pages "$work/project/site.velm" "$work/project/pages" --page html5 --home "$work/home")")
  again+=("$(run "$build/velmora-cli" update-pages "$work/project/site.velm" "$work/project/pages" --page html5 --home "$work/home")")
done
readall=$(run sh -c "find '$work/project/pages' -name '*.html' -exec cat {} + >/dev/null")
pages=$(find "$work/project/pages" -name '*.html' | wc -l)
mb=$(du -sm "$work/project/pages" | cut -f1)
region=$(sed -n '/velmora-menu -->/,/\/velmora-menu/p' "$(find "$work/project/pages" -mindepth 5 -name '*.html' | head -1)" | wc -c)
printf '%-6s %8s %18s %18s %10s %12s\n' pages site_MB update_s nothing_to_do_s cat_s region_bytes
printf '%-6s %8s %18.3f %18.3f %10.3f %12s\n' "$pages" "$mb" "$(best "${update[@]}")" "$(best "${again[@]}")" "$readall" "$region"
