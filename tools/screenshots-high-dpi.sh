#!/usr/bin/env bash
# Screenshots of the programs at 144 DPI (150 %), under Wine on a private Xvfb
# inside a Wine virtual desktop (so the windows have their frames):
#   docs/main-window-144dpi.png      the main window asking a sample question
#   docs/question-dialog-144dpi.png  the question dialog editing it
#   docs/install-144dpi.png          Install's first dialog
# Needs a finished build (the programs and the test driver qbdrive.exe).
# QB_BUILD_DIR chooses the build root as for tools/build.sh.
set -euo pipefail
qb_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$qb_root/tools/wine-env.sh"
docs=$qb_root/docs
driver=$QB_WIN_BUILD/tests/e2e/qbdrive.exe
[ -x "$QB_DIST/Quorbelind.exe" ] && [ -f "$driver" ] || { echo "run tools/build.sh first"; exit 1; }

export WINEPREFIX=$QB_BUILD_DIR/wineprefix-screenshot-144dpi-$WINEARCH
desktop_name=QuorbelindShot
xvfb_pid=
pids=()

display_number=61
while [ -e "/tmp/.X11-unix/X$display_number" ] || [ -e "/tmp/.X$display_number-lock" ]; do
  display_number=$((display_number + 1))
done
export DISPLAY=:$display_number

cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  "$WINESERVER" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

Xvfb "$DISPLAY" -screen 0 1600x1200x24 >/dev/null 2>&1 &
xvfb_pid=$!

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$QB_WINE" wineboot -i >/dev/null 2>&1
  "$WINESERVER" -w
fi
drive() { "$QB_WINE" "$driver" "$@" | tr -d '\r'; }

# 144 DPI, every program in one virtual desktop, and the windows at fixed
# places (those of tools/screenshot-main.sh, half as large again).
drive reg-set 'HKCU\Control Panel\Desktop' LogPixels 144 --type dword
drive reg-set 'HKCU\Software\Wine\Explorer' Desktop "$desktop_name"
drive reg-set 'HKCU\Software\Wine\Explorer\Desktops' "$desktop_name" 1536x1050
drive reg-delete 'HKCU\Software\Tolvexia' 'HKLM\Software\Tolvexia'
key='HKCU\Software\Tolvexia\Quorbelind'
drive reg-set "$key" WindowPosMain "00000,00000,01536,00705"
drive reg-set "$key" WinPosText "00000,00705,00768,00345"
drive reg-set "$key" WinPosBild "00768,00705,00768,00345"

desktop_window() { xwininfo -root -tree 2>/dev/null | awk -v name="$desktop_name" '$0 ~ name { print $1; exit }'; }
# shot FILE [WINDOW]: the whole desktop, or only the window's rectangle.
shot() {
  local left top right bottom
  sleep 2  # let it paint
  if [ $# -eq 2 ]; then
    read -r left top right bottom <<<"$(drive rect "$2")"
    import -window "$(desktop_window)" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$1"
  else
    import -window "$(desktop_window)" "$1"
  fi
  echo "wrote $1"
}

# Install first: Quorbelind marks the programs installed, and Install would then ask about that.
cd "$QB_DIST"
"$QB_WINE" Install.exe >/dev/null 2>&1 &
pids+=("$!")
install=$(drive wait-dialog --caption "Setup for Quorbelind V1.00" --timeout 60000)
shot "$docs/install-144dpi.png" "$install"
drive press "$install:IDCANCEL" >/dev/null
drive wait-gone "$install" >/dev/null
aborted=$(drive wait-dialog --caption "Setup for Quorbelind V1.00")
drive press "$aborted:IDOK" >/dev/null
wait "${pids[0]}" || true

# The sample is opened through a drive letter of its own, so the title shows
# a short path rather than where this build lives.
ln -sfn "$QB_DIST" "$WINEPREFIX/dosdevices/q:"
"$QB_WINE" Quorbelind.exe 'Q:\Astronomy.tvt' >/dev/null 2>&1 &
pids+=("$!")
main=$(drive wait-window --class Quorbelind --title-contains ": " --timeout 60000)
item=$(drive lv-items "$main:IDC_QUESTION_LIST" | awk -F '\t' '$2 == "Nearest star" { print $1 }')
drive lv-select "$main:IDC_QUESTION_LIST" "$item"
drive post-command "$main" IDM_QUESTION_EDIT
dialog=$(drive wait-dialog --caption "Edit Question")
shot "$docs/question-dialog-144dpi.png" "$dialog"
drive press "$dialog:IDCANCEL" >/dev/null
drive wait-gone "$dialog" >/dev/null
drive command "$main" IDM_TEST_ASK
shot "$docs/main-window-144dpi.png"
drive post-command "$main" IDM_EXIT
