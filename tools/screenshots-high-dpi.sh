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
docs=$qb_root/docs
source "$qb_root/tests/e2e/session.sh"
[ -x "$QB_DIST/Quorbelind.exe" ] && [ -f "$QB_WIN_BUILD/tests/e2e/qbdrive.exe" ] || { echo "run tools/build.sh first"; exit 1; }

desktop_name=QuorbelindShot
mkdir -p "$QB_BUILD_DIR/e2e"
run_dir=$(mktemp -d "$QB_BUILD_DIR/e2e/dpi-shot-XXXXXX")
pids=()
finish() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  qb_session_stop
  rm -rf "$run_dir"
}
trap finish EXIT
qb_session_start "$run_dir"
# The programs run from a copy, so the build's program directory stays as built.
cp -a "$QB_DIST" "$run_dir/program"
drive() { "$QB_WINE" "$QB_DRIVER" "$@" | tr -d '\r'; }

# 144 DPI, every program in one virtual desktop as large as the display, and
# the windows at fixed places.
drive reg-set 'HKCU\Control Panel\Desktop' LogPixels 144 --type dword
drive reg-set 'HKCU\Software\Wine\Explorer' Desktop "$desktop_name"
drive reg-set 'HKCU\Software\Wine\Explorer\Desktops' "$desktop_name" 1280x1024
drive reg-delete 'HKCU\Software\Tolvexia' 'HKLM\Software\Tolvexia'
key='HKCU\Software\Tolvexia\Quorbelind'
drive reg-set "$key" WindowPosMain "00000,00000,01280,00690"
drive reg-set "$key" WinPosText "00000,00690,00640,00334"
drive reg-set "$key" WinPosBild "00640,00690,00640,00334"

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
cd "$run_dir/program"
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
ln -sfn "$run_dir/program" "$WINEPREFIX/dosdevices/q:"
"$QB_WINE" Quorbelind.exe 'Q:\Astronomy.tvt' >/dev/null 2>&1 &
pids+=("$!")
main=$(drive wait-window --class Quorbelind --title-contains ": " --timeout 60000)
# select_question KEYWORD: the question's item in the list.
select_question() {
  local item
  item=$(drive lv-items "$main:IDC_QUESTION_LIST" | awk -F '\t' -v keyword="$1" '$2 == keyword { print $1 }')
  drive lv-select "$main:IDC_QUESTION_LIST" "$item"
}
select_question "Nearest star"
drive post-command "$main" IDM_QUESTION_EDIT
dialog=$(drive wait-dialog --caption "Edit Question")
shot "$docs/question-dialog-144dpi.png" "$dialog"
drive press "$dialog:IDCANCEL" >/dev/null
drive wait-gone "$dialog" >/dev/null
# A question with a picture, so that the Bild pane shows something too.
select_question "Rings"
drive command "$main" IDM_TEST_ASK
shot "$docs/main-window-144dpi.png"
drive post-command "$main" IDM_EXIT
