#!/usr/bin/env bash
# Takes a screenshot of the real main window, with the sample test open, under
# Wine on a private Xvfb and writes it to docs/main-window.png. The window runs
# inside a Wine virtual desktop so it has its frame. Needs a finished build.
# QB_BUILD_DIR chooses the build root as for tools/build.sh.
set -euo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$qb_root/tools/wine-env.sh"
output=${1:-$qb_root/docs/main-window.png}
[ -x "$QB_DIST/Quorbelind.exe" ] || { echo "no $QB_DIST/Quorbelind.exe: run tools/build.sh first"; exit 1; }

export WINEPREFIX=$QB_BUILD_DIR/wineprefix-screenshot-$WINEARCH
desktop_name=QuorbelindShot
desktop_size=1024x700
xvfb_pid=
wine_pid=

display_number=57
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:$display_number

cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null || true
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb_pid=$!

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$QB_WINE" wineboot -i >/dev/null 2>&1
fi

# Fixed places inside the virtual desktop, so every screenshot looks alike.
key='HKCU\Software\Tolvexia\Quorbelind'
"$QB_WINE" reg add "$key" /v WindowPosMain /d "00000,00000,01024,00470" /f >/dev/null 2>&1
"$QB_WINE" reg add "$key" /v WinPosText /d "00000,00470,00512,00230" /f >/dev/null 2>&1
"$QB_WINE" reg add "$key" /v WinPosBild /d "00512,00470,00512,00230" /f >/dev/null 2>&1

# The sample is opened through a drive letter of its own, so the title shows
# a short path rather than where this build lives.
ln -sfn "$QB_DIST" "$WINEPREFIX/dosdevices/q:"
args=()
[ -f "$QB_DIST/Astronomy.tvt" ] && args=('Q:\Astronomy.tvt')

cd "$QB_DIST"
"$QB_WINE" explorer "/desktop=$desktop_name,$desktop_size" Quorbelind.exe "${args[@]}" >/dev/null 2>&1 &
wine_pid=$!

# Wait for the virtual desktop, then give the program a moment to start and paint.
for _ in $(seq 1 120); do
  if xwininfo -root -tree 2>/dev/null | grep -q "$desktop_name"; then break; fi
  sleep 0.5
done
window=$(xwininfo -root -tree | grep "$desktop_name" | head -n 1 | awk '{print $1}')
[ -n "$window" ] || { echo "the virtual desktop did not appear"; exit 1; }
sleep 5
import -window "$window" "$output"
echo "wrote $output"
