#!/usr/bin/env bash
# Runs the Win32-layer test programs of the Windows build (wine-tests/*.exe,
# made with qb_wine_test in tests/wine/CMakeLists.txt) under Wine, in a fresh
# private prefix and on a private display. A program passes when it ends with
# exit code 0. One PASS/FAIL line per program, then "N passed, N failed".
set -uo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qb_root/tests/e2e/session.sh"

program_timeout=${QB_WINE_TEST_TIMEOUT:-300}

main() {
  shopt -s nullglob
  local programs=("$QB_WIN_BUILD"/wine-tests/*.exe)
  if [ ${#programs[@]} -eq 0 ]; then
    echo "no Wine test program in $QB_WIN_BUILD/wine-tests: the Windows build made none"
    echo "0 passed, 1 failed"
    return 1
  fi
  mkdir -p "$QB_BUILD_DIR/wine-layer"
  local run_dir
  for run_dir in "$QB_BUILD_DIR"/wine-layer/run-*; do
    [ -d "$run_dir" ] && [ ! -d "$run_dir/prefix" ] && rm -rf "$run_dir"
  done
  run_dir=$(mktemp -d "$QB_BUILD_DIR/wine-layer/run-XXXXXX")
  trap 'qb_session_stop; [ -n "${qb_run_dir:-}" ] && rm -rf "$qb_run_dir/prefix"' EXIT
  if ! qb_session_start "$run_dir"; then
    echo "0 passed, 1 failed"
    return 1
  fi
  local passed=0 failed=0 program name status log
  for program in "${programs[@]}"; do
    name=$(basename "$program" .exe)
    log="$run_dir/$name.log"
    timeout --kill-after=10 "$program_timeout" "$QB_WINE" "$program" > "$log" 2>&1
    status=$?
    if [ $status -eq 0 ]; then
      passed=$((passed + 1))
      echo "PASS $name"
    else
      failed=$((failed + 1))
      [ $status -eq 124 ] && echo "stopped after $program_timeout s" >> "$log"
      echo "FAIL $name (exit code $status)"
      tr -d '\r' < "$log" | tail -n 30 | sed 's/^/    /'
    fi
  done
  echo "$passed passed, $failed failed"
  [ $failed -eq 0 ]
}

main "$@"
