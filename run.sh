#!/usr/bin/env bash
# Builds what is out of date and starts Quorbelind under Wine with a private
# prefix kept under build/, with the program directory as current directory.
# Usage: ./run.sh [test.tvt]   (without a path the shipped sample test opens)
set -euo pipefail
qb_root=$(cd "$(dirname "$0")" && pwd)
cd "$qb_root"
tools/setup-deps.sh
build_log=${QB_BUILD_DIR:-$qb_root/build}/run-build.log
mkdir -p "$(dirname "$build_log")"
tools/build.sh > "$build_log" 2>&1 || { tail -n 40 "$build_log"; echo "build failed (log: $build_log)"; exit 1; }

source tools/wine-env.sh
# QB_RUN_PREFIX names another prefix (tests/run_without_display.sh uses a fresh one).
export WINEPREFIX=${QB_RUN_PREFIX:-$QB_BUILD_DIR/wineprefix-$WINEARCH}
if [ "$WINEARCH" = win64 ]; then
  echo "This host cannot run 32-bit programs; starting the 64-bit build of the same sources ($QB_DIST)."
fi

# Without a display the program runs on a private Xvfb: a screenshot of the
# main window shows what it looks like, and Ctrl+C ends the program, the Xvfb
# and the wineserver that were started for it.
xvfb_pid=
program_pid=
stop_private_display() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
}
if [ -z "${DISPLAY:-}" ]; then
  display_number=90
  while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
    display_number=$((display_number + 1))
  done
  echo "No DISPLAY is set: starting a private Xvfb on :$display_number (the window is not visible)."
  Xvfb ":$display_number" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=:$display_number
  trap stop_private_display EXIT
  trap 'exit 130' INT TERM
  for _ in $(seq 1 40); do
    xwininfo -root >/dev/null 2>&1 && break
    sleep 0.25
  done
fi

# A new prefix is made on the display the program will use, and the program
# starts only once the prefix is ready: wineboot returns while Wine's own
# processes still set it up, and those that began without the display would
# serve the program without one.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX ..."
  "$QB_WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
fi

if [ $# -ge 1 ]; then
  test_path=$("$QB_WINE" winepath -w "$(realpath "$1")" 2>/dev/null)
else
  test_path=$("$QB_WINE" winepath -w "$QB_DIST/Astronomy.tvt" 2>/dev/null)
fi

cd "$QB_DIST"
exec_status=0
if [ -z "$xvfb_pid" ]; then
  "$QB_WINE" Quorbelind.exe "$test_path" || exec_status=$?
  exit $exec_status
fi

"$QB_WINE" Quorbelind.exe "$test_path" &
program_pid=$!
# The main window's title names the open test once it shows it.
window=
for _ in $(seq 1 240); do
  window=$(xwininfo -root -tree 2>/dev/null | awk '/"Quorbelind V1.00: / { print $1; exit }' || true)
  if [ -n "$window" ] || ! kill -0 "$program_pid" 2>/dev/null; then break; fi
  sleep 0.5
done
if [ -n "$window" ]; then
  sleep 2  # let it paint
  screenshot=$QB_BUILD_DIR/run-screenshot.png
  if import -window "$window" "$screenshot"; then
    echo "Screenshot of the main window: $screenshot"
  else
    echo "The screenshot could not be taken."
  fi
elif kill -0 "$program_pid" 2>/dev/null; then
  echo "The main window did not show the test; no screenshot was taken."
else
  wait "$program_pid" || exec_status=$?
  echo "Quorbelind ended before its main window showed the test (exit code $exec_status)."
  exit $exec_status
fi
echo "Quorbelind runs on the private display $DISPLAY; press Ctrl+C to end it."
wait "$program_pid" || exec_status=$?
program_pid=
exit $exec_status
