#!/usr/bin/env bash
# Runs the end-to-end cases (tests/e2e/cases/*.sh) against the programs of the
# Windows build under Wine: one private X display and Wine prefix per run, a
# fresh copy of the program directory and a clean registry for each case.
#   tests/e2e/run.sh [NAME...]   NAME selects cases by file name (without .sh)
# Prints one PASS/FAIL line per case and ends with "N passed, N failed".
set -uo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qb_root/tests/e2e/session.sh"

case_timeout=${QB_E2E_CASE_TIMEOUT:-300}

select_cases() {
  local all=("$qb_root"/tests/e2e/cases/*.sh) name found path
  if [ $# -eq 0 ]; then
    for path in "${all[@]}"; do [ -f "$path" ] && echo "$path"; done
    return 0
  fi
  for name in "$@"; do
    found=0
    for path in "${all[@]}"; do
      if [ "$(basename "$path" .sh)" = "$name" ]; then echo "$path"; found=1; fi
    done
    [ $found -eq 1 ] || { echo "no case named $name" >&2; return 1; }
  done
}

# The per-user, machine and system keys the programs write; none may survive a case.
clean_state() {
  "$QB_WINE" "$QB_DRIVER" reg-delete \
    'HKCU\Software\Tolvexia' 'HKLM\Software\Tolvexia' 'HKU\.Default\Software\Tolvexia' \
    'HKCR\.tvt' 'HKCR\Quorbelind' \
    'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorbelind: Uninstall'
  # A case may set the display's resolution; the next one starts at 96 DPI.
  "$QB_WINE" "$QB_DRIVER" reg-delete-value 'HKCU\Control Panel\Desktop' LogPixels
  find "$WINEPREFIX/drive_c/users" -name 'Quorbelind.lnk' -delete 2>/dev/null
  find "$WINEPREFIX/drive_c" -maxdepth 6 -iname 'TmpDelQB.BAT' -delete 2>/dev/null
  return 0
}

# A case normally ends its programs itself; one stopped by the time limit may
# not have. Only programs not known to have ended are ended, by their pid.
stop_leftovers() { # case-dir
  local pid_file pid
  for pid_file in "$1"/program-*.pid; do
    [ -f "$pid_file" ] || continue
    [ -s "${pid_file%.pid}.exit" ] && continue
    pid=$(tr -d '\r\n' < "$pid_file")
    "$QB_WINE" "$QB_DRIVER" kill "$pid" >/dev/null 2>&1
  done
  # The help viewer is started by the programs, not by the case.
  "$QB_WINE" "$QB_DRIVER" processes 2>/dev/null | tr -d '\r' | awk -F'\t' 'tolower($3) == "winhlp32.exe" {print $1}' |
    while read -r pid; do "$QB_WINE" "$QB_DRIVER" kill "$pid" >/dev/null 2>&1; done
}

run_case() { # path
  local path=$1 name dir started status
  name=$(basename "$path" .sh)
  dir="$qb_run_dir/cases/$name"
  mkdir -p "$dir"
  if [ -d "$QB_DIST" ]; then
    cp -a "$QB_DIST" "$dir/program"
  else
    mkdir -p "$dir/program"
  fi
  if ! clean_state > "$dir/clean.log" 2>&1; then
    echo "FAIL $name (the registry could not be cleaned: $(cat "$dir/clean.log"))"
    return 1
  fi
  started=${EPOCHREALTIME/./}
  QB_E2E_CASE_DIR="$dir" QB_E2E_PROGRAM_DIR="$dir/program" QB_E2E_RUN_DIR="$qb_run_dir" \
    timeout --kill-after=10 "$case_timeout" bash "$path" > "$dir/log" 2>&1
  status=$?
  stop_leftovers "$dir"
  local tenths=$(( (${EPOCHREALTIME/./} - started) / 100000 ))
  local took="$((tenths / 10)).$((tenths % 10)) s"
  if [ $status -eq 0 ]; then
    echo "PASS $name ($took)"
    return 0
  fi
  [ $status -eq 124 ] && echo "case stopped after ${case_timeout} s" >> "$dir/log"
  echo "FAIL $name ($took)"
  grep -v '^ok ' "$dir/log" | tail -n 25 | sed 's/^/    /'
  echo "    (log: $dir/log)"
  return 1
}

main() {
  local cases
  cases=$(select_cases "$@") || { echo "0 passed, 1 failed"; return 1; }
  if [ ! -f "$QB_WIN_BUILD/tests/e2e/qbdrive.exe" ]; then
    echo "the driver is not built: $QB_WIN_BUILD/tests/e2e/qbdrive.exe (run tools/build.sh)"
    echo "0 passed, 1 failed"
    return 1
  fi
  local run_dir
  mkdir -p "$QB_BUILD_DIR/e2e"
  # Finished runs (their prefix already removed) make room for this one.
  for run_dir in "$QB_BUILD_DIR"/e2e/run-*; do
    [ -d "$run_dir" ] && [ ! -d "$run_dir/prefix" ] && rm -rf "$run_dir"
  done
  run_dir=$(mktemp -d "$QB_BUILD_DIR/e2e/run-XXXXXX")
  trap 'qb_session_stop; [ -n "${qb_run_dir:-}" ] && rm -rf "$qb_run_dir/prefix"' EXIT
  if ! qb_session_start "$run_dir"; then
    echo "0 passed, 1 failed"
    return 1
  fi
  # The names of the programs' ids, for the cases to source.
  "$QB_WINE" "$QB_DRIVER" ids > "$run_dir/ids.sh"
  local passed=0 failed=0 path
  for path in $cases; do
    if run_case "$path"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
  done
  echo "logs: $run_dir/cases"
  echo "$passed passed, $failed failed"
  [ $failed -eq 0 ]
}

main "$@"
