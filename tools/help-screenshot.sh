#!/usr/bin/env bash
# Takes the picture of the help viewer for the README: the built help file
# opened in Wine's help viewer inside a framed virtual desktop, on a private
# display and Wine prefix.
#   tools/help-screenshot.sh [OUTPUT.png]   (default: docs/help-viewer.png)
# Needs a build (tools/build.sh); QB_BUILD_DIR chooses the build root.
set -euo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
output=${1:-$qb_root/docs/help-viewer.png}
source "$qb_root/tests/e2e/session.sh"

help_file="$QB_DIST/Quorbelind.hlp"
[ -f "$help_file" ] || { echo "no help file at $help_file: run tools/build.sh first" >&2; exit 1; }

mkdir -p "$QB_BUILD_DIR/e2e"
run_dir=$(mktemp -d "$QB_BUILD_DIR/e2e/help-shot-XXXXXX")
viewer_pid=
finish() {
  [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
  qb_session_stop
  rm -rf "$run_dir"
}
trap finish EXIT
qb_session_start "$run_dir"

# Opened from where an installation would hold it, so the caption shows no
# path of the build machine.
mkdir -p "$WINEPREFIX/drive_c/Quorbelind"
cp "$help_file" "$WINEPREFIX/drive_c/Quorbelind/Quorbelind.hlp"
desktop=QuorbelindHelp
"$QB_WINE" explorer "/desktop=$desktop,760x560" winhlp32.exe 'C:\Quorbelind\Quorbelind.hlp' \
  >"$run_dir/viewer.log" 2>&1 &
viewer_pid=$!

# The desktop window appears first; the viewer's text a moment later.
window=""
for _ in $(seq 1 150); do
  window=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$desktop" | awk '{print $1}' | head -n 1) || true
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the viewer did not appear (log: $run_dir/viewer.log)" >&2; exit 1; }
sleep 3
import -display "$DISPLAY" -window "$window" "$run_dir/desktop.png"
# Only the viewer: the desktop's background around it is cut away.
background=$(convert "$run_dir/desktop.png" -format '%[pixel:p{759,559}]' info:)
convert "$run_dir/desktop.png" -bordercolor "$background" -border 1 -trim +repage "$output"
echo "wrote $output"
