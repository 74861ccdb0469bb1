#!/usr/bin/env bash
# The driver's commands against the harness's own fixture program, whose
# status bar reports what was done to it.
source "$(dirname "$0")/../lib.sh"

fixture="$QB_WIN_BUILD/tests/e2e/qbfixture.exe"
start_program pid "$fixture" --cwd "$CASE_DIR" --args '"a b" c'
get main wait-window --pid "$pid" --class QbFixture
status="$main:IDC_FIXTURE_STATUS"

expect_drive "Fixture" "title of the fixture window" text "$main"
expect_drive "30 30 500 300" "a top-level window's place on the screen" place "$main"
expect_drive "10 40 200 100" "a child's place in its parent's client area" place "$main:IDC_FIXTURE_LIST"
expect_drive "[\"a b\" c] in $(winpath "$CASE_DIR")" "command line and current directory reach the program" \
  status "$status" 1

expect_drive $'0\t41001\t0\tenabled\tbutton\n1\t0\t-1\tdisabled\tseparator\n2\t41006\t1\tdisabled\tbutton' \
  "toolbar buttons with ids, images and states" toolbar "$main:IDC_FIXTURE_TOOLBAR"
expect_drive "disabled" "state of one toolbar button" toolbar-state "$main:IDC_FIXTURE_TOOLBAR" IDM_FIXTURE_COUNT
expect_drive "Tip of the first button" "tooltip asked from the window's owner" \
  tooltip "$main:IDC_FIXTURE_TOOLBAR" IDM_FIXTURE_ENABLED
expect_drive "Tip of the second button" "tooltip of a disabled button" \
  tooltip "$main:IDC_FIXTURE_TOOLBAR" IDM_FIXTURE_COUNT

expect_drive "grayed" "grayed menu item" menu-state "$main" IDM_FIXTURE_GRAYED
expect_drive "enabled" "enabled menu item" menu-state "$main" IDM_FIXTURE_ENABLED
get menu menu "$main"
expect_eq $'1\t41006\tenabled\t&Count\tF2' "$(grep 41006 <<<"$menu")" "menu dump line with the item's text"
expect_eq 8 "$(wc -l <<<"$menu")" "menu dump has the popup, six items and the separator"

expect_drive "-17,0,0,0,700,0,0,0,0,0,0,0,0,Tahoma" "font of the edit field, read inside the program" \
  font "$main:IDC_FIXTURE_EDIT"

expect_drive $'0\tApple\t1\t100\t0\n1\tMoon\t2\t101\t0\n2\tZebra\t3\t102\t0' "list items with image and parameter" \
  lv-items "$main:IDC_FIXTURE_LIST"
need lv-select "$main:IDC_FIXTURE_LIST" 2
expect_drive "selected 2" "selecting an item notifies the program" status "$status" 0
expect_drive 2 "selected item" lv-selected "$main:IDC_FIXTURE_LIST"
need lv-deselect "$main:IDC_FIXTURE_LIST" 2
expect_drive "deselected 2" "deselecting notifies the program" status "$status" 0
expect_drive -1 "nothing selected" lv-selected "$main:IDC_FIXTURE_LIST"

need type "$main:IDC_FIXTURE_EDIT" "abcdefgh"
expect_drive "abcde" "typing respects the edit field's limit" text "$main:IDC_FIXTURE_EDIT"
expect_match '^[1-9][0-9]* (1[7-9]|2[0-9])$' "$(drive text-extent "$main:IDC_FIXTURE_EDIT")" \
  "the edit field's text measured in its 17-pixel font, inside the program"

# A command that opens a message box is posted; the box is found by process.
need post-command "$main" IDM_FIXTURE_MESSAGE
get box wait-dialog --pid "$pid"
expect_drive "Fixture says" "message box caption" text "$box"
expect_drive "Something to confirm" "message box text" text "$box:MSGBOX_TEXT"
need press "$box:IDNO"
need wait-gone "$box"
expect_drive "answer: no" "the button pressed reaches the program" status "$status" 0

need post-command "$main" IDM_FIXTURE_FORM
get form wait-dialog --pid "$pid" --caption "Fixture form"
expect_drive "$form" "the form is owned by the main window" wait-dialog --owner "$main" --timeout 0
need set-text "$form:IDC_FIXTURE_FORM_NAME" "Quorbelind"
need check "$form:IDC_FIXTURE_FORM_TICK" 1
expect_drive 1 "check box ticked" checked "$form:IDC_FIXTURE_FORM_TICK"
need press "$form:IDOK"
need wait-gone "$form"
expect_drive "form: Quorbelind ticked" "dialog fields read back on OK" status "$status" 0

need keys "$main" F2 F2
eventually "count: 2" "accelerator keys reach the program" status "$status" 0

read -r style _ <<< "$(drive style "$main")"
expect_eq $((0x00C00000)) $((style & 0x00C00000)) "the style shows the main window's caption"

need move "$main" 120 60
expect_drive "120 60 620 360" "window moved" rect "$main"
need show "$main" maximize
expect_ne "120 60 620 360" "$(drive rect "$main")" "maximised window has another rectangle"
need show "$main" restore
expect_drive "120 60 620 360" "restored window" rect "$main"

# Failures are reported, not hidden.
drive menu-state "$main" 49999 >/dev/null 2>&1
expect_eq 1 $? "a menu item that does not exist is an error"
drive wait-window --class NoSuchClass --timeout 200 >/dev/null 2>&1
expect_eq 1 $? "waiting for a window that never comes fails after the time limit"
drive id NO_SUCH_NAME >/dev/null 2>&1
expect_eq 1 $? "an unknown id name is an error"

need post-command "$main" IDM_FIXTURE_EXIT
expect_eq 3 "$(wait_exit "$pid")" "exit code of the program"
