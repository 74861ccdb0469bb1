#!/usr/bin/env bash
# Every way out before the export: no DataPath (text 4), Cancel on the
# greeting, Cancel in the file dialog and in the destination dialog (text 7
# under caption 6), and the names the destination dialog refuses or replaces.
# Creator ends with exit code 0 on each, and an empty name leads on to an
# export into "ExportedTest".
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

start_program pid "$PROGRAM_DIR/Creator.exe" --cwd "$PROGRAM_DIR"
answer_box "$pid" "$CREATOR_CAPTION" "$CREATOR_NOT_INSTALLED" IDOK "without DataPath the program shows text 4"
expect_exit_zero "$pid" "and ends with exit code 0"

# A lone backslash leaves no directory once it is dropped; an export would
# otherwise land at the root of the current drive.
need reg-set "$KEY_USER" DataPath '\' > /dev/null
start_program pid "$PROGRAM_DIR/Creator.exe" --cwd "$PROGRAM_DIR"
answer_box "$pid" "$CREATOR_CAPTION" "$CREATOR_NOT_INSTALLED" IDOK "a DataPath of a backslash alone shows text 4"
expect_exit_zero "$pid" "and ends with exit code 0"

set_data_path "$PROGRAM_DIR"
start_program pid "$PROGRAM_DIR/Creator.exe" --cwd "$PROGRAM_DIR"
answer_box "$pid" "$CREATOR_CAPTION" "$CREATOR_GREETING" IDCANCEL "the greeting offers Cancel"
expect_exit_zero "$pid" "Cancel on the greeting ends the program at once"

start_creator pid
get files wait-dialog --pid "$pid" --caption "$CREATOR_SELECT_TEST" --timeout 60000
need press "$files:IDCANCEL" > /dev/null
answer_box "$pid" "$CREATOR_ABORTED_CAPTION" "$CREATOR_NOTHING_EXPORTED" IDOK "Cancel in the file dialog gives text 7 under caption 6"
expect_exit_zero "$pid" "Creator ends with exit code 0 after Cancel in the file dialog"

start_creator pid
choose_test "$pid" "$PROGRAM_DIR/Astronomy.tvt"
destination_dialog dialog "$pid"
directories=$(find "$CASE_DIR" -maxdepth 3 -type d | sort)
for refused in '.' '..' '... ' 'a*b' 'a\b' 'x/y' 'c:d' 'what?' 'say"' '<a' 'b>' 'p|q'; do
  need set-text "$dialog:IDC_DESTINATION_NAME" "$refused" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  answer_box "$pid" "$CREATOR_DESTINATION_CAPTION" "$CREATOR_NOT_MADE" IDOK "the name '$refused' is refused with text 10"
  expect_drive 1 "the destination dialog stays open after '$refused'" is-window "$dialog"
done
expect_eq "$directories" "$(find "$CASE_DIR" -maxdepth 3 -type d | sort)" "no directory was made for a refused name"
need press "$dialog:IDCANCEL" > /dev/null
answer_box "$pid" "$CREATOR_ABORTED_CAPTION" "$CREATOR_NOTHING_EXPORTED" IDOK "Cancel in the destination dialog gives text 7"
expect_exit_zero "$pid" "Creator ends with exit code 0 after Cancel in the destination dialog"

start_creator pid
choose_test "$pid" "$PROGRAM_DIR/Astronomy.tvt"
destination_dialog dialog "$pid"
expect_drive "" "the destination name starts empty" text "$dialog:IDC_DESTINATION_NAME"
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$CREATOR_DESTINATION_CAPTION" "$CREATOR_NAME_REQUIRED" IDOK "an empty name gives text 8 under caption 9"
expect_drive "ExportedTest" "the proposed name is put into the field" text "$dialog:IDC_DESTINATION_NAME"
need press "$dialog:IDOK" > /dev/null
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_COMPLETE" IDOK "the second OK exports into the proposed directory"
expect_exit_zero "$pid" "Creator ends with exit code 0 after the export"
expect_file "$PROGRAM_DIR/ExportedTest/T0000001" "the test was exported into ExportedTest"
expect_same_file "$PROGRAM_DIR/Astronomy.tvt" "$PROGRAM_DIR/ExportedTest/T0000001" \
  "a test whose names are all '*' names and whose statuses are 0 is exported unchanged"
