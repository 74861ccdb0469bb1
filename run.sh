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
export WINEPREFIX=$QB_BUILD_DIR/wineprefix-$WINEARCH
if [ "$WINEARCH" = win64 ]; then
  echo "This host cannot run 32-bit programs; starting the 64-bit build of the same sources ($QB_DIST)."
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Creating the Wine prefix $WINEPREFIX ..."
  "$QB_WINE" wineboot -i >/dev/null 2>&1
fi

xvfb_pid=
if [ -z "${DISPLAY:-}" ]; then
  display=:$(( 90 + RANDOM % 100 ))
  echo "No DISPLAY is set: starting a private Xvfb on $display (the window is not visible)."
  Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=$display
  trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null; "$WINESERVER" -k 2>/dev/null || true' EXIT
fi

if [ $# -ge 1 ]; then
  test_path=$("$QB_WINE" winepath -w "$(realpath "$1")" 2>/dev/null)
else
  test_path=$("$QB_WINE" winepath -w "$QB_DIST/Astronomy.tvt" 2>/dev/null)
fi

cd "$QB_DIST"
exec_status=0
"$QB_WINE" Quorbelind.exe "$test_path" || exec_status=$?
exit $exec_status
