#!/usr/bin/env bash
# Installs what is missing, checks the sources' layout, builds and runs every test: the main
# build, a build under AddressSanitizer and UndefinedBehaviorSanitizer, and a short bounded
# fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
jobs="$(nproc)"

echo "== Format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

echo "== Build and tests"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTF_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

echo "== Sanitizer build and tests"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTF_SANITIZE=ON -DTF_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs" -E 'screenshot'

echo "== Fuzzing (bounded)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTF_FUZZ=ON \
  -DTF_BUILD_APP=OFF -DTF_BUILD_TESTS=OFF -DTF_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_targets
for target in build-fuzz/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name="$(basename "$target")"
  echo "-- $name"
  # New inputs go to the scratch folder; the committed seeds, when there are any, are only read.
  seeds=()
  if [ -d "fuzz/corpus/$name" ]; then seeds=("fuzz/corpus/$name"); fi
  "$target" -max_total_time=20 -rss_limit_mb=2048 -print_final_stats=0 \
    "$(mktemp -d)" "${seeds[@]}" 2>&1 | tail -n 2
done
