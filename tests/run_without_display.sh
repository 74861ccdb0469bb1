#!/usr/bin/env bash
# ./run.sh as a new user starts it the first time, on a machine without a
# display and without a Wine prefix yet: it must make the prefix, write the
# screenshot of the main window, say where it is and how to end the program,
# and on Ctrl+C (SIGINT) end the program, its private Xvfb and the wineserver
# it started. The prefix is a fresh one of its own, removed before and after,
# so the user's prefix is left alone. ./test.sh runs it after the other
# levels (about a minute once built). Prints "N passed, N failed".
set -uo pipefail
qb_root=$(cd "$(dirname "$0")/.." && pwd)
source "$qb_root/tools/wine-env.sh"
prefix=$QB_BUILD_DIR/first-run-prefix-$WINEARCH
screenshot=$QB_BUILD_DIR/run-screenshot.png
log=$(mktemp)
passed=0
failed=0

check() { # WHAT COMMAND...
  local what=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

# Pids of the processes that run in run.sh's Wine prefix (the program, the
# wineserver, Wine's services) and of the Xvfb on the display it named.
prefix_processes() {
  local pid
  for pid in $(grep -l -z -x -F "WINEPREFIX=$prefix" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3); do
    tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null | grep -q -i -e wine -e '\.exe' && echo "$pid"
  done
}
xvfb_processes() {
  local display
  display=$(sed -n 's/.*private Xvfb on \(:[0-9]*\).*/\1/p' "$log" | head -n 1)
  [ -n "$display" ] && pgrep -u "$(id -u)" -f "^Xvfb $display "
}
none_left() { [ -z "$(prefix_processes)" ] && [ -z "$(xvfb_processes)" ]; }
some_running() { [ -n "$(prefix_processes)" ] && [ -n "$(xvfb_processes)" ]; }

rm -f "$screenshot"
rm -rf "$prefix"
# A process group of its own, as a terminal's foreground job has: Ctrl+C
# reaches all of it, and SIGINT is not ignored as in a plain background job.
set -m
env -u DISPLAY QB_RUN_PREFIX="$prefix" "$qb_root/run.sh" > "$log" 2>&1 &
run_pid=$!
set +m
deadline=$((SECONDS + ${QB_RUN_WAIT:-900}))  # seconds until the program must show
until grep -q 'press Ctrl+C' "$log" || ! kill -0 "$run_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; do
  sleep 1
done

check "run.sh makes the new prefix" grep -q -F "Creating the Wine prefix $prefix" "$log"
check "run.sh names the screenshot" grep -q -F "Screenshot of the main window: $screenshot" "$log"
check "run.sh says how to end it" grep -q -F "press Ctrl+C to end it" "$log"
is_png() { [ "$(head -c 8 "$1" 2>/dev/null | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ]; }
check "the screenshot is a PNG" is_png "$screenshot"
check "the program, the wineserver and the Xvfb run before Ctrl+C" some_running

kill -INT -- "-$run_pid" 2>/dev/null
for _ in $(seq 1 60); do kill -0 "$run_pid" 2>/dev/null || break; sleep 0.5; done
ended() { ! kill -0 "$1" 2>/dev/null; }
check "run.sh ends on Ctrl+C" ended "$run_pid"
for _ in $(seq 1 20); do none_left && break; sleep 0.5; done
check "nothing of the run is left after Ctrl+C" none_left

[ "$failed" -eq 0 ] || { echo "--- run.sh output:"; cat "$log"; }
none_left && rm -rf "$prefix"
rm -f "$log"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
