#!/usr/bin/env bash
# Builds the native core and all its unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them. Prints ctest's summary.
set -euo pipefail
qb_root=$(cd "$(dirname "$0")/.." && pwd)
build=${QB_BUILD_DIR:-$qb_root/build}/native-sanitize
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$qb_root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQB_SANITIZE=ON >/dev/null
fi
cmake --build "$build" -j "${QB_JOBS:-$(nproc)}" >/dev/null
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
