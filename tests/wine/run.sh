#!/usr/bin/env bash
# Runs the Win32-layer test programs of the Windows build (wine-tests/*.exe)
# under Wine with a private prefix and display. One PASS/FAIL line per
# program, then "N passed, N failed".
set -uo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qb_root/tools/wine-env.sh"

export WINEPREFIX=$QB_BUILD_DIR/wineprefix-winelayer-$WINEARCH
xvfb_pid=
cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

display_number=170
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:$display_number
Xvfb "$DISPLAY" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb_pid=$!

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$QB_WINE" wineboot -i >/dev/null 2>&1
fi

passed=0
failed=0
shopt -s nullglob
for program in "$QB_WIN_BUILD"/wine-tests/*.exe; do
  name=$(basename "$program" .exe)
  output=$("$QB_WINE" "$program" 2>&1)
  status=$?
  if [ $status -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $name"
  else
    failed=$((failed + 1))
    echo "FAIL $name (exit code $status)"
    echo "$output" | tr -d '\r' | sed 's/^/    /'
  fi
done
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
