#!/usr/bin/env bash
# Builds every fuzz target with clang into $QB_BUILD_DIR/fuzz (default
# <repo>/build/fuzz) and prints the directory that holds the programs.
set -euo pipefail
qb_root=$(cd "$(dirname "$0")/../.." && pwd)
build=${QB_BUILD_DIR:-$qb_root/build}/fuzz
if [ ! -f "$build/CMakeCache.txt" ]; then
  CC=clang CXX=clang++ cmake -S "$qb_root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQB_FUZZ=ON >&2
fi
cmake --build "$build" --target fuzz_targets -j "${QB_JOBS:-$(nproc)}" >&2
echo "$build/tests/fuzz"
