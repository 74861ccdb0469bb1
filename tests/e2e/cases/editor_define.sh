#!/usr/bin/env bash
# Defining questions through the question dialog: Accept's checks, the
# keyword limit, Cancel, three questions in the sorted list, and the saved
# file byte for byte in the order the questions were added.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

test_file="$CASE_DIR/SKY.TVT"
start_empty_test MAIN "$test_file"
expect_drive enabled "New Question on for an open test" menu-state "$MAIN" IDM_QUESTION_NEW
expect_drive grayed "Ask a Question off without questions" menu-state "$MAIN" IDM_TEST_ASK

# Accept checks the question, then the right answer, then the keyword.
open_question_dialog dialog IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
need press "$dialog:IDOK"
expect_box "You have to instert the questions text !" "Accept with every field empty"
need set-text "$dialog:IDC_QUESTION_TEXT" "Which planet is nearest the Sun?"
need set-text "$dialog:IDC_QUESTION_KEYWORD" "Mercury"
need press "$dialog:IDOK"
expect_box "You have to insert the first answers text !" "Accept with question and keyword but no answer"
need set-text "$dialog:IDC_QUESTION_KEYWORD" ""
need set-text "$dialog:IDC_QUESTION_RIGHT_ANSWER" "Mercury"
need press "$dialog:IDOK"
expect_box "The keyword must be defined !" "Accept without a keyword"
expect_drive 1 "the dialog stays open after a refused Accept" is-window "$dialog"

# The keyword field takes twenty characters and no more.
need type "$dialog:IDC_QUESTION_KEYWORD" "Innermost planets now"
expect_drive "Innermost planets no" "no 21st character in the keyword" text "$dialog:IDC_QUESTION_KEYWORD"

# Cancel stores nothing.
need press "$dialog:IDCANCEL"
need wait-gone "$dialog"
expect_eq "" "$(list_rows)" "nothing listed after Cancel"
expect_journal_names "$test_file" "nothing written to the journal after Cancel"
expect_drive "Remaining: 0" "Remaining unchanged after Cancel" status "$MAIN:IDC_STATUS_BAR" 2

# Three questions: single answer, wrong answers 1 and 3 only, multi-line.
# Accept is a plain push button, and Enter in the keyword field still accepts.
open_question_dialog dialog IDM_QUESTION_NEW "$EDITOR_DEFINE_TITLE"
expect_eq 0 "$(button_kind "$dialog:IDOK")" "Accept is not the default button"
fill_question "$dialog" "Saturn" "Which planet has the brightest rings?" "Saturn"
need keys "$dialog" enter
need wait-gone "$dialog"
define_question "Jupiter" "Which is the largest planet?" "Jupiter" "Mars" "" "Venus"
define_question "Eclipse" $'What happens in a solar eclipse?\nAnswer in one line.' \
  $'The Moon hides the Sun\nfor a few minutes'

expect_eq $'Eclipse 0 2\nJupiter 2 1\nSaturn 0 0' "$(list_rows)" \
  "the list is sorted by keyword, images 0 and 2, keys in the order added"
expect_counters "Asked: 0" "Correct: 0 (0.00 %)" "Remaining: 3" "after three questions"
expect_drive enabled "Ask a Question on once questions exist" menu-state "$MAIN" IDM_TEST_ASK
expect_drive enabled "Ask a Question on the toolbar too" toolbar-state "$MAIN:IDC_TOOLBAR" IDM_TEST_ASK
expect_eq "Quorbelind V1.00: $(winpath "$test_file")" "$(drive text "$MAIN")" "title names the test"

# The journal holds the three records.
expect_eq "1 1 1" "$(journal_records Saturn) $(journal_records Jupiter) $(journal_records Eclipse)" \
  "each question was appended to the journal once"

need command "$MAIN" IDM_FILE_SAVE
expected_records() {
  record "Saturn" "Which planet has the brightest rings?" "Saturn" "" "" "" "" "" "" "" ""
  record "Jupiter" "Which is the largest planet?" "Jupiter" "Mars" "" "Venus" "" "" "" "" ""
  record "Eclipse" $'What happens in a solar eclipse?\x02\x01Answer in one line.' \
    $'The Moon hides the Sun\x02\x01for a few minutes' "" "" "" "" "" "" "" ""
}
write_test "$CASE_DIR/expected.tvt" expected_records
expect_same_file "$CASE_DIR/expected.tvt" "$test_file" "the saved test holds the three records byte for byte"
expect_file "$CASE_DIR/SKY.BAK" "the previous file is kept as the backup"
expect_journal_names "$test_file" "the save starts the journal again with the test's path"
