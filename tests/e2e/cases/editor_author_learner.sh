#!/usr/bin/env bash
# The whole main program as an author and a learner use it: a new test
# written through the dialogs, saved, closed, opened again, practised,
# saved, and the answered states found again after a restart.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/testrun_helpers.bash"
source "$(dirname "$0")/editor_helpers.bash"

test_file="$CASE_DIR/PLANETS.TVT"

# The author.
start_program RUN_PID "$PROGRAM_DIR/Quorbelind.exe" --cwd "$PROGRAM_DIR"
get MAIN wait-window --pid "$RUN_PID" --class Quorbelind
expect_drive grayed "New Question off without a test" menu-state "$MAIN" IDM_QUESTION_NEW
need post-command "$MAIN" IDM_FILE_NEW
file_dialog "Create a new Test:" "$(winpath "$test_file")"
eventually "Quorbelind V1.00: $(winpath "$test_file")" "the new test is open" text "$MAIN"
expect_eq "QBKX0101A" "$(tr -d '\r' < "$test_file")" "New writes the magic line at once"

define_question "Red planet" "Which planet is called the red planet?" "Mars" "Venus" "Jupiter" "Mercury"
define_question "Orbit" $'How long does the Earth take\nto orbit the Sun?' "One year"
expect_eq $'Orbit 0 1\nRed planet 2 0' "$(list_rows)" "both questions are listed"
need command "$MAIN" IDM_FILE_SAVE
authored() {
  record "Red planet" "Which planet is called the red planet?" "Mars" "Venus" "Jupiter" "Mercury" "" "" "" "" ""
  record "Orbit" $'How long does the Earth take\x02\x01to orbit the Sun?' "One year" "" "" "" "" "" "" "" ""
}
write_test "$CASE_DIR/authored.tvt" authored
expect_same_file "$CASE_DIR/authored.tvt" "$test_file" "the author's test is saved"

need command "$MAIN" IDM_FILE_CLOSE
expect_eq "" "$(list_rows)" "Close empties the list"
expect_drive "Quorbelind V1.00" "Close restores the plain title" text "$MAIN"
expect_no_file "$JOURNAL" "Close deletes the change journal"

# The learner opens it again and practises.
need post-command "$MAIN" IDM_FILE_OPEN
pick_filter "Open a Test ..." 1
file_dialog "Open a Test ..." "$(winpath "$test_file")"
expect_eq $'Orbit 0 1\nRed planet 2 0' "$(list_rows)" "the reopened test lists both questions"
expect_counters "Asked: 0" "Correct: 0 (0.00 %)" "Remaining: 2" "after reopening"

ask_item 1
expect_drive "Red planet" "the multiple-choice question is shown" text "$(pane IDC_KEYWORD_LABEL)"
expect_eq $'Jupiter\nMars\nMercury\nVenus' "$(shown_answers | sort)" "its four answers are offered"
click_marker "$(row_of Mars)"
eventually "Mars" "the right answer is revealed" text "$(answer_box 0)"
expect_counters "Asked: 1" "Correct: 1 (100.00 %)" "Remaining: 1" "after the right answer"

ask_item 0
expect_eq "How long does the Earth take|to orbit the Sun?" "$(field_text "$(pane IDC_QUESTION_BOX)")" \
  "the single-answer question is shown with its line break"
need command "$MAIN" IDM_TEST_SHOW_ANSWER
expect_drive "One year" "Show answer reveals it" text "$(answer_box 0)"
need post-command "$MAIN" IDM_TEST_MARK_ANSWERED
expect_box "All questions are answered ..." "the last question marked"
expect_eq $'Orbit 1 1\nRed planet 3 0' "$(list_rows)" "both are listed as answered"
expect_counters "Asked: 2" "Correct: 2 (100.00 %)" "Remaining: 0" "after practising"

need command "$MAIN" IDM_FILE_SAVE
# The file-type entry picked in Open is still picked in Save as.
need post-command "$MAIN" IDM_FILE_SAVE_AS
expect_eq 1 "$(shown_filter "Save test with new name:")" "Save as shows the filter picked in Open"
get save_as wait-dialog --pid "$RUN_PID" --caption "Save test with new name:"
need press "$save_as:IDCANCEL"
need wait-gone "$save_as"
need post-command "$MAIN" IDM_EXIT
expect_eq 0 "$(wait_exit "$RUN_PID")" "the program ends with exit code 0"

# The answered states survive the restart.
start_test MAIN "$test_file"
expect_eq $'Orbit 1 1\nRed planet 3 0' "$(list_rows)" "the answered states are read back"
expect_drive "Remaining: 0" "nothing remains" status "$MAIN:IDC_STATUS_BAR" 2
expect_drive enabled "Reset all Questions on for answered questions" menu-state "$MAIN" IDM_TEST_RESET_ALL
