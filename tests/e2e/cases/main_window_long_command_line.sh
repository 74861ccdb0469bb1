#!/usr/bin/env bash
# A command line too long for the 260-character path is not copied: no test is
# opened, Open reports the file error, and the program goes on normally. A
# relative path is made full against the starting directory, so that the title
# and the change journal name the test from anywhere.
source "$(dirname "$0")/../lib.sh"

long_path="C:\\$(printf 'x%.0s' $(seq 1 290)).tvt"
start_program pid "$PROGRAM_DIR/Quorbelind.exe" --args "$long_path"
get box wait-dialog --pid "$pid" --caption "An error occured ..."
expect_drive "... while accessing a file !" "the overlong path is reported as a file error" text "$box:MSGBOX_TEXT"
need press "$box:IDOK"
need wait-gone "$box"
get main wait-window --pid "$pid" --class Quorbelind
expect_drive "Quorbelind V1.00" "no test named in the title" text "$main"
expect_drive "" "the question list stays empty" lv-items "$main:IDC_QUESTION_LIST"
expect_drive grayed "Close stays off: no test is open" menu-state "$main" IDM_FILE_CLOSE
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "Exit still ends the program with exit code 0"

sample=$(winpath "$PROGRAM_DIR/Astronomy.tvt")
start_program pid "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR" --args "Astronomy.tvt"
get main wait-window --pid "$pid" --class Quorbelind --title-contains ": "
expect_drive "Quorbelind V1.00: $sample" "the title names the relative path's full path" text "$main"
expect_eq "$sample"$'\r' "$(cat "$PROGRAM_DIR/CHANGINGS.TMP")" "the journal names the full path"
need post-command "$main" IDM_EXIT
expect_eq 0 "$(wait_exit "$pid")" "Exit ends the program"
