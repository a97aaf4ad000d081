#!/usr/bin/env bash
# Builds the reader and web page fuzzers with clang and runs each for a
# while on a seed corpus of real files. Usage: fuzz/run.sh BUILD_DIR SECONDS
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:?build folder}"
seconds="${2:-30}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_CORE_ONLY=ON -DVELMORA_TESTS=OFF -DVELMORA_GUI=OFF -DVELMORA_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$build" -j2 --target fuzz_project_reader fuzz_structure_reader fuzz_web_page
for reader in project structure web_page; do
  corpus="$build/corpus-$reader"
  mkdir -p "$corpus"
  case "$reader" in
    project) find "$here/examples" "$here/tests/cli/expected" "$here/fuzz/seeds" -name '*.velm' -exec cp -f {} "$corpus/" \; ;;
    structure) find "$here/tests/cli/expected" "$here/fuzz/seeds" -name '*.gms' -exec cp -f {} "$corpus/" \; ;;
    web_page) cp -f "$here"/tests/importers/fixtures/*.html "$here"/fuzz/seeds/*.html "$corpus/" ;;
  esac
  target="fuzz_${reader}_reader" max_len=65536
  # A page parses far slower than a file reads; small pages reach every rule.
  [ "$reader" = web_page ] && target=fuzz_web_page max_len=8192
  echo "== $target for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 "$build/$target" -max_total_time="$seconds" -max_len="$max_len" \
    -print_final_stats=1 "$corpus" 2>"$build/fuzz-$reader.log" || { tail -40 "$build/fuzz-$reader.log"; exit 1; }
  grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/fuzz-$reader.log" | sed 's/^/   /'
done
