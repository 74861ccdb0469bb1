#!/usr/bin/env bash
# File > Export questions writes the open test's current questions as
# qbtool.exe export writes the saved test: the sample test as it was opened
# (comma-separated), then with a question defined since, which lies in the
# change journal (tab-separated, the second filter of the dialog).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"
source "$(dirname "$0")/authoring_helpers.bash"

test_file="$CASE_DIR/ASTRO.TVT"
cp "$PROGRAM_DIR/Astronomy.tvt" "$test_file"
start_test MAIN "$test_file"
expect_drive enabled "Export questions on for an open test" menu-state "$MAIN" IDM_FILE_EXPORT_QUESTIONS

need post-command "$MAIN" IDM_FILE_EXPORT_QUESTIONS
file_dialog "$EXPORT_TITLE" "$(winpath "$CASE_DIR/menu.csv")"
written=$("$QB_WINE" "$PROGRAM_DIR/qbtool.exe" export "$(winpath "$test_file")" "$(winpath "$CASE_DIR/tool.csv")" 2>&1 |
  tr -d '\r')
expect_match ': [0-9]+ questions written$' "$written" "qbtool.exe exports the sample test"
questions=$(sed -E 's/.*: ([0-9]+) questions written$/\1/' <<<"$written")
answer_message "$EXPORT_CAPTION" "$questions questions exported." "Export reports the questions written"
expect_same_file "$CASE_DIR/tool.csv" "$CASE_DIR/menu.csv" "the exported table, byte for byte"

# A question defined now lies in the journal; the export holds it in its place.
define_question "Comet" "What is a comet's tail made of?" "Gas, \"dust\"; ice" "Rock"
need post-command "$MAIN" IDM_FILE_EXPORT_QUESTIONS
pick_filter "$EXPORT_TITLE" 1
file_dialog "$EXPORT_TITLE" "$(winpath "$CASE_DIR/menu")"
answer_message "$EXPORT_CAPTION" "$((questions + 1)) questions exported." "Export counts the new question"
expect_file "$CASE_DIR/menu.txt" "the tab filter's extension is added to the name"
need command "$MAIN" IDM_FILE_SAVE
"$QB_WINE" "$PROGRAM_DIR/qbtool.exe" export "$(winpath "$test_file")" "$(winpath "$CASE_DIR/tool.txt")" > /dev/null 2>&1
expect_same_file "$CASE_DIR/tool.txt" "$CASE_DIR/menu.txt" "the export before saving equals the saved test's"

need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID" 60)" "Quorbelind ends with exit code 0"
