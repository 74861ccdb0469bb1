#!/usr/bin/env bash
# First start in an empty program directory: the installed marker and the five
# per-user values with their defaults; class, title, status bar, the state of
# every command in the menu and on the toolbar, tooltips, About and Exit.
source "$(dirname "$0")/../lib.sh"

dir="$CASE_DIR/empty"
mkdir -p "$dir"
cp "$PROGRAM_DIR/Quorbelind.exe" "$dir/"
start_program pid "$dir/Quorbelind.exe" --cwd "$dir"
get main wait-window --pid "$pid" --class Quorbelind
expect_drive "Quorbelind V1.00" "title of the main window" text "$main"

# Defaults: cx and cy are the size of a maximised window; integer divisions.
get cx metric SM_CXMAXIMIZED
get cy metric SM_CYMAXIMIZED
rect_text() { printf '%05d,%05d,%05d,%05d' "$@"; }
main_default=$(rect_text 0 0 $((cx - 7)) $((2 * (cy / 3))))
text_default=$(rect_text 0 $((2 * (cy / 3))) $((cx / 2)) $((cy / 3)))
picture_default=$(rect_text $((cx / 2)) $((2 * (cy / 3))) $((cx / 2)) $((cy / 3)))
get system_font system-font

expect_drive 1 "the installed marker exists" reg-exists "$KEY_MARKER"
expect_drive "" "the marker has no values" reg-values "$KEY_MARKER"
get values reg-values "$KEY_USER"
expect_eq $'DataPath\nFont\nMissedFirst\nWinPosBild\nWinPosText\nWindowPosMain' "$(cut -d= -f1 <<<"$values" | sort)" \
  "exactly the six per-user values"
expect_reg "$KEY_USER" DataPath "$(winpath "$dir")" "DataPath is the current directory"
expect_reg "$KEY_USER" WindowPosMain "$main_default" "default main window rectangle"
expect_reg "$KEY_USER" WinPosText "$text_default" "default Text pane rectangle"
expect_reg "$KEY_USER" WinPosBild "$picture_default" "default Bild pane rectangle"
expect_reg "$KEY_USER" Font "$system_font" "default font is the system font's record"
expect_reg "$KEY_USER" MissedFirst 0 "missed questions are not asked first by default"
for value in DataPath WindowPosMain WinPosText WinPosBild Font MissedFirst; do
  data=$(reg_get "$KEY_USER" "$value")
  expect_drive "REG_SZ $((${#data} + 1))" "$value is a string stored with its terminating zero" \
    reg-info "$KEY_USER" "$value"
done
expect_drive "0 0 $((cx - 7)) $((2 * (cy / 3)))" "main window at the default rectangle" rect "$main"

read -r _ list_exstyle <<< "$(drive style "$main:IDC_QUESTION_LIST")"
expect_eq 0 $((list_exstyle & 0x200)) "the question list has no sunken client edge (WS_EX_CLIENTEDGE)"

status="$main:IDC_STATUS_BAR"
expect_drive "Open an existing Test or create a new one ..." "status-bar part 0 at start-up" status "$status" 0
expect_drive "Press [F1] for Help." "status-bar part 1 at start-up" status "$status" 1
drive status "$status" 2 >/dev/null 2>&1
expect_eq 0 $? "the status bar has a third part"
drive status "$status" 3 >/dev/null 2>&1
expect_eq 1 $? "the status bar has no fourth part"

# Document commands are switched off in both places, the others on.
document_commands="IDM_FILE_CLOSE IDM_FILE_SAVE IDM_FILE_SAVE_AS IDM_QUESTION_NEW IDM_QUESTION_EDIT
  IDM_QUESTION_REMOVE IDM_TEST_ASK IDM_TEST_SHOW_ANSWER IDM_TEST_MARK_ANSWERED IDM_TEST_RESET IDM_TEST_RESET_ALL"
other_commands="IDM_FILE_NEW IDM_FILE_OPEN IDM_EXIT IDM_FONT IDM_HELP IDM_ABOUT"
get menu menu "$main"
get toolbar toolbar "$main:IDC_TOOLBAR"
menu_state() { awk -F'\t' -v id="$1" '$2 == id { print $3 }' <<<"$menu"; }
button_state() { awk -F'\t' -v id="$1" '$2 == id && $5 == "button" { print $4 }' <<<"$toolbar"; }
for name in $document_commands IDM_FILE_EXPORT_WEB_PAGE; do
  expect_eq grayed "$(menu_state "${!name}")" "$name grayed in the menu"
done
for name in $other_commands; do
  expect_eq enabled "$(menu_state "${!name}")" "$name enabled in the menu"
done
for name in $document_commands IDM_FILE_NEW IDM_FILE_OPEN IDM_HELP; do
  expected=enabled
  [[ " $document_commands " == *[[:space:]]$name[[:space:]]* ]] && expected=disabled
  expect_eq "$expected" "$(button_state "${!name}")" "$name $expected on the toolbar"
done

# 17 entries: images 0 to 13 in button order, separators at 6, 10 and 16.
expected_bar=""
position=0
image=0
for name in IDM_FILE_NEW IDM_FILE_OPEN IDM_FILE_CLOSE IDM_FILE_SAVE IDM_FILE_SAVE_AS - IDM_QUESTION_NEW \
  IDM_QUESTION_EDIT IDM_QUESTION_REMOVE - IDM_TEST_ASK IDM_TEST_SHOW_ANSWER IDM_TEST_MARK_ANSWERED IDM_TEST_RESET \
  IDM_TEST_RESET_ALL - IDM_HELP; do
  if [ "$name" = - ]; then
    expected_bar+="$position 0 -1 separator"$'\n'
  else
    expected_bar+="$position ${!name} $image button"$'\n'
    image=$((image + 1))
  fi
  position=$((position + 1))
done
expect_eq "${expected_bar%$'\n'}" "$(awk -F'\t' '{ print $1, $2, $3, $5 }' <<<"$toolbar")" \
  "toolbar entries, command ids and images in order"

declare -A tips=(
  [IDM_FILE_NEW]="Create a new Test [Ctrl + N]"
  [IDM_FILE_OPEN]="Open a Test [Ctrl + O]"
  [IDM_FILE_CLOSE]="Close the Test [Ctrl + L]"
  [IDM_FILE_SAVE]="Save Changings [Ctrl + S]"
  [IDM_FILE_SAVE_AS]="Save Test with new Name [Ctrl + U]"
  [IDM_QUESTION_NEW]="Define a new Question [F9]"
  [IDM_QUESTION_EDIT]="Edit selected Question [F10]"
  [IDM_QUESTION_REMOVE]="Delete selected Question [F11]"
  [IDM_TEST_ASK]="Ask a Question [F2]"
  [IDM_TEST_SHOW_ANSWER]="Show Answer [F3]"
  [IDM_TEST_MARK_ANSWERED]="Mark Question as answered [F4]"
  [IDM_TEST_RESET]="Reset selected Question [F5]"
  [IDM_TEST_RESET_ALL]="Reset all answered Questions [F6]"
  [IDM_HELP]="Show the Online Help [F1]"
)
for name in "${!tips[@]}"; do
  expect_drive "${tips[$name]}" "tooltip of $name" tooltip "$main:IDC_TOOLBAR" "$name"
done

# About opens, OK closes it; Escape (Cancel) closes it as well.
need post-command "$main" IDM_ABOUT
get about wait-dialog --pid "$pid" --caption "Program Information"
get about_children children "$about"
expect_match '"Quorbelind Version 1\.00"' "$about_children" "About box shows the name and version"
need press "$about:IDOK"
need wait-gone "$about"
pass "OK closes the About box"
need post-command "$main" IDM_ABOUT
get about wait-dialog --pid "$pid" --caption "Program Information"
need keys "$about" escape
need wait-gone "$about"
pass "Cancel closes the About box"

need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "Exit ends the program with exit code 0"
