#!/usr/bin/env bash
# Builds and runs every test: once with warnings as errors, once under
# AddressSanitizer and UndefinedBehaviorSanitizer, then a short fuzzing smoke.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --test
jobs=$(nproc)
start=$SECONDS

run_suite() {
  local dir=$1; shift
  cmake -S . -B "$dir" "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure -j "$jobs"
}

echo "== build and test with -Werror"
run_suite build/werror -DQUINDLE_WERROR=ON
echo "== build and test under AddressSanitizer and UndefinedBehaviorSanitizer"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_suite build/asan -DQUINDLE_WERROR=ON -DQUINDLE_SANITIZE=ON -DQUINDLE_BENCH=OFF

echo "== fuzzing smoke"
if command -v clang++-16 >/dev/null; then
  CC=clang-16 CXX=clang++-16 cmake -S . -B build/fuzz -DQUINDLE_FUZZ=ON >/dev/null
  cmake --build build/fuzz -j "$jobs"
  for fuzzer in build/fuzz/tests/fuzz/*_fuzzer; do
    [[ -x "$fuzzer" ]] || continue
    corpus="tests/fuzz/corpus/$(basename "$fuzzer")"
    work=$(mktemp -d)
    [[ -d "$corpus" ]] && cp -r "$corpus"/. "$work"/
    echo "-- $(basename "$fuzzer")"
    "$fuzzer" -max_total_time=15 -print_final_stats=0 "$work" 2>&1 | tail -n 2
    rm -rf "$work"
  done
else
  echo "clang++-16 not found: fuzzers not built"
fi
echo "== all tests passed in $((SECONDS - start)) s"
