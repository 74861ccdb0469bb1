#!/usr/bin/env bash
# A damaged test (its last record cut short) opens with the questions before
# the damage and says how many were read. Save then asks for a new name,
# refuses the damaged file itself, and the damaged file stays byte for byte
# as it was; saved under a new name the test is an ordinary one again.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

zebra() { record "Zebra" "Striped?" "Yes" "" "" "" "" "" "" "" ""; }
apple() { record "Apple" "Fruit?" "Yes" "" "" "" "" "" "" "" ""; }
moon() { record "Moon" "Satellite of?" "Earth" "" "" "" "" "" "" "" ""; }
three() { zebra; apple; moon; }
readable() { zebra; apple; }
write_test "$CASE_DIR/whole.tvt" three
write_test "$CASE_DIR/readable.tvt" readable
test_file=$CASE_DIR/EXAM.TVT
head -c -8 "$CASE_DIR/whole.tvt" > "$test_file"  # Moon ends inside its slots
cp "$test_file" "$CASE_DIR/damaged.tvt"

start_test MAIN "$test_file"
get box wait-dialog --pid "$RUN_PID" --caption "An error occured ..."
damaged_text=$'The test file is damaged: only 2 questions could be read !\n'
damaged_text+='The damaged file is kept unchanged; Save asks for a new name.'
expect_eq "$damaged_text" "$(drive text "$box:MSGBOX_TEXT" | tr -d '\r')" \
  "Open says the test is damaged and how many questions it read"
need press "$box:IDOK"
need wait-gone "$box"
expect_eq $'Apple 0 1\nZebra 0 0' "$(list_rows)" "the questions before the damage are listed"

# Save, and the damaged file itself chosen in the new-name dialog (replacing it confirmed).
need post-command "$MAIN" IDM_FILE_SAVE
get dialog wait-dialog --pid "$RUN_PID" --caption "Save test with new name:"
drive set-text "$dialog:1148" "$(winpath "$test_file")" 2>/dev/null ||
  need set-text "$dialog:1152" "$(winpath "$test_file")"
need press "$dialog:IDOK"
get replace wait-dialog --pid "$RUN_PID" --owner "$dialog"
need press "$replace:IDYES"
get box wait-dialog --pid "$RUN_PID" --caption "Save the Test ..."
expect_drive "... the damaged test file is kept: choose another name !" "the damaged file itself is refused" \
  text "$box:MSGBOX_TEXT"
need press "$box:IDOK"
need wait-gone "$box"
expect_same_file "$CASE_DIR/damaged.tvt" "$test_file" "the refused save leaves the damaged file as it was"
expect_no_file "$CASE_DIR/EXAM.BAK" "the refused save makes no backup"

need post-command "$MAIN" IDM_FILE_SAVE
file_dialog "Save test with new name:" "$(winpath "$CASE_DIR/SAVED.TVT")"
eventually "Quorbelind V1.00: $(winpath "$CASE_DIR/SAVED.TVT")" "the title names the new test" text "$MAIN"
expect_same_file "$CASE_DIR/readable.tvt" "$CASE_DIR/SAVED.TVT" "the new test holds the questions read"
expect_same_file "$CASE_DIR/damaged.tvt" "$test_file" "the damaged file is byte for byte unchanged"

# An ordinary test again: Save writes in place, keeping the previous file as backup.
need command "$MAIN" IDM_FILE_SAVE
expect_same_file "$CASE_DIR/readable.tvt" "$CASE_DIR/SAVED.BAK" "Save of the new test asks no name"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "exit code"
