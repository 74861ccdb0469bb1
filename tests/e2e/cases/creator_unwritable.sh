#!/usr/bin/env bash
# Files of the export that cannot be made: a list file that cannot be created
# is reported under caption 17 before anything is copied; a T0000001 that
# cannot be created is reported under caption 16 after the program files.
# Both end with text 12 and exit code 0.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/creator_helpers.bash"

set_data_path "$PROGRAM_DIR"
program=$(winpath "$PROGRAM_DIR")
# A directory in the way makes the file impossible to create.
mkdir -p "$PROGRAM_DIR/NoList/TEST.LST" "$PROGRAM_DIR/NoTest/T0000001"

# run_export NAME VAR: exports the sample test into NAME; VAR gets the pid.
run_export() {
  local __pid dialog
  start_creator __pid
  choose_test "$__pid" "$PROGRAM_DIR/Astronomy.tvt"
  destination_dialog dialog "$__pid"
  need set-text "$dialog:IDC_DESTINATION_NAME" "$1" > /dev/null
  need press "$dialog:IDOK" > /dev/null
  printf -v "$2" '%s' "$__pid"
}

run_export NoList pid
answer_box "$pid" 'Could not create a file:' "$program\\NoList\\TEST.LST" IDOK "the list file is reported under caption 17"
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "the export ends with text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0"
expect_eq "TEST.LST" "$(ls "$PROGRAM_DIR/NoList")" "nothing was copied"

run_export NoTest pid
answer_box "$pid" 'Access denied to a file:' "$program\\NoTest\\T0000001" IDOK "T0000001 is reported under caption 16"
answer_box "$pid" "$CREATOR_EXPORT_CAPTION" "$CREATOR_FAULTY" IDOK "the export ends with text 12"
expect_exit_zero "$pid" "Creator ends with exit code 0"
expect_bytes "$PROGRAM_DIR/NoTest/TEST.LST" 'Astronomy.tvt\r\n' "the list file holds the test's name"
expect_same_file "$PROGRAM_DIR/Creator.exe" "$PROGRAM_DIR/NoTest/D05" "the program files were copied first"
expect_no_file "$PROGRAM_DIR/NoTest/T0000002" "no attachment was copied"
