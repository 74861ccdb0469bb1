#!/usr/bin/env bash
# Builds everything and runs every test level:
#   native unit tests of the core, the same under ASan/UBSan, the fuzz targets'
#   regression runs, the exported web page practised in headless Chromium, tests
#   of the Win32 layer under Wine, the end-to-end tests and a new user's first
#   ./run.sh without a display or a Wine prefix.
# Ends with one line "N passed, N failed" summed over all levels.
set -uo pipefail
qb_root=$(cd "$(dirname "$0")" && pwd)
cd "$qb_root"
build=${QB_BUILD_DIR:-$qb_root/build}
export QB_BUILD_DIR=$build
logs=$build/test-logs
mkdir -p "$logs"

tools/setup-deps.sh || exit 1
if ! tools/build.sh > "$logs/build.log" 2>&1; then
  tail -n 40 "$logs/build.log"
  echo "build failed (log: $logs/build.log)"
  echo "0 passed, 1 failed"
  exit 1
fi

total_passed=0
total_failed=0

# Counts from a level's log: a plain "N passed, N failed" line, or ctest's summary.
count_level() { # name log status
  local name=$1 log=$2 status=$3 p f line
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    p=$(echo "$line" | sed -E 's/^([0-9]+) passed.*/\1/')
    f=$(echo "$line" | sed -E 's/^[0-9]+ passed, ([0-9]+) failed.*/\1/')
  else
    line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -n "$line" ]; then
      f=$(echo "$line" | sed -E 's/.*tests passed, ([0-9]+) tests? failed out of.*/\1/')
      local all
      all=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
      p=$((all - f))
    elif grep -q 'No tests were found' "$log"; then
      p=0; f=0
    else
      p=0; f=1
    fi
  fi
  if [ "$status" -ne 0 ] && [ "$f" -eq 0 ]; then f=1; fi
  total_passed=$((total_passed + p))
  total_failed=$((total_failed + f))
  printf '%-28s %s passed, %s failed\n' "$name" "$p" "$f"
  if [ "$f" -ne 0 ]; then
    grep -E 'FAIL|Failed|failed|expected' "$log" | head -n 30 | sed 's/^/    /'
  fi
}

run_level() { # name command...
  local name=$1; shift
  local log="$logs/$name.log"
  "$@" > "$log" 2>&1
  count_level "$name" "$log" $?
}

run_level native-unit ctest --test-dir "$build/native" --output-on-failure -j "$(nproc)"

# A level whose script is missing or lost its exec bit fails instead of
# dropping out of the sum unseen.
run_script_level() { # name script
  local name=$1 script=$2
  if [ ! -f "$script" ] || [ ! -x "$script" ]; then
    echo "$script is missing or not executable" > "$logs/$name.log"
    count_level "$name" "$logs/$name.log" 1
    return
  fi
  run_level "$name" "$script"
}

run_script_level native-sanitizers tests/sanitize.sh
run_script_level fuzz-regression tests/fuzz/regress.sh
run_script_level browser tests/browser/run.sh
run_script_level wine-layer tests/wine/run.sh
run_script_level end-to-end tests/e2e/run.sh
run_script_level first-run tests/run_without_display.sh

echo "logs: $logs"
echo "$total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
