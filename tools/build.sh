#!/usr/bin/env bash
# Builds the three trees: the native core with its tests and tools, and the
# Windows programs for 32-bit Windows (build/dist) and 64-bit Windows (build/dist64).
# QB_BUILD_DIR chooses another build root (default: build/ in the repository).
set -euo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${QB_BUILD_DIR:-$qb_root/build}
jobs=${QB_JOBS:-$(nproc)}

configure() { # dir, extra cmake args...
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$qb_root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
  else
    cmake "$dir" "$@" >/dev/null
  fi
}

configure "$build/native"
cmake --build "$build/native" -j "$jobs"

help_file="$build/native/tools/Quorbelind.hlp"
help_arg=()
[ -f "$help_file" ] && help_arg=(-DQB_HELP_FILE="$help_file")

configure "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$qb_root/cmake/toolchain-mingw-i686.cmake" \
  -DQB_DIST_DIR="$build/dist" "${help_arg[@]}"
cmake --build "$build/win32" -j "$jobs"

configure "$build/win64" -DCMAKE_TOOLCHAIN_FILE="$qb_root/cmake/toolchain-mingw-x86_64.cmake" \
  -DQB_DIST_DIR="$build/dist64" "${help_arg[@]}"
cmake --build "$build/win64" -j "$jobs"
