#!/usr/bin/env bash
# File > Import questions: a semicolon table in Windows-1252 with a quoted
# cell over two lines goes into an open test; the import dialog shows what it
# detected, and the journal gains the records the question dialog would have
# written, byte for byte. A table with one bad row imports nothing, and the
# dialog that lists the errors names that row.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"
source "$(dirname "$0")/authoring_helpers.bash"

sun() { record_status 0 "Sun" "Which star is nearest?" "The Sun" "" "" "" "" "" "" "" ""; }
test_file="$CASE_DIR/DRINKS.TVT"
write_test "$test_file" sun
table="$CASE_DIR/drinks.csv"
printf 'Stichwort;Frage;Antwort;Falsch\r\n' > "$table"
printf 'Caf\xe9;"Where do you\r\ndrink it?";"At home; outside";Nowhere\r\n' >> "$table"
printf 'Tea;Hot or cold?;Hot;\r\n' >> "$table"

start_test MAIN "$test_file"
expect_drive enabled "Import questions on for an open test" menu-state "$MAIN" IDM_FILE_IMPORT_QUESTIONS
need post-command "$MAIN" IDM_FILE_IMPORT_QUESTIONS
file_dialog "$IMPORT_TITLE" "$(winpath "$table")"
get import wait-dialog --pid "$RUN_PID" --caption "$IMPORT_CAPTION"
expect_drive "Windows-1252" "the encoding is detected" text "$import:IDC_IMPORT_ENCODING"
expect_drive "Semicolon" "the separator is detected" text "$import:IDC_IMPORT_SEPARATOR"
expect_drive 0 "a first row without \"keyword\" is not taken as names" checked "$import:IDC_IMPORT_HEADER"
expect_eq $'1\n2\n3' "$(drive lv-items "$import:IDC_IMPORT_PREVIEW" | cut -f2)" "the preview starts at row 1"
need check "$import:IDC_IMPORT_HEADER" 1
preview_rows() { drive lv-items "$import:IDC_IMPORT_PREVIEW" | cut -f2; }
deadline=$((SECONDS + 10))
while [ "$(preview_rows)" != $'2\n3' ] && [ $SECONDS -lt $deadline ]; do :; done
expect_eq $'2\n3' "$(preview_rows)" "the header row leaves the preview"
need press "$import:IDOK"
need wait-gone "$import"
answer_message "$IMPORT_CAPTION" "2 questions imported." "the import reports the questions"
expect_eq $'Caf\xe9 2 1\nSun 0 0\nTea 0 2' "$(list_rows)" "the new questions in the list"
expect_drive "Remaining: 3" "the counters count them" status "$MAIN:IDC_STATUS_BAR" 2
journal() {
  printf '%s\r\n' "$(winpath "$test_file")"
  record_status 0 $'Caf\xe9' $'Where do you\x02\x01drink it?' "At home; outside" "Nowhere" "" "" "" "" "" "" ""
  record_status 0 "Tea" "Hot or cold?" "Hot" "" "" "" "" "" "" "" ""
}
journal > "$CASE_DIR/expected-journal"
expect_same_file "$CASE_DIR/expected-journal" "$JOURNAL" "the journal's records, byte for byte"

# Row 3 has no right answer: nothing is added, and the errors name that row.
printf 'keyword,question,right answer\r\nMilk,White?,Yes\r\nWater,Wet?,\r\n' > "$CASE_DIR/bad.csv"
need post-command "$MAIN" IDM_FILE_IMPORT_QUESTIONS
file_dialog "$IMPORT_TITLE" "$(winpath "$CASE_DIR/bad.csv")"
get import wait-dialog --pid "$RUN_PID" --caption "$IMPORT_CAPTION"
expect_drive 1 "a first row of \"keyword\" holds names" checked "$import:IDC_IMPORT_HEADER"
need press "$import:IDOK"
need wait-gone "$import"
get errors wait-dialog --pid "$RUN_PID" --caption "$IMPORT_CAPTION"
expect_eq $'0\t3' "$(drive lv-items "$errors:IDC_FINDINGS_LIST" | cut -f1,2)" "the errors list row 3 only"
need press "$errors:IDCANCEL"
need wait-gone "$errors"
expect_same_file "$CASE_DIR/expected-journal" "$JOURNAL" "the refused table adds nothing to the journal"
expect_eq $'Caf\xe9 2 1\nSun 0 0\nTea 0 2' "$(list_rows)" "the refused table adds nothing to the list"

need post-command "$MAIN" IDM_FILE_SAVE
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID" 60)" "Quorbelind ends with exit code 0"
